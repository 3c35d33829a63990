#!/usr/bin/env bash
# Checks the sources without building them: every include stays within its
# layer (the includes table of HACKING.md), and every C++ file is formatted
# as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --checks
cmake -P scripts/check-layers.cmake
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "format: every C++ file is formatted"
