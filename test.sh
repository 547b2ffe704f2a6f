#!/bin/sh
# Builds everything and runs every test: once in a normal build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer; then the test
# programs whose code runs work on a second thread (the wire numbering and
# the analysis file) once more under ThreadSanitizer.
set -eu
cd "$(dirname "$0")"
jobs=$(nproc 2>/dev/null || echo 2)
werror=${CH_WERROR:-ON}  # CH_WERROR=OFF builds with warnings left as warnings

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCH_WERROR="$werror" >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${CH_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCH_SANITIZE=ON -DCH_WERROR="$werror" >/dev/null
  cmake --build build-sanitize -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions="$(pwd)/tests/lsan.supp" \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
fi

if [ "${CH_SKIP_SANITIZE:-0}" != 1 ]; then
  threaded='test_wcraft_numbering test_wcraft_exports'
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCH_THREAD_SANITIZE=ON -DCH_WERROR="$werror" >/dev/null
  cmake --build build-tsan -j "$jobs" --target $threaded
  TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j "$jobs" -R "^($(echo $threaded | tr ' ' '|'))\."
fi
