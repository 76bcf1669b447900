#!/usr/bin/env python3
"""The catalogue's web pages in a real browser: Debian's Chromium, headless, driven by Selenium,
with JavaScript on and off. Saves screenshots of the pages into VELORA_SCREENSHOTS when set.

usage: VELORA_TOOL=build/velora-catalogue-tool VELORA_CATALOGUE=build test_server_browser.py
"""
import os
import sqlite3
import sys
import tempfile
import shutil
import unittest

from selenium import webdriver
from selenium.common.exceptions import NoSuchElementException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from server_harness import CATALOGUE, HANG_GUARD, Server, copy_catalogue  # noqa: E402

SCREENSHOTS = os.environ.get("VELORA_SCREENSHOTS", "")
HOSTILE_PAGE_TITLE = "</title><script>document.title='taken'</script>Ground-source heat pump"
HOSTILE_DB_TITLE = "<img src=x onerror=\"document.body.dataset.taken=1\">Heat pump"


def browser(javascript=True):
    profile = tempfile.mkdtemp(prefix="velora-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for switch in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-sync",
                   "--disable-background-networking", "--disable-component-update", "--disable-dev-shm-usage",
                   "--no-proxy-server", "--window-size=1280,860", f"--user-data-dir={profile}", "--lang=en"):
        options.add_argument(switch)
    if not javascript:
        options.add_experimental_option("prefs", {"profile.managed_default_content_settings.javascript": 2})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(HANG_GUARD)
    driver.profile_folder = profile
    return driver


def close(driver):
    driver.quit()
    shutil.rmtree(driver.profile_folder, True)


