#!/usr/bin/env bash
# Builds what the tour needs, then runs it: a small model built through the
# factory (units, a computation method, data types, a lookup table), printed
# as a summary. Only the Python extension, the types module and the libraries
# they load are built here (scripts/test.sh builds and runs everything else).
# Describe any class with: build/bin/qnhost describe <class> (ninja -C build qnhost)
set -euo pipefail
cd "$(dirname "$0")/.."
step() { printf '==> %s\n' "$*"; }

step "Checking the build's Debian packages (scripts/setup.sh)"
bash scripts/setup.sh
# The interpreter Debian's pybind11 and python3-dev are made for, as in
# scripts/build.sh: the same build directory serves both.
python=python3
opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ -x /usr/bin/python3 ]]; then
  python=/usr/bin/python3
  opts+=(-DPython3_EXECUTABLE=/usr/bin/python3)
fi
step "Configuring build/"
cmake -S . -B build -G Ninja "${opts[@]}" >/dev/null
step "Building the Python extension, the types module and the type stubs (ninja)"
# Ninja's status line per step ([n/N] ...), also when the output is not a
# terminal.
NINJA_STATUS='[%f/%t %es] ' ninja -C build -j"$(nproc)" quillon_stubs
step "Running the tour: PYTHONPATH=build/python $python examples/tour.py"
PYTHONPATH=build/python "$python" examples/tour.py
