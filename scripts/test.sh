#!/usr/bin/env bash
# Builds and runs the whole test suite. Usage: scripts/test.sh [--sanitize | --tsan]
# --sanitize builds it with clang and runs it, the Python tests included, under
# AddressSanitizer (leaks too) and UndefinedBehaviorSanitizer; --tsan builds
# and runs only the threaded host test, under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
case "${1:-}" in
  --sanitize) ctest --test-dir build-asan --output-on-failure -j"$(nproc)" ;;
  --tsan) ctest --test-dir build-tsan --output-on-failure -R '^HostThreads\.' --no-tests=error ;;
  *) ctest --test-dir build --output-on-failure -j"$(nproc)" ;;
esac
