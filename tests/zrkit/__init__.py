"""Protocol test kit: an independent community server, a bot client, proxy
helpers and pytest fixtures, in Python's standard library only.

Run the server with tests/ on PYTHONPATH:
    PYTHONPATH=tests /usr/bin/python3 -m zrkit.server --port 0
It prints "LISTENING 127.0.0.1 <port>" once it accepts connections.
"""
