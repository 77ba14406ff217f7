"""ImageMagick reads the GIF89a that our encoder writes: for pictures made by
ImageMagick itself, our re-encoding must give back exactly its pixels."""
import pathlib
import subprocess

import pytest

IM_CONVERT = "/usr/bin/convert-im6.q16"
IM_IDENTIFY = "/usr/bin/identify-im6.q16"
FIXTURES = pathlib.Path(__file__).resolve().parent / "fixtures"


@pytest.fixture(scope="module")
def probe(build_native):
    path = build_native / "tests" / "avatars" / "avatars_gif_probe"
    if not path.exists():
        pytest.skip("native tree without avatars_gif_probe")
    return path


@pytest.mark.parametrize("name,size,table_entries", [
    ("g2.gif", (13, 7), 16),
    ("g16.gif", (37, 23), 16),
    ("g256i.gif", (61, 45), 256),
    ("gnoise.gif", (220, 220), 256),
    ("b4.bmp", (21, 13), 16),
    ("b8.bmp", (48, 64), 256),
    ("b8v5.bmp", (33, 17), 256),
])
def test_imagemagick_reads_our_gif(probe, tmp_path, name, size, table_entries):
    out = tmp_path / "out.gif"
    subprocess.run([str(probe), str(FIXTURES / name), str(out)], check=True)
    data = out.read_bytes()
    assert data[:6] == b"GIF89a"
    assert data[-1] == 0x3B
    # The global table announced in the screen descriptor is the one written.
    assert 2 << (data[10] & 7) == table_entries
    assert data[13 + 3 * table_entries] == 0x2C
    described = subprocess.run([IM_IDENTIFY, "-format", "%m %w %h\n", str(out)],
                               check=True, capture_output=True, text=True).stdout.split()
    assert described == ["GIF", str(size[0]), str(size[1])]
    pixels = subprocess.run([IM_CONVERT, str(out) + "[0]", "-alpha", "off", "-depth", "8", "rgb:-"],
                            check=True, capture_output=True).stdout
    expected = (FIXTURES / name).with_suffix(".rgb").read_bytes()
    assert pixels == expected


@pytest.mark.parametrize("name", ["b1.bmp", "b24.bmp", "brle.bmp", "g16.rgb"])
def test_pictures_we_do_not_encode_are_refused(probe, tmp_path, name):
    out = tmp_path / "out.gif"
    result = subprocess.run([str(probe), str(FIXTURES / name), str(out)], capture_output=True, text=True)
    assert result.returncode == 1
    assert "refused" in result.stderr
    assert not out.exists()
