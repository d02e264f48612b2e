#!/usr/bin/env bash
# Builds everything and runs every test: the suite with warnings as errors, a cross build for
# Windows, each fuzz target for a short while, then the whole suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake --preset ci
cmake --build --preset ci
ctest --preset ci

# The Windows code paths of the core and the command line must at least compile.
cmake --preset windows-cross
cmake --build --preset windows-cross

./scripts/fuzz.sh "${SALLOWMERE_FUZZ_SECONDS:-30}"

cmake --preset asan
cmake --build --preset asan
ctest --preset asan
