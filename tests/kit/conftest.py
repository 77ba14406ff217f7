"""The kit's fixtures for the kit's own tests."""
from zrkit.fixtures import (bots, community_server, dante, scripted_proxy,  # noqa: F401
                            server_factory, tinyproxy, tunnel_server)
