#!/usr/bin/env bash
# Sets up the machine, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test suite, then builds the fuzz targets with clang
# and runs each for a fixed time (QM_FUZZ_SECONDS, 60 by default), all at once.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build="$here/build-test"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_BUILD_TESTS=ON >/dev/null
cmake --build "$build"
(cd "$build" && ctest --output-on-failure -j "$(nproc)")

fuzz="$here/build-fuzz"
CXX=clang++ cmake -S "$here" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON -DQM_BUILD_TESTS=OFF \
  -DQM_FUZZ_SECONDS="${QM_FUZZ_SECONDS:-60}" >/dev/null
cmake --build "$fuzz" --target fuzz
(cd "$fuzz" && ctest --output-on-failure -j "$(nproc)")
