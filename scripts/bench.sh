#!/usr/bin/env bash
# Installs what is missing, builds with optimisation (RelWithDebInfo unless BUILD_TYPE says
# otherwise) and runs every benchmark; each prints its own figures. Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
scripts/build.sh
build_dir=${BUILD_DIR:-build}
export CORVESSA_TEST_TOOLS=$PWD/tests/tools

echo "== mixer_bench"
"$build_dir/bench/mixer_bench"
echo
echo "== select_all_bench"
"$build_dir/bench/select_all_bench"
echo
echo "== open_wait_bench"
"$build_dir/bench/open_wait_bench"
echo
echo "== cost.sh"
bench/cost.sh "$build_dir"
