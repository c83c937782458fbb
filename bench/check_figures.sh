#!/usr/bin/env bash
# drawmap_bench's closing figures, on a small map: one "name: value" line
# for each, each value a number.
#   check_figures.sh DRAWMAP_BENCH MAPFILE
set -euo pipefail
out=$("$1" --no-gmt --runs 1 "$2")
for name in differing-pixels-percent print-over-draw print-longest-unanswered-seconds startup-over-bare-qt \
    startup-over-menu-window; do
    if ! grep -Eq "^$name: [0-9]+\.[0-9]+\$" <<<"$out"; then
        printf 'no figure %s in:\n%s\n' "$name" "$out"
        exit 1
    fi
done
