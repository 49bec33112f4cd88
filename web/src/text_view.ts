// The source text. A text of normal size is one text node, selectable as a
// whole; a very long one (the largest target/actual DB has 134,000 lines)
// draws only the lines scrolled into view, so it shows at once.
const LINE_HEIGHT = 15;
const WHOLE_UP_TO = 5000;
const OVERSCAN = 40;

export class TextView {
  private lines: string[] = [];
  private readonly spacer: HTMLDivElement;
  private readonly slice: HTMLDivElement;
  private virtual = false;

  constructor(private readonly box: HTMLElement) {
    this.spacer = document.createElement("div");
    this.slice = document.createElement("div");
    this.slice.className = "text-slice";
    this.spacer.appendChild(this.slice);
    box.appendChild(this.spacer);
    box.addEventListener("scroll", () => { if (this.virtual) this.draw(); });
  }

  setLines(lines: string[], text: string): void {
    this.lines = lines;
    this.virtual = lines.length > WHOLE_UP_TO;
    this.box.classList.toggle("virtual", this.virtual);
    this.spacer.style.height = this.virtual ? `${lines.length * LINE_HEIGHT + 4}px` : "";
    if (this.virtual) this.draw();
    else {
      this.slice.style.transform = "";
      this.slice.textContent = text;
    }
  }

  private draw(): void {
    const first = Math.max(0, Math.floor(this.box.scrollTop / LINE_HEIGHT) - OVERSCAN);
    const count = Math.ceil((this.box.clientHeight || 800) / LINE_HEIGHT) + 2 * OVERSCAN;
    this.slice.style.transform = `translateY(${first * LINE_HEIGHT}px)`;
    this.slice.textContent = this.lines.slice(first, first + count).join("\n");
  }
}
