#!/usr/bin/env bash
# Sets up the machine, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (compiler warnings are errors), runs every test
# suite, and last checks that the sources follow .clang-format.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build="$here/build-test"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_WERROR=ON -DQM_BUILD_TESTS=ON >/dev/null
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
"$here/scripts/check-format.sh"
