#!/usr/bin/env bash
# Installs what is missing, builds the dev preset (sanitizers on) and runs every test,
# two at a time unless CTEST_PARALLEL_LEVEL says otherwise (the end-to-end
# tests spend most of their time starting programs).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev
CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-2}" ctest --preset dev
