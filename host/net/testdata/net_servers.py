#!/usr/bin/python3
"""Starts and stops the servers the fetch tests talk to, all on 127.0.0.1.

Usage: net_servers.py start STATE_DIR
       net_servers.py stop STATE_DIR

start (re)creates STATE_DIR with:
  updates/       the update folder: "Tavrimo - 安装向导.txt" and ".zip" (UTF-8
                 names here; scripts/serve-updates.sh serves them by GBK names)
  *.pem, *.der   two self-signed certificates for 127.0.0.1: "trusted" (the
                 test trusts it in its own Wine prefix) and "untrusted"
  log/           the scripted server's record of every connection
  servers.txt    NAME=VALUE lines for the tests: the ports of the listeners
                 (plain, trusted, untrusted, nginx), the log folder and the
                 trusted certificate as Windows paths
and leaves the scripted server and nginx running; each stops by itself after
LIFETIME (600) seconds should stop never come. stop ends both.
"""
import os
import pathlib
import shutil
import signal
import socket
import subprocess
import sys
import time

from scripted_server import pattern

LIFETIME = 600
HERE = pathlib.Path(__file__).resolve().parent
SERVE_UPDATES = HERE.parents[2] / "scripts" / "serve-updates.sh"
# What the tests expect to fetch from nginx.
UPDATE_FILES = {
    "Tavrimo - 安装向导.txt": "当前版本：1.2\r\n".encode("gbk"),
    "Tavrimo - 安装向导.zip": pattern(150001),
}


def windows_path(path):
    return "Z:" + str(path)


def make_certificate(state, name):
    pem, key = state / f"{name}.pem", state / f"{name}.key"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                    "-keyout", key, "-out", pem, "-subj", f"/CN=127.0.0.1/O=fetch tests {name}",
                    "-addext", "subjectAltName=DNS:127.0.0.1,IP:127.0.0.1",
                    "-addext", "extendedKeyUsage=serverAuth"],
                   check=True, capture_output=True)
    subprocess.run(["openssl", "x509", "-in", pem, "-outform", "DER", "-out", state / f"{name}.der"],
                   check=True, capture_output=True)
    return pem, key


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def accepts(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=1):
            return True
    except OSError:
        return False


def wait_for(what, ready, process):
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        if ready():
            return
        if process.poll() is not None:
            raise RuntimeError(f"{what} exited with code {process.returncode}")
        time.sleep(0.1)
    raise RuntimeError(f"{what} did not come up")


def launch(state, name, command):
    # A session of its own and no pipe back to ctest, which would otherwise
    # wait for the server to end before finishing this set-up step.
    output = open(state / f"{name}.out", "wb")
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=output, stderr=output,
                               start_new_session=True)
    with open(state / "pids", "a") as pids:
        pids.write(f"{process.pid}\n")
    return process


def start(state):
    shutil.rmtree(state, ignore_errors=True)
    (state / "updates").mkdir(parents=True)
    for name, content in UPDATE_FILES.items():
        (state / "updates" / name).write_bytes(content)
    trusted = make_certificate(state, "trusted")
    untrusted = make_certificate(state, "untrusted")

    ports_file = state / "ports"
    scripted = launch(state, "scripted", [
        sys.executable, HERE / "scripted_server.py", "--log-dir", state / "log", "--ports-file", ports_file,
        "--lifetime", str(LIFETIME), "--tls", "trusted", *trusted, "--tls", "untrusted", *untrusted])
    wait_for("the scripted server", ports_file.exists, scripted)

    nginx_port = free_port()
    nginx = launch(state, "nginx", ["timeout", str(LIFETIME), SERVE_UPDATES, state / "updates", str(nginx_port)])
    wait_for("nginx", lambda: accepts(nginx_port), nginx)

    (state / "servers.txt").write_text(
        ports_file.read_text() + f"nginx={nginx_port}\n"
        f"log={windows_path(state / 'log')}\n"
        f"trusted_certificate={windows_path(state / 'trusted.der')}\n")


def ours(pid):
    try:
        command = pathlib.Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")
    except OSError:
        return False
    return any(part.endswith((b"scripted_server.py", b"serve-updates.sh")) for part in command)


def stop(state):
    pids_file = state / "pids"
    pids = [int(line) for line in pids_file.read_text().split()] if pids_file.exists() else []
    # Only the processes start launched, and only while they still are what
    # was launched (a pid may have been reused after a server's lifetime ran out).
    running = [pid for pid in pids if ours(pid)]
    for pid in running:
        os.kill(pid, signal.SIGTERM)
    deadline = time.monotonic() + 10
    while any(ours(pid) for pid in running) and time.monotonic() < deadline:
        time.sleep(0.1)
    pids_file.unlink(missing_ok=True)


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        sys.exit(__doc__)
    state = pathlib.Path(sys.argv[2]).resolve()
    if sys.argv[1] == "stop":
        stop(state)
        return
    try:
        start(state)
    except Exception:
        stop(state)
        raise


if __name__ == "__main__":
    main()
