// The page in a real browser, opened from its file with the network refused.
import { test, before, after, afterEach } from "node:test";
import assert from "node:assert/strict";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { launch, openGenerator, copied, downloaded, golden, cp1252, root } from "./browser.mjs";

let browser;
let page;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });
afterEach(async () => {
  assert.deepEqual(browser.outside, [], "the page asked for something outside its own file");
  assert.deepEqual(page?.errors ?? [], [], "the page threw");
  await page?.close();
  page = null;
});

const sourceText = () => page.textContent("#source");
const menuClick = async (id) => {
  await page.hover(`#menubar .menu:has(${id}) .menu-title`);
  await page.click(id);
};
const clickExpertSequence = async () => {
  await menuClick("#about");
  for (const n of [1, 3, 2, 4, 4, 2, 1]) await page.click(`#info .p${n}`);
  await page.click("#info-ok");
};

test("the opening form shows its output before the core is compiled; what is typed meanwhile runs then", async () => {
  page = await browser.open({ holdCore: true });
  assert.equal(await page.getAttribute("body", "data-ready"), null);
  assert.equal(await copied(page), cp1252(golden("symbols/defaults_de.txt")));
  await page.fill("#f-count", "3");
  await page.evaluate(() => window.__releaseCore());
  await page.waitForSelector("body[data-ready='1']");
  assert.equal(await page.textContent("#rows"), "Symbole: 3 Zeilen");
  assert.equal(await page.inputValue("#f-count"), "3");
});

// Each generator's defaults, as the golden file holds them: the clipboard
// gets the same text and the download the same bytes.
const DEFAULTS = [
  ["step-simple", "stepseq/simple_defaults_de.awl", "source"],
  ["step-extended", "stepseq/extended_defaults_de.awl", "source"],
  ["symbols", "symbols/defaults_de.txt", "rows"],
  ["db", "datablocks/db_source_defaults.awl", "source"],
  ["message-db", "datablocks/message_db_defaults.awl", "source"],
  ["pointer", "tools/pointer_defaults.awl", "source"],
  ["address", "tools/address_defaults.txt", "source"],
];

test("every generator's defaults give the golden output, copied and saved", async () => {
  page = await browser.open();
  for (const [subcommand, file, view] of DEFAULTS) {
    await openGenerator(page, subcommand);
    await page.click("#defaults");
    const want = golden(file);
    assert.equal(await copied(page), cp1252(want), `${subcommand}: clipboard`);
    if (view === "rows" || !subcommand.match(/pointer|address/)) {
      const saved = await downloaded(page, view === "rows" ? "tsv" : undefined);
      assert.ok(saved.bytes.equals(want), `${subcommand}: download ${saved.name}`);
      assert.match(saved.name, view === "rows" ? /\.txt$/ : /\.awl$/);
    }
  }
});

// The dialogs' example buttons, and a rectangle of the grid copied as the
// window copies it.
const EXAMPLES = [
  ["step-extended", 2, "stepseq/extended_example2_de.awl"],
  ["symbols", 2, "symbols/example_cylinder_de.txt"],
];

test("the example buttons give the examples' goldens; a selected rectangle of the grid is copied alone", async () => {
  page = await browser.open();
  for (const [subcommand, n, file] of EXAMPLES) {
    await openGenerator(page, subcommand);
    await page.click(`button[data-example='${n}']`);
    assert.equal(await copied(page), cp1252(golden(file)), `${subcommand} example ${n}`);
  }
  await page.click("#grid tr[data-row='3'] td[data-col='1']");
  await page.click("#grid tr[data-row='5'] td[data-col='2']", { modifiers: ["Shift"] });
  const rows = cp1252(golden("symbols/example_cylinder_de.txt")).split("\r\n").slice(2, 5)
    .map((row) => row.split("\t").slice(1, 3).join("\t") + "\r\n");
  assert.equal(await copied(page), rows.join(""));
});

test("the mnemonic choice is kept across a reload and changes the output", async () => {
  page = await browser.open();
  await openGenerator(page, "step-simple");
  await page.selectOption("#mnemonics", "en");
  await page.reload();
  await page.waitForSelector("body[data-ready='1']");
  await openGenerator(page, "step-simple");
  await page.click("#defaults");
  assert.equal(await page.inputValue("#mnemonics"), "en");
  assert.equal(await copied(page), cp1252(golden("stepseq/simple_defaults_en.awl")));
  await page.selectOption("#mnemonics", "de");
});

