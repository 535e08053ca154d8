// The page as delivered and as used: its names for those who hear it, a phone, zoom, its own host
// alone, the one-file page, play.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import zlib from "node:zlib";
import {dialogue, pressAndWait, start, transcript} from "./helpers.mjs";

const DESKTOP = {width: 1400, height: 1000};

export default [
  ["the pane is a log and everything has a name", async function(t) {
    await start(t, "two_masses_typed_start");
    assert.equal(await t.page.js("document.getElementById('console-output').getAttribute('role')"),
                 "log");
    assert.equal(await t.page.js(
        "document.getElementById('console-output').getAttribute('aria-live')"), "polite");
    assert.ok((await t.page.js("document.getElementById('canvas').getAttribute('aria-label')"))
                  .includes("鎖"));
    await pressAndWait(t, "s");
    assert.ok((await t.page.js("document.getElementById('canvas-description').textContent"))
                  .includes("時刻 0.04 秒"));
    const names = await t.page.js(
        "[...document.querySelectorAll('#keys button')].map(b => b.getAttribute('aria-label'))");
    assert.ok(names.includes("1 フレーム進める"));
    assert.ok(names.every(name => name.length > 1), names.join());
    assert.deepEqual(await t.page.js(
        "['T', 'Y', ' '].map(k => document.querySelector(`#keys [data-key=\"${k}\"]`)" +
        ".getAttribute('aria-keyshortcuts'))"), ["Shift+T", "Shift+Y", "Space"]);
  }],

  ["a phone shows big enough buttons and text, without errors on taps", async function(t) {
    await t.page.viewport({width: 375, height: 667, deviceScaleFactor: 2, isMobile: true,
                                hasTouch: true});
    try {
      await start(t, "two_masses_typed_start");
      await pressAndWait(t, "e", true);
      const heights = await t.page.js("[...document.querySelectorAll('#keys button')]" +
                                      ".map(b => b.getBoundingClientRect().height)");
      assert.ok(Math.min(...heights) >= 44, heights.join());
      assert.ok(await t.page.js("springChain.smallestText") >= 11);
      const box = await t.page.js(`(() => { const canvas = document.getElementById('canvas');
          canvas.scrollIntoView(); const r = canvas.getBoundingClientRect();
          return [r.x + r.width / 2, r.y + Math.min(r.height / 2, innerHeight / 2)]; })()`);
      await t.page.p.touchscreen.tap(box[0], box[1]);
      await t.page.js("new Promise(done => setTimeout(done, 0))");
      assert.deepEqual(t.page.messages.filter(m => /passive/.test(m)), []);
      assert.deepEqual(t.page.exceptions, []);
    } finally {
      await t.page.viewport(DESKTOP);
    }
  }],

  ["twice the zoom needs no scrolling sideways", async function(t) {
    await t.page.viewport({width: 700, height: 500, deviceScaleFactor: 2});
    try {
      await start(t, "two_masses_typed_start");
      assert.ok(await t.page.js("document.documentElement.scrollWidth") <=
                await t.page.js("document.documentElement.clientWidth"));
    } finally {
      await t.page.viewport(DESKTOP);
    }
  }],

  ["play moves on frame after frame, and the page loads from its own host alone", async function(t) {
    await start(t, "twenty_masses_mode_start");
    await t.page.key(" ");
    assert.ok(await t.page.waitFor("springChain.playing && springChain.framesDrawn > 25"));
    assert.ok(await t.page.waitFor("springChain.simulatedTime > 1"));
    assert.ok(await t.page.load(t.server));
    t.report.push(`${t.name}: page load to the first prompt, warm: ` +
                  `${Math.round(await t.page.js("springChain.firstPromptAt"))} ms`);
    const host = t.server.slice(0, t.server.lastIndexOf("/"));
    assert.deepEqual(t.page.requested.filter(u => !/^(data:|blob:|about:)/.test(u) &&
                                                  !u.startsWith(host)), []);
  }],

  ["the one-file page runs from a folder, and the others say what to do", async function(t) {
    const single = path.resolve(t.folder, "..", "spring-chain.html");
    assert.ok(await t.page.load("file://" + single));
    t.report.push(`${t.name}: one-file page from file://, load to the first prompt: ` +
                  `${Math.round(await t.page.js("springChain.firstPromptAt"))} ms`);
    t.report.push(`one-file page, gzipped: ` +
                  `${Math.round(zlib.gzipSync(fs.readFileSync(single)).length / 1024)} KB`);
    const lab = dialogue("six_masses_plucked").join("\n") + "\n";
    assert.ok(await t.page.load("file://" + single + "#input=" + encodeURIComponent(lab), false));
    assert.ok(await t.page.waitFor("springChain.framesDrawn > 0"));
    assert.equal(await t.page.consoleText(), transcript("six_masses_plucked"));
    assert.deepEqual(t.page.exceptions, []);
    // index.html from a folder: Firefox loads its files, Chromium refuses, and the page says
    // which file to open instead.
    await t.page.load("file://" + path.resolve(t.folder, "index.html"), null);
    assert.ok(await t.page.waitFor("springChain.failure !== null || springChain.waitingForInput"));
    if (await t.page.js("springChain.failure !== null")) {
      assert.ok((await t.page.js("document.getElementById('console-output').textContent"))
                    .includes("spring-chain.html"));
    }
  }],
];
