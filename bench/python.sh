#!/usr/bin/env bash
# Conversions per second of the Python module next to the native program
# and Python's own datetime, over the same dates: see bench/python.py.
# Usage: bench/python.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset python >/dev/null
cmake --build --preset python >/dev/null
PYTHONPATH=build/python/python /usr/bin/python3 bench/python.py build/python/aeonmark "${1:-100000}"
