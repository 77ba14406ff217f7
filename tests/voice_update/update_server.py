"""A small HTTP update server for the voice engine's update tests. It serves
whatever each test puts in its table (the update list "snver.enc" under
/updates and the listed files) and records every path asked for. Run alone,
it serves a folder: python3 update_server.py --port 8000 --root DIR."""
import argparse
import base64
import hashlib
import http.server
import pathlib
import struct
import threading

from voiceserver.blowfish import Blowfish

DEFAULT_KEY = bytes.fromhex("5e17a2c9d04b83f6")


def md5_base64(data):
    return base64.b64encode(hashlib.md5(data).digest()).decode("ascii")


def list_line(location, kind, url, installed, download, contents, component, version="1.0.0.0",
              hosts="CC", restart="0", delivery="0", extra="", removal=False):
    """One line of the update list, its digest taken from `contents`."""
    flags = location + ("d" if removal else "0") + hosts + kind + restart + delivery
    fields = [flags, "", version, url, installed, download, extra, md5_base64(contents), component]
    return ";".join(fields)


def crc16_xmodem(data):
    crc = 0
    for byte in data:
        crc ^= byte << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x1021) if crc & 0x8000 else crc << 1
            crc &= 0xFFFF
    return crc


def stamped_record(text, expiry):
    """The stored form of a stamped record: CRC, expiry and text, padded to
    whole blocks, enciphered under the default key, in base64."""
    body = struct.pack("<I", expiry) + text.encode("latin-1")
    record = struct.pack("<H", crc16_xmodem(body)) + body
    record += b"\0" * (-len(record) % 8)
    return base64.b64encode(Blowfish(DEFAULT_KEY).encipher(record)).decode("ascii")


class UpdateServer:
    """The server on a free port of 127.0.0.1, on a thread of its own."""

    def __init__(self):
        self.files = {}
        self.requests = []
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                path = self.path.split("?", 1)[0]
                server.requests.append(path)
                body = server.files.get(path)
                if body is None:
                    self.send_error(404)
                    return
                self.send_response(200)
                self.send_header("Content-Type", "application/octet-stream")
                self.send_header("Content-Length", str(len(body)))
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    @property
    def root_url(self):
        return "http://127.0.0.1:%d" % self.port

    @property
    def base_url(self):
        return self.root_url + "/updates"

    def put(self, path, data):
        self.files[path] = data if isinstance(data, bytes) else data.encode("latin-1")

    def put_list(self, lines):
        self.put("/updates/snver.enc", "".join(line + "\r\n" for line in lines))

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--port", type=int, default=8000)
    parser.add_argument("--root", type=pathlib.Path, required=True)
    args = parser.parse_args()
    handler = lambda *a, **k: http.server.SimpleHTTPRequestHandler(*a, directory=str(args.root), **k)
    http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler).serve_forever()


if __name__ == "__main__":
    main()
