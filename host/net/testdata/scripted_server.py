#!/usr/bin/python3
"""Scripted HTTP server on 127.0.0.1 for the fetch tests: answers that a file
server will not give, and a record of exactly what each client sent.

Usage: scripted_server.py --log-dir DIR --ports-file FILE [--lifetime SECONDS]
                          [--tls NAME CERT KEY]...

Listens on free ports: one plain listener named "plain", and one TLS listener
per --tls. FILE receives a line NAME=PORT per listener once all are listening.
Every connection gets a file DIR/NAME/NNNNNN.req, numbered from 1 in the order
of acceptance and created when it is accepted; the raw bytes of the request
head (up to the blank line) are written into it before the answer is sent, so
a client that has its answer finds its request recorded. A connection that
sends no request (a refused certificate) leaves its file empty.

Answers, by request target:
  /scripted/STATUS/LENGTH/SIZE[/reset]  status STATUS and SIZE bytes of
      pattern(), then the connection closes; LENGTH is the Content-Length
      header: "exact", "none" for no header, or a literal value (a length longer
      than the body sends less than announced). With /reset the connection is
      reset a second later instead, which a client still waiting for more
      bytes sees as a failed read.
  /auth        401 with a Basic challenge until the request carries Basic
               credentials, then 200 with the decoded "user:password".
  /redirect    302 to /redirected.
  anything else   200, body "ok", cacheable for a day.

The server exits by itself after --lifetime seconds (default 600).
"""
import argparse
import base64
import http
import pathlib
import socket
import socketserver
import ssl
import struct
import sys
import threading
import time


def pattern(size):
    """Bytes that differ at every offset within 251 and hold a NUL in each 251
    (the tests compute the same bytes)."""
    return bytes((i * 31 + 7) % 251 for i in range(size))


def read_head(conn):
    data = b""
    while b"\r\n\r\n" not in data and len(data) < 65536:
        chunk = conn.recv(4096)
        if not chunk:
            break
        data += chunk
    return data


def response(status, body, headers=(), length="exact"):
    try:
        reason = http.HTTPStatus(status).phrase
    except ValueError:
        reason = "Scripted"
    lines = [f"HTTP/1.0 {status} {reason}", "Connection: close", *headers]
    if length == "exact":
        lines.append(f"Content-Length: {len(body)}")
    elif length != "none":
        lines.append(f"Content-Length: {length}")
    return ("\r\n".join(lines) + "\r\n\r\n").encode("latin-1") + body


def parse_head(head):
    """The request target and the headers (names in lower case)."""
    request_line, *header_lines = head.split(b"\r\n\r\n", 1)[0].split(b"\r\n")
    parts = request_line.split(b" ")
    target = parts[1].decode("latin-1") if len(parts) == 3 else ""
    headers = {}
    for line in header_lines:
        name, _, value = line.partition(b":")
        headers[name.strip().lower()] = value.strip()
    return target, headers


def ends_in_reset(target):
    return target.startswith("/scripted/") and target.endswith("/reset")


def answer_for(target, headers):
    if target.startswith("/scripted/"):
        status, length, size = target[len("/scripted/"):].split("/")[:3]
        return response(int(status), pattern(int(size)), length=length)
    if target == "/auth":
        scheme, _, credentials = headers.get(b"authorization", b"").partition(b" ")
        if scheme.lower() != b"basic":
            return response(401, b"credentials wanted", ['WWW-Authenticate: Basic realm="fetch tests"'])
        return response(200, base64.b64decode(credentials))
    if target == "/redirect":
        return response(302, b"", ["Location: /redirected"])
    # Cacheable for a day, so a client that consults a cache would not ask again.
    return response(200, b"ok", ["Cache-Control: public, max-age=86400", "Last-Modified: Mon, 01 Jan 2024 00:00:00 GMT"])


class Listener(socketserver.TCPServer):
    allow_reuse_address = True

    def __init__(self, name, log_dir, tls):
        self.name = name
        self.log_dir = log_dir / name
        self.log_dir.mkdir(parents=True, exist_ok=True)
        self.tls = tls
        self.accepted = 0
        super().__init__(("127.0.0.1", 0), None)

    def process_request(self, conn, client_address):
        # Numbered and recorded here, in the order of acceptance, before any
        # byte is read: a client's earlier connection always has the lower number.
        self.accepted += 1
        record = self.log_dir / f"{self.accepted:06d}.req"
        record.touch()
        threading.Thread(target=self.serve_one, args=(conn, record), daemon=True).start()

    def serve_one(self, conn, record):
        try:
            conn.settimeout(30)
            if self.tls:
                conn = self.tls.wrap_socket(conn, server_side=True)
            head = read_head(conn)
            record.write_bytes(head)
            target, headers = parse_head(head)
            conn.sendall(answer_for(target, headers))
            if ends_in_reset(target):
                time.sleep(1)
                conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            else:
                conn.shutdown(socket.SHUT_RDWR)
        except (OSError, ValueError) as error:
            print(f"{self.name} {record.name}: {error}", file=sys.stderr, flush=True)
        finally:
            conn.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log-dir", type=pathlib.Path, required=True)
    parser.add_argument("--ports-file", type=pathlib.Path, required=True)
    parser.add_argument("--lifetime", type=float, default=600)
    parser.add_argument("--tls", nargs=3, action="append", default=[], metavar=("NAME", "CERT", "KEY"))
    args = parser.parse_args()

    listeners = [Listener("plain", args.log_dir, None)]
    for name, cert, key in args.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        listeners.append(Listener(name, args.log_dir, context))
    for listener in listeners:
        threading.Thread(target=listener.serve_forever, daemon=True).start()

    ports = "".join(f"{l.name}={l.server_address[1]}\n" for l in listeners)
    pending = args.ports_file.with_name(args.ports_file.name + ".part")
    pending.write_text(ports)
    pending.rename(args.ports_file)
    time.sleep(args.lifetime)


if __name__ == "__main__":
    main()
