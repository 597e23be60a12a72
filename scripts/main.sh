#!/usr/bin/env bash
# Builds, then runs the tour: a small model built through the factory (units,
# a computation method, data types, a lookup table), printed as a summary.
# Describe any class with: build/bin/qnhost describe <class>
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
python=python3
[[ -x /usr/bin/python3 ]] && python=/usr/bin/python3
PYTHONPATH=build/python "$python" examples/tour.py
