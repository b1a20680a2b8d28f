// The JavaScript package under node's own test runner. PELUNITS_JS_PACKAGE names the
// package folder (the build's, or one installed from the packed tarball).
import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";

const packageDir = process.env.PELUNITS_JS_PACKAGE;
assert.ok(packageDir, "PELUNITS_JS_PACKAGE names the package folder");
const pelunits = await import(pathToFileURL(path.join(packageDir, "index.mjs")).href);
const { Unit, ReadError, ReadStatus, Quantity, units, setRegionalFormat, regionalFormatOf } = pelunits;

// Expected values are decimal literals: JavaScript reads them to the nearest double,
// which is what the exact reader must give.

test("displays as the C interface does, in every family", () => {
  const cases = [
    ["feet-inch-fraction", 1689.1, {}, "5' 6 1/2\""],
    ["feet-inch-fraction", 1689.1, { separator: "-" }, "5'-6 1/2\""],
    ["feet-inch-fraction", -1689.1, {}, "-5' 6 1/2\""],
    ["metres", 1689.1, {}, "1.689"],
    ["metres", 1689.1, { withUnits: true }, "1.689 m"],
    ["degrees-minutes-seconds", 10.504166666666666, {}, "10°30'15\""],
    ["pounds-ounces", 1000, {}, "2 lb 3.27 oz"],
    ["square-inches", 92903.04, {}, "144.00 ²"],
    ["kilonewtons", NaN, {}, "nan"],
    ["kilonewtons", -Infinity, {}, "-inf"],
  ];
  for (const [name, value, options, shown] of cases) {
    const unit = new Unit(name);
    assert.equal(unit.display(value, options), shown, `${name} ${value}`);
    unit.free();
  }
});

test("settings, codes and the fraction markup", () => {
  const unit = new Unit("feet-inch-fraction", { precision: 8 });
  assert.equal(unit.precision, 8);
  assert.deepEqual(unit.codes, [20, 1]);
  assert.equal(unit.quantity, Quantity.LENGTH);
  assert.ok(unit.isFractional && !unit.isMetric && !unit.isAngle);
  assert.equal(unit.display(1689.1), "5' 6 1/2\"");
  assert.equal(unit.displayArch(1689.1, { representation: 1, stacked: true }).includes("#fraction("), true);
  const byCodes = new Unit([2000, 2008]); // the factory's precision: whole degrees
  assert.equal(byCodes.display(10.5), "10°");
  const metres = new Unit("metres", { symbol: "mètres" });
  assert.equal(metres.symbol, "mètres");
  assert.equal(metres.display(1500, { withUnits: true }), "1.500 mètres");
  const copy = metres.clone();
  metres.free();
  assert.equal(copy.display(1500, { withUnits: true }), "1.500 mètres");
  assert.throws(() => metres.display(1), TypeError);
  assert.throws(() => new Unit("furlongs"), RangeError);
  assert.throws(() => unit.display(1, { separator: "--" }), TypeError);
  assert.ok(units().includes("feet-inch-fraction") && units().length > 30);
});

