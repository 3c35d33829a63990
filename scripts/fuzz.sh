#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (the fuzz preset) and runs each for a
# bounded time on a scratch copy of its seed corpus, so the seeds in the tree
# stay as they are. Fails when any target crashes, leaks, hangs past the
# timeout or finds a broken property; ends with one line per target and the
# number of inputs it ran. VELKOR_FUZZ_SECONDS changes the time per target.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --fuzz
cmake --preset fuzz
cmake --build --preset fuzz

seconds="${VELKOR_FUZZ_SECONDS:-20}"
bin="$PWD/build/fuzz/bin"
runs="$PWD/build/fuzz/runs"
rm -rf "$runs"
mkdir -p "$runs"

# Every fuzz/fuzz_NAME.cpp is a target with its seeds in fuzz/corpus/fuzz_NAME.
targets=()
for source in fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done

failed=0
summary=()
for target in "${targets[@]}"; do
  dir="$runs/$target"
  # The targets' scratch files (the driver's log folder) stay beside the run.
  mkdir -p "$dir/corpus" "$dir/tmp"
  if [ ! -d "fuzz/corpus/$target" ]; then
    echo "fuzz: no seed corpus fuzz/corpus/$target" >&2
    exit 1
  fi
  cp -R "fuzz/corpus/$target/." "$dir/corpus/"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$dir/")
  if [ -f "fuzz/dict/$target.dict" ]; then
    options+=(-dict="fuzz/dict/$target.dict")
  fi

  echo "fuzz: $target for ${seconds} s"
  status=0
  TMPDIR="$dir/tmp" UBSAN_OPTIONS=print_stacktrace=1 \
    "$bin/$target" "${options[@]}" "$dir/corpus" >"$dir/fuzz.log" 2>&1 || status=$?

  # "Done N runs in S second(s)" closes a run that went its whole time; after a
  # crash only the final statistics tell the count.
  count=$(sed -n 's/^Done \([0-9][0-9]*\) runs.*/\1/p' "$dir/fuzz.log" | tail -n 1)
  if [ -z "$count" ]; then
    count=$(sed -n 's/^stat::number_of_executed_units: *\([0-9][0-9]*\).*/\1/p' "$dir/fuzz.log" |
      tail -n 1)
  fi
  count="${count:-?}"

  if [ "$status" -eq 0 ]; then
    summary+=("$(printf '%-26s %10s runs  ok' "$target" "$count")")
  else
    failed=1
    summary+=("$(printf '%-26s %10s runs  FAILED (exit %d, log and input in %s)' \
      "$target" "$count" "$status" "$dir")")
    echo "fuzz: $target failed with exit $status; the end of its log:" >&2
    tail -n 60 "$dir/fuzz.log" >&2
  fi
done

echo
echo "fuzz: inputs run per target (${seconds} s each)"
printf '%s\n' "${summary[@]}"
exit "$failed"
