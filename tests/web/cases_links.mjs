// What a student may be sent or may do that the page must survive: hostile links and files,
// links the page made replayed, a second link in the same tab, keys at the yes/no question, and
// what a screen reader hears.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import {paste} from "./cases_dialogue.mjs";
import {newPage} from "./page.mjs";
import {dialogue, frames, pressAndWait, start, temporaryFolder, transcript} from "./helpers.mjs";

const WORKS = "typeof springChain !== 'undefined' && springChain.waitingForInput";
const TWO_MASSES = dialogue("two_masses_typed_start").join("\n") + "\n";

// Address (after the page's own) or file, and what the pane must then say.
const HOSTILE = [
  ["#input=" + encodeURIComponent("<img src=x onerror='window.ran=1'>\n<script>window.ran=1" +
                                  "</script>\n"), null],
  ["#lang=%3Cscript%3E&input=%E0%A4%A%ZZ%0A%", null],
  ["#input=" + "%0A".repeat(130000), /最初の 2000 行/],
  ["#input=" + "1%20".repeat(200000), /入力が長すぎます/],
  ["?input=javascript:window.ran=1#input=" + encodeURIComponent(TWO_MASSES), null],
  [{name: "dump.txt", bytes: Buffer.from([0x7f, 0x45, 0x4c, 0x46, 2, 1, 1, 0, 0, 0])},
   /テキストファイルではありません：dump\.txt/],
  [{name: "huge.txt", bytes: Buffer.alloc(10 * 1024 * 1024, "1 ")}, /ファイルが大きすぎます/],
];

async function hostile(t, given, said) {
  const began = Date.now();
  const folder = temporaryFolder("spring-chain-hostile-");
  if (typeof given === "string") {
    assert.ok(await t.page.load(t.server + given, null));
  } else {
    assert.ok(await t.page.load(t.server));
    fs.writeFileSync(path.join(folder, given.name), given.bytes);
    await t.page.chooseFile("file", path.join(folder, given.name));  // read when the page asks
  }
  const text = "document.getElementById('console-output').textContent";
  assert.ok(await t.page.waitFor(said ? `${WORKS} && ${said}.test(${text})`
                                      : `${WORKS} || springChain.framesDrawn > 0`),
            String(given.name || given).slice(0, 60));
  fs.rmSync(folder, {recursive: true, force: true});
  t.report.push(`${t.name}: ${String(given.name || given).slice(0, 30)}: ` +
                `${Date.now() - began} ms to a working page`);
  assert.equal(await t.page.js("window.ran"), undefined);
  assert.deepEqual(t.page.exceptions, []);
}

// The page's own text as a copy of the console takes it: what the program wrote and what was typed.
function copied(t) {
  return t.page.js(`(() => { getSelection().selectAllChildren(
      document.getElementById('console-output')); return getSelection().toString(); })()`);
}

async function linkMade(t) {
  await t.page.js("document.getElementById('link').click()");
  return t.page.js("document.getElementById('link-output').value");
}

