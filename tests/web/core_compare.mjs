// The WebAssembly core against the native command line: for every golden
// case the JSON of core.generate equals `brendax-cli ... --json` and the
// bytes of core.output(..., 'awl') equal the golden file; refused runs give
// the same JSON, usage errors throw the command line's message.
// Usage: node tests/web/core_compare.mjs BRENDAX_CLI
import { spawnSync } from 'child_process';
import { mkdtempSync, readFileSync, rmSync } from 'fs';
import { tmpdir } from 'os';
import { dirname, join, resolve } from 'path';
import { fileURLToPath } from 'url';

const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const cli = process.argv[2] && resolve(process.argv[2]);
if (!cli) {
  console.error('usage: node tests/web/core_compare.mjs BRENDAX_CLI');
  process.exit(2);
}
const { default: createBrendaxCore } = await import(join(root, 'build', 'web', 'brendax_core.mjs'));
const core = await createBrendaxCore();
const goldens = join(root, 'goldens');

// Splits at blanks; "double quotes" keep blanks (as goldens/cases.txt is read).
function splitArguments(line) {
  const words = [];
  let word = '';
  let quoted = false;
  let any = false;
  for (const ch of line) {
    if (ch === '"') {
      quoted = !quoted;
      any = true;
    } else if (ch === ' ' && !quoted) {
      if (any) words.push(word);
      word = '';
      any = false;
    } else {
      word += ch;
      any = true;
    }
  }
  if (any) words.push(word);
  return words;
}

// "--name value" and "--name=value" pairs as a job run's options object.
function optionsOf(args) {
  const options = {};
  const add = (name, value) => {
    if (name in options) options[name] = [].concat(options[name], value);
    else options[name] = value;
  };
  for (let i = 0; i < args.length; ++i) {
    const arg = args[i];
    const eq = arg.indexOf('=');
    if (eq > 2) add(arg.slice(2, eq), arg.slice(eq + 1));
    else add(arg.slice(2), args[++i]);
  }
  return options;
}

function native(args) {
  const run = spawnSync(cli, args, { cwd: goldens });
  return { status: run.status, bytes: run.stdout, stdout: run.stdout.toString('utf8'), stderr: run.stderr.toString('utf8') };
}

const failures = [];
function check(name, ok, detail) {
  if (!ok) failures.push(`${name}: ${detail}`);
}
// A call that throws is a failure of its case, not of the whole comparison
// (the module's own handler would print its whole source).
function attempt(name, fn) {
  try {
    return fn();
  } catch (e) {
    failures.push(`${name}: threw ${e.message}`);
    return undefined;
  }
}

let cases = 0;
const lines = readFileSync(join(goldens, 'cases.txt'), 'utf8').split('\n');
for (const line of lines) {
  if (line === '' || line.startsWith('#')) continue;
  const [file, subcommand, ...args] = splitArguments(line);
  if (!subcommand || args.includes('--job') || subcommand === 'schema') continue;
  const options = optionsOf(args);
  const json = native([subcommand, ...args, '--json']).stdout;
  const generated = attempt(file, () => core.generate(subcommand, JSON.stringify(options)));
  check(file, generated === undefined || generated === json, 'generate differs from brendax-cli --json');
  const bytes = attempt(file, () => Buffer.from(core.output(subcommand, JSON.stringify(options), 'awl')));
  check(file, !bytes || bytes.equals(readFileSync(join(goldens, file))), 'output differs from the golden file');
  ++cases;
}

// Inputs from the in-memory file system: the DB image of a file, the lists of a target/actual DB.
core.FS.mkdirTree('/input');
core.FS.writeFile('/input/image.bin', readFileSync(join(goldens, 'datablocks', 'db_image_example.bin')));
core.FS.writeFile('/input/variant-symbols.txt', readFileSync(join(goldens, 'datablocks', 'target_actual_example_variants.txt')));
core.FS.writeFile('/input/address-symbols.txt', readFileSync(join(goldens, 'datablocks', 'target_actual_example_addresses.txt')));
const fileCases = [
  ['db-image', { file: '/input/image.bin', type: 'word' }, ['db-image', 'datablocks/db_image_example.bin', '--type', 'word']],
  ['target-actual-db', { 'double-words': '2', variants: '3', 'variant-symbols': '/input/variant-symbols.txt',
      'address-symbols': '/input/address-symbols.txt' },
   ['target-actual-db', '--double-words', '2', '--variants', '3', '--variant-symbols',
    'datablocks/target_actual_example_variants.txt', '--address-symbols', 'datablocks/target_actual_example_addresses.txt']],
];
for (const [subcommand, options, args] of fileCases) {
  const json = native([...args, '--json']).stdout;
  const name = `${subcommand} from a file`;
  check(name, attempt(name, () => core.generate(subcommand, options)) === json, 'generate differs');
  const bytes = attempt(name, () => Buffer.from(core.output(subcommand, options, 'awl')));
  check(name, bytes && bytes.equals(native(args).bytes), 'output differs');
}

