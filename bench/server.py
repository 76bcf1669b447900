#!/usr/bin/env python3
"""Benchmarks of `velora-catalogue-tool serve` with wrk, over the wire on loopback, with nginx
serving the same data/ files as the peer in the same run.

For each catalogue: requests per second and latency (median over RUNS runs of wrk, 32
connections, DURATION seconds each, after a warm-up) of the page files from the server and from
nginx, of position pages, and the 99th percentile of the criteria search, the full-text search
(the results page itself, where the query runs) and the suggestions; then the memory (PSS, RSS)
of the server and of nginx.

usage: bench/server.py BUILD_DIR [CATALOGUE_DIR ...] [--runs N] [--duration S] [--threads N]
The demo catalogue in BUILD_DIR is used when no catalogue is named. The 33,000-page synthetic
catalogue: BUILD_DIR/velora-catalogue-tool build --synthetic 11000 /tmp/velora-syn11000
"""
import argparse
import os
import random
import re
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
LOAD_SCRIPT = os.path.join(HERE, "..", "tests", "server", "load.lua")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def answers(port, path):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=1) as connection:
            connection.sendall(f"GET {path} HTTP/1.0\r\n\r\n".encode())
            return connection.recv(64).startswith(b"HTTP/1.1 200")
    except OSError:
        return False


def wait_for(port, path, seconds=60):
    until = time.monotonic() + seconds
    while time.monotonic() < until:
        if answers(port, path):
            return
        time.sleep(0.05)
    raise RuntimeError(f"nothing answers {path} on port {port}")


def memory_of(pids):
    """(PSS, RSS) in MiB summed over the processes."""
    pss = rss = 0
    for pid in pids:
        with open(f"/proc/{pid}/smaps_rollup") as rollup:
            for line in rollup:
                if line.startswith("Pss:"):
                    pss += int(line.split()[1])
                elif line.startswith("Rss:"):
                    rss += int(line.split()[1])
    return pss / 1024, rss / 1024


def children(pid):
    with open(f"/proc/{pid}/task/{pid}/children") as listed:
        return [int(child) for child in listed.read().split()]


def wrk(port, paths, duration, connections=32):
    environment = dict(os.environ, VELORA_PATHS=" ".join(paths))
    command = ["wrk", "-t2", f"-c{connections}", f"-d{duration}s", "--timeout", "10s", "-s", LOAD_SCRIPT,
               f"http://127.0.0.1:{port}"]
    output = subprocess.run(command, capture_output=True, text=True, env=environment, check=True).stdout
    figures = {key: int(value) for key, value in re.findall(r"^(\w+) (\d+)$", output, re.M)}
    failures = sum(figures[key] for key in ("status_errors", "connect_errors", "read_errors", "write_errors",
                                            "timeouts"))
    return {"rps": figures["requests"] / (figures["duration_us"] / 1e6), "p50": figures["latency_p50_us"] / 1000,
            "p99": figures["latency_p99_us"] / 1000, "failures": failures}


def measure(name, port, paths, runs, duration):
    wrk(port, paths, 1)
    results = [wrk(port, paths, duration) for _ in range(runs)]
    median = {key: statistics.median(result[key] for result in results) for key in ("rps", "p50", "p99")}
    median["failures"] = sum(result["failures"] for result in results)
    print(f"  {name:<34} {median['rps']:9.0f} req/s   p50 {median['p50']:7.2f} ms   p99 {median['p99']:7.2f} ms"
          f"   failures {median['failures']}", flush=True)
    return median


def counts_of(tool, catalogue):
    output = subprocess.run([tool, "sql", os.path.join(catalogue, "velora2014.mdb"),
                             "SELECT cc.cat, Count(cc.d) AS [Cnt] FROM cc GROUP BY cc.cat"],
                            capture_output=True, text=True, check=True).stdout
    return {int(row.split("\t")[0]): int(row.split("\t")[1]) for row in output.splitlines()[1:]}


