#!/usr/bin/env bash
# run.sh: builds the peers and the benchmark, makes the input pictures once,
# and runs image_bench under Wine (see bench/README.md). `make bench` runs
# this after the normal build. BENCH_RUNS sets the number of runs (min 5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
runs=${BENCH_RUNS:-5}
[ "$runs" -ge 5 ] || runs=5

if [ ! -f "$root/build/deps/prefix/.libjpeg-turbo" ] || [ ! -f "$root/build/deps/prefix/.libpng-sse2-zlib" ]; then
  echo "bench: zlib, libpng and libjpeg-turbo are not built yet; run 'make bench'" >&2
  exit 1
fi
"$root/bench/build-peers.sh"

# Its own build folder: same toolchain file and flags as build/win, plus the
# benchmark targets. Only what the benchmark runs is built.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DTESSALY_BENCH=ON >/dev/null
cmake --build "$build" --target image_bench bench_inputs imgconv dialog_bench english_module region_bench window_bench modern_bench -j2 \
  >"$build/build.log" ||
  { cat "$build/build.log" >&2; exit 1; }

# Wine of our own: a prefix and a display that no test run shares, so the
# benchmark can take them down at the end without ending anyone else's.
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$build/wine"
xvfb_display=:94
xvfb_pidfile="$build/xvfb.pid"
xvfb_display_file="$build/xvfb.display" # never the tests' own choice
trap stop_private_wine EXIT
ensure_display
ensure_wineserver

windows_path() {
  local path=${1//\//\\}
  echo "Z:$path"
}

inputs="$build/inputs"
if [ ! -f "$inputs/.complete-noisy" ]; then
  echo "bench: writing the input pictures into build/bench/inputs"
  mkdir -p "$inputs"
  wine "$build/bin/bench_inputs.exe" "$(windows_path "$inputs")"
  touch "$inputs/.complete-noisy"
fi
# The photo as WebP and HEIC, by the libraries' own Debian tools (no HEVC
# encoder is cross-built).
if [ ! -f "$inputs/photo.heic" ]; then
  cwebp -quiet -q 90 "$inputs/photo.jpg" -o "$inputs/photo.webp"
  heif-enc -q 90 "$inputs/photo.jpg" -o "$inputs/photo.heic" >/dev/null
fi
mkdir -p "$build/work"
echo "bench: $(i686-w64-mingw32-g++-posix -dumpversion) i686, $(tr '\n' ' ' <"$root/cmake/cpu-flags.txt")-O3, $(wine --version)"
status=0
wine "$build/bin/image_bench.exe" "$(windows_path "$inputs")" "$(windows_path "$build/work")" \
  "$(windows_path "$build/bin/imgconv.exe")" "$(windows_path "$root/build/bench-deps/prefix/bin/djpeg.exe")" "$runs" ||
  status=1
# WebP and HEIC (bench/modern).
wine "$build/bin/modern_bench.exe" "$(windows_path "$inputs")" "$(windows_path "$build/work")" \
  "$(windows_path "$build/bin/imgconv.exe")" "$(windows_path "$root/build/deps/prefix/bin/dwebp.exe")" \
  "$(windows_path "$root/build/deps/prefix/bin/heif-convert.exe")" "$runs" || status=1
# The select-picture dialog: list fills and previews (bench/dialog).
wine "$build/bin/dialog_bench.exe" "$(windows_path "$inputs")" "$(windows_path "$build/work")" "$runs" || status=1
# The main window while JPEGs convert one after another (bench/window): the
# shipped program from dist/, which the normal build lays out.
wine "$build/bin/window_bench.exe" "$(windows_path "$root/dist/Tessaly.exe")" "$(windows_path "$inputs")" \
  "$(windows_path "$build/work")" || status=1
# The skin's window shapes (bench/region).
wine "$build/bin/region_bench.exe" "$runs" || status=1
exit $status
