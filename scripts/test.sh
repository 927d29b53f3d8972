#!/usr/bin/env bash
# Builds and runs every test: the whole suite with warnings as errors, the
# engine tests under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# fuzzers for VORENTA_FUZZ_SECONDS (default 60) each.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Full suite"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORENTA_WERROR=ON -DVORENTA_BUILD_BENCH=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs" 2>&1 | tee build/test/ctest.log

echo "== Engine tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORENTA_WERROR=ON \
      -DVORENTA_SANITIZE=ON -DVORENTA_BUILD_UI=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

if [[ -f fuzz/CMakeLists.txt ]]; then
  echo "== Fuzzers"
  CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORENTA_FUZZ=ON \
        -DVORENTA_BUILD_UI=OFF -DVORENTA_BUILD_TESTS=OFF
  cmake --build build/fuzz -j "$jobs" --target fuzzers
  for fuzzer in build/fuzz/fuzz/*_fuzzer; do
    name=$(basename "$fuzzer")
    work=build/fuzz/corpus/$name
    mkdir -p "$work"
    cp -n fuzz/corpus/"${name%_fuzzer}"/* "$work"/ 2>/dev/null || true
    "$fuzzer" -max_total_time="${VORENTA_FUZZ_SECONDS:-60}" -timeout=10 -rss_limit_mb=4096 "$work"
  done
fi

echo "== Summary of the full suite"
grep -E "tests passed, [0-9]+ tests failed" build/test/ctest.log && grep -A1 "Total Test time" build/test/ctest.log
