#!/usr/bin/env bash
# Fails when a C++ source of src/, tests/, bench/ or tools/ differs from
# .clang-format (clang-format-14), and names the files that do. Tables laid
# out by hand stand between `// clang-format off` and `// clang-format on`.
# Only files under version control are checked: build folders and anything
# generated stay out. To reformat what it names:
#   git ls-files -z -- <the files> | xargs -0 clang-format-14 -i
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format-14}
command -v "$format" >/dev/null || { echo "check-format: $format is not installed" >&2; exit 1; }

mapfile -d '' files < <(git ls-files -z -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' 'tools/*.cpp' 'tools/*.h')
# One run over all files: it reports each place that differs as
# "FILE:LINE:COL: error: code should be clang-formatted".
report=$("$format" --dry-run --Werror "${files[@]}" 2>&1 >/dev/null) && status=0 || status=$?
mapfile -t drift < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | sort -u)
if ((status != 0 && ${#drift[@]} == 0)); then
    echo "check-format: $format failed:" >&2
    echo "$report" >&2
    exit 1
fi
if ((${#drift[@]})); then
    echo "check-format: ${#drift[@]} of ${#files[@]} files differ from .clang-format:" >&2
    printf '  %s\n' "${drift[@]}" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files match .clang-format"
