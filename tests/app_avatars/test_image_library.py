"""The image library as the identity sheet's avatar column opens it in the
running client: Change... shows the stock folder's pictures that fit an
avatar cell (pictures made by ImageMagick in the program's stock folder),
the folder tree opened down to that folder, another folder chosen in the
tree lists its own pictures, and the picture picked with real clicks
becomes the user's face: zrplaces.ini names it and its mood pictures, and
the server receives its bytes as the user's member data."""
import configparser
import subprocess
import time

import pytest

from app_window.window_tools import ProbeError

DIALOG = "#32770"
SHEET = "My Identity"
LIBRARY = "Stock Avatar Gallery"
IDOK, APPLY, TABS = 1, 0x3021, 0x3020
CHANGE, STOCK_RADIO, PERSONAL_RADIO, FACE = 1004, 1056, 1057, 1005
FOLDERS, PICTURES, FOLDER_TEXT, FILE_TEXT = 1079, 1078, 1040, 1019
SECTION = "Identity-127.0.0.1"
MEMBER_DATA_OP = 22
SECONDS = 20

# name -> (width, height, colour); 48 x 64 is the cell of a small face.
STOCK_PICTURES = {
    "bluea.gif": (48, 64, "#0000ff"),
    "blueb.gif": (48, 64, "#0000a0"),
    "bluec.gif": (48, 64, "#000060"),
    "small.bmp": (20, 20, "#00ff00"),
    "wide.gif": (49, 64, "#ff0000"),   # one pixel too wide: not listed
    "tall.bmp": (48, 65, "#ff00ff"),   # one pixel too high: not listed
}
# In the folder above the stock folder.
EXTS_PICTURES = {"greena.gif": (30, 30, "#00ff00")}


def make_pictures(folder, pictures):
    folder.mkdir(parents=True, exist_ok=True)
    for name, (width, height, colour) in pictures.items():
        kind = "BMP3" if name.endswith(".bmp") else "GIF"
        subprocess.run(["/usr/bin/convert", "-size", "%dx%d" % (width, height), "xc:%s" % colour,
                        "-type", "Palette", "-compress", "None", "%s:%s" % (kind, folder / name)],
                       check=True)


@pytest.fixture(scope="module")
def stock(client):
    folder = client.folder / "Exts" / "StockAvatars"
    make_pictures(folder, STOCK_PICTURES)
    make_pictures(folder.parent, EXTS_PICTURES)
    (folder / "notes.txt").write_text("not a picture")
    return folder


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def dialog(client, title):
    """The tree of the client's dialog titled `title`, or None."""
    try:
        answer = client.probe("tree", window_class=DIALOG, window_title=title, find_seconds=1)[0]
    except ProbeError:
        return None
    return None if "error" in answer else answer["window"]


def wait_dialog(client, title):
    deadline = time.monotonic() + SECONDS
    while time.monotonic() < deadline:
        tree = dialog(client, title)
        if tree is not None and tree["visible"]:
            return {node["id"]: node for node in walk(tree)}, tree
        time.sleep(0.3)
    raise AssertionError("no dialog %r within %d s" % (title, SECONDS))


def wait_gone(client, title):
    deadline = time.monotonic() + SECONDS
    while time.monotonic() < deadline:
        if dialog(client, title) is None:
            return
        time.sleep(0.3)
    raise AssertionError("dialog %r is still open" % title)


def on(client, title, *commands):
    answers = client.probe(*commands, window_class=DIALOG, window_title=title)
    errors = [answer for answer in answers if "error" in answer]
    assert not errors, errors
    return answers


