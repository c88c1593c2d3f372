#!/usr/bin/env python3
"""Local HTTPS stand-in for the portal's web server, for tests.

Usage:
  portal.py --site DIR [--sample] [--log FILE] [--cert-dir DIR]

Listens on 127.0.0.1 on a free port, over HTTPS with a self-signed certificate made at
start-up with the openssl command (subjectAltName IP:127.0.0.1 and DNS:localhost). The
certificate goes to --cert-dir, or to a temporary directory removed at exit. When ready
it prints one JSON line on stdout and flushes it:
  {"port": 43123, "ca": "/path/cert.pem", "site": "/path/site"}

Pages: GET /a/b.html answers with the bytes of DIR/a/b.html, as they are (the pages
are EUC-JP), Content-Type text/html; charset=EUC-JP, Content-Length. A missing page
answers 404 with a small body. --sample first writes the sample dataset (sample_site.py)
into DIR, or into a temporary directory when --site is not given.

Sidecar files next to a page X change how X is answered; each applies whether or not
X itself exists:
  X.status    a decimal HTTP status code to answer with (default 200); the body is X's
              bytes, or empty when X does not exist.
  X.location  a Location header value; the status is 302 unless X.status says otherwise.
  X.mode      one word:
                close    read the request, then close the connection without answering
                stall    read the request, then never answer (until the portal stops)
                chunked  send the body with chunked transfer coding, in small pieces
                cut      announce the full length, send half the body, then close
Sidecar files themselves are never served.

Request log (--log FILE): for every request, before it is answered, a block is appended
and flushed: the line "METHOD PATH", one line "Name: value" per header in the order
received, then an empty line.

SIGTERM stops the portal cleanly; it also stops by itself when its parent process ends.
"""

import argparse
import http.server
import json
import os
import shutil
import signal
import ssl
import subprocess
import sys
import tempfile
import threading
import time

SIDECAR_SUFFIXES = (".status", ".location", ".mode")
NOT_FOUND_BODY = b"<html><body><h1>404 Not Found</h1></body></html>\n"
HANDSHAKE_TIMEOUT = 10
IDLE_TIMEOUT = 30


def make_certificate(cert_dir):
    cert = os.path.join(cert_dir, "cert.pem")
    key = os.path.join(cert_dir, "key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
         "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
         "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost"],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def read_sidecar(path, suffix):
    try:
        with open(path + suffix, "rb") as f:
            return f.read().decode("ascii", "replace").strip()
    except OSError:
        return None


class PortalHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Answers go out as several writes; without this, Nagle and the client's delayed ACK
    # would add some 40 ms to every page.
    disable_nagle_algorithm = True
    timeout = IDLE_TIMEOUT

    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        pass  # requests go to the request log instead

    def do_GET(self):
        self.server.record(self)
        local = self.server.local_path(self.path)
        if local is None:
            self.send_body(404, NOT_FOUND_BODY)
            return
        mode = read_sidecar(local, ".mode")
        if mode == "close":
            self.close_connection = True
            return
        if mode == "stall":
            self.server.stopping.wait()
            self.close_connection = True
            return
        status_text = read_sidecar(local, ".status")
        location = read_sidecar(local, ".location")
        body = None
        if os.path.isfile(local):
            with open(local, "rb") as f:
                body = f.read()
        if body is None and status_text is None and location is None:
            self.send_body(404, NOT_FOUND_BODY)
            return
        status = int(status_text) if status_text else (302 if location else 200)
        self.send_body(status, body or b"", location=location, mode=mode)

    def send_body(self, status, body, location=None, mode=None):
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=EUC-JP")
        if location:
            self.send_header("Location", location)
        if mode == "chunked":
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            for start in range(0, len(body), 333):
                piece = body[start:start + 333]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.write(b"0\r\n\r\n")
            return
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if mode == "cut":
            self.wfile.write(body[:len(body) // 2])
            self.wfile.flush()
            self.close_connection = True
            return
        self.wfile.write(body)


class Portal(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, site, log_path, context):
        super().__init__(("127.0.0.1", 0), PortalHandler)
        self.site = os.path.realpath(site)
        self.log_path = log_path
        self.context = context
        self.log_lock = threading.Lock()
        self.stopping = threading.Event()

    def local_path(self, url_path):
        path = url_path.split("?", 1)[0].split("#", 1)[0]
        if path.endswith(SIDECAR_SUFFIXES):
            return None
        local = os.path.realpath(os.path.join(self.site, path.lstrip("/")))
        if not local.startswith(self.site + os.sep):
            return None
        return local

    def record(self, handler):
        if not self.log_path:
            return
        lines = ["%s %s" % (handler.command, handler.path)]
        lines += ["%s: %s" % (name, value) for name, value in handler.headers.items()]
        block = ("\n".join(lines) + "\n\n").encode("utf-8", "surrogateescape")
        with self.log_lock, open(self.log_path, "ab") as log:
            log.write(block)
            log.flush()

    def finish_request(self, request, client_address):
        # The TLS handshake runs on the connection's own thread, so a client that never
        # completes it cannot hold up the others.
        request.settimeout(HANDSHAKE_TIMEOUT)
        try:
            tls = self.context.wrap_socket(request, server_side=True)
        except (ssl.SSLError, OSError):
            return
        try:
            tls.settimeout(None)
            self.RequestHandlerClass(tls, client_address, self)
        except (ssl.SSLError, OSError):
            pass
        finally:
            tls.close()

    def handle_error(self, request, client_address):
        pass  # a client that hangs up is no concern of the portal


def watch_parent(parent):
    while os.getppid() == parent:
        time.sleep(0.5)
    os.kill(os.getpid(), signal.SIGTERM)


def main():
    parser = argparse.ArgumentParser(description="Local HTTPS test portal")
    parser.add_argument("--site", help="directory holding the pages")
    parser.add_argument("--sample", action="store_true", help="write the sample dataset first")
    parser.add_argument("--log", help="file the requests are appended to")
    parser.add_argument("--cert-dir", help="directory for the certificate and key")
    args = parser.parse_args()

    def stop(signum, frame):
        raise SystemExit(0)

    signal.signal(signal.SIGTERM, stop)
    cleanup = []
    try:
        site = args.site
        if site is None:
            if not args.sample:
                parser.error("--site is required unless --sample is given")
            site = tempfile.mkdtemp(prefix="portal-site-")
            cleanup.append(site)
        os.makedirs(site, exist_ok=True)
        if args.sample:
            sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
            import sample_site
            sample_site.generate(site)

        cert_dir = args.cert_dir
        if cert_dir is None:
            cert_dir = tempfile.mkdtemp(prefix="portal-cert-")
            cleanup.append(cert_dir)
        os.makedirs(cert_dir, exist_ok=True)
        cert, key = make_certificate(os.path.abspath(cert_dir))
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)

        server = Portal(site, args.log, context)
        threading.Thread(target=watch_parent, args=(os.getppid(),), daemon=True).start()
        print(json.dumps({"port": server.server_address[1], "ca": cert,
                          "site": os.path.realpath(site)}), flush=True)
        try:
            server.serve_forever(poll_interval=0.2)
        finally:
            server.stopping.set()
            server.server_close()
    finally:
        for path in cleanup:
            shutil.rmtree(path, ignore_errors=True)


if __name__ == "__main__":
    main()
