// The window in the page: its picture against the native window's, its keys and buttons, the
// panel, the views and 'p'.
import assert from "node:assert/strict";
import {execFileSync} from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import {readPng} from "./png.mjs";
import {
  EXAMPLES, MASS_COLOURS, WINDOW_PIXELS, barsAlongTheBase, captionSpan, chartEnd, dialogue,
  discCentreRow, downloaded, frames, massColumn, pressAndWait, samePicture, sameColour, start,
  temporaryFolder, transcript, unzip,
} from "./helpers.mjs";

async function theCanvasShowsWhatTheNativeWindowShows(t) {
  const steps = 150;
  const folder = temporaryFolder("spring-chain-native-");
  const file = path.join(folder, "native.png");
  execFileSync(t.screenshotTool, [path.join(EXAMPLES, "six_masses_plucked.txt"), String(steps),
                                  file], {timeout: 600000});
  const native = readPng(fs.readFileSync(file));
  fs.rmSync(folder, {recursive: true, force: true});
  await start(t, "six_masses_plucked");
  for (let i = 0; i < steps; i++) await pressAndWait(t, "s");
  const shown = await t.page.picture();
  assert.deepEqual([shown[0].length, shown.length], [WINDOW_PIXELS, WINDOW_PIXELS]);
  for (let k = 1; k <= 6; k++) {
    const colour = MASS_COLOURS[k - 1];
    const expected = discCentreRow(native, massColumn(k, 6), colour);
    const found = discCentreRow(shown, massColumn(k, 6), colour);
    assert.notEqual(expected, null, "mass " + k + " natively");
    assert.notEqual(found, null, "mass " + k + " in the page");
    assert.ok(Math.abs(found - expected) <= 2, "mass " + k);
    const nativeEnd = chartEnd(native, colour), shownEnd = chartEnd(shown, colour);
    assert.notEqual(shownEnd, null, "curve " + k + " in the page");
    assert.ok(Math.abs(shownEnd - nativeEnd) <= 2, "curve " + k);
  }
  // The captions start where the native ones do and, in a font of Helvetica's widths, end within
  // a few per cent of where they end.
  const [nativeLeft, nativeRight] = captionSpan(native), [left, right] = captionSpan(shown);
  assert.ok(Math.abs(left - nativeLeft) <= 3, `captions from ${left}, natively ${nativeLeft}`);
  assert.ok(Math.abs(right - nativeRight) <= 0.08 * (nativeRight - nativeLeft),
            `captions to ${right}, natively ${nativeRight}`);
}

async function keysThatAskInTheConsole(t) {
  // 'c' redraws at the dialogue's end; 'n', 'm' and 'j' leave the last frame until 's'.
  const lines = transcript("two_masses_typed_start").split("\n");
  const helpEnd = lines[lines.length - 2] + "\n";
  for (const [key, button, answers] of [
      ["c", false, ["1"]], ["c", true, ["2"]], ["n", false, dialogue("three_masses_mode_start")],
      ["m", true, ["2 2 2", "1 1 1 1", "3", "n", "0.1 0", "0 0", "0 0"]],
      ["j", false, ["y", "2"]]]) {
    const written = (await t.page.consoleText()).length;
    const drawn = await frames(t);
    if (button) await t.page.click(key);
    else await t.page.key(key);
    assert.ok(await t.page.waitFor("springChain.waitingForInput"), key);
    await t.page.key("s");  // aimed at the window while the console waits: dropped
    for (const line of answers) {
      if (!await t.page.js("springChain.waitingForInput")) break;
      assert.equal(await frames(t), drawn, key);
      await t.page.answer(line);
    }
    if (key === "c") {
      assert.ok(await t.page.waitFor("springChain.framesDrawn > " + drawn), key);
    } else {
      assert.ok(await t.page.waitFor("!springChain.waitingForInput"), key);
      assert.ok((await t.page.consoleText()).endsWith(helpEnd), key);
      assert.equal(await frames(t), drawn, key);
    }
    // The focus is back where the key came from: its button, or the canvas.
    assert.equal(await t.page.js("document.activeElement.dataset.key || document.activeElement.id"),
                 button ? key : "canvas", key);
    if (key !== "c") await pressAndWait(t, "s");
    assert.equal(await t.page.js("springChain.waitingForInput"), false, key);
    assert.ok((await t.page.consoleText()).length > written, key);
  }
}

