"""Persons of the place on the real library against the kit's community
server: a bot that enters, moves inside the place and leaves is followed by
its avatar window, the people list and the DDE notices, each once."""
from zrkit.bot import BotPool
from zrkit.wire import Position


def test_a_bot_entering_moving_and_leaving_is_followed(server_factory, probe):
    server = server_factory(scenario={})
    probe.send("page http://page/")
    probe.send("connect 127.0.0.1:%d ann" % server.port)
    probe.expect("entered")

    pool = BotPool(server.host, server.port)
    try:
        cat = pool.bot("cat")
        snapshot = cat.enter("http://page/", position=Position.xy(300, 300))["snapshot"]
        cid = cat.member_id
        probe.expect("person", call="mark-off", id=cid)
        cat.move(snapshot["g1024"].id, Position.xy(40, 50))
        probe.expect("person", call="layout", id=cid)
        cat.leave()
        probe.expect("person", call="destroy", id=cid)
    finally:
        pool.stop()

    calls = [(e["call"], e["value"]) for e in probe.events if e["event"] == "person" and e["id"] == cid]
    assert calls == [
        ("place-notice", 1), ("people-add", 0), ("window", 0), ("mark-off", 0),
        ("people-update", 0), ("layout", 0),
        ("hide", 0), ("people-remove", 0), ("place-request", 0), ("destroy", 0),
    ]
