"""The real SnCom.dll under Wine updates from the test update server:
update_host.exe asks the engine for the update list (the engine fetches,
selects and downloads with every file checked) and installs what it hands
over, as the voice control does; or sets up an instance whose container info
makes the engine install the components it needs."""
import os
import pathlib
import subprocess
import time
import uuid

import pytest

from voice_update.update_server import UpdateServer, list_line, stamped_record

CLIENT_KEY = r"HKLM\Software\Sonorelle Networks\Client"
HOST_CODES = ("76", "79")  # the voice control's, "L" and "O" in the list


@pytest.fixture(scope="module")
def prefix(build_win):
    return pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))


@pytest.fixture(scope="module")
def wine_env(prefix):
    return dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")


@pytest.fixture(scope="module")
def program(build_win):
    path = build_win / "tests" / "voice_update" / "win32" / "update_host.exe"
    if not path.exists():
        pytest.skip("update_host.exe is not built in this tree")
    return path


@pytest.fixture
def server():
    started = UpdateServer()
    yield started
    started.stop()


@pytest.fixture
def system_folder(prefix):
    """The prefix's system folder, with the test's files removed afterwards."""
    folder = prefix / "drive_c" / "windows" / "system32"
    made = []
    yield folder, made
    for name in made:
        for path in (folder / name, folder / (name + ".snnew")):
            if path.exists():
                path.unlink()


def unique_name(suffix=".dat"):
    return "zrupd" + uuid.uuid4().hex[:8] + suffix


def wine(env, *args, check=True):
    return subprocess.run(["wine", *args], env=env, capture_output=True, text=True, timeout=120, check=check)


def point_engine_at(env, base_url):
    """The stamped update URL the engine reads (and deletes) once per update."""
    value = stamped_record(base_url, int(time.time()) + 3600)
    wine(env, "reg", "add", CLIENT_KEY, "/v", "snacus", "/t", "REG_SZ", "/d", value, "/f")


def registry_text(env, key, name):
    query = wine(env, "reg", "query", key, "/v", name, check=False)
    for line in query.stdout.splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[0] == name:
            return parts[2]
    return None


def run_host(env, program, *args):
    done = subprocess.run(["wine", str(program), *args], env=env, capture_output=True, timeout=180,
                          cwd=str(program.parent))
    assert done.returncode == 0, done
    return [line for line in done.stdout.decode("latin-1").splitlines() if line]


def update(env, program, component="SNCom", *starts):
    return run_host(env, program, "list", *HOST_CODES, component, *starts)


def test_a_new_file_is_downloaded_checked_and_installed(server, system_folder, wine_env, program):
    folder, made = system_folder
    name = unique_name()
    made.append(name)
    contents = b"new contents of the file\r\n" * 40
    server.put("/files/" + name + ".dl", contents)
    server.put_list(["; the voice engine's update list",
                     list_line("1", "1", server.root_url + "/files", name, name + ".dl", contents, "zrupd",
                               hosts="LO"),
                     list_line("1", "1", server.root_url + "/files", "other.dat", "other.dl", b"x", "zrupd",
                               hosts="LX")])
    point_engine_at(wine_env, server.base_url)

    assert update(wine_env, program) == ["LIST 0 1", "INSTALL 0"]
    assert (folder / name).read_bytes() == contents
    assert not (folder / (name + ".snnew")).exists()
    assert server.requests == ["/updates/snver.enc", "/files/" + name + ".dl"]
    directory = registry_text(wine_env, CLIENT_KEY + r"\Directories", name)
    assert directory is not None and directory.lower() == r"c:\windows\system32" + "\\"
    # The snacus value was used up; the same list again needs nothing.
    assert registry_text(wine_env, CLIENT_KEY, "snacus") is None
    point_engine_at(wine_env, server.base_url)
    assert update(wine_env, program) == ["LIST 0 0"]


def test_a_list_made_while_the_engine_is_in_use_asks_for_a_restart(server, system_folder, wine_env, program):
    folder, made = system_folder
    name = unique_name()
    made.append(name)
    server.put("/files/" + name, b"busy")
    server.put_list([list_line("1", "1", server.root_url + "/files", name, name, b"busy", "zrbusy")])
    point_engine_at(wine_env, server.base_url)
    # Started twice: another user of the engine keeps its files in use.
    assert update(wine_env, program, "SNCom", "2") == ["LIST 1 1", "INSTALL 0"]
    assert (folder / name).read_bytes() == b"busy"


