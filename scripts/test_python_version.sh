#!/usr/bin/env bash
# Runs the Python tests with one more CPython than Debian's: builds the
# package with pip for that interpreter into a fresh virtual environment
# (pip install --no-build-isolation --no-index .), then runs tests/python and
# the tour with it from outside the clone, against the installed package.
# Usage: scripts/test_python_version.sh [PYTHON]
# Without PYTHON: the newest pyenv CPython 3.12, else any other 3.9 or newer
# that is not Debian's; with none on the machine there is nothing to run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
python=${1:-}
if [[ -z "$python" ]]; then
  versions=${PYENV_ROOT:-$HOME/.pyenv}/versions
  for pattern in '3.12.*' '3.13.*' '3.1[0-9].*' '3.9.*'; do
    python=$(compgen -G "$versions/$pattern/bin/python3" | sort -V | tail -n 1 || true)
    [[ -n "$python" ]] && break
  done
fi
if [[ -z "$python" ]]; then
  echo "no CPython besides Debian's on this machine: nothing to run"
  exit 0
fi
version=$("$python" -c 'import sys; print("%d.%d" % sys.version_info[:2])')
echo "==> Python $version: $python"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$python" -m venv "$tmp/venv"
py=$tmp/venv/bin/python

# The tests use hypothesis and jsonschema: Debian's copies are pure Python
# (pyrsistent falls back to Python when its compiled part is for another
# interpreter) and serve any interpreter; only they and what they import
# join the environment's path.
site=$("$py" -c 'import sysconfig; print(sysconfig.get_path("purelib"))')
mkdir -p "$tmp/debian"
for name in hypothesis _hypothesis_ftz_detector.py attr attrs sortedcontainers exceptiongroup \
            jsonschema $(cd /usr/lib/python3/dist-packages && compgen -G "jsonschema-*.dist-info" || true) \
            pyrsistent _pyrsistent_version.py typing_extensions.py; do
  [[ -e /usr/lib/python3/dist-packages/$name ]] && ln -s "/usr/lib/python3/dist-packages/$name" "$tmp/debian/"
done
echo "$tmp/debian" > "$site/debian-test-deps.pth"

echo "==> pip install --no-build-isolation --no-index . (build/wheel-*)"
"$py" -m pip install --no-build-isolation --no-index --disable-pip-version-check -q "$root"
cd "$tmp"
"$py" -c 'import quillon, sys; assert quillon.__file__.startswith(sys.prefix), quillon.__file__'
echo "==> tests/python with Python $version, from outside the clone"
"$py" -m unittest discover -s "$root/tests/python"
echo "==> the tour with Python $version"
"$py" "$root/examples/tour.py" >/dev/null
echo "Python $version: ok"
