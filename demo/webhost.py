#!/usr/bin/env python3
"""The demo's web host: serves the demo pages from one folder on 127.0.0.1.

    webhost.py FOLDER PORT

The client's page addresses carry their identity in the query ("/shop/?wb_id=...&mac=...");
the query is ignored and "/shop/" serves FOLDER/shop/index.html. Every request is printed.
"""
import http.server
import sys
from functools import partial


class PageHandler(http.server.SimpleHTTPRequestHandler):
    def parse_request(self):
        # The adapter list in the shop address holds ", " as it is: a client may send that
        # space unescaped, which would split the request line into more than three words.
        words = self.raw_requestline.rstrip(b"\r\n").split(b" ")
        if len(words) > 3 and words[-1].startswith(b"HTTP/"):
            target = b"%20".join(w for w in words[1:-1])
            self.raw_requestline = b" ".join([words[0], target, words[-1]]) + b"\r\n"
        return super().parse_request()

    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_message(self, format, *args):
        sys.stdout.write("%s\n" % (format % args))
        sys.stdout.flush()


def main():
    if len(sys.argv) != 3:
        sys.stderr.write("usage: webhost.py FOLDER PORT\n")
        return 2
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = partial(PageHandler, directory=folder)
    try:
        server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    except OSError as error:
        sys.stderr.write("cannot listen on 127.0.0.1:%d: %s\n" % (port, error.strerror))
        return 1
    print("web host stand-in on http://127.0.0.1:%d/ serving %s" % (port, folder), flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
