#!/usr/bin/env bash
# Shows that the maker's libraries can take the bench's place: installs the
# emulated acquisition and module libraries as a stand-alone package (headers,
# static libraries, a CMake package file) in build/maker-prefix, builds the
# program alone against that package (no bench, no code change), and runs
# the end-to-end tests with that program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake --preset release
cmake --build --preset release --target velkor-acquisition velkor-module velkor-bench-store
prefix="$PWD/build/maker-prefix"
rm -rf "$prefix"
cmake --install build/release --component maker-libraries --prefix "$prefix"

rm -rf build/maker-libraries
cmake --preset maker-libraries
cmake --build --preset maker-libraries
program="$PWD/build/maker-libraries/bin/velkor-ipconfig-cmd"
if [ -d build/maker-libraries/bench ]; then
  echo "test-maker-libraries: the bench was built" >&2
  exit 1
fi

# The end-to-end tests (and the bench tool they set benches up with) of the
# dev build, run against the program built alone. CI's test stage has built
# them, so this build finds nothing to do; the dev preset is configured here
# only when this script runs on its own in a fresh checkout.
if [ ! -f build/dev/build.ninja ]; then
  cmake --preset dev >/dev/null
fi
cmake --build --preset dev --target e2e_tests velkor-bench
VELKOR_IPCONFIG_PROGRAM="$program" ./build/dev/bin/e2e_tests
echo "test-maker-libraries: the end-to-end tests pass with $program"
