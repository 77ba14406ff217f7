"""Fixtures of the group window tests: the avatar window tests' server,
bots and client (one client start for the module), and the page area read
off two bots in its corners."""
from app_avatars.conftest import bots, client, early, server  # noqa: F401
from app_avatars.test_avatar_windows import page  # noqa: F401
