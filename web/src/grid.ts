// The symbol grid: the title row and one row per symbol, drawn only where
// it is scrolled into view, so that a table of any length costs the same.
// A click selects a cell, a shift-click the rectangle from there.
export const TITLES = ["Symbol", "Adresse", "Typ", "Kommentar"];
const ROW_HEIGHT = 18;
const OVERSCAN = 10;

export interface Selection { left: number; top: number; right: number; bottom: number }

export class SymbolGrid {
  private rows: string[][] = [];
  private anchor: { row: number; col: number } | null = null;
  selection: Selection | null = null;
  private readonly spacer: HTMLDivElement;
  private readonly body: HTMLTableSectionElement;

  constructor(private readonly box: HTMLElement) {
    box.classList.add("grid");
    const table = document.createElement("table");
    const head = table.createTHead().insertRow();
    for (const t of TITLES) head.appendChild(document.createElement("th")).textContent = t;
    this.body = table.createTBody();
    this.spacer = document.createElement("div");
    this.spacer.className = "grid-spacer";
    this.spacer.appendChild(table);
    box.appendChild(this.spacer);
    box.addEventListener("scroll", () => this.draw());
    this.body.addEventListener("mousedown", (e) => this.pick(e));
  }

  // Rows 1 to n of the window's grid (the title row is the table's head).
  setRows(rows: string[][]): void {
    this.rows = rows;
    this.selection = null;
    this.anchor = null;
    this.spacer.style.height = `${(rows.length + 1) * ROW_HEIGHT}px`;
    this.draw();
  }

  get rowCount(): number { return this.rows.length; }

  private draw(): void {
    const first = Math.max(0, Math.floor(this.box.scrollTop / ROW_HEIGHT) - OVERSCAN);
    const visible = Math.ceil((this.box.clientHeight || 600) / ROW_HEIGHT) + 2 * OVERSCAN;
    const last = Math.min(this.rows.length, first + visible);
    this.body.style.transform = `translateY(${first * ROW_HEIGHT}px)`;
    this.body.replaceChildren();
    const s = this.selection;
    for (let r = first; r < last; r++) {
      const tr = this.body.insertRow();
      tr.dataset.row = String(r + 1);
      for (let c = 0; c < 4; c++) {
        const td = tr.insertCell();
        td.textContent = this.rows[r][c] ?? "";
        td.dataset.col = String(c);
        if (s && r + 1 >= s.top && r + 1 <= s.bottom && c >= s.left && c <= s.right) td.className = "sel";
      }
    }
  }

  private pick(e: MouseEvent): void {
    const td = (e.target as HTMLElement).closest("td");
    if (!td) return;
    const row = Number(td.parentElement!.dataset.row);
    const col = Number(td.dataset.col);
    if (!e.shiftKey || !this.anchor) this.anchor = { row, col };
    const a = this.anchor;
    this.selection = {
      left: Math.min(a.col, col), right: Math.max(a.col, col),
      top: Math.min(a.row, row), bottom: Math.max(a.row, row),
    };
    e.preventDefault();
    this.draw();
  }

  // What the window's "Zwischenablage" takes from the grid: the selected
  // rectangle, or the whole table when nothing sensible is selected; TAB
  // between cells, CR LF after every row.
  clipboardText(): string {
    const n = this.rows.length;
    if (n === 0) return "";
    let s = this.selection ?? { left: 0, top: 1, right: 3, bottom: n };
    if (s.left < 0 || s.right < s.left || s.right > 3 || s.top < 1 || s.bottom < s.top || s.bottom > n) {
      s = { left: 0, top: 1, right: 3, bottom: n };
    }
    let text = "";
    for (let r = s.top; r <= s.bottom; r++) {
      text += this.rows[r - 1].slice(s.left, s.right + 1).join("\t") + "\r\n";
    }
    return text;
  }
}
