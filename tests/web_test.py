"""The page in a real Chromium: every transcript typed into it, its picture against the native
window's, its keys and buttons, play's pace, Escape; and a report of what a student waits for.
    web_test.py PAGE_FOLDER NATIVE_SCREENSHOT_TOOL REPORT_FILE [TEST ...]
Waits are for what the page shows (springChain's fields, the console's text), never fixed times."""
import os
import subprocess
import urllib.parse
import sys
import shutil
import tempfile
import unittest
import json
import zlib

import web_page

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "examples")
TRANSCRIPTS = os.path.join(HERE, "transcripts")
PAGE, SCREENSHOT_TOOL, REPORT = sys.argv[1:4] if len(sys.argv) >= 4 else (None, None, None)

WINDOW_PIXELS = 800
# The mass colours in 8 bits, mass 1 first: 0.2 * 255 = 51, 0.4 * 255 = 102, and so on.
MASS_COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 51, 0), (0, 255, 51), (51, 0, 255),
                (255, 102, 0), (0, 255, 102), (102, 0, 255), (255, 153, 0), (0, 255, 153),
                (153, 0, 255), (255, 204, 0), (0, 255, 204), (204, 0, 255), (255, 255, 0),
                (0, 255, 255), (255, 0, 255), (255, 255, 51), (51, 255, 255)]
report = []


def dialogue(name):
    """The lines a transcript's student typed: the example's, or the transcript's own input."""
    path = os.path.join(EXAMPLES, name + ".txt")
    if not os.path.exists(path):
        path = os.path.join(TRANSCRIPTS, name + ".in")
    with open(path, encoding="utf-8") as f:
        return f.read().splitlines()


def transcript(name):
    with open(os.path.join(TRANSCRIPTS, name + ".out"), encoding="utf-8") as f:
        return f.read()


def column_of(x):
    return (x + 1.0) * WINDOW_PIXELS / 2.0


def same_colour(a, b):
    return all(abs(p - q) <= 3 for p, q in zip(a, b))


def disc_centre_row(picture, column, colour):
    """The middle of the longest run of the colour down the column, 3 rows of another colour
    bridged (the chart's axis crosses the discs); None if the colour is not there."""
    best, first, last = None, None, None
    for y, row in enumerate(picture):
        if not same_colour(row[column], colour):
            continue
        if first is not None and y - last <= 4:
            last = y
        else:
            first = last = y
        if best is None or last - first > best[1] - best[0]:
            best = (first, last)
    return None if best is None else (best[0] + best[1]) / 2.0


def chart_end(picture, colour):
    """The rightmost column left of the chain's fixed end that holds the colour."""
    for x in range(int(column_of(0.0)) - 1, -1, -1):
        if any(same_colour(row[x], colour) for row in picture):
            return x
    return None


def caption_span(picture):
    """The first and last columns of dark text in the captions' band, the grid's lines aside
    (the columns dark also further down, where no caption is; the rows dark almost throughout)."""
    dark = lambda p: max(p) < 90
    columns = {x for x in range(WINDOW_PIXELS) if dark(picture[150][x]) and dark(picture[170][x])}
    rows = {y for y in range(20, 60) if sum(dark(p) for p in picture[y][:400]) > 300}
    text = [x for y in range(20, 60) if y not in rows for x in range(WINDOW_PIXELS)
            if dark(picture[y][x]) and not columns & {x - 1, x, x + 1}]
    return min(text), max(text)


def bars_along_the_base(picture):
    """The energy panel's bars along their base, left to right: 'L' for a mode's empty height, 'D'
    for its share; the panel found by its black border, 4 pixels inside the lower right corner."""
    inside, bottom = WINDOW_PIXELS - 6, WINDOW_PIXELS - 5
    top = next(y for y in range(bottom - 1, 0, -1) if picture[y][inside] == (0, 0, 0))
    for y in range(bottom - 2, top, -1):
        runs, last = "", " "
        for x in range(WINDOW_PIXELS - 6, 0, -1):
            c = "L" if same_colour(picture[y][x], (224,) * 3) else \
                "D" if same_colour(picture[y][x], (115,) * 3) else " "
            if c != " " and c != last:
                runs = c + runs
            last = c
        if runs:
            return runs
    return ""


def mass_column(k, n):
    return int(column_of(0.01 + k * 0.98 / (n + 1)))


def setUpModule():
    global server_address, browser, page
    server_address = web_page.serve(PAGE)
    browser = web_page.Browser()
    page = browser.page()


