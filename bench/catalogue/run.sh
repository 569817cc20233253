#!/usr/bin/env bash
# run.sh: the catalogue bench of bench/catalogue/main.cpp under a Wine
# prefix of its own (build/catalogue-bench, a copy of the test prefix), so it
# can run beside the tests. The tree of 100,000 empty pictures is made once
# in build/catalogue-bench/tree. CATALOGUE_RUNS takes more runs (at least 5).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work="$root/build/catalogue-bench"
bin="$root/build/win/bin"
[ -f "$bin/catalogue_bench.exe" ] || { echo "catalogue bench: build first (make build)" >&2; exit 1; }

source "$root/scripts/wine-env.sh"
mkdir -p "$work"
if [ ! -d "$work/wine" ]; then
  cp -a "$root/build/wine" "$work/wine"
fi
export WINEPREFIX="$work/wine"
trap 'wineserver -k 2>/dev/null || true' EXIT
echo "catalogue bench: $(wine --version)"
wine "$bin/catalogue_bench.exe" "Z:${work//\//\\}\\tree" "${CATALOGUE_RUNS:-5}"