def click_control(client, title, control):
    left, top, right, bottom = control["rect"]
    on(client, title, "click %d %d" % ((left + right) // 2, (top + bottom) // 2))


def rows(client, title, control):
    return on(client, title, "list %d" % control)[0]


def wait_rows(client, title, control, test, what):
    deadline = time.monotonic() + SECONDS
    while True:
        listed = rows(client, title, control)
        if test(listed):
            return listed
        if time.monotonic() > deadline:
            raise AssertionError("%s: %r" % (what, listed))
        time.sleep(0.3)


def click_row(client, title, listed, row, cell_width=None):
    """A real click in the middle of `row` of a list. The thumbnails fill
    each column of cell_width + 4 pixels top to bottom, two rows a column."""
    left, top, right, _ = listed["client"]
    height = listed["height"]
    if cell_width is None:
        x, y = left + 30, top + (row - listed["top"]) * height + height // 2
    else:
        width = (right - left) // max(2, (right - left) // (cell_width + 4))
        x = left + (row // 2) * width + width // 2
        y = top + (row % 2) * height + height // 2
    on(client, title, "click %d %d" % (x, y))


def read_ini(client):
    parser = configparser.RawConfigParser(strict=False)
    parser.optionxform = str
    parser.read_string((client.folder / "zrplaces.ini").read_text(errors="replace"))
    return parser


def face_data_sent(server, after):
    for entry in server.log()[after:]:
        msg = entry.get("msg") or {}
        msg = msg.get("inner", msg)
        if entry.get("dir") == "in" and msg.get("op") == MEMBER_DATA_OP and msg.get("has_data"):
            return bytes.fromhex(msg["data"])
    return None


def test_a_stock_picture_picked_in_the_library_becomes_the_face(client, server, stock):
    client.probe("openmenu 3 M keep", "key RETURN")
    sheet, _ = wait_dialog(client, SHEET)
    # The avatar column stands left of the pages.
    for control in (CHANGE, STOCK_RADIO, PERSONAL_RADIO, FACE):
        assert control in sheet and sheet[control]["visible"], control
    assert sheet[FACE]["rect"][2] < sheet[TABS]["rect"][0]

    click_control(client, SHEET, sheet[CHANGE])
    library, _ = wait_dialog(client, LIBRARY)
    listed = wait_rows(client, LIBRARY, PICTURES, lambda r: r["count"] > 0 and library, "stock pictures")
    names = listed["rows"]
    # What fits a 48 x 64 cell, the GIF files before the BMP files.
    assert sorted(names) == ["bluea.gif", "blueb.gif", "bluec.gif", "small.bmp"]
    assert names[-1] == "small.bmp"
    assert listed["selected"] == 0
    library, _ = wait_dialog(client, LIBRARY)
    assert library[FILE_TEXT]["text"] == names[0]
    assert library[FOLDER_TEXT]["text"].endswith("\\stockavatars")

    # The tree is open from the drive down to the stock folder.
    tree = rows(client, LIBRARY, FOLDERS)["rows"]
    assert tree[0].endswith(":")
    path = str(stock).lower().strip("/").split("/")
    assert [row for row in tree if row in path] == path, "|".join(tree)

    # Another folder lists its own pictures.
    tree = rows(client, LIBRARY, FOLDERS)
    click_row(client, LIBRARY, tree, tree["rows"].index("exts"))
    wait_rows(client, LIBRARY, PICTURES, lambda r: r["rows"] == ["greena.gif"], "the pictures of exts")
    library, _ = wait_dialog(client, LIBRARY)
    assert library[FOLDER_TEXT]["text"].endswith("\\exts")
    tree = rows(client, LIBRARY, FOLDERS)
    click_row(client, LIBRARY, tree, tree["rows"].index("stockavatars"))
    listed = wait_rows(client, LIBRARY, PICTURES, lambda r: r["count"] == 4, "the stock pictures again")

    # Pick bluea.gif with a real click, then OK; the first row is selected
    # already, so the second is clicked before.
    click_row(client, LIBRARY, listed, 1, cell_width=48)
    wait_rows(client, LIBRARY, PICTURES, lambda r: r["selected"] == 1, "the second picture selected")
    click_row(client, LIBRARY, listed, listed["rows"].index("bluea.gif"), cell_width=48)
    wait_rows(client, LIBRARY, PICTURES,
              lambda r: r["selected"] == r["rows"].index("bluea.gif"), "bluea.gif selected")
    library, _ = wait_dialog(client, LIBRARY)
    assert library[FILE_TEXT]["text"] == "bluea.gif"
    click_control(client, LIBRARY, library[IDOK])
    wait_gone(client, LIBRARY)

    after = len(server.log())
    sheet, _ = wait_dialog(client, SHEET)
    click_control(client, SHEET, sheet[APPLY])
    wait_gone(client, SHEET)

    deadline = time.monotonic() + SECONDS
    while face_data_sent(server, after) is None and time.monotonic() < deadline:
        time.sleep(0.3)
    assert face_data_sent(server, after) == (stock / "bluea.gif").read_bytes()
    identity = read_ini(client)[SECTION]
    folder = identity["Normal"].rsplit("\\", 1)[0]
    assert identity["Normal"].lower() == folder.lower() + "\\bluea.gif"
    assert folder.lower().endswith("\\exts\\stockavatars")
    # The mood pictures that exist come along; the missing one stays empty.
    assert identity["Happy"].lower() == folder.lower() + "\\blueb.gif"
    assert identity["Angry"].lower() == folder.lower() + "\\bluec.gif"
    assert identity["Sad"] == ""
