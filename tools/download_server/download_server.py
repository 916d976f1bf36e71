#!/usr/bin/env python3
"""Local download server for the installer's tests, demo and benchmarks.

Serves setup packages from disk on 127.0.0.1 the way the real download
server does:

  /software/<name>[?faults]        302 to the final address below
  /files/<md5>/<name>[?faults]     the package; HEAD and GET, byte ranges

The final address's folder is the package's MD5 (32 lower-case hex digits),
so the installer can check what it downloaded. Packages never sit in memory:
bodies are streamed from the file and digests are cached per (size, mtime).

Packages come from --root DIR (any file in it), from --alias NAME=PATH[:SIZE]
(PATH served under NAME, padded with zero bytes up to SIZE), and from names of
the form blob-<size>[-<seed>].bin, generated on first use into --root.

Faults are chosen per request by query parameters (kept across the redirect):
  drop=N        close the connection after N body bytes
  drops=K       ... but only for the first K GETs of this address (default: all)
  head404=1     answer every HEAD with 404
  get500=1      answer every GET with 500
  norange=1     ignore Range and send the whole file with 200
  overrange=N   send N bytes more than the range asked for (with a matching length)
  nolength=1    send no Content-Length (the GET body ends with the connection)
  digest=upper|wrong|short   name the folder of the final address that way
  noredirect=1  /software/<name> serves the package itself, no redirect
  slow=MS       pause MS milliseconds after every 16 KiB of body
  rate=BPS      limit each connection to BPS bytes per second

Request journal, for tests: GET /_log?match=TEXT returns one line per request
whose target contains TEXT: "METHOD TARGET RANGE"; GET /_reset clears it.

Usage:
  download_server.py --port P --root DIR [--alias ...] [--pidfile F] [--daemon]
  download_server.py --stop PIDFILE
"""

import argparse
import hashlib
import http.server
import os
import random
import signal
import socket
import socketserver
import sys
import threading
import time
import urllib.parse

CHUNK = 16 * 1024


class PackageStore:
    def __init__(self, root, aliases):
        self.root = root
        self.aliases = aliases  # name -> (path, padded size or None)
        self.lock = threading.Lock()
        self.digests = {}
        self.gen_lock = threading.Lock()

    def lookup(self, name):
        """Returns (path, size, padded size) or None."""
        if not name or "/" in name or name.startswith("."):
            return None
        if name in self.aliases:
            path, pad = self.aliases[name]
            if not os.path.isfile(path):
                return None
            size = os.path.getsize(path)
            return path, size, max(size, pad or 0)
        path = os.path.join(self.root, name)
        if not os.path.isfile(path) and name.startswith("blob-") and name.endswith(".bin"):
            self._generate(name, path)
        if not os.path.isfile(path):
            return None
        size = os.path.getsize(path)
        return path, size, size

    def _generate(self, name, path):
        parts = name[len("blob-"):-len(".bin")].split("-")
        try:
            size = int(parts[0])
            seed = int(parts[1]) if len(parts) > 1 else size
        except ValueError:
            return
        if size < 0 or size > (1 << 31):
            return
        with self.gen_lock:
            if os.path.isfile(path):
                return
            rnd = random.Random(seed)
            tmp = path + ".gen%d" % os.getpid()
            with open(tmp, "wb") as f:
                left = size
                while left > 0:
                    n = min(left, 1 << 20)
                    f.write(rnd.randbytes(n))
                    left -= n
            os.replace(tmp, path)

    def md5(self, path, size, padded):
        st = os.stat(path)
        key = (path, size, padded, st.st_mtime_ns)
        with self.lock:
            if key in self.digests:
                return self.digests[key]
        h = hashlib.md5()
        with open(path, "rb") as f:
            while True:
                block = f.read(1 << 20)
                if not block:
                    break
                h.update(block)
        left = padded - size
        zeros = bytes(1 << 16)
        while left > 0:
            n = min(left, len(zeros))
            h.update(zeros[:n])
            left -= n
        digest = h.hexdigest()
        with self.lock:
            self.digests[key] = digest
        return digest