class Walks:
    """The walks a reader takes, run with JavaScript on and with it off."""

    javascript = True

    @classmethod
    def setUpClass(cls):
        cls.folder = os.path.join(tempfile.mkdtemp(prefix="velora-web-"), "catalogue")
        copy_catalogue(cls.folder)
        # A page and a project whose titles read like markup.
        page = os.path.join(cls.folder, "data", "06005e.html")
        with open(page, encoding="utf-8") as source:
            html = source.read()
        html = html.replace("<title>Ground-source heat pump</title>",
                            "<title>" + HOSTILE_PAGE_TITLE.replace("<", "&lt;") + "</title>")
        with open(page, "w", encoding="utf-8") as out:
            out.write(html)
        with sqlite3.connect(os.path.join(cls.folder, "velora2014.mdb")) as database:
            database.execute("UPDATE eng SET tdb = ? WHERE tdb = 'Ground-source heat pump'", (HOSTILE_DB_TITLE,))
        shutil.rmtree(os.path.join(cls.folder, "index"), True)
        cls.server = Server(cls.folder)
        cls.root = f"http://{cls.server.host}:{cls.server.port}"
        cls.driver = browser(cls.javascript)

    @classmethod
    def tearDownClass(cls):
        close(cls.driver)
        cls.server.__exit__()
        shutil.rmtree(os.path.dirname(cls.folder), True)

    def open(self, path):
        self.driver.get(self.root + path)

    def path(self):
        return self.driver.current_url[len(self.root):]

    def wait_for_path(self, path):
        WebDriverWait(self.driver, HANG_GUARD).until(lambda driver: self.path() == path)

    def frame_page(self):
        """The file name the page frame shows and the text of its first heading."""
        frame = self.driver.find_element(By.CSS_SELECTOR, "iframe.page")
        self.driver.switch_to.frame(frame)
        try:
            name = self.driver.execute_script("return location.pathname") if self.javascript else None
            heading = self.driver.find_element(By.TAG_NAME, "h1").text
        finally:
            self.driver.switch_to.default_content()
        return name, heading

    def test_language_page_then_next_across_a_category(self):
        self.open("/")
        links = self.driver.find_elements(By.CSS_SELECTOR, ".choice a")
        self.assertEqual([(a.text, a.get_attribute("lang")) for a in links],
                         [("Русский", "ru"), ("English", "en"), ("中文", "zh")])
        links[1].click()
        self.wait_for_path("/en/")
        self.assertEqual(self.frame_page()[1], "The Velora")
        self.assertEqual(self.driver.find_elements(By.ID, "previous"), [])
        # The last project of category 4 leads to the title page of category 5.
        self.open("/en/4.4")
        self.driver.find_element(By.ID, "next").click()
        self.wait_for_path("/en/5.0")
        self.assertEqual(self.frame_page()[1], "5. Electronics, IT and Telecommunication")
        self.driver.find_element(By.ID, "previous").click()
        self.wait_for_path("/en/4.4")

    def test_a_link_inside_a_page_moves_the_position(self):
        self.open("/en/5.2")
        self.driver.switch_to.frame(self.driver.find_element(By.CSS_SELECTOR, "iframe.page"))
        self.driver.find_element(By.CSS_SELECTOR, "nav.pager a.next").click()
        self.driver.switch_to.default_content()
        self.wait_for_path("/en/5.3")
        self.driver.find_element(By.ID, "next").click()
        self.wait_for_path("/en/5.4")

    def test_go_to_with_a_bad_value_shows_the_message_and_keeps_the_page(self):
        self.open("/ru/3.1")
        box = self.driver.find_element(By.ID, "goto")
        box.clear()
        box.send_keys("5.999" + Keys.ENTER)
        message = WebDriverWait(self.driver, HANG_GUARD).until(lambda d: d.find_element(By.ID, "goto-message"))
        self.assertEqual(message.text, "В категории 5 максимальный номер проекта 7")
        self.assertEqual(self.driver.find_element(By.ID, "goto").get_attribute("value"), "5.999")
        self.assertIn("03001r.html", self.driver.find_element(By.CSS_SELECTOR, "iframe.page").get_attribute("src"))
        box = self.driver.find_element(By.ID, "goto")
        box.clear()
        box.send_keys("2.1" + Keys.ENTER)
        self.wait_for_path("/ru/2.1")

    def test_the_language_switch_keeps_the_position(self):
        self.open("/en/7.2")
        self.driver.find_element(By.CSS_SELECTOR, ".languages a[lang=ru]").click()
        self.wait_for_path("/ru/7.2")
        self.assertIn("07002r.html", self.driver.find_element(By.CSS_SELECTOR, "iframe.page").get_attribute("src"))
        self.driver.find_element(By.CSS_SELECTOR, ".languages a[lang=zh]").click()
        self.wait_for_path("/zh/7.2")
        self.assertEqual(self.driver.find_element(By.ID, "next").text, "下一个")
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "a.criteria"), [])

    def test_a_criteria_search_by_title_opens_its_project(self):
        self.open("/en/1.1")
        self.driver.find_element(By.CSS_SELECTOR, "a.criteria").click()
        self.wait_for_path("/en/search")
        self.driver.find_element(By.ID, "title").send_keys("solar")
        self.driver.find_element(By.CSS_SELECTOR, "form.criteria button").click()
        results = WebDriverWait(self.driver, HANG_GUARD).until(
            lambda d: d.find_elements(By.CSS_SELECTOR, ".project h3 a"))
        self.assertEqual(len(results), 1)
        target = results[0].get_attribute("href")[len(self.root):]
        self.assertRegex(target, r"^/en/\d+\.\d+$")
        title = results[0].text
        results[0].click()
        self.wait_for_path(target)
        self.assertEqual(self.frame_page()[1], title)

    def test_a_full_text_query_opens_the_right_page(self):
        self.open("/ru/2.0")
        box = self.driver.find_element(By.ID, "find")
        box.send_keys("microbolometer")
        self.driver.find_element(By.CSS_SELECTOR, "form.find button").click()
        self.wait_for_path("/ru/find?q=microbolometer")
        self.driver.switch_to.frame(self.driver.find_element(By.CSS_SELECTOR, "iframe[name=results]"))
        hits = self.driver.find_elements(By.CSS_SELECTOR, ".hit a")
        self.assertEqual(self.driver.find_element(By.CSS_SELECTOR, ".found-in").text, "найдено в английском тексте")
        hits[0].click()
        self.driver.switch_to.default_content()
        self.wait_for_path("/ru/5.2")
        self.assertEqual(self.frame_page()[1], "Тепловизор на неохлаждаемой микроболометрической матрице")
        self.driver.find_element(By.ID, "next").click()
        self.wait_for_path("/ru/5.3")

    def test_titles_that_look_like_markup_stay_text(self):
        self.open("/en/6.5")
        self.assertTrue(self.driver.title.startswith(HOSTILE_PAGE_TITLE + " — "))
        self.open("/en/search?title=heat+pump")
        result = self.driver.find_element(By.CSS_SELECTOR, ".project h3 a")
        self.assertEqual(result.text, HOSTILE_DB_TITLE)
        self.assertIsNone(self.driver.find_element(By.TAG_NAME, "body").get_attribute("data-taken"))

    def test_tab_and_enter_alone_reach_next(self):
        self.open("/en/5.2")
        self.driver.find_element(By.TAG_NAME, "body").click()
        for _ in range(20):
            webdriver.ActionChains(self.driver).send_keys(Keys.TAB).perform()
            if self.driver.switch_to.active_element.get_attribute("id") == "next":
                break
        self.assertEqual(self.driver.switch_to.active_element.get_attribute("id"), "next")
        webdriver.ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        self.wait_for_path("/en/5.3")


