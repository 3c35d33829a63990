#!/usr/bin/env bash
# Builds, once, what the Windows cross build needs beside Debian's packages:
# Boost's compiled libraries from Debian's Boost source, and GoogleTest from
# /usr/src/googletest, into build/windows-deps (kept between runs: a second
# run builds nothing); and copies there the header-only JSON and CSV readers
# of Debian's nlohmann-json3-dev and libfccp-dev, which a cross build may not
# take from /usr/include among the system's own headers.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --windows

deps="$PWD/build/windows-deps"
stamp="$deps/prefix/ready"
# The header-only libraries are copied on every run, also into a prefix built
# before they were needed; copying takes no time.
mkdir -p "$deps/prefix/include" "$deps/prefix/share/cmake"
cp -R /usr/include/nlohmann /usr/include/libfccp "$deps/prefix/include/"
# nlohmann_json's package files find the headers relative to themselves.
cp -R /usr/share/cmake/nlohmann_json "$deps/prefix/share/cmake/"
if [ -f "$stamp" ]; then
  exit 0
fi
toolchain="$PWD/cmake/toolchain-mingw-w64.cmake"
mkdir -p "$deps/src"

boost="$deps/src/boost"
if [ ! -f "$boost/boost/version.hpp" ]; then
  # Debian packages Boost's source, not Boost for MinGW: fetch the source
  # package from the mirror the machine already uses, through a sources list
  # and package lists of this folder's own, so that the machine's apt
  # configuration and state stay as they are.
  mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null |
    head -n 1)
  if [ -z "$mirror" ]; then
    mirror=$(sed -n 's/^deb \(\[[^]]*\] \)\{0,1\}\([^ ]*\) .*/\2/p' /etc/apt/sources.list 2>/dev/null |
      head -n 1)
  fi
  mirror="${mirror:-http://deb.debian.org/debian}"
  apt_dir="$deps/apt"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/sources.list.d" "$apt_dir/cache/archives/partial"
  printf 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s bookworm main\n' \
    "$mirror" >"$apt_dir/sources.list"
  own_apt=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d" -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache")
  apt-get "${own_apt[@]}" update -qq
  fetch="$deps/src/fetch"
  rm -rf "$fetch"
  mkdir -p "$fetch"
  (cd "$fetch" && apt-get "${own_apt[@]}" source -qq boost1.74 >/dev/null)
  rm -rf "$boost"
  mv "$fetch"/boost1.74-*/ "$boost"
  rm -rf "$fetch"
fi

# The source keeps each library's headers apart (libs/*/include/boost); one
# folder of links joins them, as Boost's own build does.
headers="$deps/src/boost-include"
if [ ! -f "$headers/boost/version.hpp" ]; then
  rm -rf "$headers"
  mkdir -p "$headers"
  for include in "$boost"/libs/*/include "$boost"/libs/numeric/*/include; do
    if [ -d "$include/boost" ]; then
      cp -rs "$include/boost" "$headers/"
    fi
  done
fi

cmake -S cmake/windows-deps -B "$deps/boost-build" -G Ninja --toolchain "$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DBOOST_SOURCE="$boost" -DBOOST_HEADERS="$headers" \
  -DCMAKE_INSTALL_PREFIX="$deps/prefix"
cmake --build "$deps/boost-build" --target install

cmake -S /usr/src/googletest -B "$deps/gtest-build" -G Ninja --toolchain "$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/prefix"
cmake --build "$deps/gtest-build" --target install

touch "$stamp"