// Refused runs: the same JSON (error, code, field); nothing for a file.
const refused = [
  ['step-simple', { 'first-step': '99' }],
  ['db', { 'db-number': '0' }],
  ['symbols', { count: '1001' }],
  ['message-db', { count: 'x' }],
];
for (const [subcommand, options] of refused) {
  const args = [subcommand, ...Object.entries(options).map(([k, v]) => `--${k}=${v}`)];
  const json = native([...args, '--json']);
  check(`refused ${args.join(' ')}`, json.status === 1, `brendax-cli exited with ${json.status}`);
  const name = `refused ${args.join(' ')}`;
  check(name, attempt(name, () => core.generate(subcommand, options)) === json.stdout, 'generate differs');
  check(name, attempt(name, () => core.output(subcommand, options, 'sdf').length) === 0, 'output is not empty');
}

// Usage errors: an Error with the command line's message.
const usage = [
  ['step-simple', { 'no-such-option': '1' }],
  ['step-simple', { structure: 'spiral' }],
  ['pointer', { variant: 'pointer', load: 'maybe' }],
];
for (const [subcommand, options] of usage) {
  const args = [subcommand, ...Object.entries(options).map(([k, v]) => `--${k}=${v}`)];
  const expected = native([...args, '--json']);
  let message = null;
  try {
    core.generate(subcommand, options);
  } catch (e) {
    message = e.message;
  }
  check(`usage ${args.join(' ')}`, expected.status === 2, `brendax-cli exited with ${expected.status}`);
  check(`usage ${args.join(' ')}`, message === expected.stderr.replace(/\n$/, ''),
        `message ${JSON.stringify(message)}, expected ${JSON.stringify(expected.stderr)}`);
}

// Templates: stored into a new settings file through the shared writer, and listed.
const scratch = mkdtempSync(join(tmpdir(), 'brendax-compare-'));
const storeArgs = (file) => ['templates', '--settings', file, '--store', '3', '--name', 'Zylinder €', '--count', '5',
                             '--symbol', 'Y<A1>_<C1>', '--area', 'outputs'];
const storedNative = native(storeArgs(join(scratch, 'brendax.set')));
const storedWasm = core.run(storeArgs('/input/brendax.set'));
check('templates --store', storedNative.status === 0 && storedWasm.status === 0,
      `exit ${storedNative.status} / ${storedWasm.status}: ${storedWasm.stderr}`);
check('templates --store', Buffer.from(core.FS.readFile('/input/brendax.set')).equals(
      readFileSync(join(scratch, 'brendax.set'))), 'the settings files differ');
const listed = core.run(['templates', '--settings', '/input/brendax.set', '--json']);
check('templates --json', Buffer.from(listed.stdout).equals(
      native(['templates', '--settings', join(scratch, 'brendax.set'), '--json']).bytes), 'the listings differ');
const badName = core.run(['templates', '--settings', '/input/brendax.set', '--store', '1', '--name', 'A\tB']);
check('templates --store refused', badName.status === 1 && badName.stderr.includes('Steuerzeichen'),
      `exit ${badName.status}: ${badName.stderr}`);
rmSync(scratch, { recursive: true, force: true });
check('no files left behind', core.FS.readdir('/tmp/brendax-run').length === 2, core.FS.readdir('/tmp/brendax-run'));

// The schema as the command line prints it.
check('schema', attempt('schema', () => core.schema()) === native(['schema']).stdout, 'schema differs');
check('schema --job', attempt('schema --job', () => core.schema(true)) === native(['schema', '--job']).stdout,
      'schema --job differs');

if (failures.length > 0) {
  for (const failure of failures) console.error(`core_compare: ${failure}`);
  process.exit(1);
}
console.log(`core_compare: ${cases} golden cases, ${fileCases.length} file cases, ${refused.length} refused, ` +
            `${usage.length} usage errors: the wasm core and brendax-cli agree`);
