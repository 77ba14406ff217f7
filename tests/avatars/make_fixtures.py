#!/usr/bin/python3
"""Makes the picture fixtures with ImageMagick, and for each the pixels as
ImageMagick reads them (8-bit RGB, top row first) in <name>.rgb.

Run from anywhere; writes into fixtures/ beside this script. The outputs are
committed so that a change of tool version does not move the expected pixels.
"""
import pathlib
import subprocess

IM = "/usr/bin/convert-im6.q16"  # Debian's ImageMagick, not a stand-in on PATH
HERE = pathlib.Path(__file__).resolve().parent / "fixtures"

SOURCE = ["-seed", "7", "plasma:fuchsia-navy"]

# name, size, output options (the file name is appended)
PICTURES = [
    ("g2.gif", "13x7", ["-colors", "2"]),
    ("g8.gif", "9x11", ["-colors", "8"]),
    ("g16.gif", "37x23", ["-colors", "16"]),
    ("g256.gif", "61x45", ["-colors", "256"]),
    ("g256i.gif", "61x45", ["-colors", "256", "-interlace", "GIF"]),
    ("g16i.gif", "37x23", ["-colors", "16", "-interlace", "GIF"]),
    ("g87.gif", "20x5", ["-colors", "32"], "GIF87:"),
    ("gtrans.gif", "17x13", ["-colors", "64", "-transparent", "#ff00ff"]),
    ("gnoise.gif", "220x220", ["+noise", "Random", "-colors", "256"]),
    ("b1.bmp", "19x9", ["-type", "Palette", "-colors", "2", "-compress", "None"], "BMP3:"),
    ("b4.bmp", "21x13", ["-type", "Palette", "-colors", "16", "-compress", "None"], "BMP3:"),
    ("b8.bmp", "48x64", ["-type", "Palette", "-colors", "200", "-compress", "None"], "BMP3:"),
    ("b8v5.bmp", "33x17", ["-type", "Palette", "-colors", "100", "-compress", "None"], ""),
    ("b24.bmp", "23x11", ["-type", "TrueColor", "-compress", "None"], "BMP3:"),
    ("brle.bmp", "24x8", ["-type", "Palette", "-colors", "16", "-compress", "RLE"], "BMP3:"),
]


def run(*args):
    subprocess.run([IM, *args], check=True)


def main():
    HERE.mkdir(exist_ok=True)
    for entry in PICTURES:
        name, size, options = entry[:3]
        prefix = entry[3] if len(entry) > 3 else ""
        out = HERE / name
        run("-size", size, *SOURCE, *options, prefix + str(out))
        run(str(out) + "[0]", "-alpha", "off", "-depth", "8", "rgb:" + str(out.with_suffix(".rgb")))
    # Two frames: only the first is decoded.
    first, second = HERE / "f1.gif", HERE / "f2.gif"
    run("-size", "8x6", "xc:red", "-colors", "4", str(first))
    run("-size", "8x6", "xc:blue", "-colors", "4", str(second))
    run("-delay", "10", str(first), str(second), str(HERE / "ganim.gif"))
    run(str(HERE / "ganim.gif") + "[0]", "-depth", "8", "rgb:" + str(HERE / "ganim.rgb"))
    first.unlink()
    second.unlink()


if __name__ == "__main__":
    main()
