#!/usr/bin/env bash
# run-fuzz.sh TARGET runs N     N inputs from the target's seeds, the same
#                               inputs every time (a ctest entry)
# run-fuzz.sh TARGET seconds N  a campaign of N seconds that keeps what it
#                               learns in build/fuzz/corpus/TARGET
# Runs build/fuzz/fuzz_TARGET (tests/fuzz/native). A crash, a leak, a
# sanitizer report, a broken property or an input that takes over 10 seconds
# fails the run and leaves the input in build/fuzz/artifacts/TARGET; replay
# it with: build/fuzz/fuzz_TARGET FILE
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
fuzz="$root/build/fuzz"
target=$1 mode=$2 amount=$3
binary="$fuzz/fuzz_$target"
seeds="$fuzz/seeds/$target"
[ -x "$binary" ] && [ -d "$seeds" ] || {
  echo "run-fuzz: $binary or its seeds are missing (make build makes them)" >&2
  exit 1
}
artifacts="$fuzz/artifacts/$target"
mkdir -p "$artifacts"
options=(-timeout=10 -rss_limit_mb=2048 -max_len=16384 -artifact_prefix="$artifacts/" -print_final_stats=1)

case $mode in
  runs)
    # New inputs go to a scratch folder, so the seeds stay as the build wrote them.
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    "$binary" "${options[@]}" -seed=1 -runs="$amount" "$scratch" "$seeds"
    ;;
  seconds)
    corpus="$fuzz/corpus/$target"
    mkdir -p "$corpus"
    extra=()
    # The GIF files from real encoders are seeds too, the small ones.
    if [ "$target" = gif ] && [ -d "$root/build/gif-corpus/files" ]; then
      extra_seeds="$fuzz/seeds/gif-files"
      rm -rf "$extra_seeds" && mkdir -p "$extra_seeds"
      find "$root/build/gif-corpus/files" -type f -size -16k -exec cp -t "$extra_seeds" {} +
      extra=("$extra_seeds")
    fi
    "$binary" "${options[@]}" -max_total_time="$amount" "$corpus" "$seeds" "${extra[@]}"
    ;;
  *)
    echo "usage: run-fuzz.sh TARGET runs|seconds N" >&2
    exit 2
    ;;
esac
