#!/usr/bin/env bash
# Runs the address book server benchmark (build/bench/quillmark_carddav_bench) against a
# throwaway local radicale server, started here and stopped at the end. Arguments go to the
# benchmark (for example --benchmark_filter=Read).
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'bash scripts/radicale-server.sh stop "$work/radicale"; rm -rf "$work"' EXIT
bash scripts/radicale-server.sh start "$work/radicale"
QUILLMARK_RADICALE="$work/radicale" build/bench/quillmark_carddav_bench "$@"
