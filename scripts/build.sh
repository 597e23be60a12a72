#!/usr/bin/env bash
# Configures and builds. Usage: scripts/build.sh [--sanitize | --tsan]
# The normal build goes to build/, the sanitizer build to build-asan/, the
# ThreadSanitizer build (clang, the threaded test only) to build-tsan/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=build
opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
targets=()
case "${1:-}" in
  --sanitize)
    dir=build-asan
    opts=(-DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_BENCH=OFF -DQUILLON_PYTHON=OFF) ;;
  --tsan)
    dir=build-tsan
    opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_TSAN=ON -DQUILLON_BENCH=OFF -DQUILLON_PYTHON=OFF
          -DCMAKE_CXX_COMPILER=clang++)
    targets=(test_host_threads) ;;
  "") ;;
  *) echo "usage: scripts/build.sh [--sanitize | --tsan]" >&2; exit 2 ;;
esac
# The interpreter Debian's pybind11 and python3-dev are made for.
[[ -x /usr/bin/python3 ]] && opts+=(-DPython3_EXECUTABLE=/usr/bin/python3)
cmake -S . -B "$dir" -G Ninja "${opts[@]}" >/dev/null
ninja -C "$dir" -j"$(nproc)" "${targets[@]}"
