// The JavaScript package's speed per value, in one run:
// - displayMany and readMany against the same unit's native C batch calls (the rows of
//   pelunits_bench, run between the JavaScript rounds);
// - the exact reader against numeric-quantity and js-quantities, on texts they read.
// Each row is the median of ROUNDS rounds.
//   PELUNITS_JS_PACKAGE=<package> PELUNITS_NATIVE_BENCH=<pelunits_bench> node bench.mjs
import { spawnSync } from "node:child_process";
import { readFileSync, rmSync } from "node:fs";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import Qty from "js-quantities";
import { numericQuantity } from "numeric-quantity";

const { Unit } = await import(pathToFileURL(path.join(process.env.PELUNITS_JS_PACKAGE, "index.mjs")).href);
const nativeBench = process.env.PELUNITS_NATIVE_BENCH;
const ROUNDS = Number(process.env.ROUNDS ?? 5);
const COUNT = 4096;

// splitmix64, as the native benchmark spreads its values.
let state = 0xc0ffeen;
function random() {
  state = (state + 0x9e3779b97f4a7c15n) & 0xffffffffffffffffn;
  let z = state;
  z = ((z ^ (z >> 30n)) * 0xbf58476d1ce4e5b9n) & 0xffffffffffffffffn;
  z = ((z ^ (z >> 27n)) * 0x94d049bb133111ebn) & 0xffffffffffffffffn;
  return Number((z ^ (z >> 31n)) >> 11n) / 2 ** 53;
}

const feet = new Unit("feet-inch-fraction", { precision: 16 });
const values = Float64Array.from({ length: COUNT }, () => -30480 + 60960 * random());
const displays = feet.displayMany(values, { separator: "-" });
const inches = new Unit("fractional-decimal");
const mixed = Array.from({ length: COUNT }, () => {
  const whole = Math.floor(random() * 100);
  const denominator = 2 ** (1 + Math.floor(random() * 4));
  const numerator = 1 + 2 * Math.floor((random() * denominator) / 2);
  return random() < 0.2 ? `${numerator}/${denominator}` : `${whole} ${numerator}/${denominator}`;
});
const words = ["ft", "in", "m", "mm", "cm"];
const withUnits = Array.from({ length: COUNT }, () => `${(random() * 1000).toFixed(2)} ${words[Math.floor(random() * 5)]}`);

// Nanoseconds per item of `run(items)`, timed over at least 100 ms.
function perItem(run) {
  run();
  let calls = 0;
  const start = process.hrtime.bigint();
  let elapsed = 0n;
  do {
    run();
    ++calls;
    elapsed = process.hrtime.bigint() - start;
  } while (elapsed < 100_000_000n);
  return Number(elapsed) / (calls * COUNT);
}

function native() {
  if (!nativeBench) return {};
  const out = path.join(os.tmpdir(), `pelunits-native-${process.pid}.json`);
  const run = spawnSync(nativeBench, [
    "--benchmark_filter=^c-interface/feet-inch-fraction pelunits_(display|read)_many(_utf16)? per value$",
    `--benchmark_out=${out}`,
    "--benchmark_out_format=json",
    "--benchmark_min_time=0.1",
  ], { encoding: "utf8" });
  if (run.status !== 0) throw new Error(`${nativeBench} failed: ${run.stderr}`);
  const rows = {};
  for (const row of JSON.parse(readFileSync(out, "utf8")).benchmarks) {
    if (row.values_per_call) {
      rows[row.name.replace(/^c-interface\/feet-inch-fraction /, "")] = row.real_time / row.values_per_call;
    }
  }
  rmSync(out);
  return rows;
}

let sink = 0;
const rounds = [];
for (let round = 0; round < ROUNDS; ++round) {
  const nativeRows = native();
  rounds.push({
    ...nativeRows,
    displayMany: perItem(() => { sink += feet.displayMany(values, { separator: "-" }).length; }),
    readMany: perItem(() => { sink += feet.readMany(displays)[0]; }),
    readManyMixed: perItem(() => { sink += inches.readMany(mixed)[0]; }),
    numericQuantity: perItem(() => { for (const text of mixed) sink += numericQuantity(text); }),
    readManyWithUnits: perItem(() => { sink += feet.readMany(withUnits)[0]; }),
    jsQuantities: perItem(() => { for (const text of withUnits) sink += Qty(text).to("mm").scalar; }),
  });
}
const median = (key) => {
  const sorted = rounds.map((round) => round[key]).filter((x) => x !== undefined).sort((a, b) => a - b);
  return sorted.length ? sorted[sorted.length >> 1] : NaN;
};

const rows = [
  ["displayMany, feet-inch-fraction", "displayMany", "pelunits_display_many_utf16 per value", 3],
  ["readMany, feet-inch-fraction displays", "readMany", "pelunits_read_many per value", null],
  ["readMany, mixed numbers and fractions", "readManyMixed", "numericQuantity", 1],
  ["readMany, decimals with ft/in/m/mm/cm", "readManyWithUnits", "jsQuantities", 1],
];
const baselineNames = {
  "pelunits_display_many_utf16 per value": "native C batch",
  "pelunits_read_many per value": "native C batch",
  numericQuantity: "numeric-quantity 3.3.3",
  jsQuantities: "js-quantities 1.8.0 (Qty(text).to('mm'))",
};
console.log(`JavaScript per value, median of ${ROUNDS} rounds of ${COUNT} values (node ${process.version})`);
console.log("| row | ns/value | baseline | ns/value | ratio | target |");
console.log("|---|---|---|---|---|---|");
let missed = 0;
for (const [label, key, baseline, target] of rows) {
  const ours = median(key);
  const theirs = median(baseline);
  const ratio = ours / theirs;
  const ok = target === null || !(ratio > target);
  if (!ok) ++missed;
  const goal = target === null ? "none set" : `≤ ${target}${ok ? "" : " MISSED"}`;
  console.log(`| ${label} | ${ours.toFixed(1)} | ${baselineNames[baseline]} | ${theirs.toFixed(1)} | ${ratio.toFixed(2)} | ${goal} |`);
}
if (!Number.isFinite(sink)) console.log("");
process.exitCode = missed ? 1 : 0;
