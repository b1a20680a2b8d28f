// The package's entry: instantiates the library's WebAssembly once, from the .wasm
// file beside this module (read from disk under node, fetched in a browser), and
// exports the API bound to it.
import createPelUnitsCore from "./pelunits-core.mjs";
import { bindPelUnits } from "./api.mjs";

async function wasmBytes() {
  const url = new URL("./pelunits-core.wasm", import.meta.url);
  if (url.protocol === "file:" && typeof process === "object" && process.versions?.node) {
    const { readFile } = await import("node:fs/promises");
    return readFile(url);
  }
  const response = await fetch(url);
  if (!response.ok) throw new Error(`pelunits: cannot load ${url}: ${response.status}`);
  return new Uint8Array(await response.arrayBuffer());
}

const api = bindPelUnits(await createPelUnitsCore({ wasmBinary: await wasmBytes() }));

export const {
  Unit,
  ReadError,
  ReadStatus,
  Quantity,
  codes,
  units,
  unitDescriptions,
  setRegionalFormat,
  regionalFormatOf,
  version,
} = api;
export default api;
