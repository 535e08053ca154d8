// The page in a real browser, Debian's Chromium (headless, over CDP) or its Firefox ESR (under
// Xvfb, over WebDriver BiDi), both driven by puppeteer-core: the page served from a folder on
// localhost, the browser, and what a test needs of them. Every wait is for a state the page shows
// (springChain's fields, the console's text), never a fixed time.
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";
import {readPng} from "./png.mjs";

export const PATIENCE = 120000; // ms: software WebGL on a busy machine is slow to start

const TYPES = {".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm"};

// Serves the folder on a free port of localhost; resolves to the page's address.
export function serve(folder) {
  const server = http.createServer(function(request, reply) {
    const file = path.join(folder, decodeURIComponent(new URL(request.url, "http://x").pathname));
    fs.readFile(file, function(failure, bytes) {
      if (failure) {
        reply.writeHead(404);
        reply.end();
        return;
      }
      reply.writeHead(200, {"Content-Type": TYPES[path.extname(file)] || "text/plain"});
      reply.end(request.method === "HEAD" ? undefined : bytes);
    });
  });
  return new Promise(done => server.listen(0, "127.0.0.1", function() {
    server.unref();
    done("http://127.0.0.1:" + server.address().port + "/index.html");
  }));
}

// The browser of that name, with its downloads going to `downloads`.
export async function launch(name, downloads) {
  if (name === "firefox") {
    // Firefox without a GPU has no WebGL unless told to use its software one.
    return puppeteer.launch({
      browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: false,
      protocolTimeout: PATIENCE, args: ["--width=1400", "--height=1000"],
      extraPrefsFirefox: {
        "webgl.force-enabled": true, "browser.download.dir": downloads,
        "browser.download.folderList": 2, "browser.download.useDownloadDir": true,
        "browser.download.always_ask_before_handling_new_types": false,
        "browser.download.alwaysOpenPanel": false, "dom.disable_open_during_load": false,
      },
    });
  }
  return puppeteer.launch({
    executablePath: "/usr/bin/chromium", headless: true, protocolTimeout: PATIENCE,
    downloadBehavior: {policy: "allow", downloadPath: downloads},
    args: ["--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
           "--disable-gpu", "--window-size=1400,1000", "--no-first-run"],
  });
}

export async function newPage(browser) {
  const page = new Page(await browser.newPage());
  await page.viewport({width: 1400, height: 1000});
  return page;
}

export class Page {
  constructor(p) {
    this.p = p;
    this.exceptions = []; // what the page threw and nobody caught
    this.messages = [];   // what the browser said in the developer console
    this.requested = [];
    p.on("pageerror", error => this.exceptions.push(String(error && error.message || error)));
    p.on("console", message => this.messages.push(message.text()));
    p.on("request", request => this.requested.push(request.url()));
  }

  // The page's viewport. A Firefox before 141 (Debian 12's without its security updates) has no
  // screen orientation to set, which puppeteer sets with the viewport: the viewport is set all the
  // same.
  async viewport(size) {
    try {
      await this.p.setViewport(size);
    } catch (error) {
      if (!/setScreenOrientationOverride/.test(error.message)) throw error;
    }
  }

  js(expression) {
    return this.p.evaluate(expression);
  }

  // True once the expression holds, false when the time is up; asked every 50 ms, and asked again
  // while the page is being replaced. (puppeteer's waitForFunction needs a Firefox newer than
  // Debian 12's 140 ESR.)
  async waitFor(expression, ms = PATIENCE) {
    const deadline = Date.now() + ms;
    for (;;) {
      try {
        if (await this.p.evaluate(expression)) return true;
      } catch (navigating) {
        // no document to ask yet
      }
      if (Date.now() > deadline) return false;
      await new Promise(done => setTimeout(done, 50));
    }
  }

  // Loads the page afresh; true once the program asks its first question (or, when `asks` is
  // false, once the program has started; when it is null, at once).
  async load(address, asks = true) {
    this.exceptions = [];
    this.messages = [];
    this.requested = [];
    await this.p.goto("about:blank");
    await this.p.goto(address);
    if (asks === null) return true;
    return this.waitFor(asks ? "typeof springChain !== 'undefined' && springChain.waitingForInput"
                             : "typeof springChain !== 'undefined' && (springChain.framesDrawn > 0" +
                               " || springChain.waitingForInput)");
  }

  // The program's own text in the console pane: what the student typed and the page's own
  // lines left out.
  consoleText() {
    return this.js(() => [...document.getElementById("console-output").childNodes]
        .filter(node => !(node.classList && node.classList.length))
        .map(node => node.textContent).join(""));
  }

  // Types one line of a dialogue when the program asks: the line and Enter, or, at the yes/no
  // question, its first character as one key (Enter for a blank line).
  async answer(line) {
    if (!await this.waitFor("springChain.waitingForInput || springChain.exited")) {
      throw new Error("the program did not ask");
    }
    if (await this.js("springChain.waitingFor") === "key") {
      await this.key([...line.trim()][0] || "Enter", "console-input");
      return;
    }
    await this.p.evaluate(value => {
      const input = document.getElementById("console-input");
      input.focus();
      input.value = value;
    }, line);
    await this.p.keyboard.press("Enter");
  }

  // Presses a key (a character, or a key's name: "Enter", "Escape", "Tab", "Backspace" ...) on an
  // element of the page, the canvas by default; `hold` leaves it down, `repeat` presses it again.
  async key(name, target = "canvas", {hold = false} = {}) {
    if (target) await this.p.evaluate(id => document.getElementById(id).focus(), target);
    const shift = name.length === 1 && name !== name.toLowerCase();
    if (shift) await this.p.keyboard.down("Shift");
    await this.p.keyboard.down(name);
    if (!hold) await this.p.keyboard.up(name);
    if (shift) await this.p.keyboard.up("Shift");
  }

  async release(name) {
    await this.p.keyboard.up(name);
  }

  // Clicks the button of a key with the mouse, at the button's middle.
  async click(key) {
    const button = await this.p.$(`#keys button[data-key="${key}"]`);
    await button.click();
  }

  // Chooses a file in a file input of the page, as the student would in its dialog.
  async chooseFile(id, file) {
    const element = await this.p.$("#" + id);
    await element.uploadFile(file);
  }

  // What the student sees of the canvas (captions included), as rows of RGB arrays.
  async picture() {
    const box = await this.js(() => {
      const canvas = document.getElementById("canvas");
      canvas.scrollIntoView({block: "nearest"});
      const r = canvas.getBoundingClientRect();
      return [r.x + scrollX, r.y + scrollY, r.width, r.height];
    });
    const shot = await this.p.screenshot({
      clip: {x: box[0], y: box[1], width: box[2], height: box[3]}, type: "png"});
    return readPng(Buffer.from(shot));
  }
}

export function temporaryFolder(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}