def address_sets(catalogue, counts):
    random.seed(7)  # the same addresses in every run
    pages = sorted(name for name in os.listdir(os.path.join(catalogue, "data")) if name.endswith(".html"))
    pictures = sorted(os.path.join("img", name) for name in os.listdir(os.path.join(catalogue, "data", "img")))
    data = ["/data/" + name for name in random.sample(pages, min(200, len(pages)))]
    data += ["/data/" + name for name in random.sample(pictures, min(40, len(pictures)))] + ["/data/style.css"]
    positions = []
    for _ in range(300):
        tag = random.choice(("ru", "en", "zh"))
        category = random.randint(0, 11)
        position = random.randint(1, 3) if category == 0 else random.randint(0, min(counts[category], 999))
        positions.append(f"/{tag}/{category}.{position}")
    quote = urllib.parse.quote
    searches = [f"/{tag}/search?title={quote(title)}&org=&cat={cat}&person=&address=&dep=0&sort={sort}"
                for tag, title, cat, sort in (("ru", "насос", 0, "cat"), ("en", "pump", 0, "dep"),
                                              ("en", "a", 5, "cat"), ("ru", "", 3, "person"),
                                              ("en", "system", 0, "person"), ("ru", "о", 0, "dep"),
                                              ("en", "mod", 11, "cat"), ("en", "", 0, "dep"))]
    finds = [f"/{tag}/find?q={quote(query)}&frame"
             for tag, query in (("en", "pump"), ("ru", "насос"), ("zh", "热泵"), ("en", "heat pump"),
                                ("en", '"solar collector"'), ("ru", "энерг*"), ("en", "system -data"),
                                ("en", "water OR air"), ("ru", "материалы"), ("en", "modular alloy"))]
    suggestions = [f"/suggest?q={quote(text)}&lang={tag}"
                   for tag, text in (("en", "a"), ("en", "al"), ("ru", "на"), ("en", "mod"), ("zh", "热"),
                                     ("en", "hea"), ("ru", "тепл"), ("en", "dig"), ("en", "sy"), ("ru", "с"))]
    # Queries that ran for seconds to minutes before the query limits: a thousand words, a run of
    # wildcards, a long OR, a long Chinese text.
    hostile = [f"/en/find?q={quote(query)}&frame"
               for query in (" ".join(f"w{i}" for i in range(1000)), " ".join(f"{c}*" for c in "abcdefghijklmnop"),
                             " OR ".join(f"v{i}" for i in range(300)), "*", "热泵系统" * 500)]
    return data, positions, searches, finds, suggestions, hostile


NGINX_CONFIGURATION = """daemon off;
worker_processes {workers};
pid {folder}/nginx.pid;
error_log {folder}/error.log;
events {{ worker_connections 1024; }}
http {{
    access_log off;
    include /etc/nginx/mime.types;
    sendfile on;
    tcp_nopush on;
    keepalive_requests 100000;
    server {{
        listen 127.0.0.1:{port};
        location /data/ {{ alias {data}/; }}
    }}
}}
"""


