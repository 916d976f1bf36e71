#!/usr/bin/env bash
# The whole test run: installs what a fresh Debian 12 machine lacks, builds
# the dependencies (cached), builds and tests the native pure-logic libraries
# under ASan/UBSan, then cross-builds everything and runs the Windows tests
# under Wine on a virtual display with a compositor.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/install-packages.sh
bash scripts/build-deps.sh >/dev/null

echo "== host (native, sanitizers)"
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

echo "== win32 (mingw-w64, under Wine)"
cmake --preset win32 >/dev/null
cmake --build --preset win32

export QV_WINEPREFIX="${QV_WINEPREFIX:-$root/build/wineprefix}"
export WINEPREFIX="$QV_WINEPREFIX"
# A server left from another display would hand our windows to a dead X.
WINEPREFIX="$QV_WINEPREFIX" wineserver -k >/dev/null 2>&1 </dev/null || true
exec xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" bash -c '
  xcompmgr >/dev/null 2>&1 </dev/null &
  comp=$!
  bash cmake/wine-prefix.sh
  rc=0
  ctest --preset win32 "$@" || rc=$?
  kill $comp 2>/dev/null
  wineserver -k >/dev/null 2>&1 </dev/null || true
  exit $rc
' bash "$@"
