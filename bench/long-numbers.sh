#!/usr/bin/env bash
# Whole-process time and peak resident memory of `pelmorix-cli long` beside GMP on the same work.
#   bash bench/long-numbers.sh <build-dir>
# LONG_BENCH_RUNS      paired runs per row (default 3); each column is the median of its runs
# LONG_BENCH_MAX       the largest row to run: 1e6 (default 1e7), 1e7, 3e7 or 1e8 (pi and e to
#                      99,999,999)
# LONG_BENCH_MEMORY    the most pelmorix may take beside GMP's peak (default 1.00): rows above
#                      it are marked MEMORY and make the script end with status 1
# The GMP reference is built here from bench/gmp_reference.c; it serves as the yardstick and
# checks that every output agrees (a row that disagrees is marked DIFFERS and fails the script).
# Ratios are pelmorix / GMP: below 1 pelmorix is faster or smaller. PELMORIX_THREADS is passed on.
set -euo pipefail

BUILD=${1:?usage: bash bench/long-numbers.sh <build-dir>}
HERE=$(cd "$(dirname "$0")" && pwd)
CLI=$BUILD/src/pelmorix-cli/pelmorix-cli
WORK=$BUILD/bench-long-numbers
RUNS=${LONG_BENCH_RUNS:-3}
MAX=${LONG_BENCH_MAX:-1e7}
MEMORY_BOUND=${LONG_BENCH_MEMORY:-1.00}
mkdir -p "$WORK"
[ -x "$CLI" ] || { echo "no $CLI: build pelmorix-cli first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed for the peak memory (apt-get install time)" >&2; exit 1; }

GMP=""
if cc -O2 -o "$WORK/gmp_reference" "$HERE/gmp_reference.c" -lgmp -lm 2>"$WORK/gmp-build.log"; then
    GMP=$WORK/gmp_reference
else
    echo "GMP reference not built (libgmp-dev missing?); its columns stay empty" >&2
fi

# Seeded random operands of the given digit count.
digits() {
    awk -v n="$1" -v seed="$2" 'BEGIN { srand(seed); printf "%d", 1 + int(rand() * 9);
        for (i = 1; i < n; i++) printf "%d", int(rand() * 10); print "" }'
}
operand() { # <name> <digits> <seed>
    [ -s "$WORK/$1.txt" ] || digits "$2" "$3" >"$WORK/$1.txt"
    echo "@$WORK/$1.txt"
}

# One run: "<seconds> <peak KB>" of the command, its output in $1; "- -" when it fails.
run_once() {
    local out=$1; shift
    local t0 t1
    t0=$(date +%s.%N)
    if /usr/bin/time -f %M -o "$WORK/peak-kb" "$@" >"$out" 2>/dev/null; then
        t1=$(date +%s.%N)
        awk -v a="$t0" -v b="$t1" -v kb="$(tail -n 1 "$WORK/peak-kb")" 'BEGIN { printf "%.3f %d\n", b - a, kb }'
    else
        echo "- -"
    fi
}

median() { tr ' ' '\n' | grep -v -e '^-$' -e '^$' | sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else print v[int((NR + 1) / 2)] }'; }

ratio() {
    if [ "$1" = "-" ] || [ "$2" = "-" ]; then echo "-"; return; fi
    awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) b = 0.001; printf "%.2fx", a / b }'
}

mb() { [ "$1" = "-" ] && echo "-" || awk -v kb="$1" 'BEGIN { printf(kb < 10240 ? "%.1f" : "%.0f", kb / 1024) }'; }

FAILED=0
echo "pelmorix-cli long beside GMP: median of $RUNS paired whole-process runs;" \
    "memory = peak resident set; ratios pelmorix / GMP."
printf '%-24s %9s %9s %7s %10s %10s %7s\n' "work" "pelmorix" "GMP" "time" "pelmorix" "GMP" \
    "memory"
printf '%-24s %9s %9s %7s %10s %10s %7s\n' "" "s" "s" "ratio" "MB" "MB" "ratio"
# row <name> <arguments of `long`>
row() {
    local name=$1; shift
    local times="" peaks="" gtimes="" gpeaks="" note="" t m
    for ((i = 0; i < RUNS; i++)); do
        read -r t m < <(run_once "$WORK/out-pelmorix.txt" "$CLI" long "$@")
        times+="$t "; peaks+="$m "
        if [ -n "$GMP" ]; then
            read -r t m < <(run_once "$WORK/out-gmp.txt" "$GMP" "$@")
            gtimes+="$t "; gpeaks+="$m "
        fi
    done
    local tp mp tg="-" mg="-"
    tp=$(echo "$times" | median); mp=$(echo "$peaks" | median)
    if [ -n "$GMP" ]; then
        tg=$(echo "$gtimes" | median); mg=$(echo "$gpeaks" | median)
        if ! cmp -s "$WORK/out-pelmorix.txt" "$WORK/out-gmp.txt"; then
            note+=" DIFFERS"; FAILED=1
        fi
        if [ "$mp" != "-" ] && [ "$mg" != "-" ] &&
            awk -v a="$mp" -v b="$mg" -v k="$MEMORY_BOUND" 'BEGIN { exit !(a > k * b) }'; then
            note+=" MEMORY"; FAILED=1
        fi
    fi
    [ "$tp" = "-" ] && { note+=" FAILED"; FAILED=1; }
    printf '%-24s %9s %9s %7s %10s %10s %7s%s\n' "$name" "$tp" "$tg" "$(ratio "$tp" "$tg")" \
        "$(mb "$mp")" "$(mb "$mg")" "$(ratio "$mp" "$mg")" "$note"
}

# The largest row to run, as a power: 6, 7, 7.5 or 8.
case "$MAX" in
1e6) LEVEL=6 ;; 1e7) LEVEL=7 ;; 3e7) LEVEL=7.5 ;; 1e8) LEVEL=8 ;;
*) echo "LONG_BENCH_MAX is 1e6, 1e7, 3e7 or 1e8" >&2; exit 2 ;;
esac
upto() { awk -v a="$1" -v b="$LEVEL" 'BEGIN { exit !(a <= b) }'; }

row "mul 10k x 10k digits" mul "$(operand a10k 10000 1)" "$(operand b10k 10000 2)"
row "mul 50k x 50k" mul "$(operand a50k 50000 3)" "$(operand b50k 50000 4)"
row "div 100k / 50k" div "$(operand a100k 100000 5)" "$(operand b50k 50000 4)"
row "mod 100k / 50k" mod "$(operand a100k 100000 5)" "$(operand b50k 50000 4)"
row "pi 1e5" pi 100000
row "e 1e5" e 100000
row "10000!" fac 10000
row "mul 1M x 1M" mul "$(operand a1m 1000000 6)" "$(operand b1m 1000000 7)"
row "pi 1e6" pi 1000000
row "e 1e6" e 1000000
row "100000!" fac 100000
if upto 7; then
    row "pi 1e7" pi 10000000
    row "e 1e7" e 10000000
    row "1000000!" fac 1000000
fi
upto 7.5 && row "pi 3e7" pi 30000000
if upto 8; then
    row "pi 99,999,999" pi 99999999
    row "e 99,999,999" e 99999999
fi
exit $FAILED
