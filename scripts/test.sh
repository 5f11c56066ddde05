#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, starts a throwaway PostgreSQL server on loopback
# and runs every test on both database backends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar.sh
BUILD=${VEXA_BUILD_TEST:-build-test}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXA_SANITIZE=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
eval "export $(bash scripts/pg-test-server.sh | tail -1)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"