// One refused value per generator: the message box's text shown in the
// page, the field its check reads marked, and the typed text still there.
const REFUSED = [
  ["step-simple", "count", "abc", "Error: 34 / Schrittanzahl ist ungültig !"],
  ["step-extended", "count", "0", "Error: 35 / Schrittanzahl ist ungültig !"],
  ["symbols", "count", "x", "Error: 1 / Anzahl Symbole ungültig !"],
  ["db", "db-number", "0", 'Fehler: 5 / Fehler im Feld "DB-Nummer" !'],
  ["message-db", "number", "x", "Error: 4 / DB-/ UDT- Nummer ist ungültig !"],
];

test("a refused value shows its message and marks its field", async () => {
  page = await browser.open();
  for (const [subcommand, option, value, box] of REFUSED) {
    await openGenerator(page, subcommand);
    await page.fill(`#f-${option}`, value);
    await page.waitForFunction((b) => document.getElementById("message").textContent === b, box);
    const marked = await page.$$eval(".field.refused", (els) => els.map((e) => e.dataset.option));
    assert.deepEqual(marked, [option], subcommand);
    assert.equal(await page.inputValue(`#f-${option}`), value);
    await page.click("#defaults");
    assert.equal(await page.$$eval(".field.refused", (els) => els.length), 0);
  }
});

test("typing, a check box and a choice each update the output within a frame", async () => {
  page = await browser.open();
  await openGenerator(page, "step-simple");
  await page.click("#defaults");
  const before = await sourceText();
  const changes = [
    ["#f-fc-number", (p) => p.fill("#f-fc-number", "81"), /FC 81/],
    ["#f-network-per-step", (p) => p.click("#f-network-per-step"), null],
    ["#f-structure", (p) => p.selectOption("#f-structure", "jump-list"), /SPL|JL/],
  ];
  let last = before;
  for (const [, act, shows] of changes) {
    await act(page);
    const frames = await page.evaluate(() => new Promise((done) =>
      requestAnimationFrame(() => requestAnimationFrame(() => done(document.getElementById("source").textContent)))));
    assert.notEqual(frames, last);
    if (shows) assert.match(frames, shows);
    last = frames;
  }
});

test("the DB image reads the file the user picks", async () => {
  page = await browser.open();
  await openGenerator(page, "db-image");
  await page.setInputFiles("#f-file", join(root, "goldens", "datablocks", "db_image_example.bin"));
  await page.waitForFunction(() => document.getElementById("source").textContent.length > 0);
  assert.equal(await copied(page), cp1252(golden("datablocks/db_image_example_char.awl")));
  await page.setInputFiles("#f-file", { name: "leer.bin", mimeType: "application/octet-stream", buffer: Buffer.alloc(0) });
  await page.waitForFunction(() => document.getElementById("message").textContent !== "");
});

test("the pointer tool computes every form of the worked example", async () => {
  page = await browser.open();
  await openGenerator(page, "pointer");
  await page.selectOption("#f-variant", "pointer");
  for (const [option, value] of [["db", "10"], ["area", "DB"], ["address", "15.4"]]) {
    if (await page.$eval(`#f-${option}`, (e) => e.tagName) === "SELECT") await page.selectOption(`#f-${option}`, value);
    else await page.fill(`#f-${option}`, value);
  }
  for (const check of ["as-byte", "as-word", "as-dword", "transfer"]) await page.check(`#f-${check}`);
  assert.equal(await copied(page), cp1252(golden("tools/pointer_all_forms.awl")));
});

test("the target/actual DB is behind the expert switch, and its largest form shows at once", async () => {
  page = await browser.open();
  const entry = "#menubar button[data-subcommand='target-actual-db']";
  assert.equal(await page.isVisible(entry), false);
  await clickExpertSequence();
  assert.equal(await page.title(), "Brendax +");
  await openGenerator(page, "target-actual-db");
  await page.click("#defaults");
  assert.equal(await copied(page), cp1252(golden("datablocks/target_actual_defaults.awl")));
  const ms = await page.evaluate(() => {
    const t0 = performance.now();
    const values = window.brendax.values.get("target-actual-db");
    values["double-words"] = "32";
    values.variants = "64";
    window.brendax.regenerate();
    return performance.now() - t0;
  });
  const lines = await page.evaluate(() => window.brendax.result.lines.length);
  assert.ok(lines > 100000, `${lines} lines`);
  const shown = await page.$eval("#source", (e) => [e.querySelectorAll("*").length, e.textContent.split("\n").length]);
  assert.ok(shown[0] < 5 && shown[1] < 1000, `the view holds ${shown}`);
  await page.$eval("#source", (e) => { e.scrollTop = e.scrollHeight; e.dispatchEvent(new Event("scroll")); });
  assert.match(await page.textContent("#source"), /END_DATA_BLOCK/);
  assert.ok(ms < 5000, `${ms} ms`);
  // The next panel click switches the mode off again.
  await menuClick("#about");
  await page.click("#info .p1");
  await page.click("#info-ok");
  assert.equal(await page.isVisible(entry), false);
});

