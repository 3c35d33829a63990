#!/usr/bin/env bash
# Runs the README's examples as written, by the programs' bare names, in a
# scratch folder with a bench of its own: each line must succeed.
# usage: readme_examples_test.sh README [BIN_FOLDER]  (without a folder, the
# programs on PATH: the installed ones)
set -euo pipefail
readme="$1"
if [ -n "${2:-}" ]; then
  PATH="$(cd "$2" && pwd):$PATH"
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export VELKOR_BENCH="$scratch/bench"

# Every block between the markers, in the order they stand.
sed -n '/^<!-- examples -->$/,/^<!-- \/examples -->$/p' "$readme" |
  sed -e '/^<!-- \/\{0,1\}examples -->$/d' -e 's/^    //' >"$scratch/examples.sh"
# The examples name files of the source tree (an example plan) by their path
# from the README's folder.
mkdir -p "$scratch/doc"
cp -R "$(dirname "$readme")/doc/examples" "$scratch/doc/"
if ! grep -q 'velkor-ipconfig-cmd' "$scratch/examples.sh"; then
  echo "no examples found in $readme" >&2
  echo "0 passed, 1 failed"
  exit 1
fi
cd "$scratch"
# Status 0 with "has not been changed" is a request the detector refused.
if bash -euo pipefail "$scratch/examples.sh" >"$scratch/out" 2>&1 &&
  ! grep -qE 'has not been changed|^Error - ' "$scratch/out"; then
  echo "1 passed, 0 failed"
else
  cat "$scratch/out" >&2
  echo "0 passed, 1 failed"
  exit 1
fi
