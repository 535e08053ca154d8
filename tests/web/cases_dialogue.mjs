// The dialogue in the page: every transcript typed, read from the address, a paste or a file, in
// both languages, with an input method's full-width characters.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import {EXAMPLES, dialogue, start, temporaryFolder, transcript} from "./helpers.mjs";

const NAMES = ["two_masses_typed_start", "three_masses_mode_start", "six_masses_plucked",
               "unequal_masses", "free_ends", "split_chain", "twenty_masses_mode_start",
               "bad_input", "bad_mode_number"];

function lab(name) {
  return dialogue(name).join("\n") + "\n";
}

// A paste as the student makes one: the text copied to the clipboard from the page (a click
// first, which lets the page copy), then Ctrl+V in the input line, where `typed` was typed and the
// caret stands at `caret`.
export async function paste(t, value, typed = "", caret = typed.length) {
  await t.page.p.evaluate(text => {
    const source = document.createElement("textarea");
    source.id = "clipboard-source";
    source.value = text;
    document.body.appendChild(source);
  }, value);
  await t.page.p.click("#clipboard-source");
  await t.page.p.evaluate((typed, caret) => {
    const source = document.getElementById("clipboard-source");
    source.select();
    document.execCommand("copy");
    source.remove();
    const input = document.getElementById("console-input");
    input.focus();
    input.value = typed;
    input.setSelectionRange(caret, caret);
  }, typed, caret);
  await t.page.p.keyboard.down("Control");
  await t.page.p.keyboard.press("v");
  await t.page.p.keyboard.up("Control");
}

export default [
  ["every transcript typed into the page reads as at a terminal", async function(t) {
    for (const name of NAMES) {
      await start(t, name);
      assert.equal(await t.page.consoleText(), transcript(name), name);
      assert.ok((await t.page.js("document.title")).startsWith("n-DOF自由振動"));
    }
  }],

  ["a dialogue from the address, a paste or a file reads as typed", async function(t) {
    // A dialogue file with a byte order mark and full-width digits reads as the plain one; so
    // does one saved as UTF-16 (Notepad's "Unicode"), by its mark.
    const folder = temporaryFolder("spring-chain-files-");
    const fancy = path.join(folder, "fancy.txt"), wide = path.join(folder, "unicode.txt");
    fs.writeFileSync(fancy, "\ufeff" + lab("six_masses_plucked").replace(
        /[0-9]/g, d => String.fromCharCode(0xff10 + Number(d))));
    fs.writeFileSync(wide, Buffer.from("\ufeff" + lab("split_chain"), "utf16le"));
    for (const [name, how] of [["three_masses_mode_start", "?input="],
                               ["six_masses_plucked", "#input="], ["bad_input", "#input="],
                               ["twenty_masses_mode_start", "paste"],
                               ["unequal_masses", path.join(EXAMPLES, "unequal_masses.txt")],
                               ["six_masses_plucked", fancy], ["split_chain", wide]]) {
      if (how.endsWith("input=")) {
        assert.ok(await t.page.load(t.server + how + encodeURIComponent(lab(name)), false));
      } else {
        assert.ok(await t.page.load(t.server));
        if (how === "paste") await paste(t, lab(name));
        else await t.page.chooseFile("file", how);  // the page starts afresh with it
      }
      assert.ok(await t.page.waitFor("springChain.framesDrawn > 0"), name + " by " + how);
      assert.equal(await t.page.consoleText(), transcript(name), name + " by " + how);
    }
    fs.rmSync(folder, {recursive: true, force: true});
  }],

  ["English on the page, and a switch back that keeps the dialogue", async function(t) {
    const address = t.server + "?lang=en#input=" + encodeURIComponent(lab("two_masses_typed_start"));
    assert.ok(await t.page.load(address, false));
    assert.ok(await t.page.waitFor("springChain.framesDrawn > 0"));
    assert.equal(await t.page.consoleText(), transcript("two_masses_typed_start.en"));
    assert.equal(await t.page.js("document.documentElement.lang"), "en");
    assert.ok((await t.page.js("document.title")).startsWith("Chain of masses and springs"));
    assert.equal(await t.page.js("document.querySelector('[data-key=s]').getAttribute('aria-label')"),
                 "One frame further, and pause");
    assert.equal(await t.page.js("document.getElementById('switch-language').lang"), "ja");
    await t.page.js("document.getElementById('switch-language').click()");
    assert.ok(await t.page.waitFor("document.documentElement.lang === 'ja' && " +
                                   "typeof springChain !== 'undefined' && springChain.framesDrawn > 0"));
    assert.equal(await t.page.consoleText(), transcript("two_masses_typed_start"));
  }],

  ["an input method's full-width values and y read as their ASCII", async function(t) {
    const texts = [];
    for (const lines of [["２", "１　１", "１．５　１　１", "２", "ｙ", "１"],
                         ["2", "1 1", "1.5 1 1", "2", "y", "1"]]) {
      assert.ok(await t.page.load(t.server));
      for (const line of lines) {
        if (line === "ｙ" && await t.page.js("springChain.waitingFor") === "key") {
          await t.page.p.keyboard.sendCharacter(line);  // as an input method types it
        } else {
          await t.page.answer(line);
        }
      }
      assert.ok(await t.page.waitFor("springChain.framesDrawn > 0"));
      texts.push(await t.page.consoleText());
    }
    assert.equal(texts[0], texts[1]);
    assert.ok(texts[0].includes("第1モード\u3000ω0="));
  }],
];
