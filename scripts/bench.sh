#!/usr/bin/env bash
# bench.sh: builds the peers and runs the benchmarks (see bench/README.md).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -x "$root/bench/run.sh" ]; then exec "$root/bench/run.sh"; fi
echo "bench: no benchmarks yet" >&2
exit 1
