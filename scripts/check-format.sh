#!/usr/bin/env bash
# check-format.sh: fails when a C or C++ file of the repository differs from
# what clang-format makes of it with the repository's .clang-format.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0
while IFS= read -r file; do
  if ! clang-format --style=file "$file" | cmp -s - "$file"; then
    echo "not formatted: $file (run: clang-format -i $file)"
    status=1
  fi
done < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' '*.c')
exit $status
