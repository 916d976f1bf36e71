#!/usr/bin/env bash
# The main job: build everything, start the local download server and the
# analytics collector on 127.0.0.1, and run the installer under Wine: on your
# display when DISPLAY is set, otherwise under Xvfb where a default
# installation is clicked through and each page is saved to build/demo-shots/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/install-packages.sh
bash scripts/build-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

build="$root/build/win32"
export QV_WINEPREFIX="${QV_WINEPREFIX:-$root/build/wineprefix}"
work="$root/build/demo"
shots="$root/build/demo-shots"
mkdir -p "$work" "$shots"

# The stand-in setup package the server hands out as /software/273.
package="$build/tools/setup_package/setup_package.exe"
if [ ! -f "$package" ]; then
  echo "demo: the stand-in setup package was not built" >&2
  exit 1
fi

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

python3 tools/download_server/download_server.py --port 18273 --root "$work/packages" \
  --alias "273=$package" >"$work/download_server.log" 2>&1 &
pids+=($!)
if [ -f tools/collector/collector.py ]; then
  python3 tools/collector/collector.py --port 18274 --out "$work/collected.jsonl" >"$work/collector.log" 2>&1 &
  pids+=($!)
fi
sleep 1

exe="$build/bin/QuelvoxSetup.exe"
if [ -n "${DISPLAY:-}" ]; then
  echo "demo: running the installer on $DISPLAY"
  cmake/wine-run.sh "$exe" || true
else
  # A free display number, chosen by the X server itself.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  disp=":$(head -n1 "$work/display")"
  DISPLAY="$disp" xcompmgr >/dev/null 2>&1 &
  pids+=($!)
  DISPLAY="$disp" python3 tests/app/gui/demo_run.py --build "$build" --source "$root" \
    --prefix "$QV_WINEPREFIX" --shots "$shots"
fi
if [ -s "$work/collected.jsonl" ]; then
  echo "demo: analytics events received: $(wc -l <"$work/collected.jsonl")"
fi
