#!/usr/bin/env bash
# Find in files over the corpus tree beside grep -rn and rg -j1 in one run,
# and the cost per MB over a quarter, a half and all of the tree.
#
#   bench/find-in-files-peers.sh [path/to/findinfilesbench]     (REPS=5)
set -euo pipefail
BIN=${1:-build/bin/findinfilesbench}
REPS=${REPS:-5}
"$BIN" --benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true --benchmark_color=false 2>/dev/null |
awk '
    $1 ~ /_median$/ {
        name = $1; sub(/_median$/, "", name); sub(/\/real_time$/, "", name); sub(/^BM_/, "", name)
        ms[name] = $2; if ($3 == "us") ms[name] = $2 / 1000; if ($3 == "s") ms[name] = $2 * 1000
        for (i = 4; i <= NF; i++) if ($i ~ /^MB=/) { v = $i; sub(/^MB=/, "", v); mb[name] = v + 0 }
    }
    END {
        printf "%-28s %10s\n", "row", "ms"
        for (k in ms) printf "%-28s %10.1f\n", k, ms[k]
        if ("FindInFilesTree" in ms && "TreePeer/grep_rn" in ms)
            printf "ours / grep -rn: %.2f\n", ms["FindInFilesTree"] / ms["TreePeer/grep_rn"]
        if ("FindInFilesTree" in ms && "TreePeer/rg_j1" in ms)
            printf "ours / rg -j1:   %.2f\n", ms["FindInFilesTree"] / ms["TreePeer/rg_j1"]
        for (s = 1; s <= 4; s *= 2) {
            k = "FindInFilesShare/" s
            if ((k in ms) && mb[k] > 0) printf "share %d/4: %.1f MB, %.3f ms/MB\n", s, mb[k], ms[k] / mb[k]
        }
    }'
