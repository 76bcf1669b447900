#!/usr/bin/env python3
"""Two servers of one catalogue behind nginx, with the shipped configuration, under load from
wrk while one of them is killed and started again: no request may fail. All on loopback, every
loop bounded in count and time. Also checks the shipped systemd unit with systemd-analyze.

usage: VELORA_TOOL=build/velora-catalogue-tool VELORA_CATALOGUE=build test_server_load.py
"""
import os
import re
import signal
import socket
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from server_harness import CATALOGUE, HANG_GUARD, Server, TOOL, temporary_folder, wait_until  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
PACKAGING = os.path.join(HERE, "..", "..", "packaging", "serve")
ADDRESSES = ("/en/5.2 /data/05002e.html /ru/search?title=%D0%BD%D0%B0%D1%81%D0%BE%D1%81 /en/find?q=pump "
             "/suggest?q=pu&lang=en /ru/1.0 /data/img/p05002.svg /zh/3.2 /en/go?to=5.3 /data/style.css")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def nginx_configuration(folder, port, upstreams):
    """The shipped configuration with the test's ports, inside a main file that keeps nginx's
    files in `folder`."""
    with open(os.path.join(PACKAGING, "nginx-velora-catalogue.conf")) as shipped:
        site = shipped.read()
    site = site.replace("127.0.0.1:8081", f"127.0.0.1:{upstreams[0]}").replace("127.0.0.1:8082",
                                                                             f"127.0.0.1:{upstreams[1]}")
    site = site.replace("listen 80;", f"listen 127.0.0.1:{port};")
    with open(os.path.join(folder, "site.conf"), "w") as out:
        out.write(site)
    main = os.path.join(folder, "nginx.conf")
    with open(main, "w") as out:
        out.write(f"""daemon off;
worker_processes 1;
pid {folder}/nginx.pid;
error_log {folder}/error.log;
events {{ worker_connections 512; }}
http {{
    access_log off;
    client_body_temp_path {folder}/body;
    proxy_temp_path {folder}/proxy;
    proxy_max_temp_file_size 0;
    include {folder}/site.conf;
}}
""")
    return main


def read_summary(output):
    return {key: int(value) for key, value in re.findall(r"^(\w+) (\d+)$", output, re.M)}


class BehindNginx(unittest.TestCase):
    def test_no_request_fails_while_a_server_is_killed_and_started_again(self):
        folder = temporary_folder(self)
        os.chmod(folder, 0o755)
        ports = [free_port(), free_port()]
        servers = [start(port) for port in ports]
        self.addCleanup(lambda: [server.__exit__() for server in servers])
        front = free_port()
        nginx = subprocess.Popen(["/usr/sbin/nginx", "-c", nginx_configuration(folder, front, ports), "-p", folder],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.addCleanup(lambda: (nginx.terminate(), nginx.wait(HANG_GUARD)))
        self.assertTrue(wait_until(lambda: answers(front)), "nginx did not start")

        done = os.path.join(folder, "done")
        os.mkdir(done)
        environment = dict(os.environ, VELORA_PATHS=ADDRESSES, VELORA_DONE_DIR=done)
        load = subprocess.Popen(["wrk", "-t2", "-c32", "-d30s", "--timeout", "5s", "-s",
                                 os.path.join(HERE, "load.lua"), f"http://127.0.0.1:{front}", "--", "2500"],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, env=environment)
        started = time.monotonic()
        time.sleep(0.2)
        # Killed without warning in the middle of the load, then started again on its port.
        servers[0].process.kill()
        servers[0].process.wait()
        killed_at = time.monotonic() - started
        time.sleep(0.3)
        servers[0].__exit__()
        servers[0] = start(ports[0])
        # Each thread stops after its share; wrk then prints its summary when interrupted.
        self.assertTrue(wait_until(lambda: len(os.listdir(done)) == 2, 40), "the load did not finish")
        load.send_signal(signal.SIGINT)
        output, _ = load.communicate(timeout=HANG_GUARD)
        summary = read_summary(output)
        self.assertGreaterEqual(summary.get("requests", 0), 5000, output)
        for failure in ("status_errors", "connect_errors", "read_errors", "write_errors", "timeouts"):
            self.assertEqual(summary[failure], 0, output)
        # The kill came while the load ran.
        self.assertGreater(summary["duration_us"] / 1e6, killed_at, output)
        # Both servers answer again.
        for server in servers:
            self.assertEqual(server.request("/healthz")[0], 200)


def start(port):
    return Server(CATALOGUE, "--port", str(port), "--threads", "2")


def answers(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=1) as connection:
            connection.sendall(b"GET /healthz HTTP/1.0\r\n\r\n")
            return connection.recv(64).startswith(b"HTTP/1.1 200")
    except OSError:
        return False


class SystemdUnit(unittest.TestCase):
    def test_the_unit_passes_systemd_analyze_verify(self):
        folder = temporary_folder(self)
        with open(os.path.join(PACKAGING, "velora-catalogue-serve@.service")) as shipped:
            unit = shipped.read()
        # Checked against this build: verify wants the program the unit starts to exist.
        unit = unit.replace("/usr/bin/velora-catalogue-tool", os.path.abspath(TOOL))
        unit = unit.replace("/usr/lib/velora-catalogue", os.path.abspath(CATALOGUE))
        path = os.path.join(folder, "velora-catalogue-serve@8081.service")
        with open(path, "w") as out:
            out.write(unit)
        result = subprocess.run(["systemd-analyze", "verify", path], capture_output=True, text=True,
                                timeout=HANG_GUARD)
        self.assertEqual((result.returncode, result.stderr.strip(), result.stdout.strip()), (0, "", ""))
        for setting in ("DynamicUser=yes", "ProtectSystem=strict", "NoNewPrivileges=yes",
                        f"ReadOnlyPaths={os.path.abspath(CATALOGUE)}"):
            self.assertIn(setting, unit.splitlines())


if __name__ == "__main__":
    unittest.main()
