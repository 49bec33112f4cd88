// The core compiled to WebAssembly, and the field tables it describes
// itself with. Both are put into the page when it is built.
import createBrendaxCore from "brendax-core";
import schemaJson from "brendax-schema";
import startupJson from "brendax-startup";
import { fromBase64 } from "./util";

export interface Item { value: string; caption: string }
export interface FieldDef {
  option: string;
  caption: string;
  kind: "text" | "check" | "choice" | "lines" | "file";
  default: string | string[] | null;
  items?: Item[];
  group?: string | null;
  repeatable?: boolean;
  file?: boolean;
  help?: string;
}
export interface Example { caption: string; options: Record<string, string | string[]> }
export interface GeneratorDef {
  subcommand: string;
  caption: string;
  tool: boolean;
  expert: boolean;
  writes?: { lines: boolean; rows: boolean };
  examples?: Example[];
  fields: FieldDef[];
}
export interface MenuEntry { caption: string; subcommand?: string; expert?: boolean; separator?: boolean; entries?: MenuEntry[] }
export interface Menu { caption: string; entries: MenuEntry[] }
export interface Schema { version: string; common?: FieldDef[]; menus: Menu[]; generators: GeneratorDef[] }

export interface RunError { code: number; message: string; box: string; field: string | null }
export interface RunResult {
  generator?: string;
  error: RunError | null;
  rowCount?: number;
  symbols?: string[][];
  lines?: string[];
  notices?: string[];
  [key: string]: unknown;
}

export type Options = Record<string, string | string[]>;

export interface CoreFS {
  writeFile(path: string, data: Uint8Array | string): void;
  readFile(path: string): Uint8Array;
  mkdir(path: string): void;
  analyzePath(path: string): { exists: boolean };
  unlink(path: string): void;
}
export interface Core {
  generate(subcommand: string, optionsJson: string): string;
  output(subcommand: string, optionsJson: string, kind: string): Uint8Array;
  run(args: string[]): { status: number; stdout: Uint8Array; stderr: string };
  FS: CoreFS;
}

export const schema = schemaJson as unknown as Schema;
// The form the page opens with, and what the core gives for its defaults
// in either mnemonic convention (its JSON text), made when the page is built.
export const startup = startupJson as unknown as { subcommand: string; results: Record<string, string> };

// The core's WebAssembly is carried in the page gzip-compressed, in base64.
async function compileCore(): Promise<WebAssembly.Module> {
  if (document.readyState === "loading") {
    await new Promise((done) => document.addEventListener("DOMContentLoaded", done, { once: true }));
  }
  const packed = fromBase64(document.getElementById("core-wasm")!.textContent!.trim());
  const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream("gzip"));
  const response = new Response(stream, { headers: { "Content-Type": "application/wasm" } });
  if (WebAssembly.compileStreaming) return WebAssembly.compileStreaming(response);
  return WebAssembly.compile(await response.arrayBuffer());
}

export async function loadCore(): Promise<Core> {
  const compiled = compileCore();
  let fail: (e: unknown) => void = () => {};
  const failed = new Promise<never>((_, reject) => (fail = reject));
  const instantiateWasm = (imports: WebAssembly.Imports, receive: (i: WebAssembly.Instance) => void) => {
    compiled.then((m) => WebAssembly.instantiate(m, imports)).then(receive, fail);
    return {};
  };
  const core = (await Promise.race([createBrendaxCore({ instantiateWasm }), failed])) as Core;
  if (!core.FS.analyzePath("/input").exists) core.FS.mkdir("/input");
  return core;
}

// A file the core reads: written into its in-memory file system.
export function putFile(core: Core, path: string, bytes: Uint8Array): void {
  core.FS.writeFile(path, bytes);
}
