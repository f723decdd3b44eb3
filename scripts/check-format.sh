#!/usr/bin/env bash
# Usage: scripts/check-format.sh [FILE...]
# Fails, listing them, when C++ files differ from what clang-format makes of them. Without
# arguments it checks every C++ file git tracks.
set -euo pipefail
cd "$(dirname "$0")/.."
CLANG_FORMAT=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
if [ -z "$CLANG_FORMAT" ]; then
    echo "check-format: clang-format not found (Debian package clang-format)" >&2
    exit 1
fi
if [ $# -eq 0 ]; then
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
    else
        mapfile -t files < <(find src tests bench fuzz -name '*.cpp' -o -name '*.h' -o -name '*.c')
    fi
else
    files=("$@")
fi
bad=0
for f in "${files[@]}"; do
    if ! "$CLANG_FORMAT" --style=file:"$PWD/.clang-format" "$f" | cmp -s - "$f"; then
        echo "not formatted: $f (run: $CLANG_FORMAT -i $f)"
        bad=1
    fi
done
exit $bad
