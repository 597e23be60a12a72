#!/usr/bin/env bash
# Configures and builds. Usage: scripts/build.sh [--sanitize | --tsan]
# The normal build (gcc) goes to build/, the sanitizer build (clang, ASan and
# UBSan, the whole suite with the Python front end) to build-asan/, the
# ThreadSanitizer build (clang, the threaded test only) to build-tsan/. So
# both compilers build every test with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=build
cxx=g++
opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
targets=()
case "${1:-}" in
  --sanitize)
    dir=build-asan
    cxx=clang++
    opts=(-DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_BENCH=OFF) ;;
  --tsan)
    dir=build-tsan
    cxx=clang++
    opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_TSAN=ON -DQUILLON_BENCH=OFF -DQUILLON_PYTHON=OFF)
    targets=(test_host_threads) ;;
  "") ;;
  *) echo "usage: scripts/build.sh [--sanitize | --tsan]" >&2; exit 2 ;;
esac
# The interpreter Debian's pybind11 and python3-dev are made for.
[[ -x /usr/bin/python3 ]] && opts+=(-DPython3_EXECUTABLE=/usr/bin/python3)
# A build directory configured with another compiler starts afresh.
if [[ -f $dir/CMakeCache.txt ]] &&
   ! grep -q "^CMAKE_CXX_COMPILER:[A-Z]*=\(.*/\)\?$cxx\$" "$dir/CMakeCache.txt"; then
  rm -rf "$dir"
fi
opts+=(-DCMAKE_CXX_COMPILER="$cxx")
cmake -S . -B "$dir" -G Ninja "${opts[@]}" >/dev/null
ninja -C "$dir" -j"$(nproc)" "${targets[@]}"
