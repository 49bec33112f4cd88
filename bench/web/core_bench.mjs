// The WebAssembly core beside the native command line, in one run: one
// regeneration of the default step sequence and the largest target/actual
// DB (32 double words x 64 variants), as the JSON the page reads and as the
// source bytes. The native figures are those of bench/bench_cli.cpp (the
// command line as a function in its own process, Google Benchmark), which
// runs the same arguments.
// Usage: node bench/web/core_bench.mjs [BENCH_CLI]   (default build/default/bench/bench_cli)
import { spawnSync } from 'child_process';
import { dirname, join, resolve } from 'path';
import { fileURLToPath } from 'url';
import { performance } from 'perf_hooks';

const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const benchCli = process.argv[2] ? resolve(process.argv[2]) : join(root, 'build', 'default', 'bench', 'bench_cli');

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

const bench = spawnSync(benchCli, ['--benchmark_format=json'], { stdio: ['ignore', 'pipe', 'ignore'] });
if (bench.status !== 0) throw new Error(`${benchCli} failed: build it with cmake --build --preset default --target bench_cli`);
const native = {};
for (const b of JSON.parse(bench.stdout.toString()).benchmarks) native[b.name] = b.real_time;

const largest = { 'double-words': '32', variants: '64' };
const cases = [
  ['step-simple defaults, JSON', () => core.generate('step-simple', {}), 'BM_CliStepSimpleDefaultsJson', 50],
  ['step-simple defaults, source bytes', () => core.output('step-simple', {}, 'awl'),
   'BM_CliStepSimpleDefaultsSource', 50],
  ['target/actual DB 32 x 64, JSON', () => core.generate('target-actual-db', largest),
   'BM_CliTargetActualLargestJson', 7],
  ['target/actual DB 32 x 64, source bytes', () => core.output('target-actual-db', largest, 'awl'),
   'BM_CliTargetActualLargestSource', 7],
];

// The first call of each, then the median once the engine has optimised
// the module's code (it starts on a quick baseline compile).
const rows = [];
for (const [name, wasm, benchmark, runs] of cases) {
  const firstMs = time(1, wasm);
  for (let i = 0; i < runs; ++i) wasm();
  const wasmMs = time(runs, wasm);
  const nativeMs = native[benchmark];
  rows.push([name, firstMs, wasmMs, nativeMs]);
}
const lines = JSON.parse(core.generate('target-actual-db', largest)).lines.length;

const pad = (text, width) => String(text).padEnd(width);
const ms = (value) => value.toFixed(2).padStart(9);
console.log(`module load: ${loaded.toFixed(0)} ms; target/actual DB 32 x 64: ${lines} lines`);
console.log(`${pad('run', 40)} ${'wasm 1st'.padStart(9)} ${'wasm ms'.padStart(9)} ${'native ms'.padStart(9)} ` +
            `${'ratio'.padStart(6)}`);
for (const [name, firstMs, wasmMs, nativeMs] of rows)
  console.log(`${pad(name, 40)} ${ms(firstMs)} ${ms(wasmMs)} ${ms(nativeMs)} ` +
              `${(nativeMs > 0 ? wasmMs / nativeMs : 0).toFixed(1).padStart(6)}`);
