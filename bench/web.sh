#!/usr/bin/env bash
# Conversions per second of run() and convert() in node next to the native
# program's, over the same dates and command lines: see bench/web.mjs.
# Usage: bench/web.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
node bench/web.mjs build/web "${1:-100000}"
