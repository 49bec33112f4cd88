// One headless Chromium for a whole test file, a fresh page for each test.
// Every request that is not the page's own file is refused and recorded:
// the page must work with no network at all.
import { chromium } from "playwright-core";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

export const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
export const pageUrl = pathToFileURL(join(root, "build", "web", "brendax.html")).href;
export const golden = (name) => readFileSync(join(root, "goldens", name));
export const cp1252 = (bytes) => new TextDecoder("windows-1252").decode(bytes);

export const CHROMIUM_ARGS = [
  "--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
  "--disable-sync", "--no-first-run", "--disable-dev-shm-usage",
];

export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), "brendax-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    args: CHROMIUM_ARGS,
    acceptDownloads: true,
    viewport: { width: 1280, height: 800 },
  });
  const outside = [];
  await context.route("**/*", (route) => {
    const url = route.request().url();
    if (url.startsWith("file:")) return route.continue();
    outside.push(url);
    return route.abort();
  });
  context.on("request", (r) => {
    const url = r.url();
    if (!/^(file|data|blob):/.test(url)) outside.push(url);
  });
  // What the page puts on the clipboard is kept where the test reads it.
  await context.addInitScript(() => {
    window.__copied = [];
    const clip = navigator.clipboard ?? {};
    clip.writeText = async (text) => { window.__copied.push(text); };
    if (!navigator.clipboard) Object.defineProperty(navigator, "clipboard", { value: clip });
  });
  return {
    context,
    outside,
    // holdCore: the page's core is not compiled before the test calls
    // window.__releaseCore(); the page is handed over at its first output.
    async open({ holdCore = false } = {}) {
      const page = await context.newPage();
      const errors = [];
      page.on("pageerror", (e) => errors.push(String(e)));
      if (holdCore) {
        await page.addInitScript(() => {
          let release;
          const held = new Promise((done) => (release = done));
          window.__releaseCore = release;
          for (const name of ["compileStreaming", "compile"]) {
            const real = WebAssembly[name];
            WebAssembly[name] = async (...args) => { await held; return real.apply(WebAssembly, args); };
          }
        });
      }
      await page.goto(pageUrl);
      await page.waitForSelector(holdCore ? "body[data-first-output]" : "body[data-ready='1']");
      page.errors = errors;
      return page;
    },
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

export async function openGenerator(page, subcommand) {
  await page.evaluate((s) => window.brendax.open(s), subcommand);
}

export async function copied(page) {
  await page.click("#copy");
  return page.evaluate(() => window.__copied.at(-1));
}

export async function downloaded(page, format) {
  if (format) await page.selectOption("#rowformat", format);
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#save")]);
  return { name: download.suggestedFilename(), bytes: readFileSync(await download.path()) };
}
