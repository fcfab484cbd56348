#!/usr/bin/env bash
# detect-accuracy.sh - accuracy of our character-code detection on SHORT
# inputs: single lines of the prose corpus and single words of the EUC-JP
# dictionary, each written as Shift JIS, EUC-JP, ISO-2022-JP and UTF-8 (the
# shared detect-samples.sh, with UTF-8 added and our tool built in). Prints
# correct/total per sample set, code and detector; with BASELINE_CMD also
# lists every sample whose verdict differs between the two builds.
#
# Environment (all optional):
#   CORPUS        corpus made by make-corpus.sh          [/tmp/orvex-corpus]
#   EVERY_LINE    every K-th non-ASCII prose line         [60]
#   EVERY_WORD    every K-th entry of euc-ipadic.csv      [1300]
#   DETECT_CMD    our detector                            [<repo>/build-core/bin/orvex-detect]
#   BASELINE_CMD  another build of it to compare verdicts with
#   PEERS         1: score nkf and uchardet too           [1]
set -u
export LC_ALL=C
HERE=$(cd "$(dirname "$0")" && pwd)
C=${CORPUS:-/tmp/orvex-corpus}
K1=${EVERY_LINE:-60}; K2=${EVERY_WORD:-1300}
DETECT_CMD=${DETECT_CMD:-$HERE/../build-core/bin/orvex-detect}
W=$(mktemp -d "${TMPDIR:-/tmp}/detect.XXXXXX"); trap 'rm -rf "$W"' EXIT

tr -d '\r' < "$C/sjis-1m.txt" | grep -a '[^ -~	]' | awk -v k="$K1" 'NR % k == 0' > "$W/prose.sjis"
awk -v k="$K2" 'NR % k == 0' "$C/euc-ipadic.csv" | cut -d, -f1 | iconv -f EUC-JP -t CP932 > "$W/words.sjis"

tools=(orvex)
[[ ${PEERS:-1} == 1 ]] && command -v nkf >/dev/null && tools+=(nkf)
[[ ${PEERS:-1} == 1 ]] && command -v uchardet >/dev/null && tools+=(uchardet)

norm() {   # verdict -> sjis|euc|jis|u8|u16|other
    case $(printf %s "$1" | tr a-z A-Z) in
        SHIFT_JIS*|SJIS*|CP932*|WINDOWS-31J*|MS932*|SHIFT-JIS*) echo sjis ;;
        EUC-JP*|EUCJP*) echo euc ;;
        ISO-2022-JP*|JIS*) echo jis ;;
        UTF-8*|UTF8*) echo u8 ;;
        UTF-16*) echo u16 ;;
        *) echo "other:$1" ;;
    esac
}
verdict() {
    case $1 in
        nkf) nkf --guess "$2" | cut -d' ' -f1 ;;
        uchardet) uchardet "$2" ;;
        orvex) $DETECT_CMD "$2" | head -n1 | cut -d' ' -f1 ;;
        baseline) $BASELINE_CMD "$2" | head -n1 | cut -d' ' -f1 ;;
    esac
}

declare -A ok=() tot=() wrong=()
changed=0
for set in prose words; do
    while IFS= read -r line; do
        for e in sjis:CP932 euc:EUC-JP jis:ISO-2022-JP u8:UTF-8; do
            tag=${e%%:*}
            printf '%s\r\n' "$line" | iconv -f CP932 -t "${e#*:}" > "$W/one" 2>/dev/null || continue
            for t in "${tools[@]}"; do
                v=$(norm "$(verdict "$t" "$W/one")")
                k="$set $tag $t"; tot[$k]=$(( ${tot[$k]:-0} + 1 ))
                if [[ $v == "$tag" ]]; then ok[$k]=$(( ${ok[$k]:-0} + 1 ))
                else wrong[$k]="${wrong[$k]:-} ${v#other:}"; fi
                if [[ $t == orvex && -n ${BASELINE_CMD:-} ]]; then
                    b=$(norm "$(verdict baseline "$W/one")")
                    if [[ $b != "$v" ]]; then
                        changed=$((changed + 1))
                        printf 'changed: %s %s baseline=%s now=%s: %s\n' "$set" "$tag" "$b" "$v" "$(od -An -tx1 "$W/one" | tr -d '\n' | cut -c1-60)"
                    fi
                fi
            done
        done
    done < "$W/$set.sjis"
done

printf '%-6s %-5s %-9s %9s  %s\n' set enc detector correct "most frequent wrong verdicts"
for k in $(printf '%s\n' "${!tot[@]}" | tr ' ' '|' | sort); do
    k=${k//|/ }; read -r s e t <<< "$k"
    top=
    [[ -n ${wrong[$k]:-} ]] && top=$(printf '%s\n' ${wrong[$k]} | sort | uniq -c | sort -rn | head -n 4 | awk '{printf "%s(%s) ", $2, $1}')
    printf '%-6s %-5s %-9s %4s/%-4s  %s\n' "$s" "$e" "$t" "${ok[$k]:-0}" "${tot[$k]}" "$top"
done
[[ -n ${BASELINE_CMD:-} ]] && echo "# samples whose verdict differs from $BASELINE_CMD: $changed"
echo "# prose: every ${K1}th non-ASCII line of sjis-1m.txt ($(wc -l < "$W/prose.sjis") lines)"
echo "# words: every ${K2}th entry (surface form) of euc-ipadic.csv ($(wc -l < "$W/words.sjis") words)"
