// Builds the page: the TypeScript, the web link of the core and the schema
// of the field tables, all put into one HTML file that needs nothing else.
import { build } from "esbuild";
import { readFileSync, writeFileSync, existsSync } from "node:fs";
import { dirname, join } from "node:path";
import { gzipSync, constants } from "node:zlib";
import { fileURLToPath, pathToFileURL } from "node:url";

const web = dirname(fileURLToPath(import.meta.url));
const out = join(web, "..", "build", "web");
const core = join(out, "brendax_core_web.mjs");
const wasm = join(out, "brendax_core_web.wasm");
const schema = join(out, "schema.json");
for (const f of [core, wasm, schema, join(out, "brendax_core.mjs")]) {
  if (!existsSync(f)) {
    console.error(`${f} is missing: build the core first (scripts/build-web)`);
    process.exit(1);
  }
}

// The form the page opens with (the first entry of the first menu), and the
// core's output for its defaults in both mnemonic conventions, so that the
// page shows it before its own core is compiled.
const { default: createBrendaxCore } = await import(pathToFileURL(join(out, "brendax_core.mjs")).href);
const nodeCore = await createBrendaxCore();
const fieldTables = JSON.parse(readFileSync(schema, "utf8"));
const opening = fieldTables.menus[0]?.entries.find((e) => !e.expert && e.subcommand)?.subcommand ??
  fieldTables.generators[0].subcommand;
const results = {};
for (const item of fieldTables.common.find((f) => f.option === "mnemonics").items) {
  results[item.value] = nodeCore.generate(opening, JSON.stringify({ mnemonics: item.value }));
}
const startupFile = join(out, "startup.json");
writeFileSync(startupFile, JSON.stringify({ subcommand: opening, results }));

const bundle = await build({
  entryPoints: [join(web, "src", "main.ts")],
  bundle: true,
  // A classic script, run as soon as the parser reaches it: the page shows
  // its first output before the compressed core after it is read.
  format: "iife",
  define: { "import.meta.url": "document.baseURI" },
  platform: "browser",
  target: "es2022",
  minify: true,
  write: false,
  legalComments: "none",
  alias: { "brendax-core": core, "brendax-schema": schema, "brendax-startup": startupFile },
  loader: { ".json": "json" },
  logLevel: "warning",
});
const script = bundle.outputFiles[0].text.replace(/<\/(script)/gi, "<\\/$1");
// Same bytes on every build: no time stamp in the gzip header.
const packed = gzipSync(readFileSync(wasm), { level: constants.Z_BEST_COMPRESSION }).toString("base64");
const style = readFileSync(join(web, "src", "page.css"), "utf8");
const html = readFileSync(join(web, "src", "page.html"), "utf8")
  .replace("/*STYLE*/", () => style)
  .replace("/*WASM*/", () => packed)
  .replace("/*SCRIPT*/", () => script);
writeFileSync(join(out, "brendax.html"), html);
console.log(`wrote ${join(out, "brendax.html")} (${(html.length / 1024).toFixed(0)} KiB)`);
