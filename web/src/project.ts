// The project: the same job file that the window keeps and `brendax-cli
// batch` runs. It is opened from a file the user picks and saved as a
// download; a run that names a file (the DB image, a list read from a file)
// asks the user for that file, as a page cannot open paths itself.
import type { Page } from "./main";
import { AUTO_KEY, automaticField } from "./main";
import { FieldDef, Options, schema } from "./core";
import { decodeCp1252 } from "./cp1252";
import { download } from "./util";

interface JobRun { generator: string; options: Options }
interface Job { runs: JobRun[]; [key: string]: unknown }

const names = (path: string) => path.split(/[/\\]/).pop() ?? path;

export class Project {
  job: Job = { source: "projekt.awl", symbols: "projekt.sdf", "symbols-format": "sdf", runs: [] };
  name = "projekt.json";

  constructor(private readonly page: Page) {}

  menu(): HTMLElement {
    const menu = Object.assign(document.createElement("div"), { className: "menu" });
    menu.appendChild(Object.assign(document.createElement("button"), { textContent: "Projekt", className: "menu-title" }));
    const list = Object.assign(document.createElement("div"), { className: "menu-list" });
    const pick = Object.assign(document.createElement("input"), { type: "file", accept: ".json", id: "project-open", hidden: true });
    pick.onchange = () => { const f = pick.files?.[0]; if (f) void this.openFile(f); pick.value = ""; };
    const entry = (caption: string, id: string, action: () => void) => {
      const b = Object.assign(document.createElement("button"), { textContent: caption, id });
      b.onclick = action;
      list.appendChild(b);
    };
    entry("Öffnen …", "project-open-button", () => pick.click());
    entry("Speichern", "project-save", () => this.save());
    entry("Formular hinzufügen", "project-add", () => this.add());
    list.appendChild(pick);
    menu.appendChild(list);
    return menu;
  }

  async openFile(file: File): Promise<void> {
    let job: Job;
    try {
      job = JSON.parse(await file.text());
      if (!Array.isArray(job.runs)) throw new Error("\"runs\" fehlt");
      for (const run of job.runs) {
        if (!schema.generators.some((g) => g.subcommand === run.generator)) throw new Error(`unbekannter Generator "${run.generator}"`);
      }
    } catch (e) {
      this.page.showMessage(`Das Projekt ${file.name} kann nicht gelesen werden: ${(e as Error).message}`, null);
      return;
    }
    this.job = job;
    this.name = file.name;
    if (typeof job.mnemonics === "string") localStorage.setItem("brendax.mnemonics", job.mnemonics);
    this.render();
    if (job.runs.length) this.openRun(0);
  }

  private add(): void {
    const g = this.page.current;
    if (!g) return;
    if (g.tool) {
      this.page.showMessage(`${g.caption} erzeugt keine Bausteine und kann kein Lauf eines Projekts sein.`, null);
      return;
    }
    const options = { ...this.page.values.get(g.subcommand)! };
    this.job.runs.push({ generator: g.subcommand, options });
    this.render();
  }

  // Lists held as text and the picked DB image go into the job by file
  // name; the lists are offered as files beside it.
  private save(): void {
    const runs = this.job.runs.map((run, i) => {
      const g = schema.generators.find((x) => x.subcommand === run.generator)!;
      const options: Options = {};
      for (const f of g.fields) {
        const v = run.options[f.option];
        if (v === undefined || v === "") continue;
        if (f.option === automaticField(g) && run.options[AUTO_KEY] !== "off") continue;
        if (f.kind === "lines" && f.file) {
          const name = `${this.stem()}.run${i + 1}.${f.option}.txt`;
          download(String(v).replace(/\r?\n/g, "\r\n"), name, "text/plain");
          options[f.option] = name;
        } else if (f.kind === "file") {
          options[f.option] = names(String(v));
        } else options[f.option] = v;
      }
      return { generator: run.generator, options };
    });
    const job = { ...this.job, mnemonics: this.page.mnemonics, runs };
    download(JSON.stringify(job, null, 2) + "\n", this.name, "application/json");
  }

  private stem(): string { return this.name.replace(/\.json$/i, ""); }

  private render(): void {
    const box = document.getElementById("project")!;
    box.replaceChildren();
    if (!this.job.runs.length) return;
    box.appendChild(Object.assign(document.createElement("strong"), { textContent: `${this.name}: ` }));
    this.job.runs.forEach((run, i) => {
      const b = Object.assign(document.createElement("button"), { textContent: `${i + 1} ${run.generator}` });
      b.dataset.run = String(i);
      b.onclick = () => this.openRun(i);
      box.appendChild(b);
    });
  }

  openRun(i: number): void {
    const run = this.job.runs[i];
    const g = schema.generators.find((x) => x.subcommand === run.generator)!;
    const wanted = g.fields.filter((f) => (f.kind === "file" || (f.kind === "lines" && f.file)) &&
      typeof run.options[f.option] === "string" && !String(run.options[f.option]).startsWith("/input/"));
    const options = { ...run.options };
    const auto = automaticField(g);
    if (auto && !(AUTO_KEY in options)) options[AUTO_KEY] = auto in options ? "off" : "on";
    for (const f of wanted) if (f.kind === "file") delete options[f.option];
    this.page.open(run.generator, options);
    for (const f of wanted) this.ask(f, String(run.options[f.option]), run);
  }

  // Asks for the file a run names and puts it where the form reads it.
  private ask(f: FieldDef, path: string, run: JobRun): void {
    const bar = document.getElementById("ask")!;
    const row = document.createElement("div");
    row.className = "ask";
    row.append(`Das Projekt nennt für „${f.caption}“ die Datei ${names(path)}: bitte wählen `);
    const pick = Object.assign(document.createElement("input"), { type: "file" });
    row.appendChild(pick);
    bar.appendChild(row);
    pick.onchange = async () => {
      const file = pick.files?.[0];
      if (!file) return;
      if (f.kind === "file") {
        const input = document.getElementById(`f-${f.option}`) as HTMLInputElement;
        const dt = new DataTransfer();
        dt.items.add(file);
        input.files = dt.files;
        input.dispatchEvent(new Event("change"));
      } else {
        const text = decodeCp1252(new Uint8Array(await file.arrayBuffer()));
        run.options[f.option] = text;
        this.page.open(run.generator, { ...this.page.values.get(run.generator), [f.option]: text });
      }
      row.remove();
    };
  }
}
