// The page: the menu and the forms drawn from the field tables, the core
// run on every change, its result shown as source text and symbol grid.
import { Core, FieldDef, GeneratorDef, MenuEntry, Options, RunResult, loadCore, putFile, schema, startup } from "./core";
import { decodeCp1252, encodeCp1252 } from "./cp1252";
import { download } from "./util";
import { SymbolGrid } from "./grid";
import { TextView } from "./text_view";
import { Project } from "./project";
import { Templates } from "./templates";

const $ = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;
const make = <K extends keyof HTMLElementTagNameMap>(tag: K, props: Record<string, unknown> = {}): HTMLElementTagNameMap[K] =>
  Object.assign(document.createElement(tag), props);

const generators = new Map(schema.generators.map((g) => [g.subcommand, g]));
const ROW_FORMATS: [string, string, string][] = [
  ["asc", "ASC", ".asc"], ["sdf", "SDF", ".sdf"], ["seq", "SEQ", ".seq"], ["tsv", "TAB", ".txt"],
];
const EXPERT_SEQUENCE = [1, 3, 2, 4, 4, 2, 1];
// Options by which the command line fills a form from an example or a
// template; the page has its own buttons for those.
const HIDDEN = new Set(["example", "settings", "template"]);
// A field that follows from the picked file while the dialog's box
// "Automatisch" is ticked (as it is at the start); the command line takes
// the field's option only when the box is cleared.
const AUTOMATIC: Record<string, string> = { "db-image": "count" };
export const AUTO_KEY = "@automatic";
export function automaticField(g: GeneratorDef): string | undefined {
  return g.fields.some((f) => f.option === "automatic") ? undefined : AUTOMATIC[g.subcommand];
}

export class Page {
  current: GeneratorDef | null = null;
  // What each form holds, kept while the user moves between generators.
  readonly values = new Map<string, Options>();
  result: RunResult | null = null;
  private lastOptions = "";
  private shownText: string | undefined;
  private showSource = true;
  private sourceText = "";
  private pending = 0;
  private expert = false;
  private expertProgress = 0;
  private readonly grid: SymbolGrid;
  private readonly text: TextView;
  private readonly templates: Templates;
  readonly project: Project;
  private live: Core | null = null;
  // A generator asked for before the core is there, opened when it is.
  private waiting: [string, Options | undefined] | null = null;

  constructor() {
    this.grid = new SymbolGrid($("grid"));
    this.text = new TextView($("source"));
    this.templates = new Templates(this);
    this.project = new Project(this);
    this.buildMenus();
    this.buildHeader();
    $("copy").onclick = () => this.copy();
    $("save").onclick = () => this.save();
    $("toggle").onclick = () => { this.showSource = !this.showSource; this.showView(); };
    for (const [kind, caption] of ROW_FORMATS) $("rowformat").appendChild(make("option", { value: kind, textContent: caption }));
    this.buildInfo();
  }

  get core(): Core {
    if (!this.live) throw new Error("Der Kern ist noch nicht geladen.");
    return this.live;
  }

  get ready(): boolean { return this.live !== null; }

  // The page is drawn and shows its first output before the core is
  // compiled; from here on every change runs the core.
  attach(core: Core): void {
    this.live = core;
    this.templates.fill();
    const waiting = this.waiting;
    this.waiting = null;
    if (waiting) {
      this.open(...waiting);
    } else {
      this.lastOptions = "";
      this.regenerate();
    }
  }

  get mnemonics(): string { return localStorage.getItem("brendax.mnemonics") === "en" ? "en" : "de"; }

  private buildHeader(): void {
    const select = $<HTMLSelectElement>("mnemonics");
    const field = schema.common?.find((f) => f.option === "mnemonics");
    if (field?.items) {
      select.replaceChildren(...field.items.map((it) => make("option", { value: it.value, textContent: it.caption })));
      $("mnemonics-caption").textContent = field.caption;
    }
    select.value = this.mnemonics;
    select.onchange = () => { localStorage.setItem("brendax.mnemonics", select.value); this.schedule(); };
  }

