#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]: runs a Windows program of ours in the
# project's Wine prefix and returns its exit code. CTest uses it as the
# emulator for every test executable.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
start_wine_session
exec wine "$@"
