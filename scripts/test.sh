#!/usr/bin/env bash
# Installs what is missing, builds Mirvaso and runs the whole test suite.
# With MIRVASO_SANITIZE=1 the suite is built and run under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

if [ "${MIRVASO_SANITIZE:-0}" = 1 ]; then
  build=build-sanitize
  cmake_flags=(-DCMAKE_BUILD_TYPE=Debug -DMIRVASO_SANITIZE=ON)
  export ASAN_OPTIONS="abort_on_error=0:halt_on_error=1:detect_leaks=1:suppressions=$PWD/tests/asan.supp"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
else
  build=build
  cmake_flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

cmake -S . -B "$build" -G Ninja "${cmake_flags[@]}"
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 900 -j"$(nproc)"