def tearDownModule():
    page.close()
    browser.close()


def start(name):
    """The page afresh, the transcript's dialogue typed into it, the window's first frame shown."""
    assert page.load(server_address), "the page asked nothing"
    for line in dialogue(name):
        if page.js("springChain.framesDrawn > 0"):
            break
        page.answer(line)
    assert page.wait_for("springChain.framesDrawn > 0 && !springChain.waitingForInput"), \
        "the window's first frame"


def frames():
    return page.js("springChain.framesDrawn")


def press_and_wait(key, button=False):
    """A key pressed on the canvas (or its button), once the frame it brings is drawn."""
    before = frames()
    if button:
        page.click(key)
    else:
        page.key(key)
    assert page.wait_for("springChain.framesDrawn > %d" % before), "no frame after " + repr(key)


class Transcripts(unittest.TestCase):
    NAMES = ["two_masses_typed_start", "three_masses_mode_start", "six_masses_plucked",
             "unequal_masses", "free_ends", "split_chain", "twenty_masses_mode_start",
             "bad_input", "bad_mode_number"]

    def test_every_transcript_typed_into_the_page_reads_as_at_a_terminal(self):
        for name in self.NAMES:
            with self.subTest(name):
                start(name)
                self.assertEqual(page.console_text(), transcript(name))
                self.assertTrue(page.js("document.title").startswith("n-DOF自由振動"))


    def test_a_dialogue_from_the_address_a_paste_or_a_file_reads_as_typed(self):
        # A dialogue file with a byte order mark and full-width digits reads as the plain one.
        with tempfile.TemporaryDirectory() as folder:
            fancy = os.path.join(folder, "fancy.txt")
            with open(fancy, "w", encoding="utf-8") as f:
                f.write("\ufeff" + "\n".join(dialogue("six_masses_plucked")).translate(
                    str.maketrans("0123456789", "０１２３４５６７８９")) + "\n")
            for name, how in [("three_masses_mode_start", "?input="),
                              ("six_masses_plucked", "#input="), ("bad_input", "#input="),
                              ("twenty_masses_mode_start", "paste"),
                              ("unequal_masses", "file"), ("six_masses_plucked", fancy)]:
                with self.subTest(name=name, how=how):
                    text = "\n".join(dialogue(name)) + "\n"
                    if how.endswith("input="):
                        self.assertTrue(page.load(server_address + how + urllib.parse.quote(text),
                                                  asks=False))
                    elif how == "paste":
                        self.assertTrue(page.load(server_address))
                        page.js("(() => { const d = new DataTransfer(); d.setData('text/plain', %s);"
                                "document.getElementById('console-input').dispatchEvent(new "
                                "ClipboardEvent('paste', {clipboardData: d, bubbles: true, "
                                "cancelable: true})); })()" % json.dumps(text))
                    else:
                        self.assertTrue(page.load(server_address))
                        path = how if how != "file" else os.path.realpath(
                            os.path.join(EXAMPLES, name + ".txt"))
                        page.choose_file("file", path)  # the page starts afresh with it
                    self.assertTrue(page.wait_for("location.hash.includes('input=') || "
                                                  "location.search.includes('input=') || "
                                                  "springChain.framesDrawn > 0"))
                    self.assertTrue(page.wait_for("springChain.framesDrawn > 0"))
                    self.assertEqual(page.console_text(), transcript(name))

    def test_english_on_the_page_and_a_switch_back(self):
        text = "\n".join(dialogue("two_masses_typed_start")) + "\n"
        self.assertTrue(page.load(server_address + "?lang=en#input=" + urllib.parse.quote(text),
                                  asks=False))
        self.assertTrue(page.wait_for("springChain.framesDrawn > 0"))
        self.assertEqual(page.console_text(), transcript("two_masses_typed_start.en"))
        self.assertEqual(page.js("document.documentElement.lang"), "en")
        self.assertTrue(page.js("document.title").startswith("Chain of masses and springs"))
        self.assertEqual(page.js("document.querySelector('[data-key=s]').getAttribute('aria-label')"),
                         "One frame further, and pause")
        page.js("document.getElementById('switch-language').click()")
        self.assertTrue(page.wait_for("document.documentElement.lang === 'ja' && "
                                      "typeof springChain !== 'undefined' && "
                                      "springChain.framesDrawn > 0"))
        self.assertEqual(page.console_text(), transcript("two_masses_typed_start"))

    def test_an_input_method_s_full_width_values_and_y_read_as_their_ascii(self):
        texts = []
        for lines in (["２", "１　１", "１．５　１　１", "２", "ｙ", "１"],
                      ["2", "1 1", "1.5 1 1", "2", "y", "1"]):
            self.assertTrue(page.load(server_address))
            for line in lines:
                if page.js("springChain.waitingFor") == "key" and line == "ｙ":
                    page.call("Input.insertText", text=line)  # as an input method types it
                else:
                    page.answer(line)
            self.assertTrue(page.wait_for("springChain.framesDrawn > 0"))
            texts.append(page.console_text())
        self.assertEqual(texts[0], texts[1])
        self.assertIn("第1モード\u3000ω0=", texts[0])


