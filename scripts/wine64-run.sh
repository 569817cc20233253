#!/usr/bin/env bash
# wine64-run.sh PROGRAM.exe [ARGS...]: runs a Windows program of ours in the
# 64-bit prefix (made on first use) and returns its exit code. CTest uses it
# for the tests that must see the program under WOW64.
set -euo pipefail
"$(dirname "$0")/wine-prefix.sh" win64
source "$(dirname "$0")/wine64-env.sh"
start_wine_session
exec wine "$@"
