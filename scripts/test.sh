#!/usr/bin/env bash
# Builds everything and runs every test: the suite with warnings as errors; the Windows build
# (MinGW-w64) with its tests, its window's and its release archive's under Wine on a virtual
# display; each fuzz target for a short while; then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake --preset ci
cmake --build --preset ci
ctest --preset ci

cmake --preset windows-cross
cmake --build --preset windows-cross
# One Wine session on one virtual display for all the Windows tests.
xvfb-run -a bash -c './scripts/wine-run.sh --start && ctest --preset windows-cross; status=$?
                     ./scripts/wine-run.sh --stop; exit $status'

./scripts/fuzz.sh "${SALLOWMERE_FUZZ_SECONDS:-30}"

cmake --preset asan
cmake --build --preset asan
ctest --preset asan
