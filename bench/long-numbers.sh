#!/usr/bin/env bash
# Whole-process times of `pelmorix-cli long` with one thread and with all of them, beside GMP and
# Python's int on the same workloads, and the peak memory of the long constants beside GMP's.
#   bash bench/long-numbers.sh <build-dir>      (LONG_BENCH_HUGE=1 adds pi to 99,999,999 digits)
# The GMP reference is built here from bench/gmp_reference.c; it and Python only serve as yardsticks
# and check that every output agrees. Ratios are pelmorix time / other time (below 1: pelmorix is
# faster). Short runs take the best of three. Python only runs the short workloads.
set -euo pipefail

BUILD=${1:?usage: bash bench/long-numbers.sh <build-dir>}
HERE=$(cd "$(dirname "$0")" && pwd)
CLI=$BUILD/src/pelmorix-cli/pelmorix-cli
WORK=$BUILD/bench-long-numbers
PYTHON_TIMEOUT=${PYTHON_TIMEOUT:-300}
mkdir -p "$WORK"
[ -x "$CLI" ] || { echo "no $CLI: build pelmorix-cli first" >&2; exit 1; }

GMP=""
if cc -O2 -o "$WORK/gmp_reference" "$HERE/gmp_reference.c" -lgmp -lm 2>"$WORK/gmp-build.log"; then
    GMP=$WORK/gmp_reference
else
    echo "GMP reference not built (libgmp-dev missing?); its column stays empty" >&2
fi
PYTHON=$(command -v python3 || true)

# The Python yardstick: the same workloads with int, math.isqrt and binary splitting.
cat >"$WORK/python_reference.py" <<'EOF'
import math, sys
sys.set_int_max_str_digits(0)
sys.setrecursionlimit(10000)

def operand(arg):
    return open(arg[1:]).read().strip() if arg.startswith('@') else arg

def split_pi(a, b):
    if b - a == 1:
        p = -(6 * a - 5) * (2 * a - 1) * (6 * a - 1)
        return p, a * a * a * 10939058860032000, p * (13591409 + 545140134 * a)
    m = (a + b) // 2
    p1, q1, t1 = split_pi(a, m)
    p2, q2, t2 = split_pi(m, b)
    return p1 * p2, q1 * q2, t1 * q2 + p1 * t2

def split_e(a, b):
    if b - a == 1:
        return a, 1
    m = (a + b) // 2
    q1, t1 = split_e(a, m)
    q2, t2 = split_e(m, b)
    return q1 * q2, t1 * q2 + t2

def cut(x, n):
    s = str(x)
    return s[0] if n == 0 else s[0] + '.' + s[1:n]

