#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The page in a real old engine: QtWebEngine 5.15, which is Chromium 87 (2020), from Debian's
# python3-pyqt5.qtwebengine. The task by a real mouse and keyboard, on the one file, without
# DecompressionStream as before Chrome 80, and on the site; then the desktop's widths, as the
# page fits them there; then Tab at either end of the window, which leaves the page for the
# browser's own address bar, as on any page. No dialog may show.
#   old_engine_test.py PAGE.html SITE_DIR
import functools
import http.server
import os
import sys
import threading

os.environ.setdefault("QT_QPA_PLATFORM", "xcb")  # on an X display: offscreen has no OpenGL
os.environ.setdefault("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --lang=bg")
os.environ.setdefault("QTWEBENGINE_DISABLE_SANDBOX", "1")

from PyQt5.QtCore import QEventLoop, QPoint, Qt, QTimer, QUrl  # noqa: E402
from PyQt5.QtTest import QTest  # noqa: E402
from PyQt5.QtWebEngineWidgets import (  # noqa: E402
    QWebEnginePage, QWebEngineProfile, QWebEngineScript, QWebEngineView)
from PyQt5.QtWidgets import QApplication, QLineEdit, QVBoxLayout, QWidget  # noqa: E402

ANSWER = "Въведени години: 45\nтип: Волски\n"
READY = "performance.getEntriesByName('vrenkodal-ready').length > 0"


class Page(QWebEnginePage):
    """Records each dialog instead of showing it."""

    def __init__(self, profile, parent):
        super().__init__(profile, parent)
        self.said = []

    def javaScriptAlert(self, origin, message):
        self.said.append(message)