  private buildMenus(): void {
    const bar = $("menubar");
    const fill = (list: HTMLElement, entries: MenuEntry[]) => {
      for (const entry of entries) {
        if (entry.separator) {
          list.appendChild(make("hr"));
        } else if (entry.entries) {
          list.appendChild(make("div", { className: "submenu", textContent: entry.caption }));
          const sub = make("div", { className: "submenu-list" });
          fill(sub, entry.entries);
          list.appendChild(sub);
        } else {
          const b = make("button", { textContent: entry.caption });
          b.dataset.subcommand = entry.subcommand!;
          if (entry.expert) b.classList.add("expert-only");
          b.onclick = () => this.open(entry.subcommand!);
          list.appendChild(b);
        }
      }
    };
    for (const menu of schema.menus) {
      const item = make("div", { className: "menu" });
      item.appendChild(make("button", { textContent: menu.caption, className: "menu-title" }));
      const list = make("div", { className: "menu-list" });
      fill(list, menu.entries);
      item.appendChild(list);
      bar.appendChild(item);
    }
    bar.appendChild(this.project.menu());
    const help = make("div", { className: "menu" });
    help.appendChild(make("button", { textContent: "Hilfe", className: "menu-title" }));
    const list = make("div", { className: "menu-list" });
    const about = make("button", { textContent: "Über Brendax", id: "about" });
    about.onclick = () => $<HTMLDialogElement>("info").showModal();
    list.appendChild(about);
    help.appendChild(list);
    bar.appendChild(help);
  }

  // The Info dialog: seven clicks on its panels in the right order switch the
  // expert mode on, the next click switches it off again.
  private buildInfo(): void {
    const panels = document.querySelectorAll<HTMLElement>("#info .panel");
    panels.forEach((p, i) => (p.onclick = () => this.panelClick(i + 1)));
    $("version").textContent = `Brendax Ver.: ${schema.version}`;
    $("info-ok").onclick = () => $<HTMLDialogElement>("info").close();
  }

  private panelClick(n: number): void {
    if (this.expert) {
      this.setExpert(false);
      this.expertProgress = 0;
    } else if (n === EXPERT_SEQUENCE[this.expertProgress]) {
      if (++this.expertProgress === EXPERT_SEQUENCE.length) this.setExpert(true);
    } else {
      this.expertProgress = n === EXPERT_SEQUENCE[0] ? 1 : 0;
    }
  }

  setExpert(on: boolean): void {
    this.expert = on;
    document.body.classList.toggle("expert", on);
    document.title = on ? "Brendax +" : "Brendax";
    if (!on && this.current?.expert) this.open(schema.generators.find((g) => !g.expert)!.subcommand);
  }

  defaults(g: GeneratorDef): Options {
    const o: Options = {};
    for (const f of g.fields) {
      if (HIDDEN.has(f.option)) continue;
      const d = f.default ?? "";
      o[f.option] = f.repeatable && !Array.isArray(d) ? linesOf(d) : d;
    }
    if (automaticField(g)) o[AUTO_KEY] = "on";
    return o;
  }

  // Shows the form of a generator with the values it held last.
  open(subcommand: string, options?: Options): void {
    const g = generators.get(subcommand);
    if (!g || (g.expert && !this.expert)) return;
    if (!this.live && this.current) {
      this.waiting = [subcommand, options];
      return;
    }
    this.current = g;
    if (options) this.values.set(subcommand, { ...this.defaults(g), ...options });
    if (!this.values.has(subcommand)) this.values.set(subcommand, this.defaults(g));
    document.querySelectorAll("#menubar button[data-subcommand]").forEach((b) =>
      b.classList.toggle("active", (b as HTMLElement).dataset.subcommand === subcommand));
    this.renderForm();
    this.showSource = g.writes?.lines !== false;
    this.lastOptions = "";
    this.shownText = undefined;
    this.regenerate();
  }

