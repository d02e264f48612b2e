#!/usr/bin/env bash
# Builds everything and runs every test: the suite with warnings as errors, each fuzz target for
# a short while, then the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake --preset ci
cmake --build --preset ci
ctest --preset ci

./scripts/fuzz.sh "${SALLOWMERE_FUZZ_SECONDS:-30}"

cmake --preset asan
cmake --build --preset asan
ctest --preset asan
