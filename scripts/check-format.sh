#!/usr/bin/env bash
# check-format.sh: fails when a C or C++ file of the repository differs from
# what clang-format makes of it with the repository's .clang-format. One
# clang-format run checks every file: a run per file costs more in start-up
# than in formatting.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
files=()
while IFS= read -r file; do
  files+=("$file")
done < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' '*.c')
[ ${#files[@]} -eq 0 ] && exit 0
# --dry-run reports each place that would change as "file:line:col: error: ...".
report=$(clang-format --style=file --dry-run --Werror "${files[@]}" 2>&1)
status=$?
[ $status -eq 0 ] && exit 0
grep -o '^[^:]*\.\(cpp\|h\|c\):[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u |
  sed 's/.*/not formatted: & (run: clang-format -i &)/'
# A failure that names no file (clang-format missing, a bad .clang-format) is shown as it came.
grep -q ': error' <<<"$report" || echo "$report"
exit 1
