#!/usr/bin/env python3
"""The catalogue's web server seen from HTTP clients: its addresses, what it refuses to serve, its
validators and compression, fairness under slow clients, exit codes, stopping with answers in
flight, and a whole run that writes nothing.

usage: VELORA_TOOL=build/velora-catalogue-tool VELORA_CATALOGUE=build test_server_http.py
"""
import gzip
import http.client
import os
import re
import signal
import socket
import subprocess
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from server_harness import HANG_GUARD, Server, TOOL, copy_catalogue, temporary_folder, wait_until  # noqa: E402

CATALOGUE_COPY = None


def setUpModule():
    global CATALOGUE_COPY
    import tempfile
    CATALOGUE_COPY = copy_catalogue(os.path.join(tempfile.mkdtemp(prefix="velora-serve-"), "catalogue"))


def tearDownModule():
    import shutil
    shutil.rmtree(os.path.dirname(CATALOGUE_COPY), True)


def text(body):
    return body.decode("utf-8")


class Addresses(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Server(CATALOGUE_COPY, "--base-url", "/velora")

    @classmethod
    def tearDownClass(cls):
        cls.server.__exit__()

    def test_the_line_names_the_folder_and_address(self):
        self.assertRegex(self.server.line, r"^serving .* at http://127\.0\.0\.1:\d+/velora/$")

    def test_language_choice_and_first_pages(self):
        status, _, body = self.server.request("/")
        self.assertEqual(status, 200)
        links = re.findall(r'<a href="([^"]+)" lang="(\w+)"', text(body))
        self.assertEqual(links, [("/velora/ru/", "ru"), ("/velora/en/", "en"), ("/velora/zh/", "zh")])
        for tag, letter in (("ru", "r"), ("en", "e"), ("zh", "c")):
            status, _, body = self.server.request(f"/{tag}/")
            self.assertEqual(status, 200)
            self.assertIn(f'src="/velora/{tag}/page/00001{letter}.html?frame"', text(body))
            self.assertNotIn('id="previous"', text(body))
        status, headers, _ = self.server.request("/en")
        self.assertEqual((status, headers["location"]), (301, "/velora/en/"))

    def test_positions_and_their_page_files(self):
        status, _, body = self.server.request("/en/5.2")
        self.assertEqual(status, 200)
        page = text(body)
        self.assertIn("<title>Thermal imager on an uncooled microbolometer array — ", page)
        self.assertIn('src="/velora/en/page/05002e.html?frame"', page)
        self.assertIn('href="/velora/ru/5.2"', page)
        for position in ("0.1", "0.3", "5.0", "11.0"):
            self.assertEqual(self.server.request(f"/en/{position}")[0], 200, position)
        for position in ("0.0", "0.4", "12.0", "5.99", "5.012", "05.1", "5", "5.-1", "x.y"):
            self.assertEqual(self.server.request(f"/en/{position}")[0], 404, position)
        # The frame gets the page as stored but for links that open in the whole window.
        status, headers, framed = self.server.request("/en/page/05002e.html?frame")
        with open(os.path.join(CATALOGUE_COPY, "data", "05002e.html"), "rb") as stored:
            original = stored.read()
        self.assertEqual(status, 200)
        self.assertEqual(headers["content-type"], "text/html; charset=utf-8")
        self.assertEqual(framed, original.replace(b"<!DOCTYPE html>", b'<!DOCTYPE html><base target="_top">', 1))
        # A link inside it shows the position it names, in the frame's language.
        status, headers, _ = self.server.request("/ru/page/05003e.html")
        self.assertEqual((status, headers["location"]), (303, "/velora/ru/5.3"))
        # Its pictures and style come as stored.
        status, headers, body = self.server.request("/en/page/img/p05002.svg")
        self.assertEqual((status, headers["content-type"]), (200, "image/svg+xml"))

    def test_go_to(self):
        status, headers, _ = self.server.request("/en/go?to=01.05&from=5.2")
        self.assertEqual((status, headers["location"]), (303, "/velora/en/1.5"))
        status, _, body = self.server.request("/ru/go?to=5.999&from=5.2")
        self.assertEqual(status, 200)
        page = text(body)
        self.assertIn('role="alert">В категории 5 максимальный номер проекта 7</p>', page)
        self.assertIn('value="5.999"', page)
        self.assertIn('src="/velora/ru/page/05002r.html?frame"', page)
        # English messages in English and Chinese, as on the desktop.
        for tag in ("en", "zh"):
            _, _, body = self.server.request(f"/{tag}/go?to=12&from=3.0")
            self.assertIn("(ex: 1.1)</p>", text(body))
            self.assertIn(f"/velora/{tag}/page/03000", text(body))

    def test_criteria_search(self):
        status, _, body = self.server.request("/en/search?title=heat+pump&cat=0&sort=cat")
        self.assertEqual(status, 200)
        page = text(body)
        self.assertIn('<h3><a href="/velora/en/6.5">Ground-source heat pump</a></h3>', page)
        self.assertIn("Projects founded: 1", page)
        status, _, body = self.server.request("/ru/search?cat=13")
        self.assertEqual(status, 400)
        self.assertIn("cat", text(body))
        self.assertEqual(self.server.request("/zh/search")[0], 404)
        status, _, body = self.server.request("/en/search")
        self.assertEqual(status, 200)
        self.assertNotIn("Search results", text(body))

    def test_full_text_search(self):
        status, _, body = self.server.request("/en/find?q=heat+pump")
        self.assertEqual(status, 200)
        page = text(body)
        self.assertIn('src="/velora/en/find?q=heat%20pump&amp;frame"', page)
        self.assertIn('name="q" autocomplete="off" aria-autocomplete="list" aria-controls="suggestions" '
                      'value="heat pump"', page)
        status, headers, body = self.server.request("/en/find?q=heat%20pump&frame")
        self.assertEqual(status, 200)
        results = text(body)
        self.assertTrue(results.startswith('<!DOCTYPE html><base target="_top">'))
        self.assertRegex(results, r'<div class="hit"><a href="/velora/en/6\.5">Ground-source heat pump</a>')
        self.assertIn("<mark>pump</mark>", results)
        self.assertIn("style-src 'unsafe-inline'", headers["content-security-policy"])
        self.assertNotIn("script", headers["content-security-policy"].replace("default-src 'none'", ""))
        # Words of another language: the hit opens the interface language's page and says where
        # the words were found.
        _, _, body = self.server.request("/en/find?q=%D0%BD%D0%B0%D1%81%D0%BE%D1%81&frame")
        self.assertRegex(text(body), r'<a href="/velora/en/6\.5">[^<]+</a>\n<div class="where">[^\n]*'
                                     r'<span class="found-in">found in the Russian text</span>')
        # Fifty at a time, the next ones in the whole window.
        _, _, body = self.server.request("/ru/find?q=velora&frame")
        first = text(body)
        self.assertEqual(first.count('<div class="hit">'), 50)
        self.assertIn('<p class="more"><a href="/velora/ru/find?q=velora&amp;start=50">', first)
        _, _, body = self.server.request("/ru/find?q=velora&start=50&frame")
        self.assertIn("Страницы 51–", text(body))
        self.assertEqual(self.server.request("/ru/find?q=velora&start=x")[0], 400)
        # The query stays text wherever it is shown.
        _, _, shell = self.server.request("/zh/find?q=%3Cscript%3Ealert(1)%3C/script%3E")
        _, _, frame = self.server.request("/zh/find?q=%3Cscript%3Ealert(1)%3C/script%3E&frame")
        for page in (shell, frame):
            self.assertNotIn(b"<script>alert", page)
            self.assertIn(b"&lt;script&gt;alert(1)&lt;/script&gt;", page)

    def test_suggestions(self):
        import json
        # The titles are read in the background once the server listens.
        self.assertTrue(wait_until(lambda: self.server.request("/suggest?q=heat&lang=en")[2] != b"[]"))
        status, headers, body = self.server.request("/suggest?q=heat&lang=en")
        self.assertEqual((status, headers["content-type"]), (200, "application/json; charset=utf-8"))
        found = json.loads(body)
        self.assertEqual(found[0], {"title": "Ground-source heat pump", "position": "6.5", "url": "/velora/en/6.5"})
        self.assertTrue(all(set(item) == {"title", "position", "url"} for item in found))
        # Any language's title, the interface language's title shown.
        found = json.loads(self.server.request("/suggest?q=%E7%83%AD%E6%B3%B5&lang=ru")[2])
        self.assertEqual(found[0], {"title": "Тепловой насос с грунтовым теплообменником", "position": "6.5",
                                    "url": "/velora/ru/6.5"})
        self.assertEqual(len(json.loads(self.server.request("/suggest?q=a&lang=zh")[2])), 10)
        self.assertEqual(json.loads(self.server.request("/suggest?q=&lang=en")[2]), [])
        self.assertEqual(self.server.request("/suggest?q=heat&lang=de")[0], 400)

    def test_data_static_and_health(self):
        status, headers, body = self.server.request("/data/style.css")
        self.assertEqual((status, headers["content-type"]), (200, "text/css"))
        with open(os.path.join(CATALOGUE_COPY, "data", "style.css"), "rb") as stored:
            self.assertEqual(body, stored.read())
        status, headers, _ = self.server.request("/data/05002r.html")
        self.assertEqual((status, headers["content-type"]), (200, "text/html; charset=utf-8"))
        self.assertEqual(self.server.request("/static/shell.js")[0], 200)
        self.assertEqual(self.server.request("/healthz")[:3:2], (200, b"ok"))
        self.assertEqual(self.server.request("/../healthz")[0], 404)


class NothingOutsideTheFolder(unittest.TestCase):
    def test_every_way_out_is_not_found(self):
        folder = copy_catalogue(os.path.join(temporary_folder(self), "catalogue"))
        data = os.path.join(folder, "data")
        secret = os.path.join(os.path.dirname(folder), "secret.txt")
        with open(secret, "w") as out:
            out.write("secret")
        os.symlink(secret, os.path.join(data, "leak.html"))
        os.symlink("/etc", os.path.join(data, "etc"))
        os.symlink("style.css", os.path.join(data, "same.css"))
        os.mkfifo(os.path.join(data, "pipe.html"))
        with Server(folder) as server:
            for path in ("/data/../velora2014.mdb", "/data/%2e%2e/velora2014.mdb", "/data/%2E%2E/%2E%2E/secret.txt",
                         "/data/..%2fvelora2014.mdb", "/data/img%2fp05002.svg", "/data/..%5cvelora2014.mdb",
                         "/data/..\\velora2014.mdb", "/data/style.css%00.html", "/data/leak.html", "/data/etc/passwd",
                         "/en/page/../../velora2014.mdb", "/en/page/leak.html", "/data/img", "/data/img/",
                         "/data/", "/velora2014.mdb", "/index/", "/data/.%2e/velora2014.mdb", "/data/pipe.html"):
                status, _, body = server.request(path)
                self.assertEqual(status, 404, path)
                self.assertNotIn(b"secret", body)
                self.assertNotIn(b"SQLite format", body)
            self.assertEqual(server.request("/data/same.css")[0], 200)


class Protocol(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Server(CATALOGUE_COPY)

    @classmethod
    def tearDownClass(cls):
        cls.server.__exit__()

    def test_only_get_and_head(self):
        for method in ("POST", "PUT", "DELETE", "OPTIONS", "PATCH", "TRACE"):
            status, headers, _ = self.server.request("/en/5.2", method=method, body=b"x=1")
            self.assertEqual((status, headers.get("allow")), (405, "GET, HEAD"), method)
        status, headers, body = self.server.request("/en/5.2", method="HEAD")
        self.assertEqual((status, body), (200, b""))
        self.assertGreater(int(headers["content-length"]), 1000)

    def test_validators_caching_and_headers(self):
        for path, freshness in (("/en/5.2", "max-age=60"), ("/data/05002e.html", "max-age=86400"),
                                ("/data/img/p05002.svg", "max-age=86400"), ("/en/search?title=a", "max-age=60")):
            status, headers, _ = self.server.request(path)
            self.assertEqual(status, 200, path)
            self.assertIn(freshness, headers["cache-control"], path)
            self.assertEqual(headers["x-content-type-options"], "nosniff")
            etag = headers["etag"]
            status, again, body = self.server.request(path, headers={"If-None-Match": etag})
            self.assertEqual((status, body), (304, b""), path)
            self.assertEqual(again["etag"], etag)
            self.assertEqual(self.server.request(path, headers={"If-None-Match": '"other"'})[0], 200)
        for path in ("/nowhere", "/en/go?to=5.3"):
            self.assertIn("etag", self.server.request(path)[1], path)
        _, headers, _ = self.server.request("/en/5.2")
        self.assertIn("script-src 'self'", headers["content-security-policy"])
        self.assertNotIn("content-security-policy", self.server.request("/data/05002e.html")[1])

    def test_gzip_when_accepted(self):
        for path in ("/en/5.2", "/data/05002e.html", "/static/shell.css"):
            _, plain_headers, plain = self.server.request(path)
            status, headers, packed = self.server.request(path, headers={"Accept-Encoding": "gzip"})
            self.assertEqual((status, headers.get("content-encoding")), (200, "gzip"), path)
            self.assertEqual(gzip.decompress(packed), plain)
            self.assertNotEqual(headers["etag"], plain_headers["etag"])
            self.assertEqual(self.server.request(path, headers={"Accept-Encoding": "gzip",
                                                                "If-None-Match": plain_headers["etag"]})[0], 304)
            self.assertNotIn("content-encoding", self.server.request(path, headers={"Accept-Encoding": "gzip;q=0"})[1])


class Fairness(unittest.TestCase):
    def test_slow_headers_keep_no_one_waiting(self):
        with Server(CATALOGUE_COPY) as server:
            slow = []
            # 500 connections from eight addresses (the cap per address is 64), each sending its
            # request line and then one header byte now and then.
            for address in range(8):
                for _ in range(63 if address < 7 else 59):
                    connection = socket.create_connection((server.host, server.port), timeout=HANG_GUARD,
                                                          source_address=(f"127.0.1.{address + 1}", 0))
                    connection.sendall(b"GET /en/5.2 HTTP/1.1\r\nHost: x\r\n")
                    slow.append(connection)
            self.assertEqual(len(slow), 500)
            for _ in range(3):
                for connection in slow:
                    connection.sendall(b"X")
                time.sleep(0.1)
            started = time.monotonic()
            status, _, _ = server.request("/en/5.3", source="127.0.0.2")
            self.assertEqual(status, 200)
            self.assertLess(time.monotonic() - started, 1.0)
            # The slow ones are all still open: nothing was dropped to make room.
            closed = 0
            for connection in slow:
                connection.setblocking(False)
                try:
                    closed += connection.recv(1) == b""
                except BlockingIOError:
                    pass
                connection.close()
            self.assertEqual(closed, 0)

    def test_hostile_queries_end_with_what_they_found_and_others_go_on(self):
        from urllib.parse import quote
        # Queries that once ran for minutes: a thousand words, a run of wildcards, a long OR;
        # each a little different, so that none is answered from an earlier one.
        hostile = []
        for round_ in range(3):
            hostile += [" ".join(f"w{round_}x{i}" for i in range(1000)),
                        " ".join(f"{letter}{round_}*" for letter in "abcdefghijklmnopqrstuvwxyz"),
                        " OR ".join(f"v{round_}x{i}" for i in range(500))]
        with Server(CATALOGUE_COPY, "--threads", "2") as server:
            answers = [None] * len(hostile)

            def ask(at):
                answers[at] = server.request(f"/en/find?q={quote(hostile[at])}&frame")
            askers = [threading.Thread(target=ask, args=(at,)) for at in range(len(hostile))]
            for asker in askers:
                asker.start()
            # Another reader's search, asked while they run, is answered in full.
            status, _, body = server.request("/en/find?q=heat+pump&frame")
            self.assertEqual(status, 200)
            self.assertIn('<a href="/en/6.5">Ground-source heat pump</a>', text(body))
            for asker in askers:
                asker.join(HANG_GUARD)
            for query, (status, _, body) in zip(hostile, answers):
                self.assertEqual(status, 200, query[:40])
                self.assertIn('<p class="cut" role="note">', text(body), query[:40])

    def test_connections_per_address_are_capped(self):
        with Server(CATALOGUE_COPY, "--connections-per-address", "8") as server:
            held = [socket.create_connection((server.host, server.port), timeout=HANG_GUARD,
                                             source_address=("127.0.2.1", 0)) for _ in range(12)]
            refused = 0
            for connection in held:
                connection.settimeout(1.0)
                try:
                    connection.sendall(b"GET /healthz HTTP/1.1\r\nHost: x\r\n\r\n")
                    refused += connection.recv(100) == b""
                except (ConnectionResetError, BrokenPipeError):
                    refused += 1
                connection.close()
            self.assertEqual(refused, 4)
            self.assertEqual(server.request("/healthz", source="127.0.2.2")[0], 200)

    def test_requests_too_large_are_refused(self):
        with Server(CATALOGUE_COPY) as server:
            try:
                status = server.request("/en/5.2", headers={"X-Padding": "a" * 40000})[0]
            except (ConnectionResetError, BrokenPipeError, http.client.RemoteDisconnected):
                status = None
            self.assertNotEqual(status, 200)
            self.assertEqual(server.request("/healthz")[0], 200)


class Reuse(unittest.TestCase):
    def test_a_search_kept_for_reuse_is_made_afresh_once_the_catalogue_changes(self):
        catalogue = copy_catalogue(os.path.join(temporary_folder(self), "catalogue"))
        with Server(catalogue) as server:
            path = "/en/find?q=quixotically&frame"
            self.assertIn(b"Nothing found", server.request(path)[2])
            page = os.path.join(catalogue, "data", "06005e.html")
            with open(page, "rb") as read:
                html = read.read()
            with open(page, "wb") as written:
                written.write(html.replace(b"</body>", b"<p>quixotically</p></body>"))
            subprocess.run([TOOL, "index", catalogue], check=True, capture_output=True, timeout=HANG_GUARD)
            status, _, body = server.request(path)
            self.assertEqual(status, 200)
            self.assertIn('<a href="/en/6.5">Ground-source heat pump</a>', text(body))


class Lifecycle(unittest.TestCase):
    def run_tool(self, *arguments):
        return subprocess.run([TOOL, "serve", *arguments], capture_output=True, text=True, timeout=HANG_GUARD)

    def test_exit_codes(self):
        for arguments in ((), (CATALOGUE_COPY, "--port", "70000"), (CATALOGUE_COPY, "--threads", "0"),
                          (CATALOGUE_COPY, "--base-url", "velora"), (CATALOGUE_COPY, "--address", "localhost"),
                          (CATALOGUE_COPY, "--colour", "blue"), (CATALOGUE_COPY, "--port"),
                          (CATALOGUE_COPY, CATALOGUE_COPY)):
            result = self.run_tool(*arguments)
            self.assertEqual(result.returncode, 2, arguments)
            self.assertNotEqual(result.stderr, "", arguments)
        empty = temporary_folder(self)
        result = self.run_tool(empty, "--port", "0")
        self.assertEqual(result.returncode, 2)
        self.assertIn("velora2014.mdb", result.stderr)
        self.assertEqual(self.run_tool(os.path.join(empty, "missing"), "--port", "0").returncode, 2)
        with Server(CATALOGUE_COPY) as server:
            result = self.run_tool(CATALOGUE_COPY, "--port", str(server.port))
            self.assertEqual(result.returncode, 2)
            self.assertIn(f"port {server.port} on 127.0.0.1 is taken", result.stderr)

    def test_sigterm_lets_answers_in_flight_finish(self):
        folder = copy_catalogue(os.path.join(temporary_folder(self), "catalogue"))
        big = os.urandom(16 * 1024 * 1024)
        with open(os.path.join(folder, "data", "big.pdf"), "wb") as out:
            out.write(big)
        server = Server(folder)
        self.addCleanup(lambda: server.process.poll() is None and server.process.kill())
        connection = socket.create_connection((server.host, server.port), timeout=HANG_GUARD)
        connection.sendall(b"GET /data/big.pdf HTTP/1.1\r\nHost: x\r\n\r\n")
        # The answer is far larger than the sockets' buffers: most of it is still to be sent.
        received = connection.recv(4096)
        server.process.send_signal(signal.SIGTERM)
        # No new connection is taken once the signal has come, and the answer waits for its reader.
        self.assertTrue(wait_until(lambda: refuses(server.host, server.port), 5))
        time.sleep(0.5)
        while True:
            chunk = connection.recv(1 << 16)
            if not chunk:
                break
            received += chunk
        connection.close()
        self.assertEqual(server.stop(), 0)
        server.__exit__()
        self.assertTrue(received.endswith(big))

    def test_a_whole_run_writes_nothing(self):
        log = os.path.join(temporary_folder(self), "trace")
        with Server(CATALOGUE_COPY, prefix=("strace", "-f", "-qq", "-o", log, "-e",
                                            "trace=open,openat,openat2,creat,rename,renameat,renameat2,unlink,"
                                            "unlinkat,mkdir,mkdirat,truncate,ftruncate,link,symlink")) as server:
            for path in ("/", "/en/5.2", "/en/page/05002e.html?frame", "/data/style.css", "/ru/search?title=a",
                         "/en/go?to=1.1", "/en/find?q=pump", "/suggest?q=pu&lang=en"):
                server.request(path, headers={"Accept-Encoding": "gzip"})
        with open(log) as trace:
            calls = trace.read().splitlines()
        opens = [line for line in calls if re.search(r"open(at2?)?\(", line)]
        self.assertGreater(len(opens), 10)
        written = [line for line in calls
                   if re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC", line) and "/dev/" not in line
                   or re.search(r"\b(creat|rename|renameat2?|unlink|unlinkat|mkdir|mkdirat|truncate|link|symlink)\(",
                                line)]
        self.assertEqual(written, [])


def refuses(host, port):
    try:
        socket.create_connection((host, port), timeout=1).close()
        return False
    except OSError:
        return True


if __name__ == "__main__":
    unittest.main()
