#!/usr/bin/env bash
# campaign.sh (make fuzz): every libFuzzer target in build/fuzz for
# FUZZ_SECONDS seconds (default 60) each, keeping what it learns in
# build/fuzz/corpus, then the JPEG and PNG mutation loop under Wine for as
# long with a fresh seed. Findings are left in build/fuzz/artifacts (and
# codec-mutation-input.* in build/win/tests/fuzz); the run then fails.
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${FUZZ_SECONDS:-60}
logs="$root/build/fuzz/logs"
mkdir -p "$logs"
status=0

for binary in "$root"/build/fuzz/fuzz_*; do
  target=${binary##*/fuzz_}
  echo "fuzz: $target, $seconds s"
  if "$root/tests/fuzz/run-fuzz.sh" "$target" seconds "$seconds" >"$logs/$target.log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$logs/$target.log" | sed 's/^/  /'
  else
    status=1
    tail -n 40 "$logs/$target.log"
  fi
done

seed=$RANDOM
echo "fuzz: JPEG and PNG under Wine, $seconds s, seed $seed"
source "$root/scripts/wine-env.sh"
start_wine_session || exit 1
# The libraries' own warnings about the damaged files go to the log.
(cd "$root/build/win/tests/fuzz" &&
  "$root/scripts/wine-run.sh" ../../bin/codec_mutation.exe --seconds "$seconds" --seed "$seed" 2>"$logs/codec_mutation.log") ||
  { status=1; echo "fuzz: codec_mutation failed; the input is in build/win/tests/fuzz"; }
"$root/scripts/wine-stop.sh" >/dev/null 2>&1
exit $status