test("a megabyte typed into a field is refused without losing it", async () => {
  page = await browser.open();
  await openGenerator(page, "step-simple");
  const long = "A".repeat(1 << 20);
  await page.$eval("#f-fc-name", (e, v) => { e.value = v; e.dispatchEvent(new Event("input")); }, long);
  await page.waitForFunction(() => document.getElementById("message").textContent !== "");
  assert.equal((await page.inputValue("#f-fc-name")).length, long.length);
  assert.deepEqual(await page.$$eval(".field.refused", (els) => els.map((e) => e.dataset.option)), ["fc-name"]);
});

test("templates are kept in the browser and move to and from the window's settings file", async () => {
  page = await browser.open();
  await openGenerator(page, "symbols");
  await page.fill("#f-count", "5");
  await page.selectOption("#template-number", "3");
  await page.fill("#template-name", "Fünf Bits");
  await page.click("#template-save");
  await page.reload();
  await page.waitForSelector("body[data-ready='1']");
  await openGenerator(page, "symbols");
  assert.equal(await page.textContent("button[data-template='3']"), "Lade Vorlage 3 : Fünf Bits");
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#settings-export")]);
  const settings = readFileSync(await download.path());
  assert.equal(settings.length, 2756);
  await page.click("#defaults");
  await page.click("button[data-template='3']");
  assert.equal(await page.inputValue("#f-count"), "5");
  await page.evaluate(() => localStorage.clear());
  await page.setInputFiles("#settings-import", { name: "brendax.set", mimeType: "application/octet-stream", buffer: settings });
  await page.waitForFunction(() => document.querySelector("button[data-template='3']")?.textContent.endsWith("Fünf Bits"));
  await page.setInputFiles("#settings-import", { name: "kaputt.set", mimeType: "application/octet-stream", buffer: Buffer.from("kurz") });
  await page.waitForFunction(() => document.getElementById("message").textContent !== "");
  assert.equal(await page.textContent("button[data-template='3']"), "Lade Vorlage 3 : Fünf Bits");
  await page.evaluate(() => localStorage.clear());
});

test("a project file opens into the forms and saves again", async () => {
  page = await browser.open();
  const job = {
    source: "anlage.awl", symbols: "anlage.sdf", "symbols-format": "sdf", mnemonics: "de",
    runs: [
      { generator: "db", options: { "db-number": "100", suffix: ["_A", "_B"] } },
      { generator: "db-image", options: { file: "bild.bin" } },
    ],
  };
  await page.setInputFiles("#project-open", { name: "anlage.json", mimeType: "application/json", buffer: Buffer.from(JSON.stringify(job)) });
  await page.waitForSelector("#project button[data-run='1']");
  assert.equal(await page.inputValue("#f-db-number"), "100");
  await page.click("#project button[data-run='1']");
  await page.setInputFiles("#ask input[type=file]", join(root, "goldens", "datablocks", "db_image_example.bin"));
  await page.waitForFunction(() => document.getElementById("source").textContent.length > 0);
  assert.equal(await copied(page), cp1252(golden("datablocks/db_image_example_char.awl")));
  const [download] = await Promise.all([page.waitForEvent("download"), menuClick("#project-save")]);
  const back = JSON.parse(readFileSync(await download.path(), "utf8"));
  assert.equal(download.suggestedFilename(), "anlage.json");
  assert.deepEqual(back.runs.map((r) => r.generator), ["db", "db-image"]);
  assert.equal(back.runs[0].options["db-number"], "100");
  assert.deepEqual(back.runs[0].options.suffix, ["_A", "_B"]);
  assert.equal(back.runs[1].options.file, "bild.bin");
});

test("screenshot of the step sequence form with its output", async () => {
  page = await browser.open();
  await openGenerator(page, "step-simple");
  await page.click("#defaults");
  const dir = join(root, "docs", "screenshots");
  mkdirSync(dir, { recursive: true });
  writeFileSync(join(dir, "web_page.png"), await page.screenshot());
});
