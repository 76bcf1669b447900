"""Starting `velora-catalogue-tool serve` for a test and talking HTTP to it, on loopback only.

The tool and the demo catalogue come from the environment: VELORA_TOOL and VELORA_CATALOGUE (the
build folder, where the demo catalogue lies beside the tool).
"""
import http.client
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time

TOOL = os.environ.get("VELORA_TOOL", "")
CATALOGUE = os.environ.get("VELORA_CATALOGUE", "")
# A generous bound on anything a test waits for, so a hang fails instead of stalling the suite.
HANG_GUARD = 30


def copy_catalogue(target):
    """A catalogue folder of its own: the demo's database, page files and index."""
    os.makedirs(target, exist_ok=True)
    shutil.copy(os.path.join(CATALOGUE, "velora2014.mdb"), target)
    for folder in ("data", "index"):
        if os.path.isdir(os.path.join(CATALOGUE, folder)):
            shutil.copytree(os.path.join(CATALOGUE, folder), os.path.join(target, folder))
    return target


class Server:
    """One server process; its address is read from the line it prints once it listens."""

    def __init__(self, catalogue, *arguments, prefix=()):
        self.prefixed = bool(prefix)
        self.process = subprocess.Popen(
            [*prefix, TOOL, "serve", catalogue, "--port", "0", *arguments],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.line = self._first_line()
        if not self.line.startswith("serving "):
            self.process.kill()
            raise RuntimeError(f"the server did not start: {self.line!r} {self.process.stderr.read()}")
        address = self.line.rsplit(" at http://", 1)[1]
        host_port, _, path = address.partition("/")
        self.host, _, port = host_port.rpartition(":")
        self.port = int(port)
        self.base = "/" + path.rstrip("/") if path.strip("/") else ""

    def _first_line(self):
        found = []
        reader = threading.Thread(target=lambda: found.append(self.process.stdout.readline()), daemon=True)
        reader.start()
        reader.join(HANG_GUARD)
        return found[0].strip() if found else ""

    def request(self, path, method="GET", headers=None, source=None, body=None):
        """(status, headers as a lower-case dict, body); the path goes out exactly as given."""
        connection = http.client.HTTPConnection(self.host, self.port, timeout=HANG_GUARD,
                                                source_address=(source, 0) if source else None)
        try:
            connection.putrequest(method, self.base + path, skip_accept_encoding=True)
            for name, value in (headers or {}).items():
                connection.putheader(name, value)
            if body is not None:
                connection.putheader("Content-Length", str(len(body)))
            connection.endheaders(body)
            answer = connection.getresponse()
            return answer.status, {k.lower(): v for k, v in answer.getheaders()}, answer.read()
        finally:
            connection.close()

    def server_pid(self):
        """The server's own process: under a prefix such as strace, the prefix's child."""
        if not self.prefixed:
            return self.process.pid
        with open(f"/proc/{self.process.pid}/task/{self.process.pid}/children") as children:
            return int(children.read().split()[0])

    def stop(self, signum=signal.SIGTERM):
        if self.process.poll() is None:
            os.kill(self.server_pid(), signum)
        try:
            return self.process.wait(HANG_GUARD)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *_):
        code = self.stop()
        errors = self.process.stderr.read()
        self.process.stdout.close()
        self.process.stderr.close()
        # A server stops with 0 on SIGTERM; anything else (a sanitizer's report, a crash) fails the
        # test that ran it, unless the test killed it on purpose.
        if code not in (0, -signal.SIGKILL):
            raise RuntimeError(f"the server ended with {code}: {errors}")


def temporary_folder(test):
    folder = tempfile.mkdtemp(prefix="velora-serve-")
    test.addCleanup(shutil.rmtree, folder, True)
    return folder


def wait_until(condition, seconds=HANG_GUARD):
    until = time.monotonic() + seconds
    while time.monotonic() < until:
        if condition():
            return True
        time.sleep(0.02)
    return False
