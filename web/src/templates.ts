// The symbol generator's eight templates. The page keeps the window
// program's whole settings record in localStorage, so that a settings file
// moves between the two unchanged; the core reads and writes it.
import type { Page } from "./main";
import { download, fromBase64, toBase64 } from "./util";
import { Options } from "./core";

const KEY = "brendax.settings";
const PATH = "/input/brendax.set";
// The window's settings record has this one size.
const RECORD_SIZE = 2756;

interface Slot { number: number; name: string; neverSaved?: boolean; options?: Options }


export class Templates {
  private list: HTMLElement | null = null;
  private save: HTMLButtonElement | null = null;
  private pick: HTMLInputElement | null = null;

  constructor(private readonly page: Page) {}

  private stage(): boolean {
    const stored = localStorage.getItem(KEY);
    const fs = this.page.core.FS;
    if (fs.analyzePath(PATH).exists) fs.unlink(PATH);
    if (!stored) return false;
    fs.writeFile(PATH, fromBase64(stored));
    return true;
  }

  slots(): Slot[] {
    if (!this.stage()) return [];
    const r = this.page.core.run(["templates", "--settings", PATH, "--json"]);
    if (r.status !== 0) return [];
    const doc = JSON.parse(new TextDecoder().decode(r.stdout));
    return (Array.isArray(doc) ? doc : doc.templates ?? []) as Slot[];
  }

  private store(n: number, name: string): string | null {
    const g = this.page.current!;
    this.stage();
    const args = ["templates", "--settings", PATH, "--store", String(n), "--name", name];
    const options = this.page.values.get(g.subcommand)!;
    for (const f of g.fields) {
      const v = options[f.option];
      for (const one of Array.isArray(v) ? v : v === undefined ? [] : [v]) args.push(`--${f.option}`, one);
    }
    const r = this.page.core.run(args);
    if (r.status !== 0) return r.stderr.trim() || "Die Vorlage kann nicht gespeichert werden.";
    localStorage.setItem(KEY, toBase64(this.page.core.FS.readFile(PATH)));
    return null;
  }

  // Reads a settings file the user picks; a file the core cannot read as
  // one is refused and the stored templates stay.
  private async import(file: File): Promise<string | null> {
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (bytes.length !== RECORD_SIZE) {
      return `${file.name} ist keine Einstellungsdatei von Brendax: sie hat ${bytes.length} statt ${RECORD_SIZE} Bytes.`;
    }
    const before = localStorage.getItem(KEY);
    localStorage.setItem(KEY, toBase64(bytes));
    this.stage();
    const r = this.page.core.run(["templates", "--settings", PATH, "--json"]);
    if (r.status === 0) return null;
    if (before === null) localStorage.removeItem(KEY);
    else localStorage.setItem(KEY, before);
    return r.stderr.trim() || `${file.name} ist keine Einstellungsdatei.`;
  }

  panel(): HTMLElement {
    const box = document.createElement("fieldset");
    box.id = "templates";
    box.appendChild(Object.assign(document.createElement("legend"), { textContent: "Vorlagen" }));
    this.list = document.createElement("div");
    this.list.className = "template-list";
    box.appendChild(this.list);
    const number = Object.assign(document.createElement("select"), { id: "template-number" });
    for (let n = 1; n <= 8; n++) number.appendChild(Object.assign(document.createElement("option"), { value: String(n), textContent: String(n) }));
    const name = Object.assign(document.createElement("input"), { id: "template-name", type: "text", placeholder: "Name", maxLength: 20 });
    const save = Object.assign(document.createElement("button"), { textContent: "Als Vorlage speichern", id: "template-save" });
    this.save = save;
    const refresh = () => this.page.open(this.page.current!.subcommand);
    save.onclick = () => {
      const error = this.store(Number(number.value), name.value);
      if (error) this.page.showMessage(error, null);
      else refresh();
    };
    const pick = Object.assign(document.createElement("input"), { type: "file", id: "settings-import", accept: ".set" });
    this.pick = pick;
    pick.onchange = async () => {
      const file = pick.files?.[0];
      if (!file) return;
      const error = await this.import(file);
      if (error) this.page.showMessage(error, null);
      else refresh();
    };
    const exportButton = Object.assign(document.createElement("button"), { textContent: "Einstellungsdatei exportieren", id: "settings-export" });
    exportButton.disabled = !localStorage.getItem(KEY);
    exportButton.onclick = () => download(fromBase64(localStorage.getItem(KEY)!), "brendax.set");
    const row = document.createElement("div");
    row.className = "template-store";
    const importLabel = Object.assign(document.createElement("label"), { textContent: "Einstellungsdatei importieren " });
    importLabel.appendChild(pick);
    row.append("Nr. ", number, name, save, importLabel, exportButton);
    box.appendChild(row);
    this.fill();
    return box;
  }

  // The stored templates are read by the core: until it is there, the
  // panel waits with its buttons off.
  fill(): void {
    if (!this.list) return;
    const ready = this.page.ready;
    const slots = ready ? this.slots() : [];
    this.list!.replaceChildren();
    for (let n = 1; n <= 8; n++) {
      const slot = slots.find((s) => s.number === n);
      const b = Object.assign(document.createElement("button"), { textContent: `Lade Vorlage ${n} : ${slot?.name ?? ""}` });
      b.dataset.template = String(n);
      b.disabled = !slot || slot.neverSaved === true || !slot.options;
      b.onclick = () => this.page.open(this.page.current!.subcommand, slot!.options);
      this.list!.appendChild(b);
    }
    this.save!.disabled = !ready;
    this.pick!.disabled = !ready;
  }
}
