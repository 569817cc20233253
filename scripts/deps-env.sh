# Sourced by the dependency build scripts: where the cross-built libraries
# go and how a CMake project among them is built.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps="$root/build/deps"
prefix="$deps/prefix"
toolchain="$root/cmake/mingw-i686.cmake"
cpu_flags=$(cat "$root/cmake/cpu-flags.txt")
# As the program: Windows XP's API, so that a library with a fallback for
# XP (libwebp's threads use events there, not condition variables) uses it.
target_flags="$cpu_flags -D_WIN32_WINNT=0x0501 -DWINVER=0x0501"
jobs=$(nproc)
mkdir -p "$deps/src" "$prefix"

# Runs a build step with its output added to LOG; a failing step shows the
# end of the log, the rest stays quiet.
logged() {
  local log=$1
  shift
  "$@" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; return 1; }
}

cross_build() {
  local name=$1 source=$2; shift 2
  local log="$deps/$name.log"
  rm -f "$log"
  logged "$log" cmake -S "$source" -B "$deps/build-$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_C_FLAGS="$target_flags" "$@"
  logged "$log" cmake --build "$deps/build-$name" -j"$jobs"
  logged "$log" cmake --install "$deps/build-$name"
}
