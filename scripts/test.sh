#!/usr/bin/env bash
# Sets up the machine, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (compiler warnings are errors) and runs every test suite;
# meanwhile builds the fuzz targets with clang and runs them all at once, each for a fixed
# time (QM_FUZZ_SECONDS, 60 by default); last checks that the sources follow .clang-format.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build="$here/build-test"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_WERROR=ON -DQM_BUILD_TESTS=ON >/dev/null
cmake --build "$build"

# The fuzz targets are built and run while the test suites run; their report comes last.
fuzz="$here/build-fuzz"
mkdir -p "$fuzz"
(
  CXX=clang++ cmake -S "$here" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON -DQM_WERROR=ON \
    -DQM_BUILD_TESTS=OFF -DQM_FUZZ_SECONDS="${QM_FUZZ_SECONDS:-60}" >/dev/null
  cmake --build "$fuzz" --target fuzz
  cd "$fuzz" && ctest --output-on-failure -j "$(nproc)"
) >"$fuzz/fuzzing.log" 2>&1 &
fuzzing=$!

suites=0
(cd "$build" && ctest --output-on-failure -j "$(nproc)") || suites=$?
fuzzed=0
wait "$fuzzing" || fuzzed=$?
cat "$fuzz/fuzzing.log"
formatted=0
"$here/scripts/check-format.sh" || formatted=$?
[ "$suites" -eq 0 ] && [ "$fuzzed" -eq 0 ] && [ "$formatted" -eq 0 ]
