// Windows-1252, the code page of the source files and the lists the core
// reads. Characters outside it become "?", as the window's conversion does.
const HIGH = "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";

export function encodeCp1252(text: string): Uint8Array {
  const out = new Uint8Array(text.length);
  let n = 0;
  for (const ch of text) {
    const c = ch.codePointAt(0)!;
    if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) out[n++] = c;
    else {
      const i = HIGH.indexOf(ch);
      out[n++] = i >= 0 ? 0x80 + i : 0x3f;
    }
  }
  return out.subarray(0, n);
}

export function decodeCp1252(bytes: Uint8Array): string {
  let s = "";
  for (let i = 0; i < bytes.length; i += 8192) {
    const chunk = bytes.subarray(i, i + 8192);
    s += String.fromCharCode(...Array.from(chunk, (b) => (b >= 0x80 && b < 0xa0 ? HIGH.charCodeAt(b - 0x80) : b)));
  }
  return s;
}