class Picture(unittest.TestCase):
    def test_the_canvas_shows_what_the_native_window_shows(self):
        steps = 150
        with tempfile.TemporaryDirectory() as folder:
            native_file = os.path.join(folder, "native.png")
            subprocess.run([SCREENSHOT_TOOL, os.path.join(EXAMPLES, "six_masses_plucked.txt"),
                            str(steps), native_file], check=True, timeout=600)
            with open(native_file, "rb") as f:
                native = web_page.read_png(f.read())
        start("six_masses_plucked")
        for _ in range(steps):
            press_and_wait("s")
        shown = page.picture()
        self.assertEqual((len(shown[0]), len(shown)), (WINDOW_PIXELS, WINDOW_PIXELS))
        for k in range(1, 7):
            colour = MASS_COLOURS[k - 1]
            expected = disc_centre_row(native, mass_column(k, 6), colour)
            found = disc_centre_row(shown, mass_column(k, 6), colour)
            self.assertIsNotNone(expected, "mass %d natively" % k)
            self.assertIsNotNone(found, "mass %d in the page" % k)
            self.assertLessEqual(abs(found - expected), 2.0, "mass %d" % k)
            native_end, shown_end = chart_end(native, colour), chart_end(shown, colour)
            self.assertIsNotNone(shown_end, "curve %d in the page" % k)
            self.assertLessEqual(abs(shown_end - native_end), 2, "curve %d" % k)
        # The captions start where the native ones do and, in a font of Helvetica's widths, end
        # within a few per cent of where they end.
        (native_left, native_right), (left, right) = caption_span(native), caption_span(shown)
        self.assertLessEqual(abs(left - native_left), 3)
        self.assertLessEqual(abs(right - native_right), 0.08 * (native_right - native_left))


