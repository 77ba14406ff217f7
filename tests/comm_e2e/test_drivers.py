"""Two comm-drivers and a bot in one place of the kit's server: arrivals and
departures, room talk, whispers and their refusal, moves, groups, the
server's close reason, and the tree against the server's world."""
from zrkit.wire import Position


def enter(driver, server, name, url="http://page/", x=100, y=100):
    driver.send("connect 127.0.0.1 %d %s" % (server.port, name))
    member = driver.expect("OnConnected")["member"]
    driver.send("enter %s %d %d" % (url, x, y))
    driver.expect("OnEntered", name=url)
    return member


def names(tree):
    found = []
    stack = [tree]
    while stack:
        node = stack.pop()
        if node["kind"] & 0x100:
            found.append(node["name"])
        stack.extend(node.get("children", []))
    return sorted(found)


def test_two_drivers_meet_talk_and_whisper(community_server, drivers, bots):
    a, b = drivers(), drivers()
    a_id = enter(a, community_server, "ann")
    b_id = enter(b, community_server, "bob")
    a.expect("OnEnter", object=b_id, name="bob")

    a.send("say hello room")
    heard = b.expect("OnReceive", sender=a_id, text="hello room")
    assert heard["value"] == 5

    a.send("whisper %d psst" % b_id)
    whisper = b.expect("whispered", text="psst")
    assert whisper["record"]["sender"] == a_id
    assert whisper["record"]["name"] == "ann"

    cat = bots.bot("cat")
    cat.enter("http://page/", position=Position.xy(300, 300))
    a.expect("OnEnter", name="cat")
    b.expect("OnEnter", name="cat")
    assert names(a.tree()) == ["ann", "bob", "cat"]
    assert names(b.tree()) == ["ann", "bob", "cat"]

    cat.leave()
    a.expect("OnLeave", name="cat")
    b.stop()
    a.expect("OnLeave", object=b_id)
    assert names(a.tree()) == ["ann"]

    a.send("whisper %d late" % b_id)
    a.expect("OnTalkRefused", target=b_id)


def test_moves_reach_both_trees(community_server, drivers):
    a, b = drivers(), drivers()
    enter(a, community_server, "ann")
    b_id = enter(b, community_server, "bob")
    b.send("move 100 200")
    moved = a.expect("OnMove", object=b_id)
    assert moved["position"] == {"x": 100, "y": 200}
    b.expect("OnMove", object=b_id)

    def position_of(tree, member):
        stack = [tree]
        while stack:
            node = stack.pop()
            if node["id"] == member:
                return node["position"]
            stack.extend(node.get("children", []))
        return None
    assert position_of(a.tree(), b_id) == {"x": 100, "y": 200}
    assert position_of(b.tree(), b_id) == {"x": 100, "y": 200}


def test_server_close_reason_reaches_the_place(community_server, drivers):
    a = drivers()
    enter(a, community_server, "ann")
    community_server.control("close", session="ann", code=224)
    assert a.expect("OnDisconnected")["code"] == 224
    a.expect("OnConnectionEnded", reason=224)


def test_a_bots_group_reaches_both_trees(community_server, drivers, bots):
    a, b = drivers(), drivers()
    enter(a, community_server, "ann")
    enter(b, community_server, "bob")
    cat = bots.bot("cat")
    cat.enter("http://page/", position=Position.xy(300, 300))
    a.expect("OnEnter", name="cat")
    b.expect("OnEnter", name="cat")
    cat.make_group(0x201, Position.xy(500, 500), capacity=4, name="tour")
    group_a = a.expect("OnGroupCreated", name="cat")["group"]
    group_b = b.expect("OnGroupCreated", name="cat")["group"]
    assert group_a == group_b

    def group_of(tree):
        stack = [tree]
        while stack:
            node = stack.pop()
            if node["id"] == group_a:
                return node
            stack.extend(node.get("children", []))
        return None
    for driver in (a, b):
        group = group_of(driver.tree())
        assert group is not None
        assert group["position"] == {"x": 500, "y": 500}
        assert [child["name"] for child in group["children"]] == ["cat"]
        assert group["host"] == group["children"][0]["id"]


def test_dropped_connection_resumes_without_loss(server_factory, drivers):
    server = server_factory(window_id=9)
    a, b = drivers(), drivers()
    enter(a, server, "ann")
    b_id = enter(b, server, "bob")
    for n in range(1, 4):
        b.send("say m%d" % n)
    a.expect("OnReceive", text="m3")
    server.control("drop", session="ann")
    a.expect("log")
    for n in range(4, 7):
        b.send("say m%d" % n)
    a.expect("OnReceive", text="m6", timeout=30)
    a.send("say after")
    b.expect("OnReceive", text="after")
    heard = [e["text"] for e in a.events if e["event"] == "OnReceive" and e["sender"] == b_id]
    assert heard == ["m1", "m2", "m3", "m4", "m5", "m6"]
    said = [e["text"] for e in b.events if e["event"] == "OnReceive"]
    assert said.count("after") == 1


def flatten(tree):
    """(name, kind without the own bit, parent name, position) of every
    object below the place, sorted."""
    rows = []
    stack = [(tree, None)]
    while stack:
        node, parent = stack.pop()
        if parent is not None:
            rows.append((node["name"], node["kind"] & ~0x80, parent["kind"] if not parent["name"]
                         else parent["name"], str(node["position"])))
        for child in node.get("children", []):
            stack.append((child, node))
    return sorted(rows)


def test_trees_follow_the_world_through_a_scripted_sequence(community_server, drivers, bots):
    a, b = drivers(), drivers()
    enter(a, community_server, "ann", x=100, y=100)
    b_id = enter(b, community_server, "bob", x=200, y=100)
    a.expect("OnEnter", object=b_id)
    dan = bots.bot("dan")
    dan.enter("http://page/", position=Position.xy(400, 100))
    cat = bots.bot("cat")
    cat.enter("http://page/", position=Position.xy(300, 100))
    for driver in (a, b):
        driver.expect("OnEnter", name="dan")
        driver.expect("OnEnter", name="cat")

    b.send("move 250 150")
    a.expect("OnMove", object=b_id)
    cat.make_group(0x201, Position.xy(500, 500), capacity=4, flags=1, name="tour")
    for driver in (a, b):
        driver.expect("OnGroupCreated", name="cat")
    dan.expect(type=15, op=10)
    assert flatten(a.tree()) == flatten(b.tree())

    # The group empties when its only member leaves and dissolves in every tree.
    cat.leave()
    for driver in (a, b):
        driver.expect("OnLeave", name="cat")
    dan.expect(type=15, op=5)
    rows = flatten(a.tree())
    assert rows == flatten(b.tree())
    assert [row[0] for row in rows if row[1] & 0x100] == ["ann", "bob", "dan"]
    assert not [row for row in rows if row[0] == "tour"]

    persons = {name: oid for name, oid in dan.members().items()}
    assert set(persons) == {"ann", "bob", "dan"}
    b.stop()
    a.expect("OnLeave", object=b_id)
    assert [row[0] for row in flatten(a.tree()) if row[1] & 0x100] == ["ann", "dan"]
