#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once in the plain build, then the same
# suite again built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh --tests

jobs=$(nproc)
scripts/build.sh
(cd build && ctest --output-on-failure -j"$jobs")

BUILD_DIR=build-sanitize scripts/build.sh -DCORVESSA_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-sanitize && ctest --output-on-failure -j"$jobs")