class Journal:
    def __init__(self):
        self.lock = threading.Lock()
        self.lines = []
        self.get_counts = {}

    def add(self, method, target, rng):
        with self.lock:
            self.lines.append("%s %s %s" % (method, target, rng or "-"))
            if method == "GET":
                self.get_counts[target] = self.get_counts.get(target, 0) + 1
                return self.get_counts[target]
            return 0

    def matching(self, text):
        with self.lock:
            return [l for l in self.lines if text in l.split(" ")[1]]

    def reset(self):
        with self.lock:
            self.lines = []
            self.get_counts = {}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "QvDownloadServer/1.0"

    def log_message(self, fmt, *args):
        if self.server.verbose:
            sys.stderr.write("%s %s\n" % (self.address_string(), fmt % args))

    # --- helpers -------------------------------------------------------
    def _simple(self, status, body=b"", ctype="text/plain", extra=None):
        self.send_response(status)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(body)))
        for k, v in (extra or {}).items():
            self.send_header(k, v)
        self.end_headers()
        if self.command != "HEAD" and body:
            self.wfile.write(body)

    def _parse(self):
        url = urllib.parse.urlsplit(self.path)
        q = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        faults = {k: v[0] for k, v in q.items()}
        return url.path, url.query, faults

    @staticmethod
    def _int(faults, key, default=0):
        try:
            return int(faults.get(key, default))
        except ValueError:
            return default

    def _folder(self, digest, faults):
        mode = faults.get("digest", "")
        if mode == "upper":
            return digest.upper()
        if mode == "wrong":
            return hashlib.md5(digest.encode()).hexdigest()
        if mode == "short":
            return "ab"
        return digest

    # --- requests ------------------------------------------------------
    def do_HEAD(self):
        self._handle()

    def do_GET(self):
        self._handle()

    def _handle(self):
        path, query, faults = self._parse()
        rng = self.headers.get("Range")
        nth = 0
        if not path.startswith("/_"):
            nth = self.server.journal.add(self.command, self.path, rng)
        if path == "/_log":
            text = "".join(l + "\n" for l in self.server.journal.matching(faults.get("match", "")))
            return self._simple(200, text.encode())
        if path == "/_reset":
            self.server.journal.reset()
            return self._simple(200, b"ok\n")
        if path == "/_md5":
            found = self.server.store.lookup(faults.get("name", ""))
            if not found:
                return self._simple(404, b"no such package\n")
            return self._simple(200, (self.server.store.md5(*found) + "\n").encode())

        segs = path.split("/")
        if len(segs) == 3 and segs[1] == "software":
            name = urllib.parse.unquote(segs[2])
        elif len(segs) == 4 and segs[1] == "files":
            name = urllib.parse.unquote(segs[3])
        else:
            return self._simple(404, b"not found\n")
        found = self.server.store.lookup(name)
        if not found:
            return self._simple(404, b"no such package\n")
        if self.command == "HEAD" and faults.get("head404"):
            return self._simple(404, b"not found\n")

        if segs[1] == "software" and not faults.get("noredirect"):
            digest = self.server.store.md5(*found)
            location = "/files/%s/%s" % (self._folder(digest, faults), segs[2])
            if query:
                location += "?" + query
            return self._simple(302, b"", extra={"Location": location})

        if self.command == "GET" and faults.get("get500"):
            return self._simple(500, b"server error\n")
        self._send_package(found, faults, rng, nth)

    def _send_package(self, found, faults, rng, nth):
        path, size, total = found
        first, last = 0, total - 1
        status = 200
        if rng and not faults.get("norange") and rng.startswith("bytes="):
            spec = rng[len("bytes="):].split(",")[0].strip()
            a, _, b = spec.partition("-")
            try:
                if a == "":
                    n = int(b)
                    first, last = max(0, total - n), total - 1
                else:
                    first = int(a)
                    last = int(b) if b else total - 1
            except ValueError:
                return self._simple(416, b"bad range\n")
            last = min(last, total - 1)
            if first >= total or first > last:
                return self._simple(416, b"range not satisfiable\n",
                                    extra={"Content-Range": "bytes */%d" % total})
            status = 206
        extra = self._int(faults, "overrange")
        send_last = min(total - 1, last + extra) if extra > 0 else last
        length = send_last - first + 1

        nolength = bool(faults.get("nolength"))
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Accept-Ranges", "bytes")
        if status == 206:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (first, send_last, total))
        if nolength:
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        if self.command == "HEAD":
            return

        drop = self._int(faults, "drop", -1)
        drops = self._int(faults, "drops", -1)
        if drop >= 0 and drops >= 0 and nth > drops:
            drop = -1
        slow = self._int(faults, "slow") / 1000.0
        rate = self._int(faults, "rate")
        started = time.monotonic()
        sent = 0
        try:
            with open(path, "rb") as f:
                f.seek(min(first, size))
                pos = first
                while pos <= send_last:
                    n = min(CHUNK, send_last - pos + 1)
                    if drop >= 0:
                        n = min(n, drop - sent)
                        if n <= 0:
                            self._abort()
                            return
                    if pos < size:
                        block = f.read(min(n, size - pos))
                    else:
                        block = bytes(n)
                    if pos + len(block) >= size and len(block) < n:
                        block += bytes(n - len(block))
                    self.wfile.write(block)
                    sent += len(block)
                    pos += len(block)
                    if slow:
                        time.sleep(slow)
                    if rate > 0:
                        ahead = sent / rate - (time.monotonic() - started)
                        if ahead > 0:
                            time.sleep(ahead)
            self.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def _abort(self):
        try:
            self.wfile.flush()
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        self.close_connection = True


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def parse_alias(text):
    name, _, rest = text.partition("=")
    pad = None
    if ":" in rest:
        p, _, s = rest.rpartition(":")
        if s.isdigit():
            rest, pad = p, int(s)
    return name, (os.path.abspath(rest), pad)