test("the code names are the C header's", () => {
  const header = readFileSync(new URL("../../../include/PelUnitsCodes.h", import.meta.url), "utf8");
  const defined = Object.fromEntries(
    [...header.matchAll(/#define PELUNITS_CODE_(\w+) (\d+)/g)].map(([, name, number]) => [name, Number(number)]),
  );
  assert.deepEqual({ ...pelunits.codes }, defined);
  assert.deepEqual(new Unit([pelunits.codes.LENGTH, pelunits.codes.FRACTIONAL_INCH]).codes, [20, 1]);
});

test("the exact reader: values, three states and positions in UTF-16 code units", () => {
  const feet = new Unit("feet-inch-fraction");
  const complete = [
    ["5' 6 1/2\"", 1689.1],
    ["5′ 6½″", 1689.1],
    ["12'", 3657.6],
    ["3/8\"", 9.525],
    ["(5'6\") / 2", 838.2],
    ["😀".slice(0, 0) + "1 m", 1000],
  ];
  for (const [text, value] of complete) {
    assert.equal(feet.read(text), value, text);
    assert.equal(feet.status(text), ReadStatus.COMPLETE, text);
  }
  assert.equal(new Unit("pounds-ounces").read("2 lb 3 oz"), 992.2332);
  assert.equal(new Unit("degrees").read("10°30′15″"), 10.504166666666666);
  assert.equal(feet.status("5' 6 1/"), ReadStatus.INCOMPLETE);
  const refused = [
    ["5'6 1/0\"", 6, false],
    ["½½ x", 1, false],
    ["😀 1'", 0, false],
    ["1' 😀", 3, false],
    ["5' 6 1/", 7, true],
  ];
  for (const [text, position, incomplete] of refused) {
    try {
      feet.read(text);
      assert.fail(`${text} read`);
    } catch (error) {
      assert.ok(error instanceof ReadError, text);
      assert.equal(error.incomplete, incomplete, text);
      assert.equal(error.position, position, text);
      assert.ok(error.reason.length > 0, text);
    }
  }
  assert.throws(() => feet.read("\ud800"), TypeError); // a lone surrogate is not text
  assert.throws(() => feet.read(5), TypeError);
});

test("columns: displayMany and readMany agree with the single calls", () => {
  const unit = new Unit("feet-inch-fraction");
  const values = new Float64Array(5000);
  for (let i = 0; i < values.length; ++i) values[i] = (i - 2500) * 7.3 + i / 7;
  const texts = unit.displayMany(values);
  assert.equal(texts.length, values.length);
  for (let i = 0; i < values.length; i += 97) assert.equal(texts[i], unit.display(values[i]));
  assert.deepEqual(unit.displayMany([1689.1, NaN], { separator: "-" }), ["5'-6 1/2\"", "nan"]);
  assert.deepEqual(unit.displayMany([]), []);
  const back = unit.readMany(texts);
  for (let i = 0; i < texts.length; i += 89) assert.equal(back[i], unit.read(texts[i]));
  const mixed = unit.readMany(["1'", "x", "2\""], { errors: "nan" });
  assert.equal(mixed[0], 304.8);
  assert.ok(Number.isNaN(mixed[1]));
  assert.equal(mixed[2], 50.8);
  assert.throws(() => unit.readMany(["1'", "5' 6 1/"]), (e) => e instanceof ReadError && e.index === 1 && e.incomplete);
  const long = "1' + ".repeat(3000) + "0\"";
  assert.equal(unit.readMany([long])[0], unit.read(long));
});

test("format: each option through the C record, and the record's wasm32 layout", async () => {
  const inch = 25.4;
  const cases = [
    ["millimetres", -12.4, { increment: "5 mm", rounding: "up" }, "-10"],
    ["millimetres", -12.4, { increment: "5 mm", rounding: "down" }, "-15"],
    ["millimetres", 12.3, { increment: 0.25 }, "12.25"],
    ["degrees-minutes-seconds", 10.2, { increment: "1°", rounding: "up" }, "11°"],
    ["kilonewtons", 12345, { significantDigits: 3 }, "12300"],
    ["metres", -0.0001, { plusSign: true }, "±0.000"],
    ["feet-inch-fraction", -3.5 * inch, { typographic: true }, "−3½″"],
    ["millimetres", 12.3456, { inexactMarker: true }, "~12.35"],
    ["feet-inch-fraction", 6.5 * inch, { hideZeroFeet: false }, "0' 6 1/2\""],
    ["feet-inch-fraction", 11.99 * inch, { hideZeroInches: true }, "1'"],
    ["feet-inch-fraction", 66.5 * inch, { separator: "-" }, "5'-6 1/2\""],
    ["metres", 1500, { withSymbol: true, trimTrailingZeros: true }, "1.5 m"],
    ["degrees-minutes-seconds", 240, { angleStyle: "bearing", typographic: true }, "S 30°0′0″ W"],
    ["degrees", 30, { angleStyle: "azimuth", angleZero: "north", angleSense: "clockwise" }, "30.00"],
  ];
  for (const [name, value, options, shown] of cases) {
    const unit = new Unit(name);
    assert.equal(unit.format(value, options), shown, `${name} ${value} ${JSON.stringify(options)}`);
    unit.free();
  }
  const unit = new Unit("millimetres");
  assert.equal(unit.format(3, { increment: "0".repeat(80) + "5 mm" }), "5"); // beyond the first area
  assert.throws(() => unit.format(1, { rounding: "ceil" }), TypeError);
  assert.throws(() => unit.format(1, { separator: 0xd800 }), TypeError);
  assert.throws(() => unit.format(1, { angleStyle: "compass" }), TypeError);
  const degrees = new Unit("degrees");
  assert.equal(degrees.read("S 30° W"), 240);
  assert.equal(degrees.read("30.00", { angleStyle: "azimuth", angleZero: "north", angleSense: "clockwise" }), 30);
  degrees.free();

  // The library's own defaults at the offsets the package writes, and its answer to the
  // size of the 64-bit record.
  const { readFile } = await import("node:fs/promises");
  const { default: createCore } = await import(pathToFileURL(path.join(packageDir, "pelunits-core.mjs")).href);
  const core = await createCore({ wasmBinary: await readFile(path.join(packageDir, "pelunits-core.wasm")) });
  const at = core._malloc(128);
  // The exported unsized init writes the first version's record and no byte past it.
  core.HEAPU32.fill(7, at >> 2, (at >> 2) + 12);
  core._pelunits_format_options_init(at);
  assert.deepEqual([...core.HEAPU32.subarray(at >> 2, (at >> 2) + 12)], [32, 0, 0, 0, 0, 0, 0x04, 0x20, 7, 7, 7, 7]);
  core._pelunits_format_options_init_size(at, 48);
  assert.deepEqual([...core.HEAPU32.subarray(at >> 2, (at >> 2) + 11)], [48, 0, 0, 0, 0, 0, 0x04, 0x20, 0, 0, 0]);
  const handle = core._pelunits_unit_new(20, 1);
  assert.equal(core._pelunits_format(handle, 1, at, at + 64, 64, at + 48), 0);
  core.HEAPU32[at >> 2] = 40;
  assert.equal(core._pelunits_format(handle, 1, at, at + 64, 64, at + 48), 4);
  core._pelunits_unit_free(handle);
  core._free(at);
});

test("the unit's own reader and validator pass through unchanged", () => {
  const unit = new Unit("feet-inch-fraction");
  assert.ok(Math.abs(unit.readAsTyped("5' 6 1/2\"") - 1689.1) < 1e-9);
  assert.equal(unit.readAsTyped("nonsense"), 0);
  assert.equal(unit.isValid("5' 6 1/2\""), true);
  assert.equal(unit.isValid("5' x"), false);
});

test("a host-given regional format, and the one Intl gives", () => {
  const unit = new Unit("metres", { regional: true });
  try {
    setRegionalFormat({ decimal: ",", group: ".", grouping: 3 });
    assert.equal(unit.display(1234567), "1.234,567");
    assert.equal(unit.read("1.234,5"), 1234500);
    setRegionalFormat({ decimal: "٫", group: "٬", negativeForm: 3 });
    assert.equal(unit.display(-1500), "1٫500-");
    for (const bad of [{ decimal: "" }, { decimal: "1" }, { decimal: ",", grouping: 12 }, { decimal: ",", group: ",x" }]) {
      assert.throws(() => setRegionalFormat(bad), RangeError, JSON.stringify(bad));
    }
    assert.equal(unit.display(-1500), "1٫500-"); // a refused format changes nothing
    assert.deepEqual(regionalFormatOf("de-DE"), { decimal: ",", group: ".", grouping: 3, negativeForm: 1, leadingZero: true });
    setRegionalFormat(regionalFormatOf("en-US"));
    assert.equal(unit.display(1234567), "1,234.567");
  } finally {
    setRegionalFormat(null);
  }
});
