#!/usr/bin/env python3
"""Local analytics collector for the tracker's tests and the demo.

Accepts the tracker's batch POST on 127.0.0.1:

  POST /collect?project=pc    body "data_list=<E>&gzip=1", E being the
                              percent-encoded base64 of the gzip-compressed
                              JSON array of records

Each record of an accepted batch must be a JSON object; the batch is then
answered with 200 and its records are appended, one compact JSON object a
line, to --out. Every batch request (accepted or not) adds one line to
--requests: {"status": S, "records": N}.

Faults, switchable while the server runs, by writing one word into the
--control file (polled every 50 ms) or by GET /_control?mode=WORD:
  ok        answer normally (the default; also an empty or missing file)
  fail500   answer every batch with 500 and keep nothing
  slow      wait 4 seconds (longer than the client's time-out), then answer 200
            without keeping the batch: the client has given up on it
  refuse    stop listening: connections are refused until the mode changes
  statusNNN answer every batch with status NNN (e.g. status204, status302)
            and keep nothing

GET /_reset empties --out and --requests.

Usage:
  collector.py --port P --out FILE [--requests FILE] [--control FILE]
               [--pidfile F] [--daemon] [--logfile F]
  collector.py --stop PIDFILE
"""

import argparse
import base64
import gzip
import http.server
import json
import os
import signal
import socketserver
import sys
import threading
import time
import urllib.parse

MODES = ("ok", "fail500", "slow", "refuse")


def is_status_mode(word):
    return len(word) == 9 and word.startswith("status") and word[6:].isdigit() and 100 <= int(word[6:]) <= 599


class State:
    def __init__(self, out, requests, control):
        self.out = out
        self.requests = requests
        self.control = control
        self.lock = threading.Lock()
        self.forced = None  # mode set through /_control

    def mode(self):
        if self.forced:
            return self.forced
        if self.control:
            try:
                with open(self.control) as f:
                    word = f.read().strip().lower()
                if word in MODES or is_status_mode(word):
                    return word
            except OSError:
                pass
        return "ok"

    def append(self, path, lines):
        if not path:
            return
        with self.lock:
            with open(path, "a", encoding="utf-8") as f:
                for line in lines:
                    f.write(line + "\n")

    def reset(self):
        with self.lock:
            for path in (self.out, self.requests):
                if path:
                    open(path, "w").close()


def decode_batch(body):
    """The records of one batch body, or raises ValueError."""
    fields = {}
    for part in body.split(b"&"):
        name, _, value = part.partition(b"=")
        fields[name.decode("ascii")] = value
    if "data_list" not in fields:
        raise ValueError("no data_list")
    text = urllib.parse.unquote_to_bytes(fields["data_list"])
    raw = base64.b64decode(text, validate=True)
    if fields.get("gzip") == b"1":
        raw = gzip.decompress(raw)
    records = json.loads(raw.decode("utf-8"))
    if not isinstance(records, list) or not all(isinstance(r, dict) for r in records):
        raise ValueError("not a list of objects")
    return records


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        if self.server.verbose:
            sys.stderr.write("collector: " + (fmt % args) + "\n")

    def _answer(self, status, text=b""):
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(text)))
        self.end_headers()
        self.wfile.write(text)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        state = self.server.state
        if url.path == "/_control":
            mode = urllib.parse.parse_qs(url.query).get("mode", [""])[0]
            if mode not in MODES and not is_status_mode(mode):
                return self._answer(400, b"unknown mode\n")
            state.forced = None if mode == "ok" else mode
            return self._answer(200, mode.encode() + b"\n")
        if url.path == "/_reset":
            state.reset()
            return self._answer(200, b"reset\n")
        self._answer(404, b"not found\n")

    def do_POST(self):
        state = self.server.state
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length)
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path != "/collect" or query.get("project") != ["pc"]:
            return self._answer(404, b"not found\n")
        mode = state.mode()
        if mode == "slow":
            time.sleep(4)
            state.append(state.requests, [json.dumps({"status": 0, "records": 0})])
            return self._answer(200, b"too late\n")
        if mode == "fail500" or is_status_mode(mode):
            status = 500 if mode == "fail500" else int(mode[6:])
            state.append(state.requests, [json.dumps({"status": status, "records": 0})])
            if status in (204, 304) or status < 200:
                self.send_response(status)
                self.end_headers()
                return None
            if 300 <= status < 400:
                self.send_response(status)
                self.send_header("Location", "/collect?project=pc")
                self.send_header("Content-Length", "0")
                self.end_headers()
                return None
            return self._answer(status, b"failing on request\n")
        try:
            records = decode_batch(body)
        except Exception as error:  # noqa: BLE001 - any bad body is a 400
            state.append(state.requests, [json.dumps({"status": 400, "records": 0})])
            return self._answer(400, ("bad batch: %s\n" % error).encode())
        state.append(state.out, [json.dumps(r, ensure_ascii=False, separators=(",", ":")) for r in records])
        state.append(state.requests, [json.dumps({"status": 200, "records": len(records)})])
        self._answer(200, b"ok\n")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def make_server(port, state, verbose):
    httpd = Server(("127.0.0.1", port), Handler)
    httpd.state = state
    httpd.verbose = verbose
    return httpd


def run(first, port, state, verbose, stopping):
    """Serves until `stopping` is set, closing the listener in refuse mode."""
    httpd = first
    thread = None
    while not stopping.is_set():
        refuse = state.mode() == "refuse"
        if httpd and refuse:
            if thread:
                httpd.shutdown()
                thread.join()
            httpd.server_close()
            httpd, thread = None, None
        elif not httpd and not refuse:
            try:
                httpd = make_server(port, state, verbose)
            except OSError:
                time.sleep(0.05)
                continue
        if httpd and not thread:
            thread = threading.Thread(target=httpd.serve_forever, kwargs={"poll_interval": 0.05}, daemon=True)
            thread.start()
        stopping.wait(0.05)
    if httpd:
        if thread:
            httpd.shutdown()
            thread.join()
        httpd.server_close()


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
    ap.add_argument("--port", type=int, default=18274)
    ap.add_argument("--out")
    ap.add_argument("--requests")
    ap.add_argument("--control")
    ap.add_argument("--pidfile")
    ap.add_argument("--logfile")
    ap.add_argument("--daemon", action="store_true")
    ap.add_argument("--verbose", action="store_true")
    ap.add_argument("--stop", metavar="PIDFILE")
    args = ap.parse_args()
    if args.stop:
        return stop(args.stop)

    state = State(args.out, args.requests, args.control)
    state.reset()
    # Bound before a fork, so the caller can connect as soon as we return
    # (unless the control file already asks for refusal).
    first = None if state.mode() == "refuse" else make_server(args.port, state, args.verbose)

    if args.daemon:
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

    stopping = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stopping.set())
    signal.signal(signal.SIGINT, lambda *_: stopping.set())
    run(first, args.port, state, args.verbose, stopping)
    return 0


if __name__ == "__main__":
    sys.exit(main())
