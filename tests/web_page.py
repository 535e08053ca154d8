"""The page in a real Chromium, driven through its DevTools protocol (python3-websocket): the page
served from a folder on localhost, a headless browser, and what a test needs of them. Every wait
is for a state the page shows (springChain's fields, the console's text), never a fixed time."""
import base64
import functools
import http.server
import json
import os
import shutil
import struct
import subprocess
import tempfile
import threading
import time
import urllib.request
import zlib

import websocket

PATIENCE = 120.0  # seconds: software WebGL on a busy machine is slow to start


def wait_until(done, seconds=PATIENCE):
    """Asks `done` every 20 ms until it holds (true) or the time is up (false)."""
    deadline = time.time() + seconds
    while not done():
        if time.time() > deadline:
            return False
        time.sleep(0.02)
    return True


def read_text(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def serve(folder):
    """Serves the folder on a free port of localhost; returns the page's address."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d/index.html" % server.server_address[1]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


class Browser:
    """Debian's Chromium, headless, software WebGL (SwiftShader), a profile of its own."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="spring-chain-chromium-")
        self.process = subprocess.Popen(
            ["chromium", "--headless", "--no-sandbox", "--use-angle=swiftshader",
             "--enable-unsafe-swiftshader", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--window-size=1400,1000", "--remote-debugging-port=0",
             "--user-data-dir=" + self.profile, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.time() + PATIENCE
        while not (os.path.exists(port_file) and read_text(port_file).strip()):
            if time.time() > deadline:
                raise RuntimeError("Chromium did not start")
            time.sleep(0.05)
        self.port = read_text(port_file).split()[0]

    def page(self):
        with urllib.request.urlopen("http://127.0.0.1:%s/json/list" % self.port) as reply:
            listing = json.load(reply)
        target = [t for t in listing if t["type"] == "page"][0]
        return Page(target["webSocketDebuggerUrl"])

    def close(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class Page:
    def __init__(self, address):
        # Without an Origin header: Chromium refuses DevTools connections from pages it was not
        # told to allow (403), and some releases count the client's default origin as one.
        self.socket = websocket.create_connection(address, max_size=None, suppress_origin=True)
        self.sequence = 0
        self.requested = []
        self.exceptions = []  # what the page threw and nobody caught
        self.messages = []    # what the browser said in the developer console
        self.call("Page.enable")
        self.call("Network.enable")
        self.call("Runtime.enable")
        self.call("Log.enable")

    def call(self, method, **params):
        self.sequence += 1
        self.socket.send(json.dumps({"id": self.sequence, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            event = message.get("method")
            if event == "Network.requestWillBeSent":
                self.requested.append(message["params"]["request"]["url"])
            elif event == "Runtime.exceptionThrown":
                self.exceptions.append(message["params"]["exceptionDetails"])
            elif event == "Log.entryAdded":
                self.messages.append(message["params"]["entry"].get("text", ""))
            elif event == "Runtime.consoleAPICalled":
                self.messages.append(" ".join(str(a.get("value", "")) for a in
                                              message["params"].get("args", [])))
            if message.get("id") == self.sequence:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})

    def close(self):
        self.socket.close()

    def js(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        return result.get("result", {}).get("value")

    def wait_for(self, expression, seconds=PATIENCE):
        return wait_until(lambda: self.js(expression), seconds)

    def load(self, address, asks=True):
        """Loads the page afresh; true once the program asks its first question (or, when `asks`
        is false, once the program has started; when it is None, at once)."""
        self.requested = []
        self.exceptions = []
        self.messages = []
        if "#" in address:  # a new fragment alone would not load the page again
            self.call("Page.navigate", url="about:blank")
        self.call("Page.navigate", url=address)
        if asks is None:
            return True
        if not asks:
            return self.wait_for("typeof springChain !== 'undefined' && "
                                 "(springChain.framesDrawn > 0 || springChain.waitingForInput)")
        return self.wait_for("typeof springChain !== 'undefined' && springChain.waitingForInput")

    def console_text(self):
        return self.js("document.getElementById('console-output').textContent")

    def answer(self, line):
        """Types one line of a dialogue when the program asks: the line and Enter, or, at the
        yes/no question, its first character as one key (the rest of the line dropped, as a
        dialogue read from a file drops it)."""
        if not self.wait_for("springChain.waitingForInput || springChain.exited"):
            raise RuntimeError("the program did not ask")
        if self.js("springChain.waitingFor") == "key":
            self.key(line.strip()[:1] or "\r", target="console-input")
            return
        self.js("document.getElementById('console-input').focus()")
        if line:
            self.call("Input.insertText", text=line)
        self.key("\r", target=None)

    KEY_CODES = {"\r": ("Enter", 13), " ": (" ", 32), "\x1b": ("Escape", 27), "\t": ("Tab", 9)}

    def key(self, character, target="canvas", repeat=False, up=True):
        """Presses a key on an element of the page (the canvas by default)."""
        if target:
            self.js("document.getElementById('%s').focus()" % target)
        name, code = self.KEY_CODES.get(character, (character, ord(character.upper())))
        text = "" if character in ("\x1b", "\t") else character
        shift = 8 if character.isupper() else 0
        self.call("Input.dispatchKeyEvent", type="keyDown", key=name, text=text,
                  unmodifiedText=text, windowsVirtualKeyCode=code, modifiers=shift,
                  autoRepeat=repeat)
        if up:
            self.call("Input.dispatchKeyEvent", type="keyUp", key=name,
                      windowsVirtualKeyCode=code, modifiers=shift)

    def choose_file(self, element, path):
        """Chooses a file in a file input of the page, as the student would in its dialog."""
        document = self.call("DOM.getDocument")
        node = self.call("DOM.querySelector", nodeId=document["root"]["nodeId"],
                         selector="#" + element)
        self.call("DOM.setFileInputFiles", files=[path], nodeId=node["nodeId"])

    def click(self, key):
        """Clicks the button of a key with the mouse, at the button's middle."""
        x, y = self.js("(() => { const b = document.querySelector('#keys button[data-key=\"%s\"]');"
                       "b.scrollIntoView({block: 'nearest'}); const r = b.getBoundingClientRect();"
                       "return [r.x + r.width / 2, r.y + r.height / 2]; })()" % key)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def picture(self):
        """What the student sees of the canvas (captions included), as rows of RGB tuples."""
        # The clip is in the page's coordinates, the box in the viewport's: the page may scroll.
        box = self.js("(() => { const r = document.getElementById('canvas')"
                      ".getBoundingClientRect(); return [r.x + scrollX, r.y + scrollY, r.width,"
                      " r.height]; })()")
        shot = self.call("Page.captureScreenshot", format="png", clip={
            "x": box[0], "y": box[1], "width": box[2], "height": box[3], "scale": 1})
        return read_png(base64.b64decode(shot["data"]))


def read_png(data):
    """An 8-bit RGB or RGBA PNG, not interlaced, as rows of RGB tuples."""
    width, height, depth, kind = struct.unpack(">IIBB", data[16:26])
    assert depth == 8 and kind in (2, 6), "an 8-bit RGB or RGBA PNG"
    packed, at = b"", 8
    while at < len(data):
        length, name = struct.unpack(">I4s", data[at:at + 8])
        if name == b"IDAT":
            packed += data[at + 8:at + 8 + length]
        at += 12 + length
    raw = zlib.decompress(packed)
    size = 3 if kind == 2 else 4
    stride = width * size
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind_of_filter = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        unfilter(kind_of_filter, line, previous, size)
        rows.append([tuple(line[x * size:x * size + 3]) for x in range(width)])
        previous = line
    return rows


def unfilter(kind, line, previous, size):
    for i in range(len(line)):
        left = line[i - size] if i >= size else 0
        up = previous[i]
        corner = previous[i - size] if i >= size else 0
        if kind == 1:
            line[i] = (line[i] + left) & 0xFF
        elif kind == 2:
            line[i] = (line[i] + up) & 0xFF
        elif kind == 3:
            line[i] = (line[i] + (left + up) // 2) & 0xFF
        elif kind == 4:
            p = left + up - corner
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
            line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
