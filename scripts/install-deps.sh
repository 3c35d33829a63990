#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need; with --fuzz,
# also the compiler and runtimes of the libFuzzer targets (scripts/fuzz.sh),
# with --checks the formatter (scripts/check-sources.sh), with --windows the
# MinGW-w64 cross compilers and Wine (scripts/test-windows.sh), with
# --package what scripts/package.sh and scripts/test-packages.sh need.
# Idempotent: the package lists are refreshed only when something is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libboost1.74-dev
  libboost-program-options1.74-dev
  libboost-filesystem1.74-dev
  libboost-system1.74-dev
  libboost-iostreams1.74-dev
  libgtest-dev libgmock-dev
  # JSON (the bench's files, --json of velkor-bench and velkor-site) and
  # velkor-site's plan reader, both header-only.
  nlohmann-json3-dev libfccp-dev
  # The manual pages are rendered by the tests.
  groff-base man-db
  # The completion test types into an interactive bash through a
  # pseudo-terminal (Python's pty module).
  python3
)

for arg in "$@"; do
  case "$arg" in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --checks) packages+=(clang-format git) ;;
    # The -posix compilers: the default MinGW ones lack std::thread and std::mutex.
    --windows) packages+=(g++-mingw-w64-x86-64-posix mingw-w64 wine64 dpkg-dev binutils-mingw-w64-x86-64 zip) ;;
    # CPack's Debian generator finds the binaries with file(1) and their
    # dependencies with dpkg-shlibdeps; test-packages.sh runs lintian.
    --package) packages+=(dpkg-dev file bash-completion lintian) ;;
    *)
      echo "usage: install-deps.sh [--fuzz] [--checks] [--windows] [--package]" >&2
      exit 2
      ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