def bench_catalogue(build, catalogue, runs, duration, threads):
    tool = os.path.join(build, "velora-catalogue-tool")
    counts = counts_of(tool, catalogue)
    pages = sum(1 for name in os.listdir(os.path.join(catalogue, "data")) if name.endswith(".html"))
    print(f"\n{catalogue}: {sum(counts.values())} projects, {pages} page files", flush=True)
    data, positions, searches, finds, suggestions, hostile = address_sets(catalogue, counts)

    folder = tempfile.mkdtemp(prefix="velora-bench-")
    os.chmod(folder, 0o755)
    nginx_port = free_port()
    configuration = NGINX_CONFIGURATION.format(workers=os.cpu_count(), folder=folder, port=nginx_port,
                                               data=os.path.join(os.path.abspath(catalogue), "data"))
    with open(os.path.join(folder, "nginx.conf"), "w") as out:
        out.write(configuration)
    server_port = free_port()
    server_command = [tool, "serve", catalogue, "--port", str(server_port), "--threads", str(threads)]
    # The same server reusing no answer: every search worked out as it comes.
    uncached_port = free_port()
    uncached_command = [tool, "serve", catalogue, "--port", str(uncached_port), "--threads", str(threads),
                        "--answer-cache", "0"]
    print("  server: " + " ".join(server_command))
    print("  server reusing no answer: " + " ".join(uncached_command))
    print("  peer:   nginx -c nginx.conf, where nginx.conf is\n    " + configuration.replace("\n", "\n    "))
    server = subprocess.Popen(server_command, stdout=subprocess.DEVNULL)
    nginx = subprocess.Popen(["/usr/sbin/nginx", "-c", os.path.join(folder, "nginx.conf"), "-p", folder])
    try:
        wait_for(server_port, "/healthz")
        wait_for(nginx_port, data[0])
        wait_for_searches(server_port, finds[0], suggestions[1])
        results = {}
        results["data (server)"] = measure("page files, server", server_port, data, runs, duration)
        results["data (nginx)"] = measure("page files, nginx (peer)", nginx_port, data, runs, duration)
        results["positions"] = measure("position pages", server_port, positions, runs, duration)
        results["search"] = measure("criteria search", server_port, searches, runs, duration)
        results["find"] = measure("full-text search (results page)", server_port, finds, runs, duration)
        results["suggest"] = measure("suggestions", server_port, suggestions, runs, duration)
        server_pss, server_rss = memory_of([server.pid])
        server.terminate()
        server.wait(30)
        server = subprocess.Popen(uncached_command, stdout=subprocess.DEVNULL)
        wait_for_searches(uncached_port, finds[0], suggestions[1])
        results["search, no reuse"] = measure("criteria search, no answer reused", uncached_port, searches, runs,
                                              duration)
        results["find, no reuse"] = measure("full-text search, no answer reused", uncached_port, finds, runs,
                                            duration)
        results["suggest, no reuse"] = measure("suggestions, no answer reused", uncached_port, suggestions, runs,
                                               duration)
        results["hostile, no reuse"] = measure("hostile full-text queries, none reused", uncached_port, hostile,
                                               runs, duration)
        nginx_pss, nginx_rss = memory_of([nginx.pid] + children(nginx.pid))
        ratio = results["data (server)"]["rps"] / results["data (nginx)"]["rps"]
        print(f"  page files: server / nginx = {ratio:.2f}")
        print(f"  memory after the runs: server PSS {server_pss:.1f} MiB (RSS {server_rss:.1f} MiB); "
              f"nginx PSS {nginx_pss:.1f} MiB (RSS {nginx_rss:.1f} MiB)", flush=True)
    finally:
        server.terminate()
        nginx.terminate()
        server.wait(30)
        nginx.wait(30)
        shutil.rmtree(folder, True)


def wait_for_searches(port, find, suggestion):
    """Until the index of a catalogue without one and the titles for suggestions are ready."""
    wait_for(port, find)
    until = time.monotonic() + 120
    while time.monotonic() < until and b"[]" == suggest_once(port, suggestion):
        time.sleep(0.2)


def suggest_once(port, path):
    with socket.create_connection(("127.0.0.1", port), timeout=5) as connection:
        connection.sendall(f"GET {path} HTTP/1.0\r\n\r\n".encode())
        answer = b""
        while chunk := connection.recv(65536):
            answer += chunk
    return answer.split(b"\r\n\r\n", 1)[-1]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("catalogues", nargs="*")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--duration", type=int, default=5)
    parser.add_argument("--threads", type=int, default=4)
    arguments = parser.parse_args()
    for tool in ("wrk", "/usr/sbin/nginx"):
        if not shutil.which(tool):
            sys.exit(f"{tool} is missing (scripts/deps installs it)")
    for catalogue in arguments.catalogues or [arguments.build]:
        bench_catalogue(os.path.abspath(arguments.build), os.path.abspath(catalogue), arguments.runs,
                        arguments.duration, arguments.threads)


if __name__ == "__main__":
    main()
