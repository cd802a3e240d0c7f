#!/usr/bin/env bash
# Builds the host benchmarks and prints their table.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset host >/dev/null
cmake --build --preset host --target board_deal_bench >/dev/null
build/host/bench/board_deal_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
