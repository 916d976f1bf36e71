#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix.
# Used by ctest as the cross-compiling emulator and by the scripts.
# The prefix is created (32-bit, fonts mapped) on first use.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${QV_WINEPREFIX:-${WINEPREFIX:-$here/../build/wineprefix}}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
"$here/wine-prefix.sh" || exit 125
exec wine "$@"
