// Joins the single-file core (the .wasm inside) and the API into one classic script
// for the playground: `PelUnitsReady`, a promise of the API, is its one global.
//   node bundle.mjs <core-single.js> <api.mjs> <out.js>
import { readFileSync, writeFileSync } from "node:fs";

const [core, api, out] = process.argv.slice(2);
const apiSource = readFileSync(api, "utf8").replace(/^export /gm, "");
if (/^\s*(import|export)\b/m.test(apiSource)) throw new Error(`${api}: a classic script cannot import or export`);
writeFileSync(
  out,
  `${readFileSync(core, "utf8")}\n(function () {\n${apiSource}\n` +
    `globalThis.PelUnitsReady = createPelUnitsCore().then(bindPelUnits);\n})();\n`,
);
