#!/usr/bin/env bash
# Runs searchbench (our rows and the peer tools, in one run) and prints each
# of our rows beside its peer with the ratio of the median wall times.
#
#   bench/search-peers.sh [path/to/searchbench]      (REPS=5 by default)
#
# Peers time whole processes on the page-cached file (start, read, work);
# our rows time the work on text already in memory, as in the editor.
#
# The regular-expression rows are also set beside ripgrep (`rg`, Debian
# package ripgrep) when it is installed; without it those rows are left out.
set -euo pipefail
BIN=${1:-build/bin/searchbench}
REPS=${REPS:-5}
if ! command -v rg > /dev/null 2>&1; then
    echo "rg not found: the rows beside ripgrep are skipped (apt-get install ripgrep)" >&2
fi
# Console output (the CSV reporter refuses counters that differ between rows).
"$BIN" --benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true --benchmark_color=false 2>/dev/null |
awk '
    $1 ~ /_median$/ {
        name = $1; sub(/_median$/, "", name); sub(/\/real_time$/, "", name)
        sub(/\/iterations:[0-9]+/, "", name); sub(/^BM_[A-Za-z]+\//, "", name)
        ms[name] = $2; if ($3 == "us") ms[name] = $2 / 1000; if ($3 == "ns") ms[name] = $2 / 1e6; if ($3 == "s") ms[name] = $2 * 1000
    }
    END {
        n = split("literal_rare grep_F_rare literal_absent grep_F_absent literal_frequent grep_F_frequent " \
                  "regex_rare grep_E_rare regex_rare rg_rare regex_rare_plain rg_rare " \
                  "regex_absent grep_E_absent regex_absent rg_absent regex_absent_plain rg_absent " \
                  "replace_all_64m sed_replace_64m", pair, " ")
        printf "%-20s %10s   %-18s %10s %8s\n", "ours", "ms", "peer", "ms", "ratio"
        for (i = 1; i < n; i += 2) {
            a = pair[i]; b = pair[i + 1]
            if (!(a in ms) || !(b in ms)) continue
            printf "%-20s %10.1f   %-18s %10.1f %8.2f\n", a, ms[a], b, ms[b], ms[a] / ms[b]
        }
    }'
