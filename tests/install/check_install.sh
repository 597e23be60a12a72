#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and uses the result the way
# people who depend on it do: an outside CMake project with find_package,
# qnhost, and Python. Nothing from the build tree or the environment helps.
# Usage: check_install.sh BUILD_DIR [PYTHON]
set -euo pipefail
build=$1
python=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
clean=(env -u QUILLON_MODULE_PATH -u LD_LIBRARY_PATH -u PYTHONPATH)

cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
if [[ -n "$python" ]]; then
  # The package goes where the configured interpreter looks: its platlib,
  # relative to the configured prefix (and so under any prefix given here).
  pydir=$(cache QUILLON_PYTHON_INSTALL_DIR)
  platlib=$("$python" -c 'import sysconfig; print(sysconfig.get_path("platlib"))')
  if [[ "$(cache CMAKE_INSTALL_PREFIX)/$pydir" != "$platlib" ]]; then
    echo "the Python package installs to '$pydir' under $(cache CMAKE_INSTALL_PREFIX), the interpreter looks in $platlib" >&2
    exit 1
  fi
fi

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
cmake -S "$here/consumer" -B "$tmp/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$tmp/prefix" >/dev/null
cmake --build "$tmp/consumer" >/dev/null
"${clean[@]}" "$tmp/consumer/consumer"

"${clean[@]}" "$tmp/prefix/bin/qnhost" describe Zorvan.metamodel.types.Unit | grep -q '^Class Zorvan.metamodel.types.Unit '
echo "qnhost: ok"

if [[ -n "$python" ]]; then
  site=$tmp/prefix/$pydir
  for f in __init__.py __init__.pyi py.typed; do
    [[ -f "$site/quillon/$f" ]] || { echo "no quillon/$f installed under $site" >&2; exit 1; }
  done
  # The prefix's site directory joins the path the way the interpreter adds
  # its own site directories; the package finds the host and the module itself.
  "${clean[@]}" "$python" -c "
import site, sys
site.addsitedir(sys.argv[1])
import quillon
assert quillon.__file__.startswith(sys.argv[1]), quillon.__file__
host = quillon.Host()
host.load('mm_types_xb')
T = host.package('Zorvan.metamodel.types')
ax = T.Axis(host.package('Ozo').Model(), 3, 'speed')
assert ax.Dimensions == 3
print('python: ok')
" "$site"
fi
