# Sourced by the dependency build scripts: where the cross-built libraries
# go and how a CMake project among them is built.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps="$root/build/deps"
prefix="$deps/prefix"
toolchain="$root/cmake/mingw-i686.cmake"
cpu_flags=$(cat "$root/cmake/cpu-flags.txt")
jobs=$(nproc)
mkdir -p "$deps/src" "$prefix"

cross_build() {
  local name=$1 source=$2; shift 2
  cmake -S "$source" -B "$deps/build-$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_C_FLAGS="$cpu_flags" "$@" >"$deps/$name.log"
  cmake --build "$deps/build-$name" -j"$jobs" >>"$deps/$name.log"
  cmake --install "$deps/build-$name" >>"$deps/$name.log"
}