def stop(pidfile):
    try:
        with open(pidfile) as f:
            pid = int(f.read().strip())
    except (OSError, ValueError):
        return 0
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    for _ in range(50):
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            break
        time.sleep(0.1)
    try:
        os.unlink(pidfile)
    except OSError:
        pass
    return 0


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--port", type=int, default=18273)
    ap.add_argument("--root", default=".")
    ap.add_argument("--alias", action="append", default=[])
    ap.add_argument("--pidfile")
    ap.add_argument("--logfile")
    ap.add_argument("--daemon", action="store_true")
    ap.add_argument("--verbose", action="store_true")
    ap.add_argument("--stop", metavar="PIDFILE")
    args = ap.parse_args()
    if args.stop:
        return stop(args.stop)

    os.makedirs(args.root, exist_ok=True)
    httpd = Server(("127.0.0.1", args.port), Handler)
    httpd.store = PackageStore(os.path.abspath(args.root), dict(parse_alias(a) for a in args.alias))
    httpd.journal = Journal()
    httpd.verbose = args.verbose

    if args.daemon:
        # The socket is bound before the fork, so the caller can connect as
        # soon as this process has returned.
        child = os.fork()
        if child > 0:
            if args.pidfile:
                with open(args.pidfile, "w") as f:
                    f.write("%d\n" % child)
            os._exit(0)
        os.setsid()
        devnull = os.open(os.devnull, os.O_RDWR)
        out = os.open(args.logfile, os.O_WRONLY | os.O_CREAT | os.O_APPEND, 0o644) if args.logfile else devnull
        os.dup2(devnull, 0)
        os.dup2(out, 1)
        os.dup2(out, 2)
    elif args.pidfile:
        with open(args.pidfile, "w") as f:
            f.write("%d\n" % os.getpid())

    def on_term(*_):
        raise KeyboardInterrupt()
    signal.signal(signal.SIGTERM, on_term)
    try:
        httpd.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        httpd.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
