// How fast the page is from its file in headless Chromium: load to first
// output (the opening form's output made when the page was built), until the
// compiled core has run once, one regeneration of the default step
// sequence through the page, and the largest target/actual DB (32 x 64)
// until it is painted.
// Usage: node web/bench/page_bench.mjs   (after node web/build.mjs)
import { launch } from "../test/browser.mjs";

const ROUNDS = 5;
const browser = await launch();
const median = (xs) => xs.sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const load = [];
const script = [];
const ready = [];
const coreReady = [];
const regenerate = [];
const regenerateLater = [];
const largest = [];
let lines = 0;
try {
  for (let i = 0; i < ROUNDS; i++) {
    const page = await browser.open();
    load.push(Number(await page.getAttribute("body", "data-first-output")));
    ready.push(Number(await page.getAttribute("body", "data-core-ready")));
    const marks = await page.evaluate(() => ["brendax-script", "brendax-core"].map((m) => performance.getEntriesByName(m)[0].startTime));
    script.push(marks[0]);
    coreReady.push(marks[1]);
    // Right after the load the core is still being optimised in the
    // background: the first block of runs, and a later one.
    const [early, later] = await page.evaluate(() => {
      const p = window.brendax;
      p.open("step-simple");
      const values = p.values.get("step-simple");
      const n = 200;
      const block = () => {
        const t0 = performance.now();
        for (let k = 0; k < n; k++) { values.count = String(10 + (k % 2)); p.regenerate(); }
        return (performance.now() - t0) / n;
      };
      const first = block();
      block();
      return [first, block()];
    });
    regenerate.push(early);
    regenerateLater.push(later);
    const r = await page.evaluate(() => new Promise((done) => {
      const p = window.brendax;
      p.setExpert(true);
      const t0 = performance.now();
      p.open("target-actual-db", { "double-words": "32", variants: "64" });
      requestAnimationFrame(() => setTimeout(() => done({
        ms: performance.now() - t0, lines: p.result.lines.length,
      })));
    }));
    largest.push(r.ms);
    lines = r.lines;
    await page.close();
  }
} finally {
  await browser.close();
}
console.log(`page load to first output (file://): median ${median(load).toFixed(1)} ms of ${ROUNDS}`);
console.log(`  script parsed and started ${median(script).toFixed(1)} ms`);
console.log(`core compiled and instantiated: median ${median(coreReady).toFixed(1)} ms; its first run done (the page answers typing): median ${median(ready).toFixed(1)} ms`);
console.log(`regeneration of the default step sequence (core + page): median ${median(regenerate).toFixed(2)} ms right after the load, ${median(regenerateLater).toFixed(2)} ms after 400 runs`);
console.log(`largest target/actual DB (32 x 64, ${lines} lines) shown: median ${median(largest).toFixed(0)} ms`);
if (browser.outside.length) console.log(`requests outside the file: ${browser.outside.join(", ")}`);
