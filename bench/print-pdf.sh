#!/usr/bin/env bash
# Times the headless PDF output of sjis-1m.txt (format 1) and the pagination
# benchmark. Usage: bench/print-pdf.sh [build dir]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build}"
corpus="${ORVEX_CORPUS:-/tmp/orvex-corpus}"
[ -f "$corpus/sjis-1m.txt" ] || { echo "no $corpus/sjis-1m.txt: run make-corpus.sh" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A settings folder of its own: the user's formats do not change the figure.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen
start=$(date +%s.%N)
"$build/bin/orvex" --print-pdf "$work/sjis-1m.pdf" --layout 1 "$corpus/sjis-1m.txt"
end=$(date +%s.%N)
pages=$(pdfinfo "$work/sjis-1m.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
printf 'print-pdf sjis-1m.txt: %s s, %s pages, %s bytes\n' "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')" "${pages:-?}" \
  "$(stat -c %s "$work/sjis-1m.pdf")"
"$build/bin/printbench" --benchmark_min_time=0.5s 2>/dev/null || "$build/bin/printbench"
