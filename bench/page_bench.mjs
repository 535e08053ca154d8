// The page's benchmark, in Debian's Chromium: what a school's cheapest laptop gives (the CPU
// throttled 6 times), with the heaviest window a student can ask for (20 masses, 20 curves,
// their numbers and the energy panel) playing, and where each frame's time goes:
//   node bench/page_bench.mjs PAGE_FOLDER [SECONDS]
import path from "node:path";
import {launch, newPage, serve, temporaryFolder} from "../tests/web/page.mjs";

const THROTTLE = 6;
// The lab: 20 unequal masses, the first plucked, so that every mode moves in every curve.
const PLUCKED = "20\n" + Array.from({length: 20}, (_, k) => 1 + k % 3).join(" ") + "\n" +
                "1 ".repeat(21) + "\n20\nn\n0.1 0\n" + "0 0\n".repeat(19);
const [folder, seconds = "20", lab = PLUCKED] = process.argv.slice(2);
const server = await serve(path.resolve(folder));
const browser = await launch("chromium", temporaryFolder("spring-chain-bench-"));
const page = await newPage(browser);
const session = await page.p.createCDPSession();
await session.send("Emulation.setCPUThrottlingRate", {rate: THROTTLE});

// The first question, from the load on, with the CPU throttled.
const loads = [];
for (let i = 0; i < 3; i++) {
  await page.load(server);
  loads.push(await page.js("springChain.firstPromptAt"));
}
console.log(`CPU x${THROTTLE}: load to the first question: ` +
            `${loads.map(Math.round).join(", ")} ms (3 loads)`);

// Play, first as it is, then with the page's parts of a frame timed: the captions, the canvas
// description, the text widths.
await page.load(server + "#input=" + encodeURIComponent(lab), false);
await page.waitFor("springChain.framesDrawn > 0");
await page.key("e");
await page.key(" ");
await page.waitFor("springChain.playing && springChain.framesDrawn > 5");
const pace = await page.js(`new Promise(done => {
  const frames = springChain.framesDrawn, drawing = springChain.drawingMilliseconds;
  const began = performance.now();
  setTimeout(() => done({count: springChain.framesDrawn - frames, elapsed: performance.now() - began,
                         drawing: springChain.drawingMilliseconds - drawing}), ${seconds} * 1000);
})`);
console.log(`CPU x${THROTTLE}, 20 masses, 20 curves, numbers and the energy panel, playing ` +
            `${seconds} s: ${(pace.count / pace.elapsed * 1000).toFixed(2)} frames per second, ` +
            `${(pace.drawing / pace.count).toFixed(2)} ms drawing a frame`);
await page.js(`(() => {
  window.spent = {caption: 0, clearCaptions: 0, describe: 0, textWidth: 0};
  for (const name of Object.keys(spent)) {
    const plain = springChain[name];
    springChain[name] = function(...args) {
      const began = performance.now();
      try { return plain.apply(this, args); } finally { spent[name] += performance.now() - began; }
    };
  }
})()`);
const parts = await page.js(`new Promise(done => {
  const frames = springChain.framesDrawn, before = Object.assign({}, spent);
  setTimeout(() => {
    const count = springChain.framesDrawn - frames, parts = {};
    for (const name of Object.keys(spent)) parts[name] = (spent[name] - before[name]) / count;
    done(parts);
  }, 5000);
})`);
console.log("  of a frame's drawing: " +
            Object.entries(parts).map(([k, v]) => `${k} ${v.toFixed(2)} ms`).join(", "));
await browser.close();
