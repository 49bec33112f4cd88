// Builds the page: the TypeScript, the web link of the core and the schema
// of the field tables, all put into one HTML file that needs nothing else.
import { build } from "esbuild";
import { readFileSync, writeFileSync, existsSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const web = dirname(fileURLToPath(import.meta.url));
const out = join(web, "..", "build", "web");
const core = join(out, "brendax_core_web.mjs");
const schema = join(out, "schema.json");
for (const f of [core, schema]) {
  if (!existsSync(f)) {
    console.error(`${f} is missing: build the core first (scripts/build-web)`);
    process.exit(1);
  }
}

const bundle = await build({
  entryPoints: [join(web, "src", "main.ts")],
  bundle: true,
  format: "esm",
  platform: "browser",
  target: "es2022",
  minify: true,
  write: false,
  legalComments: "none",
  alias: { "brendax-core": core, "brendax-schema": schema },
  loader: { ".json": "json" },
  logLevel: "warning",
});
const script = bundle.outputFiles[0].text.replace(/<\/(script)/gi, "<\\/$1");
const style = readFileSync(join(web, "src", "page.css"), "utf8");
const html = readFileSync(join(web, "src", "page.html"), "utf8")
  .replace("/*STYLE*/", () => style)
  .replace("/*SCRIPT*/", () => script);
writeFileSync(join(out, "brendax.html"), html);
console.log(`wrote ${join(out, "brendax.html")} (${(html.length / 1024).toFixed(0)} KiB)`);