class WithJavaScript(Walks, unittest.TestCase):
    javascript = True

    def test_alt_arrows_step(self):
        self.open("/en/5.2")
        webdriver.ActionChains(self.driver).key_down(Keys.ALT).send_keys(Keys.ARROW_RIGHT).key_up(Keys.ALT).perform()
        self.wait_for_path("/en/5.3")
        webdriver.ActionChains(self.driver).key_down(Keys.ALT).send_keys(Keys.ARROW_LEFT).key_up(Keys.ALT).perform()
        self.wait_for_path("/en/5.2")

    def test_suggestions_while_typing(self):
        self.open("/zh/1.1")
        box = self.driver.find_element(By.ID, "find")
        box.send_keys("heat")
        items = WebDriverWait(self.driver, HANG_GUARD).until(
            lambda d: d.find_elements(By.CSS_SELECTOR, "#suggestions a"))
        self.assertEqual(items[0].text, "地源热泵6.5")
        self.assertEqual(items[0].find_element(By.CSS_SELECTOR, ".where").text, "6.5")
        self.assertEqual(box.get_attribute("aria-expanded"), "true")
        # Down arrow into the list, Enter opens the project.
        box.send_keys(Keys.ARROW_DOWN)
        self.assertEqual(self.driver.switch_to.active_element.get_attribute("href"), self.root + "/zh/6.5")
        self.driver.switch_to.active_element.send_keys(Keys.ENTER)
        self.wait_for_path("/zh/6.5")


class Screenshots(unittest.TestCase):
    """The pages of the demo catalogue as they look, for people to look at."""

    def test_screenshots(self):
        if not SCREENSHOTS:
            self.skipTest("VELORA_SCREENSHOTS names no folder")
        os.makedirs(SCREENSHOTS, exist_ok=True)
        driver = browser()
        self.addCleanup(close, driver)
        with Server(CATALOGUE) as server:
            root = f"http://{server.host}:{server.port}"
            shots = [("language-page", "/")]
            shots += [(f"position-{tag}", f"/{tag}/5.2") for tag in ("ru", "en", "zh")]
            shots += [(f"criteria-search-{tag}", f"/{tag}/search?title={title}&sort=cat")
                      for tag, title in (("ru", "насос"), ("en", "pump"))]
            shots += [(f"find-{tag}", f"/{tag}/find?q={query}")
                      for tag, query in (("ru", "насос"), ("en", "pump"), ("zh", "热泵"))]
            for name, path in shots:
                driver.get(root + path)
                path_png = os.path.join(SCREENSHOTS, name + ".png")
                driver.save_screenshot(path_png)
                self.assertGreater(os.path.getsize(path_png), 10000, name)


class WithoutJavaScript(Walks, unittest.TestCase):
    javascript = False

    def test_scripts_are_really_off(self):
        self.open("/en/5.2")
        with self.assertRaises(NoSuchElementException):
            self.driver.find_element(By.CSS_SELECTOR, "#suggestions li")
        self.assertEqual(self.driver.find_element(By.ID, "find").get_attribute("aria-expanded"), None)


if __name__ == "__main__":
    unittest.main()
