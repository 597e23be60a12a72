#!/usr/bin/env bash
# Builds, loads the types module and describes Zorvan.metamodel.types.Axis.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
build/bin/qnhost describe "${1:-Zorvan.metamodel.types.Axis}"
