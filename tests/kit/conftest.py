"""The kit's fixtures for the kit's own tests."""
from zrkit.fixtures import bots, community_server, server_factory  # noqa: F401
