#!/usr/bin/python3
"""What a screen reader finds in the real program, read through AT-SPI (the interface Orca reads).

Runs inside a virtual display and a private D-Bus session (scripts/check-accessibility sets both
up). For each interface language it starts the program with the accessibility bus running,
chooses the language on the splash by key and checks:
  - the splash, the main window, the find bar and the search window show no unnamed control
    (a control: anything focusable, anything with an action, any picture, any text box);
  - the page is one document (not a second one for the page loaded behind the splash) holding
    the page file's own headings and text;
  - F6 and Tab reach the page, the menu (whose entries the arrows walk) and every enabled control
    of the bottom bar;
  - in the search window every criteria box is labelled by its label, and a search result opens
    by keyboard (Tab to the results, Enter).
Prints one line per finding and "ok: ..." at the end; exits non-zero on any finding.
"""
import html.parser
import os
import re
import subprocess
import sys
import time

BUILD = os.path.abspath(sys.argv[1])
PROGRAM = os.path.join(BUILD, "velora-catalogue")
failures = []


def fail(text):
    failures.append(text)
    print("FAILED: " + text, flush=True)


def start_accessibility_bus():
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        found = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                "org.a11y.Bus.GetAddress"], capture_output=True)
        if found.returncode == 0:
            break
        time.sleep(0.1)
    else:
        sys.exit("no accessibility bus")
    # As a screen reader does when it starts: programs started from now on expose themselves.
    subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                    "variant:boolean:true"], check=True)
    return launcher


launcher = start_accessibility_bus()
import pyatspi  # noqa: E402  (after the bus is up)
from gi.repository import GLib  # noqa: E402


def pump():
    """Lets the AT-SPI library take in what the programs reported (new windows, changes)."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)

CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_LINK, pyatspi.ROLE_IMAGE, pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_LIST_ITEM,
}


def wait_for(what, find, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        pump()
        try:
            found = find()
        except Exception:  # objects come and go while the program starts
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise TimeoutError(what)


def children(acc):
    try:
        return [acc.getChildAtIndex(i) for i in range(acc.childCount)]
    except Exception:
        return []


def walk(acc, inside_document=False):
    """Every object under acc; the web document's own subtree only when asked."""
    for child in children(acc):
        if child is None:
            continue
        yield child
        if child.getRole() == pyatspi.ROLE_DOCUMENT_WEB and not inside_document:
            continue
        yield from walk(child, inside_document)


def states(acc):
    try:
        return acc.getState().getStates()
    except Exception:
        return []


def showing(acc):
    """Shown on screen: the object and every ancestor up to its window."""
    node = acc
    while node is not None and node.getRole() != pyatspi.ROLE_APPLICATION:
        if pyatspi.STATE_SHOWING not in states(node):
            return False
        node = node.parent
    return True


def is_control(acc):
    if acc.getRole() in CONTROL_ROLES:
        return True
    if pyatspi.STATE_FOCUSABLE in states(acc):
        return True
    try:
        return acc.queryAction().nActions > 0
    except NotImplementedError:
        return False


def describe(acc):
    return "%s %r" % (acc.getRoleName(), acc.name)


def check_named(window, where):
    checked = 0
    for acc in walk(window):
        if not is_control(acc) or not showing(acc):
            continue
        checked += 1
        if not (acc.name or "").strip():
            fail("%s: a showing %s has no name (parent %s)" % (where, acc.getRoleName(), describe(acc.parent)))
    if checked == 0:
        fail("%s: no controls found" % where)
    return checked


def application(pid):
    if os.environ.get("AT_SPI_CHECK_DEBUG"):
        print("apps:", [(a.name, a.get_process_id()) for a in pyatspi.Registry.getDesktop(0) if a], pid, flush=True)
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def windows(app):
    return [w for w in children(app) if w is not None and pyatspi.STATE_SHOWING in states(w)]


def documents(app):
    """The web documents a screen reader can reach: those of the windows on screen. The main
    window is made, laid out and drawn once out of sight while the splash waits; hidden, it is
    no window of the desktop and its page reaches nobody."""
    return [acc for window in windows(app) for acc in walk(window) if acc.getRole() == pyatspi.ROLE_DOCUMENT_WEB]


def focused(app):
    """The focused object: a widget, else the page's focused node (the page keeps one while a
    widget has the keyboard)."""
    pages = []
    for window in windows(app):
        for acc in walk(window):
            if pyatspi.STATE_FOCUSED in states(acc) and acc.getRole() != pyatspi.ROLE_DOCUMENT_WEB:
                return acc
            if acc.getRole() == pyatspi.ROLE_DOCUMENT_WEB:
                pages.append(acc)
    for page in pages:
        for node in [page] + list(walk(page, True)):
            if pyatspi.STATE_FOCUSED in states(node):
                return node
    return None