  private renderForm(): void {
    const g = this.current!;
    const values = this.values.get(g.subcommand)!;
    const form = $("form");
    form.replaceChildren(make("h2", { textContent: g.caption }));
    const buttons = make("div", { className: "form-buttons" });
    const reset = make("button", { textContent: "Standardwerte", id: "defaults" });
    reset.onclick = () => this.open(g.subcommand, this.defaults(g));
    buttons.appendChild(reset);
    (g.examples ?? []).forEach((ex, i) => {
      const b = make("button", { textContent: ex.caption, className: "example" });
      b.dataset.example = String(i + 1);
      b.onclick = () => this.open(g.subcommand, { ...this.defaults(g), ...ex.options });
      buttons.appendChild(b);
    });
    form.appendChild(buttons);
    const groups = new Map<string, HTMLElement>();
    for (const f of g.fields) {
      if (HIDDEN.has(f.option)) continue;
      let parent: HTMLElement = form;
      if (f.group) {
        if (!groups.has(f.group)) {
          const set = make("fieldset");
          set.appendChild(make("legend", { textContent: f.group }));
          groups.set(f.group, set);
          form.appendChild(set);
        }
        parent = groups.get(f.group)!;
      }
      if (f.option === automaticField(g)) parent.appendChild(this.automaticControl(f, values));
      parent.appendChild(this.fieldControl(f, values));
    }
    this.applyAutomatic();
    if (g.subcommand === "symbols") form.appendChild(this.templates.panel());
  }

  private automaticControl(f: FieldDef, values: Options): HTMLElement {
    const row = make("label", { className: "field kind-check" });
    const box = make("input", { type: "checkbox", id: "f-automatic", checked: values[AUTO_KEY] === "on" });
    box.onchange = () => { values[AUTO_KEY] = box.checked ? "on" : "off"; this.applyAutomatic(); this.schedule(); };
    row.append(box, make("span", { className: "caption", textContent: `Automatisch (${f.caption.replace(/:$/, "")} aus der Dateigröße)` }));
    return row;
  }

  private applyAutomatic(): void {
    const option = automaticField(this.current!);
    if (!option) return;
    const input = document.getElementById(`f-${option}`) as HTMLInputElement | null;
    if (input) input.disabled = this.values.get(this.current!.subcommand)![AUTO_KEY] === "on";
  }

