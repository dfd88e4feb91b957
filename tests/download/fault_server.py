#!/usr/bin/env python3
"""A loopback HTTP server with the faults a download must survive, for the download tests.

It listens on 127.0.0.1 on a free port, writes that port as the first line of its output and
serves until its input ends. The first path segment names the behaviour, the second the size of
the file; byte i of version v of a file is (31 * i + v) % 251. A file's ETag is "v<version>".

  /file/N               honours Range and If-Range (206 with Content-Range, or 200)
  /ignore-range/N[?after=K]  always 200 with the whole file; the first ends after K bytes
  /drop/N?after=K       the first request ends after K body bytes, later ones are whole
  /wrong-offset/N?after=K   like drop, then answers a range at an offset 1000 bytes later
  /short-total/N?after=K    like drop, then answers a range with a total one byte smaller
  /changed/N?after=K    like drop, then the file is version 2 (so If-Range gets a 200)
  /chunked/N            200 without Content-Length, chunked, complete
  /chunked-drop/N?after=K   chunked, the connection ends after K bytes without the last chunk
  /one-byte/N           the body arrives as the first half, one byte, then the rest
  /slow/N?piece=P&delay=D   P bytes every D seconds, steadily
  /stall/N?after=K      K bytes, then nothing for a minute
  /status/S             an empty answer with status S
  /length/TEXT          200 with Content-Length TEXT and no body
  /redirect-file/N      302 to a file: URL
  /redirect-host/N      needs credentials, then 302 to localhost, which refuses any
  /auth-target/N        the file, unless the request carries credentials (403)
"""

import http.server
import socket
import sys
import threading
import time
import urllib.parse

CYCLE = 251
_blocks = {}


def block(version):
    """One cycle of the pattern repeated to a multiple of the cycle near 1 MiB."""
    if version not in _blocks:
        cycle = bytes((31 * i + version) % CYCLE for i in range(CYCLE))
        _blocks[version] = cycle * (4177)
    return _blocks[version]


def content(version, start, length):
    data = block(version)
    offset = start % CYCLE
    out = []
    while length > 0:
        piece = data[offset:offset + length]
        out.append(piece)
        length -= len(piece)
        offset = 0
    return b"".join(out)


class State:
    lock = threading.Lock()
    requests = {}

    @classmethod
    def count(cls, path):
        with cls.lock:
            cls.requests[path] = cls.requests.get(path, 0) + 1
            return cls.requests[path]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def requested_start(self):
        value = self.headers.get("Range", "")
        if not value.startswith("bytes=") or not value.endswith("-"):
            return None
        return int(value[len("bytes="):-1])

    def send_body(self, version, start, length, limit=None, piece=1 << 20, delay=0):
        end = start + length if limit is None else start + min(length, limit)
        position = start
        while position < end:
            count = min(piece, end - position)
            self.wfile.write(content(version, position, count))
            self.wfile.flush()
            position += count
            if delay:
                time.sleep(delay)

    def answer_file(self, size, version, start, after=None, offset_shift=0, total_shift=0,
                    slow=None):
        etag = '"v%d"' % version
        if_range = self.headers.get("If-Range")
        if start is None or start >= size or (if_range is not None and if_range != etag):
            start = 0
            ranged = False
        else:
            ranged = True
        length = size - start
        if ranged:
            self.send_response(206)
            self.send_header("Content-Range", "bytes %d-%d/%d" % (
                start + offset_shift, size - 1, size + total_shift))
            length = size - start - offset_shift
        else:
            self.send_response(200)
        self.send_header("Content-Length", str(length))
        self.send_header("ETag", etag)
        self.send_header("Accept-Ranges", "bytes")
        self.end_headers()
        if slow:
            self.send_body(version, start + offset_shift, length, piece=slow[0], delay=slow[1])
        else:
            self.send_body(version, start + offset_shift, length, limit=after)
        if after is not None and after < length:
            self.close_connection = True

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        parts = url.path.strip("/").split("/")
        query = {k: v[0] for k, v in urllib.parse.parse_qs(url.query).items()}
        mode, arg = parts[0], parts[1] if len(parts) > 1 else "0"
        start = self.requested_start()
        after = int(query["after"]) if "after" in query else None
        try:
            self.dispatch(mode, arg, start, after, query)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def dispatch(self, mode, arg, start, after, query):
        if mode == "status":
            self.send_response(int(arg))
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if mode == "length":
            self.send_response(200)
            self.send_header("Content-Length", arg)
            self.end_headers()
            self.close_connection = True
            return
        size = int(arg)
        first = State.count(self.path) == 1
        if mode == "file":
            self.answer_file(size, 1, start)
        elif mode == "ignore-range":
            self.answer_file(size, 1, None, after=after if first else None)
        elif mode == "drop":
            self.answer_file(size, 1, start, after=after if first else None)
        elif mode in ("wrong-offset", "short-total"):
            if first:
                self.answer_file(size, 1, start, after=after)
            elif mode == "wrong-offset":
                self.answer_file(size, 1, start, offset_shift=1000 if start else 0)
            else:
                self.answer_file(size, 1, start, total_shift=-1 if start else 0)
        elif mode == "changed":
            self.answer_file(size, 1 if first else 2, start, after=after if first else None)
        elif mode in ("chunked", "chunked-drop"):
            self.send_response(200)
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            limit = size if mode == "chunked" else after
            position = 0
            while position < limit:
                count = min(65536, limit - position)
                self.wfile.write(b"%x\r\n" % count + content(1, position, count) + b"\r\n")
                position += count
            if mode == "chunked":
                self.wfile.write(b"0\r\n\r\n")
            self.close_connection = True
        elif mode == "one-byte":
            self.send_response(200)
            self.send_header("Content-Length", str(size))
            self.end_headers()
            half = size // 2
            self.send_body(1, 0, half)
            time.sleep(0.1)
            self.send_body(1, half, 1)
            time.sleep(0.1)
            self.send_body(1, half + 1, size - half - 1)
        elif mode == "slow":
            self.answer_file(size, 1, start,
                             slow=(int(query.get("piece", "100")), float(query.get("delay", "0.05"))))
        elif mode == "stall":
            self.send_response(200)
            self.send_header("Content-Length", str(size))
            self.end_headers()
            self.send_body(1, 0, size, limit=after)
            time.sleep(60)
            self.close_connection = True
        elif mode == "redirect-file":
            self.send_response(302)
            self.send_header("Location", "file:///etc/passwd")
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif mode == "redirect-host":
            if "Authorization" not in self.headers:
                self.send_response(401)
                self.send_header("WWW-Authenticate", 'Basic realm="test"')
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            port = self.server.server_address[1]
            self.send_response(302)
            self.send_header("Location", "http://localhost:%d/auth-target/%d" % (port, size))
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif mode == "auth-target":
            if "Authorization" in self.headers:
                self.send_response(403)
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            self.answer_file(size, 1, start)
        else:
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.end_headers()


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    address_family = socket.AF_INET

    def handle_error(self, request, client_address):
        # A client that gives up on a stalled or dropped answer is what the tests do.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def main():
    server = Server(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    sys.stdin.read()
    server.shutdown()


if __name__ == "__main__":
    main()
