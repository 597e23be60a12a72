#!/usr/bin/env bash
# Builds every libFuzzer harness (fuzz/) into build-fuzz/ with clang, ASan and
# UBSan, and runs each for SECONDS (default 60) from a scratch copy of its
# seed corpus. Prints each harness's executions and coverage; a crash fails
# the script, its stack is printed and its reproducer kept in fuzz/crashes/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2; }

# With clang's libFuzzer and sanitizer runtimes, and llvm-symbolizer for stacks.
bash scripts/setup.sh libfuzzer-14-dev llvm-14

dir=build-fuzz
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
fi
# Optimised lightly, with assertions on and line tables for the stacks: the
# sanitizers and coverage make this the slowest build of the project.
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DCMAKE_CXX_COMPILER=clang++ -DQUILLON_FUZZ=ON -DQUILLON_BENCH=OFF -DQUILLON_PYTHON=OFF >/dev/null
ninja -C "$dir" -j"$(nproc)" fuzzers

export UBSAN_OPTIONS=print_stacktrace=1
symbolizer=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
[[ -n $symbolizer ]] && export ASAN_SYMBOLIZER_PATH=$symbolizer
mkdir -p "$dir/logs" fuzz/crashes
status=0
while read -r name; do
  [[ -n $name ]] || continue
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  cp -r "fuzz/corpus/$name/." "$scratch/"
  log=$dir/logs/$name.log
  echo "== $name: ${seconds}s from $(ls "$scratch" | wc -l) seeds (log: $log)"
  rc=0
  "$dir/bin/$name" "$scratch" -max_total_time="$seconds" -timeout=60 -print_final_stats=1 -print_coverage=1 \
    -artifact_prefix="fuzz/crashes/$name-" >"$log" 2>&1 || rc=$?
  if ((rc != 0)); then
    echo "!! $name failed (exit $rc); the end of its log:"
    grep -vE '^ *(UN)?COVERED_(FUNC|PC)' "$log" | tail -n 120
    ls -1 fuzz/crashes/"$name"-* 2>/dev/null | sed 's/^/   reproducer: /' || true
    status=1
  else
    # The last status line (cov: coverage points, ft: features), then the
    # final statistics and how many of the project's functions ran.
    grep -E '^#[0-9]+.*(DONE|cov:)' "$log" | tail -n 1
    grep -E '^stat::' "$log" || true
    awk '/COVERED_FUNC/ && / \/.*\/src\// { if ($1 == "UNCOVERED_FUNC:") u++; else c++ }
         END { printf "project functions reached: %d of %d (%.1f%%)\n", c, c + u, (c + u) ? 100 * c / (c + u) : 0 }' "$log"
  fi
  rm -rf "$scratch"
  trap - EXIT
done <"$dir/fuzzers.txt"
exit $status
