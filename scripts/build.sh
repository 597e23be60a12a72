#!/usr/bin/env bash
# Configures and builds. Usage: scripts/build.sh [--sanitize]
# The normal build goes to build/, the sanitizer build to build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=build
opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ "${1:-}" == "--sanitize" ]]; then
  dir=build-asan
  opts=(-DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_BENCH=OFF -DQUILLON_PYTHON=OFF)
fi
# The interpreter Debian's pybind11 and python3-dev are made for.
[[ -x /usr/bin/python3 ]] && opts+=(-DPython3_EXECUTABLE=/usr/bin/python3)
cmake -S . -B "$dir" -G Ninja "${opts[@]}" >/dev/null
ninja -C "$dir" -j"$(nproc)"
