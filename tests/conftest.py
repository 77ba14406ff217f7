"""Shared pytest set-up: the tests folder is importable (the protocol kit and
the peers live there), and the build trees are found from the environment the
test script sets, or from their usual places."""
import os
import pathlib
import sys

import pytest

TESTS_DIR = pathlib.Path(__file__).resolve().parent
ROOT = TESTS_DIR.parent
if str(TESTS_DIR) not in sys.path:
    sys.path.insert(0, str(TESTS_DIR))


@pytest.fixture(scope="session")
def build_native():
    return pathlib.Path(os.environ.get("ZR_BUILD_NATIVE", ROOT / "build" / "native"))


@pytest.fixture(scope="session")
def build_win():
    return pathlib.Path(os.environ.get("ZR_BUILD_WIN", ROOT / "build" / "win"))