export default [
  ["the canvas shows what the native window shows", theCanvasShowsWhatTheNativeWindowShows],

  ["step and scales change the picture, from keys and buttons", async function(t) {
    await start(t, "two_masses_typed_start");
    for (const [key, button] of [["s", false], ["t", false], ["T", true], ["y", true],
                                 ["Y", false], ["s", true]]) {
      const before = await t.page.picture();
      await pressAndWait(t, key, button);
      assert.ok(!samePicture(await t.page.picture(), before), key);
    }
  }],

  ["Space plays and pauses, and a held Space toggles once", async function(t) {
    await start(t, "two_masses_typed_start");
    await t.page.key(" ");
    assert.ok(await t.page.waitFor("springChain.playing"));
    const moving = await frames(t);
    assert.ok(await t.page.waitFor("springChain.framesDrawn > " + (moving + 3)));
    await t.page.click(" ");
    assert.ok(await t.page.waitFor("!springChain.playing"));
    await t.page.key(" ", "canvas", {hold: true});
    for (let i = 0; i < 5; i++) await t.page.key(" ", "canvas", {hold: true});
    await t.page.release(" ");
    assert.ok(await t.page.waitFor("springChain.playing"));
    await t.page.key(" ");
    assert.ok(await t.page.waitFor("!springChain.playing"));
  }],

  ["keys that ask in the console run its dialogue with the canvas kept", async function(t) {
    await start(t, "two_masses_typed_start");
    await keysThatAskInTheConsole(t);
  }],

  ["Escape ends the program cleanly, and the page offers a new start", async function(t) {
    await start(t, "two_masses_typed_start");
    await pressAndWait(t, "s");
    await t.page.key("Escape");
    assert.ok(await t.page.waitFor("springChain.exited"));
    assert.equal(await t.page.js("springChain.exitStatus"), 0);
    assert.equal(await t.page.js("document.getElementById('ended').hidden"), false);
    assert.equal(await t.page.js("document.getElementById('ended-cover').hidden"), false);
    assert.equal(await t.page.js("document.title"), "spring-chain ばねとマスの鎖の振動");
    const kept = await t.page.js(`(() => { const c = document.createElement('canvas');
        c.width = 800; c.height = 800; const x = c.getContext('2d');
        x.drawImage(document.getElementById('last-picture'), 0, 0);
        return x.getImageData(22, 620, 1, 1).data[0]; })()`);
    assert.equal(kept, 255, "the last picture stays, white where it was white");
    assert.deepEqual(t.page.exceptions, []);
    await t.page.js("document.getElementById('again').click()");
    assert.ok(await t.page.waitFor("typeof springChain !== 'undefined' && " +
                                   "springChain.waitingForInput && !springChain.exited"));
    assert.deepEqual(t.page.exceptions, []);
  }],

  ["Tab moves the focus and never answers or acts", async function(t) {
    await start(t, "two_masses_typed_start");
    const drawn = await frames(t);
    await t.page.key("Tab");
    assert.equal(await t.page.js("document.activeElement.tagName"), "BUTTON");
    assert.equal(await frames(t), drawn);
    await t.page.key("c");
    assert.ok(await t.page.waitFor("springChain.waitingForInput"));
    await t.page.answer("2");
    const written = (await t.page.consoleText()).length;
    await t.page.key("j");
    assert.ok(await t.page.waitFor("springChain.waitingFor === 'key'"));
    await t.page.key("Tab", "console-input");
    assert.equal(await t.page.js("springChain.waitingFor"), "key", "Tab answers nothing");
    assert.ok((await t.page.consoleText()).length > written);
  }],

  ["a hidden tab pauses play, and showing it plays on from there", async function(t) {
    await start(t, "two_masses_typed_start");
    await t.page.key(" ");
    assert.ok(await t.page.waitFor("springChain.playing && springChain.framesDrawn > 10"));
    const other = await t.browser.newPage();
    await other.bringToFront();
    assert.ok(await t.page.waitFor("document.visibilityState === 'hidden' && !springChain.playing"));
    const paused = await t.page.js("springChain.simulatedTime");
    await other.evaluate("new Promise(done => setTimeout(done, 3000))");  // hidden a while
    assert.equal(await t.page.js("springChain.simulatedTime"), paused);
    await other.close();
    await t.page.p.bringToFront();
    assert.ok(await t.page.waitFor("document.visibilityState === 'visible' && springChain.playing"));
    assert.ok(Math.abs(await t.page.js("springChain.simulatedTime") - paused) < 0.2 + 0.04 * 5);
  }],

  ["'e' draws the panel with one full bar for a mode start", async function(t) {
    await start(t, "three_masses_mode_start");
    await pressAndWait(t, "e");
    const panel = await t.page.picture();
    assert.ok(await t.page.waitFor("document.getElementById('console-output').textContent" +
                                   ".includes('第3モード　ω0=18.4776[rad/s]　100.0000[%]')"));
    assert.equal(barsAlongTheBase(panel), "LLD", "mode 3 has it all");
  }],

  ["'p' hands the picture and the record over as one download", async function(t) {
    await start(t, "three_masses_mode_start");
    await pressAndWait(t, "s");
    const shown = await t.page.picture();
    await t.page.key("p");
    assert.ok(await t.page.waitFor("springChain.handedOver.length == 1"));
    const [png, csv] = await t.page.js("springChain.downloads");
    assert.match(png, /^spring-chain-\d{8}-\d{6}\.png$/);
    assert.equal(csv, png.slice(0, -4) + ".csv");
    const zip = await t.page.js("springChain.handedOver[0]");
    assert.equal(zip, png.slice(0, -4) + ".zip");
    const files = unzip(await downloaded(t, zip));
    assert.deepEqual(Object.keys(files), [png, csv]);
    const saved = readPng(files[png]);
    assert.deepEqual([saved.length, saved[0].length], [WINDOW_PIXELS, WINDOW_PIXELS]);
    let unlike = 0;
    saved.forEach((row, y) => row.forEach((p, x) => { unlike += !sameColour(p, shown[y][x]); }));
    assert.ok(unlike < WINDOW_PIXELS * WINDOW_PIXELS / 1000, "the picture on screen");
    const rows = files[csv].toString("utf-8").split("\n").filter(row => row);
    assert.equal(rows[7], "t [s],x1 [m],x2 [m],x3 [m]");
    assert.deepEqual(rows.slice(8).map(row => row.split(",")[0]), ["0", "0.04"]);
    const text = await t.page.js("document.getElementById('console-output').textContent");
    assert.ok(text.includes(`画像と応答データを保存しました：${png}，${csv}\n`));
    assert.ok(text.includes(`ダウンロードしました：${zip}（${png}，${csv}）\n`));
    // Within the same second, the next press gives names of its own.
    await t.page.key("p");
    assert.ok(await t.page.waitFor("springChain.handedOver.length == 2"));
    assert.equal(new Set(await t.page.js("springChain.downloads")).size, 4);
  }],

  ["'v' and 'w' take the chart's place, and 'p' hands the spectrum over too", async function(t) {
    await start(t, "three_masses_mode_start");
    await pressAndWait(t, "s");
    const chart = await t.page.picture();
    await pressAndWait(t, "v", true);
    assert.ok(!samePicture(await t.page.picture(), chart), "the modes in the chart's place");
    await pressAndWait(t, "v", true);
    assert.ok(samePicture(await t.page.picture(), chart), "the chart back as it was");
    await pressAndWait(t, "w", true);
    await t.page.key("p");
    assert.ok(await t.page.waitFor("springChain.handedOver.length == 1"));
    const [png, csv, spectrum] = await t.page.js("springChain.downloads");
    assert.equal(spectrum, png.slice(0, -4) + "-spectrum.csv");
    assert.ok((await t.page.consoleText()).includes(
        `画像と応答データとスペクトルを保存しました：${png}，${csv}，${spectrum}\n`));
  }],
];
