#!/usr/bin/env bash
# Builds the program and the bench tool, sets up a factory bench of emulated
# detectors in build/demo, and readdresses the emulated 7380 there:
# 192.168.37.130 (host 192.168.37.131) becomes 10.0.37.132 (host 10.0.37.133).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release

bin="$PWD/build/release/bin"
demo="$PWD/build/demo"
mkdir -p "$demo"
export VELKOR_BENCH="$demo/bench"
cd "$demo"

run() {
  echo "\$ $*"
  "$@"
}

run "$bin/velkor-bench" init --force
run "$bin/velkor-ipconfig-cmd" --type 7380 --current_detector_ip 192.168.37.130 \
  --new_detector_ip 10.0.37.132 --new_peer_ip 10.0.37.133
# The 7380 takes its new address when it restarts.
run "$bin/velkor-bench" reboot 7380
run "$bin/velkor-bench" show 7380
echo "Log of the run: $demo/velkor-ipconfig-cmd.log"
echo "To call both programs by name, run in your shell: export PATH=\"$bin:\$PATH\""
echo "The demo's bench is $VELKOR_BENCH; to use it: export VELKOR_BENCH=\"$VELKOR_BENCH\""