@pytest.mark.parametrize("served", [
    pytest.param(lambda good: good[:-7], id="short"),
    pytest.param(lambda good: good + b"tail", id="long"),
    pytest.param(lambda good: good[:100] + b"X" + good[101:], id="altered"),
])
def test_a_corrupt_download_is_refused_and_the_old_file_kept(served, server, system_folder, wine_env, program):
    folder, made = system_folder
    name = unique_name()
    made.append(name)
    (folder / name).write_bytes(b"the old file")
    good = bytes(range(256)) * 8
    server.put("/files/" + name + ".dl", served(good))
    server.put_list([list_line("1", "1", server.root_url + "/files", name, name + ".dl", good, "zrbad")])
    point_engine_at(wine_env, server.base_url)

    assert update(wine_env, program) == ["LIST 104 0"]
    assert (folder / name).read_bytes() == b"the old file"
    assert not (folder / (name + ".snnew")).exists()
    log = registry_text(wine_env, CLIENT_KEY + r"\LastError", "DWN")
    assert log is not None and log.startswith("ce zrbad")  # the digest step, 206


def test_no_list_gives_an_error_code(server, wine_env, program):
    # Nothing listening: the port of a server that was stopped.
    stopped = UpdateServer()
    unreachable = stopped.base_url
    stopped.stop()
    point_engine_at(wine_env, unreachable)
    assert update(wine_env, program) == ["LIST 103 0"]

    # A server without the list.
    point_engine_at(wine_env, server.base_url)
    assert update(wine_env, program) == ["LIST 103 0"]
    assert server.requests == ["/updates/snver.enc"]


def test_a_missing_file_on_the_server_fails_the_download(server, system_folder, wine_env, program):
    folder, made = system_folder
    name = unique_name()
    made.append(name)
    server.put_list([list_line("1", "1", server.root_url + "/files", name, name + ".dl", b"gone", "zrgone")])
    point_engine_at(wine_env, server.base_url)
    assert update(wine_env, program) == ["LIST 104 0"]
    assert not (folder / name).exists()


def test_container_info_installs_the_branding_library_in_the_language(server, system_folder, wine_env,
                                                                      program):
    folder, made = system_folder
    german, english = unique_name(".dll"), unique_name(".dll")
    made.extend([german, english])
    contents = b"MZ stand-in of a language library"
    for name in (german, english):
        server.put("/files/" + name, contents)
    server.put_list([
        list_line("1", "5", server.root_url + "/files", english, english, contents, "ZrUpdBrand", extra="en"),
        list_line("1", "5", server.root_url + "/files", german, german, contents, "ZrUpdBrand", extra="de"),
    ])
    point_engine_at(wine_env, server.base_url)

    assert run_host(wine_env, program, "container", "ZrUpdBrand", "de-DE") == ["CONTAINER done"]
    assert (folder / german).read_bytes() == contents
    assert not (folder / english).exists()


@pytest.mark.parametrize("server_key", ["InprocServer32", "LocalServer32"])
def test_a_com_servers_file_goes_to_the_servers_folder(server_key, server, prefix, wine_env, program):
    class_id = "{%s}" % str(uuid.uuid4()).upper()
    key = r"HKCR\CLSID\%s\%s" % (class_id, server_key)
    folder_name = unique_name("")
    folder = prefix / "drive_c" / folder_name
    registered = '"C:\\%s\\server.exe" /automation' % folder_name if server_key == "LocalServer32" \
        else "C:\\%s\\server.dll" % folder_name
    wine(wine_env, "reg", "add", key, "/ve", "/d", registered, "/f")
    name = unique_name()
    contents = b"a file of the server"
    server.put("/files/" + name, contents)
    server.put_list([list_line("3", "1", server.root_url + "/files", name, name, contents, "zrsrv",
                               extra=class_id)])
    try:
        # The folder does not exist yet: nothing is installed.
        point_engine_at(wine_env, server.base_url)
        assert update(wine_env, program) == ["LIST 0 1", "INSTALL 108"]

        folder.mkdir()
        point_engine_at(wine_env, server.base_url)
        assert update(wine_env, program) == ["LIST 0 1", "INSTALL 0"]
        assert (folder / name).read_bytes() == contents
    finally:
        wine(wine_env, "reg", "delete", r"HKCR\CLSID\%s" % class_id, "/f", check=False)
        if folder.exists():
            for path in folder.iterdir():
                path.unlink()
            folder.rmdir()