def main(op, *args):
    if op in ('add', 'sub', 'mul', 'div', 'mod'):
        a, b = int(operand(args[0])), int(operand(args[1]))
        r = {'add': a + b, 'sub': a - b, 'mul': a * b, 'div': a // b, 'mod': a % b}[op]
        print(r)
    elif op == 'fac':
        print(math.factorial(int(args[0])))
    elif op == 'pi':
        n = int(args[0]); digits = n + 20
        _, q, t = split_pi(1, int(digits / 14.18) + 2)
        root = math.isqrt(10005 * 10 ** (2 * digits))
        print(cut(426880 * root * q // (13591409 * q + t), n))
    elif op == 'e':
        n = int(args[0]); digits = n + 20
        terms, logf = 2, 0.0
        while logf < digits + 3:
            terms += 1; logf += math.log10(terms)
        q, t = split_e(1, terms + 1)
        print(cut((q + t) * 10 ** digits // q, n))

main(*sys.argv[1:])
EOF

# Seeded random operands of the given digit count.
digits() {
    awk -v n="$1" -v seed="$2" 'BEGIN { srand(seed); s = sprintf("%d", 1 + int(rand() * 9));
        for (i = 1; i < n; i++) s = s sprintf("%d", int(rand() * 10)); print s }'
}
digits 50000 1 >"$WORK/a50k.txt"
digits 50000 2 >"$WORK/b50k.txt"
digits 100000 3 >"$WORK/a100k.txt"

now() { date +%s.%N; }

# Prints the seconds one run of the command takes, its output in $1 and its peak resident memory
# (KB) in $WORK/peak-kb; "-" when it fails.
time_once() {
    local out=$1; shift
    local t0 t1
    t0=$(now)
    if "${MEASURE[@]}" "$@" >"$out" 2>/dev/null; then
        t1=$(now)
        awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }'
    else
        echo "-"
    fi
}
MEASURE=()
if [ -x /usr/bin/time ]; then
    MEASURE=(/usr/bin/time -f %M -o "$WORK/peak-kb")
fi

time_best() {
    local out=$1; shift
    local best t
    best=$(time_once "$out" "$@")
    if [ "$best" != "-" ] && awk -v t="$best" 'BEGIN { exit !(t < 2) }'; then
        for _ in 1 2; do
            t=$(time_once "$out" "$@")
            best=$(awk -v a="$best" -v b="$t" 'BEGIN { print (b < a ? b : a) }')
        done
    fi
    echo "$best"
}

peak_mb() {
    [ -s "$WORK/peak-kb" ] && awk '{ printf "%.0f", $1 / 1024 }' "$WORK/peak-kb" || echo "-"
}

ratio() {
    if [ "$1" = "-" ] || [ "$2" = "-" ] || [ -z "$2" ]; then echo "-"; return; fi
    awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) b = 0.001; printf "%.2fx", a / b }'
}

same() {
    if [ ! -s "$2" ]; then echo ""; elif cmp -s "$1" "$2"; then echo ""; else echo " DIFFERS"; fi
}

ALL=$(nproc 2>/dev/null || echo 2)
echo "pelmorix with 1 thread and with all $ALL (PELMORIX_THREADS); ratios are pelmorix / other."
printf '%-26s %8s %8s %7s %8s %7s %7s %8s %7s\n' "workload" "1 thr" "$ALL thr" "speedup" "GMP" \
    "1/GMP" "$ALL/GMP" "Python" "$ALL/Py"
MEMORY_ROWS=()
# run <python: yes|no> <name> <arguments of `long`>
run() {
    local withPython=$1 name=$2; shift 2
    local t1 tn tg="-" ty="-" note="" mine="-" gmp="-"
    t1=$(PELMORIX_THREADS=1 time_best "$WORK/out-pelmorix.txt" "$CLI" long "$@")
    tn=$(PELMORIX_THREADS=$ALL time_best "$WORK/out-pelmorix-all.txt" "$CLI" long "$@")
    mine=$(peak_mb)
    note+=$(same "$WORK/out-pelmorix.txt" "$WORK/out-pelmorix-all.txt")
    if [ -n "$GMP" ]; then
        tg=$(time_best "$WORK/out-gmp.txt" "$GMP" "$@")
        gmp=$(peak_mb)
        note+=$(same "$WORK/out-pelmorix.txt" "$WORK/out-gmp.txt")
    fi
    if [ -n "$PYTHON" ] && [ "$withPython" = yes ]; then
        ty=$(time_once "$WORK/out-python.txt" timeout "$PYTHON_TIMEOUT" "$PYTHON" "$WORK/python_reference.py" "$@")
        [ "$ty" = "-" ] && ty=">$PYTHON_TIMEOUT" || note+=$(same "$WORK/out-pelmorix.txt" "$WORK/out-python.txt")
    fi
    local ry="-"
    case "$ty" in
    ">"*) ry="<$(ratio "$tn" "${ty#>}")" ;;
    *) ry=$(ratio "$tn" "$ty") ;;
    esac
    printf '%-26s %8s %8s %7s %8s %7s %7s %8s %7s%s\n' "$name" "$t1" "$tn" "$(ratio "$t1" "$tn")" \
        "$tg" "$(ratio "$t1" "$tg")" "$(ratio "$tn" "$tg")" "$ty" "$ry" "$note"
    MEMORY_ROWS+=("$(printf '%-26s %10s %10s %8s' "$name" "$mine" "$gmp" "$(ratio "$mine" "$gmp")")")
}

run yes "mul 50,000 x 50,000 digits" mul "@$WORK/a50k.txt" "@$WORK/b50k.txt"
run yes "div 100,000 / 50,000" div "@$WORK/a100k.txt" "@$WORK/b50k.txt"
run yes "mod 100,000 / 50,000" mod "@$WORK/a100k.txt" "@$WORK/b50k.txt"
run yes "pi 100,000 digits" pi 100000
run yes "e 100,000 digits" e 100000
run no "pi 1,000,000 digits" pi 1000000
run no "e 1,000,000 digits" e 1000000
run yes "10000!" fac 10000
run no "100000!" fac 100000
run no "1000000!" fac 1000000
run no "pi 10,000,000 digits" pi 10000000
run no "e 10,000,000 digits" e 10000000
if [ "${LONG_BENCH_HUGE:-0}" = 1 ]; then
    run no "pi 99,999,999 digits" pi 99999999
fi

echo
echo "Peak resident memory (MB), pelmorix with all threads beside GMP:"
printf '%-26s %10s %10s %8s\n' "workload" "pelmorix" "GMP" "ratio"
for row in "${MEMORY_ROWS[@]}"; do
    case "$row" in "pi "*|"e "*|"1000000!"*) echo "$row" ;; esac
done
