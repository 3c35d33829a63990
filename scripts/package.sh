#!/usr/bin/env bash
# Builds the Debian packages velkor-ipconfig-cmd and velkor-bench (each with
# its manual page and bash completion) into build/packages/, from a Release
# build installed below /usr (the `package` preset, warnings not fatal).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --package

cmake --preset package
cmake --build --preset package
rm -rf build/packages
cpack --config build/package/CPackConfig.cmake -B build/packages
# CPack leaves its staging folders beside the packages.
rm -rf build/packages/_CPack_Packages
ls -1 build/packages/*.deb
