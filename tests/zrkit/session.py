"""The acknowledgement window of one side of a session: counts of counted
messages (every type but 0 and 33; a channel message counts as its outer
type 2), the copies of what this side sent until the peer confirms them, and
the checks of a resumption."""
from dataclasses import dataclass, field
from typing import List, Tuple

from .messages import is_counted


class WindowError(Exception):
    pass


@dataclass
class Window:
    window_id: int = 0
    received: int = 0          # counted messages that arrived from the peer
    sent: int = 0              # counted messages this side sent (kept or not)
    acknowledged: int = 0      # how many of them the peer confirmed
    kept: List[Tuple[int, bytes]] = field(default_factory=list)  # (number, payload)

    @property
    def on(self):
        return self.window_id != 0

    def on_sent(self, msg_type, payload):
        """Counts an outgoing message and keeps a copy while the window is on."""
        if not self.on or not is_counted(msg_type):
            return
        self.sent += 1
        self.kept.append((self.sent, bytes(payload)))

    def on_received(self, msg_type):
        """Counts an incoming message; True when it was counted."""
        if self.on and is_counted(msg_type):
            self.received += 1
            return True
        return False

    def acknowledge(self, n):
        """The peer confirms its first n counted messages: copies up to n are
        dropped. A count above what was sent, or below what was already
        confirmed, is refused."""
        if n < self.acknowledged or n > self.sent:
            raise WindowError("acknowledged %d outside %d..%d" % (n, self.acknowledged, self.sent))
        self.acknowledged = n
        self.kept = [(i, p) for i, p in self.kept if i > n]

    def pending(self):
        """Payloads not yet confirmed, oldest first."""
        return [p for _, p in self.kept]
