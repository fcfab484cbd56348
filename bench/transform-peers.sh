#!/usr/bin/env bash
# transform-peers.sh - formatting (width 70, kinsoku) and the full-width
# round trip of TransformBench beside `fold -w 70` on the same text (the
# first 1 and 4 MiB of sjis-16m.txt, cut at a line end, and the whole
# file), in one run, alternating the two in ROUNDS rounds. Prints the
# median ms of each, ms/MiB, and each benchmark over fold.
#
# Environment (all optional):
#   ORVEX_CORPUS  corpus made by make-corpus.sh   [/tmp/orvex-corpus]
#   BENCH         the benchmark program           [<repo>/build/bin/transformbench]
#   ROUNDS        rounds                          [3]
set -u
export LC_ALL=C
HERE=$(cd "$(dirname "$0")" && pwd)
C=${ORVEX_CORPUS:-/tmp/orvex-corpus}
BENCH=${BENCH:-$HERE/../build/bin/transformbench}
ROUNDS=${ROUNDS:-3}
[[ -e $C/sjis-16m.txt ]] || { echo "missing $C/sjis-16m.txt: run make-corpus.sh first" >&2; exit 1; }
[[ -x $BENCH ]] || { echo "no benchmark program at $BENCH (set BENCH)" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# The same cuts as the benchmark: the first N MiB up to the last LF.
for m in 1 4; do
    head -c $((m << 20)) "$C/sjis-16m.txt" | sed '$d' > "$WORK/cut$m.txt"
    # sed '$d' drops the partial last line (or the last whole one): close enough
    # for a timing peer, the sizes are printed below.
done
cp "$C/sjis-16m.txt" "$WORK/cut16.txt"

median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
fold_ms() {  # median of 5 runs of fold -w 70 on $1, in ms
    for i in 1 2 3 4 5; do
        s=$(date +%s%N); fold -w 70 "$1" > /dev/null; e=$(date +%s%N)
        echo $(( (e - s) / 1000000 ))
    done | median
}

declare -A FOLD FMT JOIN FULL
for r in $(seq "$ROUNDS"); do
    for m in 1 4 16; do FOLD[$m]+="$(fold_ms "$WORK/cut$m.txt") "; done
    while read -r name ms; do
        m=${name##*/}
        case $name in
            BM_Format/*) FMT[$m]+="$ms " ;;
            BM_FormatJoined/*) JOIN[$m]+="$ms " ;;
            BM_FullAndBack/*) FULL[$m]+="$ms " ;;
        esac
    done < <(ORVEX_CORPUS=$C "$BENCH" --benchmark_format=csv 2>/dev/null |
             awk -F, 'NR > 1 { gsub("\"", "", $1); sub("/min_time:.*", "", $1); print $1, $3 }')
done

med() { tr ' ' '\n' <<< "$1" | grep . | median; }
printf '%-6s %9s %9s %9s %9s %8s %8s %8s\n' MiB fold_ms format_ms joined_ms fullbk_ms fmt/fold join/fold full/fold
for m in 1 4 16; do
    f=$(med "${FOLD[$m]}"); a=$(med "${FMT[$m]}"); b=$(med "${JOIN[$m]}"); c=$(med "${FULL[$m]}")
    awk -v m=$m -v f=$f -v a=$a -v b=$b -v c=$c 'BEGIN {
        d = (f > 0) ? f : 1
        printf "%-6s %9.1f %9.1f %9.1f %9.1f %8.2f %8.2f %8.2f\n", m, f, a, b, c, a / d, b / d, c / d }'
done
echo "sizes (bytes): $(wc -c < "$WORK/cut1.txt") $(wc -c < "$WORK/cut4.txt") $(wc -c < "$WORK/cut16.txt")"
