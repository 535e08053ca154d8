// The page's tests, the same cases in Debian's Chromium and in its Firefox ESR:
//   node web_test.mjs PAGE_FOLDER NATIVE_SCREENSHOT_TOOL REPORT_FILE [BROWSER ...] [-- CASE ...]
// BROWSER is chromium or firefox (both by default; Firefox wants a display, Xvfb's); a CASE names
// the cases to run by a part of their name. Writes what a student waits for to REPORT_FILE.
import fs from "node:fs";
import path from "node:path";
import dialogueCases from "./cases_dialogue.mjs";
import linkCases from "./cases_links.mjs";
import pageCases from "./cases_page.mjs";
import windowCases from "./cases_window.mjs";
import {launch, newPage, serve, temporaryFolder} from "./page.mjs";

const [folder, screenshotTool, reportFile, ...rest] = process.argv.slice(2);
const split = rest.indexOf("--");
const browsers = (split < 0 ? rest : rest.slice(0, split));
const wanted = split < 0 ? [] : rest.slice(split + 1);
const CASES = [...dialogueCases, ...windowCases, ...pageCases, ...linkCases]
    .filter(([name]) => wanted.length === 0 || wanted.some(part => name.includes(part)));

async function runIn(browserName, server, report) {
  const downloads = temporaryFolder("spring-chain-downloads-");
  const browser = await launch(browserName, downloads);
  const failed = [];
  try {
    for (const [name, run] of CASES) {
      const began = Date.now();
      let page = null;
      try {
        page = await newPage(browser);
        await run({page, browser, server, report, downloads, screenshotTool,
                   folder: path.resolve(folder), name: browserName});
        console.log(`${browserName}: ${name} ... ok (${Date.now() - began} ms)`);
      } catch (error) {
        failed.push(`${browserName}: ${name}`);
        console.log(`${browserName}: ${name} ... FAIL\n${error.stack}`);
        if (page && page.exceptions.length) {
          console.log("  the page threw: " + page.exceptions.join("; "));
        }
      }
      if (page) await page.p.close().catch(() => {});
    }
  } finally {
    await browser.close();
    fs.rmSync(downloads, {recursive: true, force: true});
  }
  return failed;
}

const server = await serve(path.resolve(folder));
const report = [];
const failed = [];
for (const browserName of browsers.length ? browsers : ["chromium", "firefox"]) {
  failed.push(...await runIn(browserName, server, report));
}
fs.writeFileSync(reportFile, report.join("\n") + "\n");
console.log(report.join("\n"));
console.log(failed.length ? `\nFAILED:\n${failed.join("\n")}` : "\nall cases passed");
process.exit(failed.length ? 1 : 0);