class Keys(unittest.TestCase):
    def setUp(self):
        start("two_masses_typed_start")

    def test_step_and_scales_change_the_picture_from_keys_and_buttons(self):
        for key, button in [("s", False), ("t", False), ("T", True), ("y", True), ("Y", False),
                            ("s", True)]:
            with self.subTest(key=key, button=button):
                before = page.picture()
                press_and_wait(key, button)
                self.assertNotEqual(page.picture(), before)

    def test_space_plays_and_pauses_and_a_held_space_toggles_once(self):
        page.key(" ")
        self.assertTrue(page.wait_for("springChain.playing"))
        moving = frames()
        self.assertTrue(page.wait_for("springChain.framesDrawn > %d" % (moving + 3)))
        page.click(" ")
        self.assertTrue(page.wait_for("!springChain.playing"))
        page.key(" ", up=False)
        for _ in range(5):
            page.key(" ", repeat=True, up=False)
        page.key(" ", repeat=True)
        self.assertTrue(page.wait_for("springChain.playing"))
        page.key(" ")
        self.assertTrue(page.wait_for("!springChain.playing"))

    def test_keys_that_ask_in_the_console_run_its_dialogue_with_the_canvas_kept(self):
        # 'c' redraws at the dialogue's end; 'n', 'm' and 'j' leave the last frame until 's'.
        help_end = transcript("two_masses_typed_start").splitlines(True)[-1]
        for key, button, answers in [("c", False, ["1"]), ("c", True, ["2"]),
                                     ("n", False, dialogue("three_masses_mode_start")),
                                     ("m", True, ["2 2 2", "1 1 1 1", "3", "n", "0.1 0", "0 0",
                                                  "0 0"]),
                                     ("j", False, ["y", "2"])]:
            with self.subTest(key=key, button=button):
                written = len(page.console_text())
                drawn = frames()
                if button:
                    page.click(key)
                else:
                    page.key(key)
                self.assertTrue(page.wait_for("springChain.waitingForInput"))
                page.key("s")  # aimed at the window while the console waits: dropped
                for line in answers:
                    if not page.js("springChain.waitingForInput"):
                        break
                    self.assertEqual(frames(), drawn)
                    page.answer(line)
                if key == "c":
                    self.assertTrue(page.wait_for("springChain.framesDrawn > %d" % drawn))
                else:
                    self.assertTrue(page.wait_for("!springChain.waitingForInput"))
                    self.assertTrue(page.console_text().endswith(help_end))
                    self.assertEqual(frames(), drawn)
                    press_and_wait("s")
                self.assertFalse(page.js("springChain.waitingForInput"))
                self.assertGreater(len(page.console_text()), written)
                self.assertTrue(page.js("document.activeElement === Module.canvas"))

    def test_escape_ends_the_program_cleanly_and_the_page_offers_a_new_start(self):
        press_and_wait("s")
        page.key("\x1b")
        self.assertTrue(page.wait_for("springChain.exited"))
        self.assertEqual(page.js("springChain.exitStatus"), 0)
        self.assertFalse(page.js("document.getElementById('ended').hidden"))
        self.assertFalse(page.js("document.getElementById('ended-cover').hidden"))
        self.assertEqual(page.js("document.title"), "spring-chain ばねとマスの鎖の振動")
        kept = page.js("(() => { const c = document.createElement('canvas'); c.width = 800;"
                       "c.height = 800; const x = c.getContext('2d');"
                       "x.drawImage(document.getElementById('last-picture'), 0, 0);"
                       "return x.getImageData(22, 620, 1, 1).data[0]; })()")
        self.assertEqual(kept, 255, "the last picture stays, white where it was white")
        self.assertEqual(page.exceptions, [])
        page.js("document.getElementById('again').click()")
        self.assertTrue(page.wait_for("typeof springChain !== 'undefined' && "
                                      "springChain.waitingForInput && !springChain.exited"))
        self.assertEqual(page.exceptions, [])

    def test_tab_moves_the_focus_and_never_answers_or_acts(self):
        drawn = frames()
        page.key("\t")
        self.assertEqual(page.js("document.activeElement.tagName"), "BUTTON")
        self.assertEqual(frames(), drawn)
        page.key("c")
        self.assertTrue(page.wait_for("springChain.waitingForInput"))
        page.answer("2")
        start_text = len(page.console_text())
        page.key("j")
        self.assertTrue(page.wait_for("springChain.waitingFor === 'key'"))
        page.key("\t", target="console-input")
        self.assertEqual(page.js("springChain.waitingFor"), "key", "Tab answers nothing")
        self.assertGreater(len(page.console_text()), start_text)

    def test_two_saves_within_a_second_have_two_names(self):
        page.key("p")
        page.key("p")
        self.assertTrue(page.wait_for("springChain.downloads.length == 4"))
        names = page.js("springChain.downloads")
        self.assertEqual(len(set(names)), 4, names)
        self.assertTrue(names[2].endswith("-2.png") or names[2][:-4] > names[0][:-4], names)

    def test_a_hidden_tab_pauses_play_and_showing_it_plays_on_from_there(self):
        page.key(" ")
        self.assertTrue(page.wait_for("springChain.playing && springChain.framesDrawn > 10"))
        other = page.call("Target.createTarget", url="about:blank")["targetId"]
        page.call("Target.activateTarget", targetId=other)
        self.assertTrue(page.wait_for("document.visibilityState === 'hidden' && "
                                      "!springChain.playing"))
        paused = page.js("springChain.simulatedTime")
        page.js("new Promise(done => setTimeout(done, 3000))")  # the tab stays hidden a while
        self.assertEqual(page.js("springChain.simulatedTime"), paused)
        page.call("Target.closeTarget", targetId=other)
        self.assertTrue(page.wait_for("document.visibilityState === 'visible' && "
                                      "springChain.playing"))
        self.assertLess(abs(page.js("springChain.simulatedTime") - paused), 0.2 + 0.04 * 5)