export default [
  ["hostile links and files give a working page or a clear message, and run nothing",
   async function(t) {
     for (const [given, said] of HOSTILE) await hostile(t, given, said);
   }],

  ["a link replays a dialogue answered with Enter exactly as typed", async function(t) {
    const typed = ["2", "1 1", "1 1 1", "2", "", "0.1 0", "0 0"];
    await start(t, typed);
    const text = await t.page.consoleText(), all = await copied(t);
    assert.ok(all.includes("0.1 0\n"), "typed values are in the copy");
    assert.ok(await t.page.load(await linkMade(t), false));
    assert.ok(await t.page.waitFor("springChain.framesDrawn > 0"));
    assert.equal(await t.page.consoleText(), text);
    assert.equal(await copied(t), all);
  }],

  ["the language button works on an English link and keeps what was typed", async function(t) {
    const lines = dialogue("two_masses_typed_start");
    await t.page.load(t.server + "#lang=en&input=" + encodeURIComponent(lines.slice(0, 2).join("\n")));
    for (const line of lines.slice(2, 4)) await t.page.answer(line);
    await t.page.js("document.getElementById('switch-language').click()");
    assert.ok(await t.page.waitFor("document.documentElement.lang === 'ja' && " + WORKS));
    assert.ok(await t.page.waitFor("springChain.waitingFor === 'key'"), "at the yes/no question");
    for (const line of lines.slice(4)) await t.page.answer(line);
    assert.ok(await t.page.waitFor("springChain.framesDrawn > 0"));
    assert.equal(await t.page.consoleText(), transcript("two_masses_typed_start"));
  }],

  ["a second link in the same tab starts its own dialogue", async function(t) {
    assert.ok(await t.page.load(t.server + "#input=" + encodeURIComponent(TWO_MASSES), false));
    assert.ok(await t.page.waitFor("springChain.framesDrawn > 0"));
    const other = dialogue("three_masses_mode_start").join("\n") + "\n";
    // The first page is marked, so that only a page loaded afresh counts.
    await t.page.js(`window.first = true;
        location.hash = "input=" + ${JSON.stringify(encodeURIComponent(other))}`);
    assert.ok(await t.page.waitFor(`!window.first && typeof springChain !== 'undefined' &&
        springChain.framesDrawn > 0`));
    assert.equal(await t.page.consoleText(), transcript("three_masses_mode_start"));
  }],

  ["at the yes/no question only a character answers; the buttons wait meanwhile", async function(t) {
    await t.page.load(t.server + "#input=" + encodeURIComponent("2\n1 1\n1 1 1\n2\n"));
    assert.ok(await t.page.waitFor("springChain.waitingFor === 'key'"));
    assert.deepEqual(await t.page.js("[...document.querySelectorAll('#keys button')]" +
                                     ".map(b => b.getAttribute('aria-disabled') + b.tabIndex)"),
                     Array(16).fill("true-1"));
    for (const key of ["Backspace", "ArrowLeft", "ArrowDown", "Home", "End", "PageDown", "F6"]) {
      await t.page.key(key, "console-input");
      assert.equal(await t.page.js("springChain.waitingFor"), "key", key);
    }
    await t.page.answer("n");
    await t.page.answer("0.1 0");
    assert.equal(await t.page.js("document.getElementById('input-label').textContent"),
                 "入力: マス 2 の初期変位 y0 [m] と初速度 v0 [m/s]");
    await t.page.answer("0 0");
    assert.ok(await t.page.waitFor("springChain.framesDrawn > 0"));
    assert.equal(await t.page.js("document.querySelector('#keys button').tabIndex"), 0);
  }],

  ["the input's label names the quantity asked, and a paste keeps what is after the caret",
   async function(t) {
     assert.ok(await t.page.load(t.server + "?lang=en"));
     await t.page.answer("2");
     assert.equal(await t.page.js("document.getElementById('input-label').textContent"),
                  "Answer: m1 [kg]");
     await paste(t, "1\n1 1", "1 9", 2);  // into a half-typed answer, the caret after "1 "
     assert.deepEqual(await t.page.js(
         "[...document.querySelectorAll('#console-output .typed')].map(s => s.textContent)"),
         ["2\n", "1 1\n", "1 19\n"]);
   }],

  ["the description says what moves, playing or paused, with the panel's figures", async function(t) {
    await start(t, "six_masses_plucked");
    await pressAndWait(t, "e");
    await t.page.key(" ");
    const said = "document.getElementById('canvas-description').textContent";
    assert.ok(await t.page.waitFor(`springChain.playing && springChain.simulatedTime > 1.5 &&
        /^再生中。.*マス \\d+.*第 \\d モード.*全エネルギー/.test(${said})`));
    const drawn = await frames(t);
    await t.page.key(" ");
    assert.ok(await t.page.waitFor("!springChain.playing"));
    assert.match(await t.page.js(said), /^一時停止中。/);
    assert.ok(await t.page.js(`${said}.includes("時刻 " +
        springChain.simulatedTime.toFixed(2) + " 秒")`), "the paused instant, at once");
    assert.ok(await frames(t) >= drawn);
  }],

  ["a browser without WebGL is told so in the pane", async function(t) {
    const page = await newPage(t.browser);
    const p = page.p;
    try {
      await p.evaluateOnNewDocument(() => {
        const made = HTMLCanvasElement.prototype.getContext;
        HTMLCanvasElement.prototype.getContext = function(kind, options) {
          return /webgl/.test(kind) ? null : made.call(this, kind, options);
        };
      });
      await p.goto(t.server + "?lang=en#input=" + encodeURIComponent(TWO_MASSES));
      assert.ok(await page.waitFor("springChain.noWebGL && /WebGL is off or missing/.test(" +
                                   "document.getElementById('console-output').textContent)"));
    } finally {
      await p.close();
    }
  }],
];
