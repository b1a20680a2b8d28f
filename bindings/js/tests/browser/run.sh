#!/usr/bin/env bash
# The playground in headless Chromium, opened from disk as a user would open it, driven
# through puppeteer-core (installed from the committed lockfile into the work folder).
#   run.sh <playground-dir> <work-dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
playground=$(realpath "$1") work=$(realpath -m "$2")
browser=${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
[ -n "$browser" ] || { echo "no chromium (scripts/ensure-deps web installs it)" >&2; exit 1; }
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/playground.test.mjs" "$work/"
if ! cmp -s "$here/package-lock.json" "$work/node_modules/.package-lock-copy.json" 2>/dev/null; then
  (cd "$work" && timeout 600 npm ci --no-audit --no-fund --silent)
  cp "$here/package-lock.json" "$work/node_modules/.package-lock-copy.json"
fi
cd "$work"
CHROMIUM=$browser PLAYGROUND=$playground SCREENSHOT=$work/playground.png \
  node --test playground.test.mjs