class Report(unittest.TestCase):
    """'e' draws the panel and reports a mode start's shares; 'p' downloads the picture the
    student sees and the run's record."""

    def setUp(self):
        start("three_masses_mode_start")
        self.folder = tempfile.mkdtemp(prefix="spring-chain-downloads-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        page.call("Page.setDownloadBehavior", behavior="allow", downloadPath=self.folder)

    def test_e_draws_the_panel_with_one_full_bar_for_a_mode_start(self):
        press_and_wait("e")
        panel = page.picture()
        self.assertTrue(page.wait_for("document.getElementById('console-output').textContent"
                                      ".includes('第3モード　ω0=18.4776[rad/s]　100.0000[%]')"))
        self.assertEqual(bars_along_the_base(panel), "LLD", "mode 3 has it all")

    def test_p_downloads_the_picture_and_the_record(self):
        press_and_wait("s")
        shown = page.picture()
        page.key("p")
        self.assertTrue(page.wait_for("springChain.downloads.length == 2"))
        png, csv = page.js("springChain.downloads")
        self.assertRegex(png, r"^spring-chain-\d{8}-\d{6}\.png$")
        self.assertEqual(csv, png[:-4] + ".csv")
        paths = [os.path.join(self.folder, name) for name in (png, csv)]
        # The browser writes a download under a name of its own and renames it when complete.
        self.assertTrue(web_page.wait_until(lambda: all(os.path.exists(p) for p in paths)))
        with open(paths[0], "rb") as f:
            saved = web_page.read_png(f.read())
        self.assertEqual((len(saved), len(saved[0])), (WINDOW_PIXELS, WINDOW_PIXELS))
        unlike = sum(not same_colour(a, b) for x, y in zip(saved, shown) for a, b in zip(x, y))
        self.assertLess(unlike, WINDOW_PIXELS * WINDOW_PIXELS // 1000, "the picture on screen")
        with open(paths[1], encoding="utf-8") as f:
            rows = f.read().splitlines()
        self.assertEqual(rows[7], "t [s],x1 [m],x2 [m],x3 [m]")
        self.assertEqual([r.split(",")[0] for r in rows[8:]], ["0", "0.04"])
        self.assertIn("画像と応答データを保存しました：%s，%s\n" % (png, csv), page.console_text())


    def test_v_and_w_take_the_charts_place_and_p_downloads_the_spectrum_too(self):
        press_and_wait("s")
        chart = page.picture()
        press_and_wait("v", button=True)
        self.assertNotEqual(page.picture(), chart, "the modes in the chart's place")
        press_and_wait("v", button=True)
        self.assertEqual(page.picture(), chart, "the chart back as it was")
        press_and_wait("w", button=True)
        page.key("p")
        self.assertTrue(page.wait_for("springChain.downloads.length == 3"))
        png, csv, spectrum = page.js("springChain.downloads")
        self.assertEqual(spectrum, png[:-4] + "-spectrum.csv")
        self.assertIn("画像と応答データとスペクトルを保存しました：%s，%s，%s\n" % (png, csv, spectrum),
                      page.console_text())


class Pace(unittest.TestCase):
    def test_play_runs_at_25_frames_a_second_of_wall_time(self):
        start("twenty_masses_mode_start")
        page.key(" ")
        self.assertTrue(page.wait_for("springChain.playing"))
        # The first second fills the chart with all twenty curves; the next four are measured.
        page.js("new Promise(done => setTimeout(done, 1000))")
        measured = page.js("""new Promise(done => {
            const frames = springChain.framesDrawn, drawing = springChain.drawingMilliseconds;
            const began = performance.now();
            setTimeout(() => done([springChain.framesDrawn - frames,
                                   springChain.drawingMilliseconds - drawing,
                                   performance.now() - began]), 4000);
        })""")
        count, drawing, elapsed = measured
        rate = count / (elapsed / 1000.0)
        report.append("play: %.2f frames per second of wall time (%d frames in %.0f ms)"
                      % (rate, count, elapsed))
        report.append("display callback, 20 masses and 20 curves: %.2f ms per frame"
                      % (drawing / max(count, 1)))
        self.assertAlmostEqual(rate, 25.0, delta=1.0)


class Access(unittest.TestCase):
    """Someone who hears the page, or holds a phone."""

    def tearDown(self):
        page.call("Emulation.clearDeviceMetricsOverride")

    def test_the_pane_is_a_log_and_everything_has_a_name(self):
        start("two_masses_typed_start")
        self.assertEqual(page.js("document.getElementById('console-output').getAttribute('role')"),
                         "log")
        self.assertEqual(page.js("document.getElementById('console-output')"
                                 ".getAttribute('aria-live')"), "polite")
        self.assertIn("鎖", page.js("document.getElementById('canvas').getAttribute('aria-label')"))
        press_and_wait("s")
        self.assertIn("時刻 0.04 秒", page.js("document.getElementById('canvas-description')"
                                             ".textContent"))
        names = page.js("[...document.querySelectorAll('#keys button')]"
                        ".map(b => b.getAttribute('aria-label'))")
        self.assertIn("1 フレーム進める", names)
        self.assertTrue(all(len(name) > 1 for name in names), names)
        self.assertTrue(page.js("document.getElementById('console-input').labels[0]"
                                ".textContent.length > 0"))

    def test_a_phone_shows_big_enough_buttons_and_text_without_errors_on_taps(self):
        page.call("Emulation.setDeviceMetricsOverride", width=375, height=667,
                  deviceScaleFactor=2, mobile=True)
        page.call("Emulation.setTouchEmulationEnabled", enabled=True)
        start("two_masses_typed_start")
        press_and_wait("e", button=True)
        heights = page.js("[...document.querySelectorAll('#keys button')]"
                          ".map(b => b.getBoundingClientRect().height)")
        self.assertGreaterEqual(min(heights), 44)
        self.assertGreaterEqual(page.js("springChain.smallestText"), 11)
        box = page.js("(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
                      "return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        for kind in ("touchStart", "touchEnd"):
            page.call("Input.dispatchTouchEvent", type=kind,
                      touchPoints=[] if kind == "touchEnd" else [{"x": box[0], "y": box[1]}])
        page.js("new Promise(done => setTimeout(done, 0))")
        self.assertFalse([m for m in page.messages if "passive" in m], page.messages)
        page.call("Emulation.setTouchEmulationEnabled", enabled=False)

    def test_twice_the_zoom_needs_no_scrolling_sideways(self):
        page.call("Emulation.setDeviceMetricsOverride", width=700, height=500,
                  deviceScaleFactor=2, mobile=False)
        start("two_masses_typed_start")
        self.assertLessEqual(page.js("document.documentElement.scrollWidth"),
                             page.js("document.documentElement.clientWidth"))


class Delivery(unittest.TestCase):
    def test_the_page_loads_from_its_own_host_alone_and_asks_at_once(self):
        page.load(server_address)  # warms the cache
        self.assertTrue(page.load(server_address))
        report.append("page load to the first prompt, warm: %.0f ms"
                      % page.js("springChain.firstPromptAt"))
        host = server_address.rsplit("/", 1)[0]
        foreign = [u for u in page.requested if not u.startswith((host, "data:", "blob:"))]
        self.assertEqual(foreign, [])
        compressed = subprocess.run(
            "cat %s/index.html %s/index.js | gzip -9 | wc -c; gzip -9 < %s/index.wasm | wc -c"
            % (PAGE, PAGE, PAGE), shell=True, check=True, capture_output=True, text=True)
        total = sum(int(n) for n in compressed.stdout.split())
        report.append("transferred, gzipped: %.0f KB (index.html, index.js, index.wasm)"
                      % (total / 1024.0))

    def test_the_one_file_page_runs_from_a_folder_and_the_others_say_what_to_do(self):
        single = os.path.realpath(os.path.join(PAGE, "..", "spring-chain.html"))
        page.load("file://" + single)  # warms the cache
        self.assertTrue(page.load("file://" + single))
        report.append("one-file page from file://, load to the first prompt: %.0f ms"
                      % page.js("springChain.firstPromptAt"))
        with open(single, "rb") as f:
            size = len(zlib.compress(f.read(), 9))
        report.append("one-file page, gzipped: %.0f KB" % (size / 1024.0))
        text = "\n".join(dialogue("six_masses_plucked")) + "\n"
        self.assertTrue(page.load("file://" + single + "#input=" + urllib.parse.quote(text),
                                  asks=False))
        self.assertTrue(page.wait_for("springChain.framesDrawn > 0"))
        self.assertEqual(page.console_text(), transcript("six_masses_plucked"))
        self.assertEqual(page.exceptions, [])
        page.load("file://" + os.path.realpath(os.path.join(PAGE, "index.html")), asks=None)
        self.assertTrue(page.wait_for("springChain.failure !== null"))
        self.assertIn("spring-chain.html", page.console_text())


if __name__ == "__main__":
    outcome = unittest.main(argv=sys.argv[:1] + sys.argv[4:], exit=False, verbosity=2)
    with open(REPORT, "w", encoding="utf-8") as f:
        f.write("\n".join(report) + "\n")
    print("\n".join(report))
    sys.exit(0 if outcome.result.wasSuccessful() else 1)
