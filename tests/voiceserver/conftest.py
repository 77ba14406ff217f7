"""Fixtures of the voice server's tests: the server as a child process."""
import pytest

from voiceserver.harness import VoiceServerProcess


@pytest.fixture
def voice_server_factory(tmp_path):
    started = []

    def make(*extra_args):
        server = VoiceServerProcess(tmp_path / ("voice%d" % len(started)), *extra_args)
        started.append(server)
        return server
    yield make
    for server in started:
        server.stop()


@pytest.fixture
def voice_server(voice_server_factory):
    return voice_server_factory()