def in_document(acc):
    """The page: a node of the document, or a view that holds it (which reports the focus while
    its page has it)."""
    if acc is not None and any(d.getRole() == pyatspi.ROLE_DOCUMENT_WEB for d in walk(acc)):
        return True
    node = acc
    while node is not None and node.getRole() != pyatspi.ROLE_APPLICATION:
        if node.getRole() == pyatspi.ROLE_DOCUMENT_WEB:
            return True
        node = node.parent
    return False


def focus_window(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], capture_output=True,
                           text=True).stdout.split()
    if found:
        subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], capture_output=True)


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "80"] + list(names), check=True)
    time.sleep(0.6)
    pump()


class PageText(html.parser.HTMLParser):
    """Headings and paragraph text of a page file, as the page shows them."""

    def __init__(self):
        super().__init__()
        self.headings, self.paragraphs, self._open, self._text = [], [], None, ""

    def handle_starttag(self, tag, attrs):
        if tag in ("h1", "h2", "p"):
            self._open, self._text = tag, ""

    def handle_endtag(self, tag):
        if tag == self._open:
            text = " ".join(self._text.split())
            if text:
                (self.paragraphs if tag == "p" else self.headings).append(text)
            self._open = None

    def handle_data(self, data):
        if self._open:
            self._text += data


def document_text(doc):
    names = []
    for node in [doc] + list(walk(doc, True)):
        try:
            text = node.queryText()
            names.append(text.getText(0, -1))
        except NotImplementedError:
            names.append(node.name or "")
    return " ".join(" ".join(names).split())


def check_page(app, letter, where):
    docs = wait_for("the page in the accessible tree",
                    lambda: [d for d in documents(app) if d.childCount > 0], 60)
    time.sleep(1)
    docs = documents(app)
    if len(docs) != 1:
        fail("%s: %d documents in the program, not one: %s" % (where, len(docs), [d.name for d in docs]))
    doc = docs[0]
    page = PageText()
    with open(os.path.join(BUILD, "data", "00001%s.html" % letter), encoding="utf-8") as f:
        page.feed(f.read())
    headings = [" ".join((n.name or "").split()) for n in walk(doc, True) if n.getRole() == pyatspi.ROLE_HEADING]
    for heading in page.headings:
        if heading not in headings:
            fail("%s: heading %r of the page file is not a heading of the document (%s)" % (where, heading, headings))
    text = document_text(doc)
    for paragraph in page.paragraphs[:3]:
        if paragraph not in text:
            fail("%s: text %r of the page file is not in the document" % (where, paragraph[:60]))
    print("%s: the page is one document with %d headings and its text" % (where, len(page.headings)), flush=True)
    return doc


def main_window(app):
    for window in windows(app):
        if "Velora" in (window.name or ""):
            return window
    return None


def container_of(acc, role_name_part):
    return acc.parent


def check_keyboard_walk(app, window, where):
    """F6 and Tab from the page: the menu, its entries by arrows, every enabled bar control, the page again."""
    start = focused(app)
    if start is None or not in_document(start):
        fail("%s: at the first showing the focus is not in the page (%s)" % (where, start and describe(start)))
    go_to = [a for a in walk(window) if a.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)
             and a.parent is not None and any(c.getRole() == pyatspi.ROLE_PUSH_BUTTON for c in children(a.parent))
             and showing(a)]
    bar = go_to[0].parent if go_to else None
    if bar is None:
        fail("%s: no bottom bar found" % where)
        return
    wanted = {a.name for a in children(bar) if is_control(a) and showing(a) and pyatspi.STATE_ENABLED in states(a)
              and pyatspi.STATE_FOCUSABLE in states(a)}
    key("F6")
    entry = focused(app)
    if entry is None or entry.getRole() != pyatspi.ROLE_LINK or in_document(entry):
        fail("%s: F6 from the page does not reach a menu entry (%s)" % (where, entry and describe(entry)))
    else:
        first = entry.name
        key("Down")
        second = focused(app)
        if second is None or second.name == first or second.getRole() != pyatspi.ROLE_LINK:
            fail("%s: Down on the menu entry %r moves nowhere" % (where, first))
        print("%s: F6 reaches the menu entry %r, Down the entry %r" % (where, first, second and second.name))
    key("F6")
    reached = []
    for _ in range(len(wanted) + 2):
        now = focused(app)
        if now is None or in_document(now):
            break
        reached.append(now.name)
        key("Tab")
    missing = wanted - set(reached)
    if missing:
        fail("%s: F6 and Tab do not reach the bottom bar's %s (reached %s)" % (where, sorted(missing), reached))
    back = focused(app)
    if back is None or not in_document(back):
        fail("%s: Tab after the bottom bar does not come back to the page (%s)" % (where, back and describe(back)))
    print("%s: F6 and Tab reach the bottom bar's %d controls and the page again" % (where, len(set(reached))),
          flush=True)


