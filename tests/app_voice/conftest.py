"""Fixtures of the client's voice tests: the main window tests' fixtures (the
kit's community server with bots, the client under Wine) and the voice test
server on port 3450 of a loopback address of its own."""
import pytest

from app_window.conftest import place_bots, window_client, zr_server  # noqa: F401
from voiceserver.enginehost import loopback_address
from voiceserver.harness import VoiceServerProcess
from zrkit.fixtures import server_factory  # noqa: F401


@pytest.fixture
def voice_server(tmp_path):
    for attempt in range(5):
        address = loopback_address()
        try:
            started = VoiceServerProcess(tmp_path / ("voice%d" % attempt), "--host", address,
                                         "--port", "3450", "--time-limit", "300",
                                         "--account", "47205318:Qm4TzK7pWa2")
        except RuntimeError:
            continue  # the port of that address is taken: another one
        yield started
        started.stop()
        return
    pytest.fail("no loopback address with a free port 3450")
