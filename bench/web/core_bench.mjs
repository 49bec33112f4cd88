// The WebAssembly core beside the native command line, in one run: one
// regeneration of the default step sequence and the largest target/actual
// DB (32 double words x 64 variants), as the JSON the page reads and as the
// source bytes. The native figure is one brendax-cli run less the start of
// the program (brendax-cli --version), median of several runs.
// Usage: node bench/web/core_bench.mjs BRENDAX_CLI
import { spawnSync } from 'child_process';
import { dirname, join } from 'path';
import { fileURLToPath } from 'url';
import { performance } from 'perf_hooks';

const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const cli = process.argv[2] || join(root, 'build', 'default', 'src', 'brendax-cli');

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
function time(runs, fn) {
  const samples = [];
  for (let i = 0; i < runs; ++i) {
    const start = performance.now();
    fn();
    samples.push(performance.now() - start);
  }
  return median(samples);
}

const loadStart = performance.now();
const { default: createBrendaxCore } = await import(join(root, 'build', 'web', 'brendax_core.mjs'));
const core = await createBrendaxCore();
const loaded = performance.now() - loadStart;

const nativeRun = (args) => () => {
  const run = spawnSync(cli, args);
  if (run.status !== 0) throw new Error(`${cli} ${args.join(' ')}: exit ${run.status}`);
};
const nativeStart = time(15, nativeRun(['--version']));

const largest = { 'double-words': '32', variants: '64' };
const cases = [
  ['step-simple defaults, JSON', () => core.generate('step-simple', {}), ['step-simple', '--json'], 50],
  ['step-simple defaults, source bytes', () => core.output('step-simple', {}, 'awl'), ['step-simple'], 50],
  ['target/actual DB 32 x 64, JSON', () => core.generate('target-actual-db', largest),
   ['target-actual-db', '--double-words', '32', '--variants', '64', '--json'], 7],
  ['target/actual DB 32 x 64, source bytes', () => core.output('target-actual-db', largest, 'awl'),
   ['target-actual-db', '--double-words', '32', '--variants', '64'], 7],
];

const rows = [];
for (const [name, wasm, args, runs] of cases) {
  wasm();  // warm
  const wasmMs = time(runs, wasm);
  const nativeMs = Math.max(0, time(Math.min(runs, 15), nativeRun(args)) - nativeStart);
  rows.push([name, wasmMs, nativeMs]);
}
const lines = JSON.parse(core.generate('target-actual-db', largest)).lines.length;

const pad = (text, width) => String(text).padEnd(width);
const ms = (value) => value.toFixed(2).padStart(9);
console.log(`module load: ${loaded.toFixed(0)} ms; native program start: ${nativeStart.toFixed(2)} ms; ` +
            `target/actual DB 32 x 64: ${lines} lines`);
console.log(`${pad('run', 40)} ${'wasm ms'.padStart(9)} ${'native ms'.padStart(9)} ${'ratio'.padStart(6)}`);
for (const [name, wasmMs, nativeMs] of rows)
  console.log(`${pad(name, 40)} ${ms(wasmMs)} ${ms(nativeMs)} ${(nativeMs > 0 ? wasmMs / nativeMs : 0).toFixed(1).padStart(6)}`);
