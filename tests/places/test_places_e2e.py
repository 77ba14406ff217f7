"""The root place and the community connection on the real library against
the kit's community server: the community's items, the connected titles and
the automatic entry into the shown page, a bot's chat line and application
data, a second connect to the same community, and the server's close code
turned into the user's message."""
from zrkit.bot import BotPool
from zrkit.wire import Position


def test_place_connects_enters_hears_and_reports_the_close(server_factory, bots, probe):
    server = server_factory(scenario={"items": [
        {"type": 0, "code": 1006, "value": "Harbour"},
        {"type": 0, "code": 1013, "value": "alpha,beta,gamma"},
    ]})
    url = "127.0.0.1:%d" % server.port
    probe.send("page http://page/")
    probe.send("connect %s ann" % url)
    probe.expect("showPage", text="about:reset")
    assert probe.expect("connect")["code"] == 0
    probe.expect("communityTitle", text="Harbour")
    probe.expect("wordList", text="alpha|beta|gamma")
    assert probe.expect("login")["code"] == 0
    probe.expect("title", text="Lumora Zanthe Chat - [%s]" % url)
    probe.expect("status", text="Connected")
    probe.expect("dde", text="ConnectCommunity")
    probe.expect("entered")
    probe.expect("pageText", text='   You have entered "http://page/"   ')
    probe.expect("dde", text="Navigate")

    # The same community in other case while connected: no new connection.
    probe.send("connect %s ann" % url.upper())
    assert probe.expect("connect")["code"] == 0
    assert [e for e in probe.events if e["event"] == "showPage"] == [
        {"event": "showPage", "text": "about:reset"}]

    pool = BotPool(server.host, server.port)
    try:
        cat = pool.bot("cat")
        cat.enter("http://page/", position=Position.xy(300, 300))
        cat.say("hello room")
        said = probe.expect("say", text="hello room")
        assert said["name"] == "cat"
        cat.say("board 3", value=0)
        probe.expect("gameData", name="cat", text="board 3")
        cat.say("other mode", value=3)
        cat.say("last line")
        probe.expect("say", text="last line")
        assert not [e for e in probe.events if e.get("text") == "other mode"]
    finally:
        pool.stop()

    server.control("close", session="ann", code=212)
    probe.expect("status", text="Disconnected")
    probe.expect("message", text="Lumora Chat Server %s is inaccessible: "
                 "You have been ejected from the community." % url)
    probe.expect("dde", text="DisconnectCommunity 131")


def test_entering_an_auditorium_tells_its_event_service(server_factory, probe):
    server = server_factory(scenario={
        "places": [{"name": "http://hall/", "kind": 0x801}],
        "references": [{"owner": 900, "kind": 321, "id": 901, "parent_le": 0}],
    })
    probe.send("page http://hall/")
    probe.send("connect 127.0.0.1:%d bea" % server.port)
    probe.expect("entered")
    assert probe.expect("layout")["type"] == 1
    entry = server.wait_log({"dir": "in", "msg": {"type": 28, "target": 900}}, timeout=20)
    assert entry["msg"]["mode"] == 2
