// What the page's cases share: the examples and transcripts, a lab started afresh, a key and the
// frame it brings, and readings of the picture.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import {fileURLToPath} from "node:url";

const HERE = path.dirname(fileURLToPath(import.meta.url));
export const EXAMPLES = path.resolve(HERE, "..", "..", "examples");
export const TRANSCRIPTS = path.resolve(HERE, "..", "transcripts");
export const WINDOW_PIXELS = 800;
// The mass colours in 8 bits, mass 1 first: 0.2 * 255 = 51, 0.4 * 255 = 102, and so on.
export const MASS_COLOURS = [
  [255, 0, 0], [0, 255, 0], [0, 0, 255], [255, 51, 0], [0, 255, 51], [51, 0, 255],
  [255, 102, 0], [0, 255, 102], [102, 0, 255], [255, 153, 0], [0, 255, 153], [153, 0, 255],
  [255, 204, 0], [0, 255, 204], [204, 0, 255], [255, 255, 0], [0, 255, 255], [255, 0, 255],
  [255, 255, 51], [51, 255, 255]];

// The lines a transcript's student typed: the example's, or the transcript's own input.
export function dialogue(name) {
  let file = path.join(EXAMPLES, name + ".txt");
  if (!fs.existsSync(file)) file = path.join(TRANSCRIPTS, name + ".in");
  const lines = fs.readFileSync(file, "utf-8").split("\n");
  if (lines[lines.length - 1] === "") lines.pop();
  return lines;
}

export function transcript(name) {
  return fs.readFileSync(path.join(TRANSCRIPTS, name + ".out"), "utf-8");
}

// The page afresh, the dialogue typed into it, the window's first frame shown.
export async function start(t, name, address = t.server) {
  assert.ok(await t.page.load(address), "the page asked nothing");
  for (const line of Array.isArray(name) ? name : dialogue(name)) {
    if (await t.page.js("springChain.framesDrawn > 0")) break;
    await t.page.answer(line);
  }
  assert.ok(await t.page.waitFor("springChain.framesDrawn > 0 && !springChain.waitingForInput"),
            "the window's first frame");
}

export function frames(t) {
  return t.page.js("springChain.framesDrawn");
}

// A key pressed on the canvas (or its button), once the frame it brings is drawn.
export async function pressAndWait(t, key, button = false) {
  const before = await frames(t);
  if (button) await t.page.click(key);
  else await t.page.key(key);
  assert.ok(await t.page.waitFor("springChain.framesDrawn > " + before), "no frame after " + key);
}

export function columnOf(x) {
  return (x + 1.0) * WINDOW_PIXELS / 2.0;
}

export function massColumn(k, n) {
  return Math.trunc(columnOf(0.01 + k * 0.98 / (n + 1)));
}

export function sameColour(a, b) {
  return a.every((p, i) => Math.abs(p - b[i]) <= 3);
}

// The middle of the longest run of the colour down the column, 3 rows of another colour bridged
// (the chart's axis crosses the discs); null if the colour is not there.
export function discCentreRow(picture, column, colour) {
  let best = null, first = null, last = null;
  picture.forEach(function(row, y) {
    if (!sameColour(row[column], colour)) return;
    if (first !== null && y - last <= 4) last = y;
    else first = last = y;
    if (best === null || last - first > best[1] - best[0]) best = [first, last];
  });
  return best === null ? null : (best[0] + best[1]) / 2;
}

// The rightmost column left of the chain's fixed end that holds the colour.
export function chartEnd(picture, colour) {
  for (let x = Math.trunc(columnOf(0.0)) - 1; x >= 0; x--) {
    if (picture.some(row => sameColour(row[x], colour))) return x;
  }
  return null;
}

// The first and last columns of dark text in the captions' band, the grid's lines aside (the
// columns dark also further down, where no caption is; the rows dark almost throughout).
export function captionSpan(picture) {
  const dark = p => Math.max(...p) < 90;
  const columns = new Set();
  for (let x = 0; x < WINDOW_PIXELS; x++) {
    if (dark(picture[150][x]) && dark(picture[170][x])) columns.add(x);
  }
  const text = [];
  for (let y = 20; y < 60; y++) {
    if (picture[y].slice(0, 400).filter(dark).length > 300) continue;
    for (let x = 0; x < WINDOW_PIXELS; x++) {
      if (dark(picture[y][x]) && ![x - 1, x, x + 1].some(c => columns.has(c))) text.push(x);
    }
  }
  return [Math.min(...text), Math.max(...text)];
}

// The energy panel's bars along their base, left to right: 'L' for a mode's empty height, 'D' for
// its share; the panel found by its black border, 4 pixels inside the lower right corner.
export function barsAlongTheBase(picture) {
  const inside = WINDOW_PIXELS - 6, bottom = WINDOW_PIXELS - 5;
  let top = bottom - 1;
  while (top > 0 && !sameColour(picture[top][inside], [0, 0, 0])) top--;
  for (let y = bottom - 2; y > top; y--) {
    let runs = "", last = " ";
    for (let x = WINDOW_PIXELS - 6; x > 0; x--) {
      const c = sameColour(picture[y][x], [224, 224, 224]) ? "L"
                : sameColour(picture[y][x], [115, 115, 115]) ? "D" : " ";
      if (c !== " " && c !== last) runs = c + runs;
      last = c;
    }
    if (runs) return runs;
  }
  return "";
}

export function samePicture(a, b) {
  return a.every((row, y) => row.every((p, x) => p[0] === b[y][x][0] && p[1] === b[y][x][1] &&
                                                  p[2] === b[y][x][2]));
}

// The files in a ZIP archive that stores them as they are, by name.
export function unzip(bytes) {
  const files = {};
  for (let at = 0; bytes.readUInt32LE(at) === 0x04034b50;) {
    const size = bytes.readUInt32LE(at + 18), nameLength = bytes.readUInt16LE(at + 26);
    const extra = bytes.readUInt16LE(at + 28);
    const name = bytes.toString("utf-8", at + 30, at + 30 + nameLength);
    const begin = at + 30 + nameLength + extra;
    files[name] = bytes.subarray(begin, begin + size);
    at = begin + size;
  }
  return files;
}

// Resolves once the file is there whole (a browser writes a download under a name of its own and
// renames it when complete); false when the time is up.
export async function downloaded(t, name, ms = 60000) {
  const file = path.join(t.downloads, name);
  for (const began = Date.now(); Date.now() - began < ms;) {
    if (fs.existsSync(file)) return fs.readFileSync(file);
    await new Promise(done => setTimeout(done, 50));
  }
  return null;
}
export {temporaryFolder} from "./page.mjs";