  private fieldControl(f: FieldDef, values: Options): HTMLElement {
    const row = make("label", { className: `field kind-${f.kind}` });
    row.dataset.option = f.option;
    if (f.help) row.title = f.help;
    const caption = make("span", { className: "caption", textContent: f.caption });
    const value = values[f.option];
    const set = (v: string | string[]) => { values[f.option] = v; this.schedule(); };
    let control: HTMLElement;
    if (f.kind === "check") {
      const box = make("input", { type: "checkbox", checked: value === "on" });
      box.onchange = () => set(box.checked ? "on" : "off");
      row.append(box, caption);
      control = box;
    } else if (f.kind === "choice") {
      const select = make("select");
      for (const it of f.items ?? []) select.appendChild(make("option", { value: it.value, textContent: it.caption }));
      select.value = String(value);
      select.onchange = () => set(select.value);
      row.append(caption, select);
      control = select;
    } else if (f.kind === "file") {
      const input = make("input", { type: "file" });
      const name = make("span", { className: "file-name", textContent: String(value || "").replace(/^\/input\//, "") });
      input.onchange = () => this.pickFile(f, input, name, values);
      row.append(caption, input, name);
      control = input;
    } else if (f.kind === "lines" || f.repeatable) {
      const area = make("textarea", { rows: 4, spellcheck: false });
      area.value = Array.isArray(value) ? value.join("\n") : String(value ?? "").replace(/\r\n?/g, "\n");
      area.oninput = () => set(f.repeatable ? linesOf(area.value) : area.value);
      row.append(caption, area);
      control = area;
    } else {
      const input = make("input", { type: "text", spellcheck: false, value: String(value ?? "") });
      input.oninput = () => set(input.value);
      row.append(caption, input);
      control = input;
    }
    control.id = `f-${f.option}`;
    control.setAttribute("name", f.option);
    return row;
  }

  // A file the user picks is read here and handed to the core's in-memory
  // file system; it never leaves the page.
  pickFile(f: FieldDef, input: HTMLInputElement, name: HTMLElement, values: Options): void {
    const file = input.files?.[0];
    if (!file) return;
    file.arrayBuffer().then(
      (buffer) => {
        const path = `/input/${file.name.replace(/[/\\]/g, "_")}`;
        putFile(this.core, path, new Uint8Array(buffer));
        values[f.option] = path;
        name.textContent = file.name;
        this.lastOptions = "";
        this.schedule();
      },
      () => this.showMessage(`Die Datei\r\n${file.name}\r\nkann nicht gelesen werden.`, f.option),
    );
  }

  // Changes are gathered until the next frame, so a fast typist never
  // queues runs behind each other.
  schedule(): void {
    if (this.pending) return;
    this.pending = requestAnimationFrame(() => { this.pending = 0; this.regenerate(); });
  }

  // The options as the core takes them: lists that the command line reads
  // from a file are written into the core's file system first.
  coreOptions(g: GeneratorDef, values: Options): Options {
    // The two tools write no mnemonics and take no such option.
    const o: Options = g.tool ? {} : { mnemonics: this.mnemonics };
    for (const f of g.fields) {
      const v = values[f.option];
      if (v === undefined || HIDDEN.has(f.option)) continue;
      if (f.option === automaticField(g) && values[AUTO_KEY] !== "off") continue;
      if (f.repeatable) {
        o[f.option] = Array.isArray(v) ? v : linesOf(v);
      } else if (f.kind === "lines" && f.file) {
        if (!v) continue;
        const path = `/input/${f.option}.txt`;
        if (this.live) putFile(this.live, path, encodeCp1252(String(v).replace(/\r?\n/g, "\r\n")));
        o[f.option] = path;
      } else if (f.kind === "lines") {
        o[f.option] = String(v).replace(/\r?\n/g, "\r\n");
      } else if (f.kind === "file" && !v) {
        continue;
      } else {
        o[f.option] = v;
      }
    }
    return o;
  }

  regenerate(): void {
    const g = this.current;
    if (!g) return;
    const json = JSON.stringify(this.coreOptions(g, this.values.get(g.subcommand)!));
    if (json === this.lastOptions) return;
    let text: string | undefined;
    try {
      if (this.live) {
        this.lastOptions = json;
        text = this.live.generate(g.subcommand, json);
      } else {
        // What the core gave for the opening form when the page was built.
        text = g.subcommand === startup.subcommand ? startup.results[this.mnemonics] : undefined;
        if (text === undefined) return;
      }
      // The same output again (the core confirming the page's first one)
      // leaves the view, and a selection in it, as it is.
      if (text === this.shownText) return;
      this.result = JSON.parse(text) as RunResult;
    } catch (e) {
      // A usage error: the command line's first line ("--structure: spiral
      // not in {...}"); its second only points to --help.
      const text = ((e as Error).message ?? String(e)).split("\n")[0];
      this.result = { error: { code: -1, message: text, box: text, field: null } };
    }
    this.shownText = text;
    this.showResult();
  }

  private showResult(): void {
    const r = this.result!;
    const g = this.current!;
    let text = r.lines?.length ? r.lines.join("\n") + "\n" : "";
    if (!r.lines && !r.error && g.tool) {
      // A tool whose result is its fields (the address calculator): the
      // text that the command line writes for it.
      try {
        text = decodeCp1252(this.core.output(g.subcommand, this.lastOptions, "awl")).replace(/\r\n/g, "\n");
      } catch (e) {
        text = (e as Error).message;
      }
    }
    // Kept here too: reading a text area's value back copies all of it.
    this.sourceText = text;
    this.text.setLines(r.lines?.length ? r.lines : text ? text.replace(/\n$/, "").split("\n") : [], text);
    this.grid.setRows(r.symbols ?? []);
    document.querySelectorAll(".field.refused").forEach((el) => el.classList.remove("refused"));
    if (r.error) this.showMessage(r.error.box, r.error.field);
    else this.showMessage((r.notices ?? []).join("\r\n"), null, "notice");
    if (Array.isArray(r.invalid)) for (const f of r.invalid as string[]) this.markField(f);
    // The address calculator writes its result into the sought field, as
    // its dialog does; that field is not typed into.
    const fields = r.fields as Record<string, string> | undefined;
    const marks = r.marks as Record<string, string> | undefined;
    if (fields && marks) {
      for (const [option, value] of Object.entries(fields)) {
        const input = document.getElementById(`f-${option}`) as HTMLInputElement | null;
        if (!input) continue;
        input.readOnly = marks[option] === "X";
        if (input.readOnly) input.value = value;
      }
    }
    // Worded as the window's status line words it.
    const rows = r.symbols?.length ?? 0;
    $("rows").textContent = rows ? `Symbole: ${rows} ${rows === 1 ? "Zeile" : "Zeilen"}` : "";
    this.showView();
  }

  showMessage(text: string, field: string | null, kind = "error"): void {
    const box = $("message");
    box.textContent = text.replace(/\r\n?/g, "\n");
    box.className = text ? kind : "";
    if (field) this.markField(field);
  }

  private markField(option: string): void {
    document.querySelector(`#form .field[data-option="${CSS.escape(option)}"]`)?.classList.add("refused");
  }

  private showView(): void {
    const r = this.result;
    const hasLines = this.sourceText !== "";
    const hasRows = (r?.symbols?.length ?? 0) > 0;
    if (!hasRows) this.showSource = true;
    else if (!hasLines) this.showSource = false;
    $("source").hidden = !this.showSource;
    $("grid").hidden = this.showSource;
    $<HTMLButtonElement>("toggle").disabled = !(hasLines && hasRows);
    $<HTMLButtonElement>("toggle").textContent = this.showSource ? "Symbole zeigen" : "Quelle zeigen";
    $("rowformat").hidden = this.showSource;
  }

  // Exactly what the window puts on the clipboard: the visible view; the
  // source's selection, or all of it, with CR LF line ends.
  clipboardText(): string {
    if (!this.showSource) return this.grid.clipboardText();
    const selection = document.getSelection();
    const inside = selection && !selection.isCollapsed && $("source").contains(selection.anchorNode) &&
      $("source").contains(selection.focusNode);
    const text = inside ? selection.toString() : this.sourceText;
    return text.replace(/\n/g, "\r\n");
  }

  private async copy(): Promise<void> {
    const text = this.clipboardText();
    if (!text) return;
    try {
      await navigator.clipboard.writeText(text);
    } catch {
      const area = make("textarea", { value: text });
      document.body.appendChild(area);
      area.select();
      document.execCommand("copy");
      area.remove();
    }
  }

  private save(): void {
    const g = this.current;
    if (!g || this.result?.error) return;
    const json = JSON.stringify(this.coreOptions(g, this.values.get(g.subcommand)!));
    const format = ROW_FORMATS.find(([kind]) => kind === $<HTMLSelectElement>("rowformat").value)!;
    const kind = this.showSource ? "awl" : format[0];
    let bytes: Uint8Array;
    try {
      bytes = this.core.output(g.subcommand, json, kind);
    } catch (e) {
      this.showMessage((e as Error).message, null);
      return;
    }
    if (!bytes.length) return;
    download(bytes, g.subcommand + (this.showSource ? ".awl" : format[2]));
  }
}

function linesOf(text: string): string[] {
  const lines = text.split(/\r?\n/);
  if (lines.length && lines[lines.length - 1] === "") lines.pop();
  return lines;
}

performance.mark("brendax-script");
const page = new Page();
(window as unknown as { brendax: Page }).brendax = page;
page.open(startup.subcommand);
document.body.dataset.firstOutput = performance.now().toFixed(1);
// The core is compiled once the first output is painted.
requestAnimationFrame(() => setTimeout(() => loadCore().then(
  (core) => {
    performance.mark("brendax-core");
    page.attach(core);
    document.body.dataset.ready = "1";
    document.body.dataset.coreReady = performance.now().toFixed(1);
  },
  (e) => { $("message").textContent = `Der Kern kann nicht geladen werden: ${e}`; $("message").className = "error"; },
)));
