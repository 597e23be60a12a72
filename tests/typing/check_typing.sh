#!/usr/bin/env bash
# Type-checks two scripts against the package's generated stubs with mypy:
# typed_ok.py must check clean, typed_errors.py must fail at exactly the
# lines listed here, each with its error code, and nowhere else.
# Usage: check_typing.sh PYTHON_DIR MYPY CACHE_DIR
set -euo pipefail
pydir=$1 mypy=$2 cache=$3
here=$(cd "$(dirname "$0")" && pwd)
expected="typed_errors.py:12:attr-defined typed_errors.py:13:arg-type typed_errors.py:14:misc \
typed_errors.py:15:misc typed_errors.py:16:assignment typed_errors.py:17:call-overload"
for f in py.typed __init__.pyi _hostpackages.pyi; do
  [[ -f "$pydir/quillon/$f" ]] || { echo "no $f in $pydir/quillon" >&2; exit 1; }
done
set +e
out=$(cd "$here" && MYPYPATH="$pydir" "$mypy" --config-file mypy.ini --cache-dir "$cache" \
      --no-error-summary --show-error-codes typed_ok.py typed_errors.py 2>&1)
set -e
echo "$out"
got=$(sed -n 's/^\(typed_[a-z]*\.py:[0-9]*\): error: .*\[\([a-z-]*\)\]$/\1:\2/p' <<<"$out" |
      sort -t: -k1,1 -k2,2n | uniq | tr '\n' ' ')
if [[ "${got% }" != "$expected" ]]; then
  echo "expected errors at: $expected" >&2
  echo "got errors at:      ${got% }" >&2
  exit 1
fi
# Anything else mypy says (a note on a line of its own) is not an error.
if grep -E '^[^ ]+: error' <<<"$out" | grep -qv '^typed_errors\.py:'; then
  echo "unexpected errors" >&2; exit 1
fi
echo "typing: ok"