def check_search_window(app, where):
    key("F6", "F6", "Tab")  # page -> menu -> bar (go-to box) -> Search
    button = focused(app)
    if button is None or button.getRole() != pyatspi.ROLE_PUSH_BUTTON:
        fail("%s: Tab after the go-to box is not the Search button (%s)" % (where, button and describe(button)))
        return
    key("space")
    search = wait_for("the search window",
                      lambda: next((w for w in windows(app) if "Velora" not in (w.name or "")
                                    and w.childCount > 5), None), 20)
    print("%s: search window: %d controls named" % (where, check_named(search, where + ", search window")),
          flush=True)
    labelled = 0
    for acc in walk(search):
        if acc.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX) and showing(acc) and acc.parent == search:
            labels = [t for r in acc.getRelationSet() if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                      for t in [r.getTarget(i) for i in range(r.getNTargets())]]
            if not labels or not (labels[0].name or "").strip():
                fail("%s: the criteria box %s is tied to no label" % (where, describe(acc)))
            else:
                labelled += 1
    if labelled < 7:
        fail("%s: %d criteria boxes tied to their labels, not 7" % (where, labelled))
    # Tab from the title box to Find, Space runs the search (every project), Tab to the results,
    # Enter opens the current one.
    key(*["Tab"] * 7)
    key("space")
    time.sleep(1)
    key("Tab")
    print("%s: search window with results: %d controls named"
          % (where, check_named(search, where + ", search window with results")), flush=True)
    grid = focused(app)
    description = grid.description if grid is not None else ""
    if not description:
        fail("%s: the results grid, focused, describes no project (%s)" % (where, grid and describe(grid)))
        return
    key("Return")
    doc = wait_for("the project's page", lambda: next((d for d in documents(app) if d.name
                                                       and d.name in description), None), 30)
    print("%s: %d criteria boxes labelled; Enter on a result opened %r" % (where, labelled, doc.name), flush=True)


# Names announced by the programs, as a screen reader hears them. Qt takes note of the events a
# screen reader listens for when a program starts, so the listener is in place before any starts.
announced_names = []


def name_changed(event):
    # Qt sends the object itself with the event; its name is read as the event arrives.
    try:
        announced_names.append(event.any_data if isinstance(event.any_data, str) else event.source.name or "")
    except Exception:
        announced_names.append("")


pyatspi.Registry.registerEventListener(name_changed, "object:property-change:accessible-name")


def check_find_bar(app, window, where):
    """The find bar's controls are named, and each new count reaches a screen reader as the
    counter's new name."""
    key("ctrl+f")
    pump()
    first = len(announced_names)
    key("V", "e", "l", "o", "r", "a")
    key("Return")
    key("Return")
    time.sleep(1)
    pump()
    print("%s: with the find bar: %d controls named" % (where, check_named(window, where + ", find bar")), flush=True)
    counts = sorted({n for n in announced_names[first:] if re.search(r"\d+\D+\d+", n)})
    if len(counts) < 2:
        fail("%s: the find bar's counter announced %s, not each new count" % (where, counts))
    else:
        print("%s: the counter announced %s" % (where, counts), flush=True)
    key("Escape")


def session(language):
    letter, keys = {"ru": ("r", []), "en": ("e", ["Tab"]), "zh": ("c", ["Tab", "Tab", "Tab"])}[language]
    where = language
    env = dict(os.environ)
    env.pop("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", None)  # the program switches it on itself
    env.pop("QT_QPA_PLATFORM", None)
    # Assistive technology is on: the bus launcher keeps that in the desktop's settings (dconf),
    # which a fresh home folder lacks, so Qt is told directly.
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    program = subprocess.Popen([PROGRAM], cwd=BUILD, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        app = wait_for("the program on the accessibility bus", lambda: application(program.pid), 60)
        splash = wait_for("the splash", lambda: next((w for w in windows(app) if w.childCount >= 4), None), 60)
        time.sleep(1)
        print("%s: splash: %d controls named" % (where, check_named(splash, where + ", splash")), flush=True)
        if documents(app):
            fail("%s: a document shows while the splash waits" % where)
        focus_window("^ $")
        key(*(keys + ["Return"]))
        window = wait_for("the main window", lambda: main_window(app), 60)
        focus_window("Velora")  # no window manager gives it the keyboard
        check_page(app, letter, where)
        print("%s: main window: %d controls named" % (where, check_named(window, where + ", main window")),
              flush=True)
        check_keyboard_walk(app, window, where)
        check_find_bar(app, window, where)
        if language != "zh":  # no Search button in Chinese mode
            check_search_window(app, where)
        focus_window("Velora")
        key("ctrl+q")
        program.wait(30)
    except TimeoutError as error:
        fail("%s: timed out waiting for %s" % (where, error))
    except Exception as error:  # a broken tree or a vanished object is a finding too
        fail("%s: %s: %s" % (where, type(error).__name__, error))
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


for language in sys.argv[2:] or ["ru", "en", "zh"]:
    session(language)
launcher.terminate()
if failures:
    print("%d findings" % len(failures))
    sys.exit(1)
print("ok: pages read as documents, every control named, every region reached by keyboard")
