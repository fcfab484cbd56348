#!/usr/bin/env bash
# load-peers.sh - the document load (read, detection, conversion, full
# layout at 80 columns: DocumentFileBench's BM_LoadDocument) of sjis-16m.txt
# and sjis-64m.txt beside the shared naive row walk (scan.c rows) over the
# same files, in one run, alternating the two in ROUNDS rounds so that both
# meet the same machine state. Prints per round and as medians over the
# rounds:
#   - ms and ms/MiB of each load, and the 64 MiB cost per MiB over the 16 MiB
#     one;
#   - the walk's read and row-walk milliseconds (scan's own medians), and the
#     64 MiB load over the walk alone and over read + walk;
# then the peak RSS of one load of sjis-64m.txt per file byte
# (documentfilebench --load-once under /usr/bin/time -v), with scan's beside.
#
# Environment (all optional):
#   ORVEX_CORPUS  corpus made by make-corpus.sh    [/tmp/orvex-corpus]
#   DOCBENCH      the document benchmark program   [<repo>/build/bin/documentfilebench]
#   BASE_DOCBENCH documentfilebench of an earlier build: its loads run in
#                 the same rounds, before ours, and get the same figures
#   SCAN_SRC      scan.c                           [<repo>/../shared/bench/src/scan.c]
#   ROUNDS        rounds                           [3]
#   REPS          benchmark repetitions per round  [5]
set -u
export LC_ALL=C
HERE=$(cd "$(dirname "$0")" && pwd)
C=${ORVEX_CORPUS:-/tmp/orvex-corpus}
DOCBENCH=${DOCBENCH:-$HERE/../build/bin/documentfilebench}
SCAN_SRC=${SCAN_SRC:-$HERE/../../shared/bench/src/scan.c}
ROUNDS=${ROUNDS:-3}
REPS=${REPS:-5}

for f in sjis-16m.txt sjis-64m.txt; do
    [[ -e $C/$f ]] || { echo "missing $C/$f: run make-corpus.sh first" >&2; exit 1; }
done
[[ -x $DOCBENCH ]] || { echo "no benchmark program at $DOCBENCH (set DOCBENCH)" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time is missing (apt-get install time)" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
SCAN=$WORK/scan
cc -O2 -o "$SCAN" "$SCAN_SRC" || exit 1
cat "$C/sjis-16m.txt" "$C/sjis-64m.txt" > /dev/null  # page cache

S16=$(wc -c < "$C/sjis-16m.txt")
S64=$(wc -c < "$C/sjis-64m.txt")
PROGS=(our)
[[ -n ${BASE_DOCBENCH:-} && -x $BASE_DOCBENCH ]] && PROGS=(base our)
prog() { [[ $1 == base ]] && echo "$BASE_DOCBENCH" || echo "$DOCBENCH"; }

# Median real time in ms of a load row: "load16 ms" and "load64 ms".
loads() {
    ORVEX_CORPUS=$C "$1" --benchmark_filter='BM_LoadDocument/sjis_(16m|64m)/' \
        --benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
        awk -F, '/_median"?,/ { n = ($1 ~ /16m/) ? "load16" : "load64"; print n, $3 }'
}
# scan's own medians: "read ms" and "rows ms".
walk() {
    "$SCAN" rows "$1" 9 80 4 | awk '/^read/ { sub("ms=", "", $3); print "read", $3 }
                                  /^rows/ { sub("median_ms=", "", $5); print "rows", $5 }'
}

echo "# load-peers.sh $(date -u +%Y-%m-%dT%H:%M:%SZ)  $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); ROUNDS=$ROUNDS REPS=$REPS"
echo "# sjis-16m.txt $S16 bytes, sjis-64m.txt $S64 bytes; times in ms (medians)"
RES=$WORK/results
for ((round = 1; round <= ROUNDS; round++)); do
    walk "$C/sjis-16m.txt" | sed "s/^/$round walk16 /" >> "$RES"
    walk "$C/sjis-64m.txt" | sed "s/^/$round walk64 /" >> "$RES"
    for p in "${PROGS[@]}"; do loads "$(prog "$p")" | sed "s/^/$round $p /" >> "$RES"; done
done

awk -v s16="$S16" -v s64="$S64" -v rounds="$ROUNDS" -v progs="${PROGS[*]}" '
    { v[$1, $2, $3] = $4 }
    function med(a, n,   i, j, t) {
        for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    END {
        mib16 = s16 / 1048576; mib64 = s64 / 1048576
        np = split(progs, P, " ")
        printf "%-6s %-5s %9s %9s %9s %9s %9s %8s %10s %10s %10s\n", "round", "build", "walk64", "read64", "load16", "load64", "ms/MiB16", "ms/MiB64", "64/16/MiB", "load/walk", "load/r+w"
        for (k = 1; k <= np; k++) {
            p = P[k]
            for (r = 1; r <= rounds + 1; r++) {
                if (r <= rounds) {
                    w = v[r, "walk64", "rows"]; rd = v[r, "walk64", "read"]
                    l16 = v[r, p, "load16"]; l64 = v[r, p, "load64"]
                    W[r] = w; RD[r] = rd; L16[r] = l16; L64[r] = l64
                    A[r] = (l64 / mib64) / (l16 / mib16); B[r] = l64 / w; Cc[r] = l64 / (rd + w)
                    name = r
                } else {
                    w = med(W, rounds); rd = med(RD, rounds); l16 = med(L16, rounds); l64 = med(L64, rounds)
                    name = "median"
                }
                a = (r <= rounds) ? A[r] : med(A, rounds)
                b = (r <= rounds) ? B[r] : med(B, rounds)
                c = (r <= rounds) ? Cc[r] : med(Cc, rounds)
                printf "%-6s %-5s %9.1f %9.1f %9.1f %9.1f %9.3f %8.3f %10.3f %10.3f %10.3f\n", name, p, w, rd, l16, l64, l16 / mib16, l64 / mib64, a, b, c
            }
        }
        printf "# 64/16/MiB: the 64 MiB load per MiB over the 16 MiB one (target <= 1.15)\n"
        printf "# load/walk: the 64 MiB load over the walk of scan rows alone; load/r+w: over its read + walk\n"
    }' "$RES"

echo
echo "== peak RSS of one load of sjis-64m.txt (/usr/bin/time -v), bytes per file byte"
for p in "${PROGS[@]}"; do
    kb=$(/usr/bin/time -v "$(prog "$p")" --load-once "$C/sjis-64m.txt" 2>&1 >/dev/null |
        awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }')
    awk -v kb="$kb" -v s="$S64" -v p="$p" 'BEGIN { printf "%-5s load-once  peak %8d KiB  %.3f bytes/file byte (target < 2.5)\n", p, kb, kb * 1024 / s }'
done
kb=$(/usr/bin/time -v "$SCAN" rows "$C/sjis-64m.txt" 1 80 4 2>&1 >/dev/null |
    awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }')
awk -v kb="$kb" -v s="$S64" 'BEGIN { printf "scan  rows       peak %8d KiB  %.3f bytes/file byte\n", kb, kb * 1024 / s }'
