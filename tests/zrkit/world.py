"""The server's world: places with their standing groups 1024 and 1025,
groups, persons, items and member data. Each member also keeps the set of
object identifiers its client has been told about, because every place
operation the server sends is looked up in that client's own tree."""
import itertools
from typing import Dict, List, Optional

from . import wire
from .wire import GroupForm, GroupInfo, Child, PersonForm, Position

GROUP_CAPACITY = 1000          # capacity of the standing groups
SEAT_ROW = 519                 # kind of an auditorium's seat row
DISSOLVE_EMPTY, DISSOLVE_ONE_LEFT, DISSOLVE_HOST_LEFT = 1, 2, 4


class Node:
    def __init__(self, oid, kind, parent=None, position=None):
        self.id = oid
        self.kind = kind
        self.parent: Optional["Group"] = parent
        self.position = position or Position()
        self.items: Dict[int, wire.Item] = {}

    def ancestors(self):
        """This node and every container above it."""
        node = self
        while node is not None:
            yield node
            node = node.parent

    def place(self):
        top = self
        while top.parent is not None:
            top = top.parent
        return top if isinstance(top, Place) else None


class Person(Node):
    def __init__(self, oid, kind, name, tag=1):
        super().__init__(oid, kind)
        self.info = wire.PersonInfo(name=name)
        self.tag = tag
        self.member_flags = 0
        self.session = None    # the member's server session; none for scripted persons
        self.known = set()     # identifiers the member's client holds

    @property
    def name(self):
        return self.info.name

    def form(self):
        info = wire.PersonInfo(self.info.name, self.info.member, list(self.items.values()),
                               self.info.full_name, self.info.location, self.info.email,
                               self.info.fourth, self.info.value_le)
        return PersonForm(self.id, self.position, info, self.tag, self.member_flags)

    def child(self):
        return Child(self.kind & ~wire.KIND_OWN, self.form())


class Group(Node):
    def __init__(self, oid, kind, info: GroupInfo, parent=None, position=None):
        super().__init__(oid, kind, parent, position)
        self.info = info
        self.children: List[Node] = []
        self.host: Optional[Person] = None

    def can_accept(self, node):
        if self.kind == wire.GROUP_1025 or node.parent is self:
            return True
        return len(self.children) < self.info.capacity

    def add(self, node, position=None, host=False):
        node.parent = self
        node.position = position or Position()
        self.children.append(node)
        if host:
            self.host = node

    def remove(self, node):
        self.children.remove(node)
        if self.host is node:
            self.host = None
        node.parent = None

    def subtree(self):
        yield self
        for c in self.children:
            if isinstance(c, Group):
                yield from c.subtree()
            else:
                yield c

    def form(self, exclude=None):
        info = GroupInfo(self.info.name, self.info.member, list(self.items.values()),
                         self.info.capacity, self.info.flags)
        children = [c.child() for c in self.children if c is not exclude]
        host = self.host.id if self.host is not None and self.host is not exclude else None
        return GroupForm(self.id, self.position, info, children, host)

    def child(self):
        return Child(self.kind, self.form())


class Place(Group):
    def __init__(self, ids, name, kind=wire.KIND_PLACE, rows=0, seats=0, row_name=""):
        super().__init__(next(ids), kind, GroupInfo(name=name, capacity=GROUP_CAPACITY, flags=8))
        self.name = name
        # An auditorium's audience: row i (from 1) is a seat row group in
        # the room with the identifier of the place + i, its seats numbered
        # from 1.
        seat_rows = [Group(next(ids), SEAT_ROW, GroupInfo(name="%s %d" % (row_name, i), capacity=seats))
                     for i in range(1, rows + 1)]
        self.title = ""
        self.g1025 = Group(next(ids), wire.GROUP_1025,
                           GroupInfo(capacity=GROUP_CAPACITY), parent=self)
        self.g1024 = Group(next(ids), wire.GROUP_1024,
                           GroupInfo(capacity=GROUP_CAPACITY), parent=self)
        self.children = [self.g1025, self.g1024]
        for row in seat_rows:
            self.g1024.add(row)
        # Observers the place reports when asked but holds back from its
        # members' trees (a scenario's crowd).
        self.observers: List[Person] = []
        self.rows = rows
        self.seats = seats
        self.row_name = row_name

    def persons(self):
        return [n for n in self.subtree() if isinstance(n, Person)]

    def find(self, oid):
        for n in self.subtree():
            if n.id == oid:
                return n
        return None


class World:
    def __init__(self, first_id=1000):
        self.ids = itertools.count(first_id)
        self.places: Dict[str, Place] = {}

    def new_id(self):
        return next(self.ids)

    def place(self, name, kind=wire.KIND_PLACE, rows=0, seats=0, row_name=""):
        if name not in self.places:
            self.places[name] = Place(self.ids, name, kind, rows, seats, row_name)
        return self.places[name]

    def find(self, oid):
        """The place, group or person with that identifier, or None."""
        for place in self.places.values():
            node = place.find(oid)
            if node is not None:
                return node
        return None

    def dissolve_targets(self, group: Group, host_left: bool):
        """Whether the group dissolves after a member left, by its flags."""
        f = group.info.flags
        n = len(group.children)
        return ((n == 0 and f & DISSOLVE_EMPTY) or (n == 1 and f & DISSOLVE_ONE_LEFT)
                or (host_left and f & DISSOLVE_HOST_LEFT))

    def dissolve(self, group: Group, host_left: bool):
        """Carries out the dissolving that every client computes by itself:
        the children move to group 1024 when the group lies inside it, else
        to group 1025; the group is removed; its parent is tested in turn.
        Returns the moved persons."""
        moved = []
        if not isinstance(group, Group) or isinstance(group, Place) \
                or group.kind in (wire.GROUP_1024, wire.GROUP_1025):
            return moved
        if not self.dissolve_targets(group, host_left):
            return moved
        place = group.place()
        target = place.g1024 if place.g1024 in group.ancestors() else place.g1025
        for child in list(group.children):
            group.remove(child)
            target.add(child)
            moved.append(child)
        parent = group.parent
        parent.remove(group)
        return moved + self.dissolve(parent, False)