class Browser:
    """A browser's window: its address bar, then the page."""

    def __init__(self):
        self.window = QWidget()
        self.address = QLineEdit(self.window)
        self.view = QWebEngineView(self.window)
        layout = QVBoxLayout(self.window)
        layout.setContentsMargins(0, 0, 0, 0)
        layout.setSpacing(0)
        layout.addWidget(self.address)
        layout.addWidget(self.view)
        # Off the record: nothing is kept from one run to the next, the service worker included.
        self.page = Page(QWebEngineProfile(self.view), self.view)
        self.view.setPage(self.page)
        self.window.show()
        # No window manager activates it under Xvfb; the keyboard's focus needs an active window.
        QApplication.setActiveWindow(self.window)

    def wait(self, milliseconds):
        loop = QEventLoop()
        QTimer.singleShot(milliseconds, loop.quit)
        loop.exec_()

    def evaluate(self, script):
        result = []
        loop = QEventLoop()
        self.page.runJavaScript(script, lambda value: (result.append(value), loop.quit()))
        QTimer.singleShot(5000, loop.quit)
        loop.exec_()
        return result[0] if result else None

    def wait_for(self, condition, seconds=10):
        for _ in range(seconds * 20):
            if self.evaluate(condition):
                return True
            self.wait(50)
        return False

    def open(self, url, width, height, taken_away=""):
        self.page.scripts().clear()
        if taken_away:
            script = QWebEngineScript()
            script.setSourceCode(taken_away)
            script.setInjectionPoint(QWebEngineScript.DocumentCreation)
            script.setWorldId(QWebEngineScript.MainWorld)
            self.page.scripts().insert(script)
        self.page.said = []
        self.window.resize(width, height + self.address.sizeHint().height())
        loop = QEventLoop()
        self.page.loadFinished.connect(loop.quit)
        self.page.load(QUrl(url))
        QTimer.singleShot(10000, loop.quit)
        loop.exec_()
        self.page.loadFinished.disconnect(loop.quit)
        return self.wait_for(READY)

    def click(self, element_id):
        """Scrolls to the element, as a pupil on a short screen would, and clicks its middle."""
        middle = self.evaluate(f"""(function (e) {{
            e.scrollIntoView({{block: "nearest"}});
            var r = e.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2];
        }})(document.getElementById("{element_id}"))""")
        target = self.view.focusProxy()
        QTest.mouseClick(target, Qt.LeftButton, Qt.NoModifier, QPoint(int(middle[0]), int(middle[1])))
        self.wait(100)

    def show_age(self, age):
        self.click("Text2")
        if not self.wait_for("document.activeElement.id == 'Text2'", 3):
            return "the age box took no focus"
        QTest.keyClicks(self.view.focusProxy(), age)
        self.click("Command1_0")
        self.wait_for("document.getElementById('Text1_0').value.indexOf('Въведени') == 0", 3)
        return self.evaluate("document.getElementById('Text1_0').value")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main():
    if len(sys.argv) != 3:
        print("usage: old_engine_test.py PAGE.html SITE_DIR", file=sys.stderr)
        return 2
    page, site = sys.argv[1:]
    app = QApplication(sys.argv[:1])  # noqa: F841 (kept alive for the whole run)
    browser = Browser()
    server = serve(site)
    site_url = f"http://localhost:{server.server_address[1]}/"
    file_url = QUrl.fromLocalFile(os.path.abspath(page)).toString()
    version = browser.page.profile().httpUserAgent()
    print("engine:", next(part for part in version.split() if part.startswith("Chrome/")))

    failures = []

    def check(name, ok, detail=""):
        print(("ok    " if ok else "FAIL  ") + name + ("" if ok else ": " + str(detail)))
        if not ok:
            failures.append(name)

    # The task: name, address, what is taken away before the page's scripts.
    task_rows = [
        ("file_starts_and_answers", file_url, ""),
        ("file_without_decompression_stream_inflates_it_itself", file_url,
         "delete window.DecompressionStream;"),
        ("site_starts_and_answers", site_url, ""),
        ("site_without_decompression_stream_inflates_it_itself", site_url,
         "delete window.DecompressionStream;"),
    ]
    for name, url, taken_away in task_rows:
        ready = browser.open(url, 1024, 768, taken_away)
        answer = browser.show_age("45") if ready else "not ready"
        check(name, ready and answer == ANSWER and not browser.page.said,
              {"answer": answer, "dialogs": browser.page.said})

    # The desktop's widths: name, view size, the window exact (461 x 345) or one column.
    fit_rows = [
        ("desktop_with_room_is_exact", 1024, 768, True),
        ("desktop_just_wide_enough_is_exact", 461, 740, True),
        ("desktop_window_450_is_one_column", 450, 600, False),
        ("desktop_zoomed_to_400_percent_is_one_column", 320, 192, False),
    ]
    for name, width, height, exact in fit_rows:
        ready = browser.open(file_url, width, height)
        seen = browser.evaluate("""(function () {
            var box = function (id) { return document.getElementById(id).getBoundingClientRect(); };
            var window = document.querySelector("main").getBoundingClientRect();
            var targets = ["Text2", "Command1_0", "Command1_1"].map(box);
            return {width: Math.round(window.width), height: Math.round(window.height),
                    sideways: document.documentElement.scrollWidth >
                              document.documentElement.clientWidth,
                    report_last: box("Text1_0").top >= Math.max.apply(null, targets.map(
                        function (r) { return r.bottom; }))};
        })()""") if ready else None
        fits = seen is not None and not seen["sideways"] and (
            (seen["width"], seen["height"]) == (461, 345) if exact else seen["report_last"])
        answer = browser.show_age("45") if ready else "not ready"
        check(name, fits and answer == ANSWER and not browser.page.said,
              {"seen": seen, "answer": answer, "dialogs": browser.page.said})

    # Tab at the ends of the window: name, the control clicked, the key, with Shift.
    tab_rows = [
        ("tab_from_the_last_control_leaves_for_the_address_bar", "Command1_1", False),
        ("shift_tab_from_the_first_control_leaves_for_the_address_bar", "Text1_0", True),
    ]
    for name, start, back in tab_rows:
        ready = browser.open(file_url, 1024, 768)
        browser.click(start)
        focused = browser.evaluate("document.activeElement.id")
        QTest.keyClick(browser.view.focusProxy(), Qt.Key_Tab,
                       Qt.ShiftModifier if back else Qt.NoModifier)
        browser.wait(200)
        check(name, ready and focused == start and browser.address.hasFocus(),
              {"clicked": focused, "focus": QApplication.focusWidget()})

    server.shutdown()
    total = len(task_rows) + len(fit_rows) + len(tab_rows)
    print(f"{total - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
