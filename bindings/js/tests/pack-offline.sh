#!/usr/bin/env bash
# npm pack of the built package, installed offline into an empty project, then the
# node tests against the installed copy.
#   pack-offline.sh <package-dir> <work-dir> <test-file>
set -euo pipefail
package=$(realpath "$1") work=$(realpath -m "$2") tests=$(realpath "$3")
rm -rf "$work"
mkdir -p "$work/project"
tarball=$(cd "$package" && npm pack --silent --pack-destination "$work")
cd "$work/project"
echo '{"name": "pack-test", "private": true, "type": "module"}' >package.json
npm install --offline --no-audit --no-fund --silent "$work/$tarball"
node --input-type=module -e '
  import { Unit, version } from "pelunits";
  const shown = new Unit("feet-inch-fraction").display(1689.1);
  if (shown !== "5'"'"' 6 1/2\"") throw new Error(`installed package shows ${shown}`);
  console.log(`pelunits ${version} installed from the tarball`);'
PELUNITS_JS_PACKAGE=$work/project/node_modules/pelunits node --test "$tests"
