#!/usr/bin/env bash
# Installs what the build needs from Debian's packages (as root), once.
# Usage: scripts/setup.sh [PACKAGE]...   (more packages a script needs besides)
set -euo pipefail
packages=("$@" cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libboost-dev pybind11-dev python3-dev python3-hypothesis python3-jsonschema rapidjson-dev mypy
          clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
