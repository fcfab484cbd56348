#!/usr/bin/env bash
# files-peers.sh - the character-code benchmarks (FilesBench) and the
# document load and save benchmarks (DocumentFileBench) beside their peers,
# in one run: iconv and nkf converting the same corpus files as whole
# programs (timed with the shared bench-lib.sh), then the two benchmark
# programs, whose own iconv rows are the in-process peers.
#
# Environment (all optional):
#   ORVEX_CORPUS  corpus made by make-corpus.sh        [/tmp/orvex-corpus]
#   FILESBENCH    the benchmark program                [<repo>/build/bin/filesbench]
#   DOCBENCH      the document benchmark program       [<repo>/build/bin/documentfilebench]
#   UNIBENCH      the UTF-8 document benchmark program  [<repo>/build/bin/unicodefilebench]
#   BASE_DOCBENCH documentfilebench of an earlier build: its sjis-64m and
#                 euc-16m loads run in this same run, before and after ours
#   BENCH_LIB     bench-lib.sh                         [<repo>/../shared/bench/bench-lib.sh]
#   RUNS          timed runs per peer row              [9]
set -u
export LC_ALL=C
HERE=$(cd "$(dirname "$0")" && pwd)
export C=${ORVEX_CORPUS:-/tmp/orvex-corpus}
FILESBENCH=${FILESBENCH:-$HERE/../build/bin/filesbench}
DOCBENCH=${DOCBENCH:-$HERE/../build/bin/documentfilebench}
UNIBENCH=${UNIBENCH:-$HERE/../build/bin/unicodefilebench}
# shellcheck source=/dev/null
source "${BENCH_LIB:-$HERE/../../shared/bench/bench-lib.sh}"

for f in sjis-16m.txt euc-16m.txt jis-16m.txt utf16le-16m.txt sjis-64m.txt euc-ipadic.csv; do
    [[ -e $C/$f ]] || { echo "missing $C/$f: run make-corpus.sh first" >&2; exit 1; }
done
[[ -x $FILESBENCH ]] || { echo "no benchmark program at $FILESBENCH (set FILESBENCH)" >&2; exit 1; }
[[ -x $DOCBENCH ]] || { echo "no benchmark program at $DOCBENCH (set DOCBENCH)" >&2; exit 1; }
have() { command -v "$1" >/dev/null 2>&1; }
# The 16 MiB UTF-8 Japanese file: sjis-16m.txt through iconv, cut at the
# last line end before 16 MiB.
if [[ ! -e $C/utf8-16m.txt ]]; then
    iconv -f CP932 -t UTF-8 "$C/sjis-16m.txt" | head -c 16777216 > "$C/utf8-16m.tmp"
    python3 -c 'import sys; d=open(sys.argv[1],"rb").read(); open(sys.argv[2],"wb").write(d[:d.rfind(b"\n")+1])' \
        "$C/utf8-16m.tmp" "$C/utf8-16m.txt"
    rm -f "$C/utf8-16m.tmp"
fi
SU8=$(wc -c < "$C/utf8-16m.txt")
S16=$(wc -c < "$C/sjis-16m.txt")
SIPA=$(wc -c < "$C/euc-ipadic.csv")
find "$C" -maxdepth 1 -type f -exec cat {} + > /dev/null  # page cache

echo "# files-peers.sh $(date -u +%Y-%m-%dT%H:%M:%SZ)  $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); RUNS=$RUNS"
bench_section "to CP932, whole programs (MB/s over the 16 MiB of CP932-equivalent text)"
bench iconv-euc-16m  "$S16" -             'iconv -f EUC-JP -t CP932 "$C/euc-16m.txt" > /dev/null'
bench iconv-jis-16m  "$S16" iconv-euc-16m 'iconv -f ISO-2022-JP -t CP932 "$C/jis-16m.txt" > /dev/null'
bench iconv-u16-16m  "$S16" iconv-euc-16m 'iconv -f UTF-16 -t CP932 "$C/utf16le-16m.txt" > /dev/null'
bench iconv-ipadic   "$SIPA" -            'iconv -f EUC-JP -t CP932 "$C/euc-ipadic.csv" > /dev/null'
bench iconv-u8-16m   "$SU8" -             'iconv -f UTF-8 -t CP932 "$C/utf8-16m.txt" > /dev/null'
if have nkf; then
bench nkf-euc-16m    "$S16" iconv-euc-16m 'nkf -s "$C/euc-16m.txt" > /dev/null'
bench nkf-jis-16m    "$S16" iconv-euc-16m 'nkf -s "$C/jis-16m.txt" > /dev/null'
bench nkf-u16-16m    "$S16" iconv-euc-16m 'nkf -s "$C/utf16le-16m.txt" > /dev/null'
bench nkf-ipadic     "$SIPA" iconv-ipadic 'nkf -s "$C/euc-ipadic.csv" > /dev/null'
fi
bench_section "from CP932 (sjis-16m.txt), whole programs"
bench iconv-to-euc   "$S16" -             'iconv -f CP932 -t EUC-JP "$C/sjis-16m.txt" > /dev/null'
bench iconv-to-jis   "$S16" iconv-to-euc  'iconv -f CP932 -t ISO-2022-JP "$C/sjis-16m.txt" > /dev/null'
bench iconv-to-u16   "$S16" iconv-to-euc  'iconv -f CP932 -t UTF-16LE "$C/sjis-16m.txt" > /dev/null'
bench iconv-to-u8    "$S16" iconv-to-euc  'iconv -f CP932 -t UTF-8 "$C/sjis-16m.txt" > /dev/null'
if have nkf; then
bench nkf-to-euc     "$S16" iconv-to-euc  'nkf -S -e "$C/sjis-16m.txt" > /dev/null'
bench nkf-to-jis     "$S16" iconv-to-euc  'nkf -S -j "$C/sjis-16m.txt" > /dev/null'
fi

printf '\n== FilesBench (in process; Time is wall clock, CPU the process time)\n'
ORVEX_CORPUS=$C "$FILESBENCH" "$@"

printf '\n== DocumentFileBench (load = read, detect, convert, full layout at 80 columns; save = safe write with fsync; write = conversion only)\n'
ORVEX_CORPUS=$C "$DOCBENCH" "$@"

if [[ -x $UNIBENCH ]]; then
    printf '\n== UnicodeFileBench (UTF-8 load = read, detect, convert with the table, full layout; the UTF-8 check alone; UTF-8 write and save; in-process iconv beside)\n'
    ORVEX_CORPUS=$C "$UNIBENCH" "$@"
fi
if [[ -n ${BASE_DOCBENCH:-} && -x $BASE_DOCBENCH ]]; then
    # Alternating, so that both builds meet the same machine state.
    for round in 1 2; do
        printf '\n== sjis-64m / euc-16m loads, round %s: earlier build (%s), then this one\n' "$round" "$BASE_DOCBENCH"
        ORVEX_CORPUS=$C "$BASE_DOCBENCH" --benchmark_filter='BM_LoadDocument/(sjis_64m|euc_16m)/'
        ORVEX_CORPUS=$C "$DOCBENCH" --benchmark_filter='BM_LoadDocument/(sjis_64m|euc_16m)/'
    done
fi
