#!/usr/bin/env bash
# Creates the project's Wine prefix once and keeps its server running, with
# all output detached so that callers (ctest among them) never wait on it.
set -u
: "${WINEPREFIX:?}"
export WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
mkdir -p "$(dirname "$WINEPREFIX")"
lock="$WINEPREFIX.lock"
exec 9>"$lock"
flock 9
if [ ! -f "$WINEPREFIX/.quelvox-ready" ]; then
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 </dev/null 9>&-
  wineserver -w >/dev/null 2>&1 </dev/null 9>&-
  # Chinese UI font: map the names the skins use to the installed WenQuanYi font.
  cat > "$WINEPREFIX/fonts.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"微软雅黑"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
REG
  sed -i '1s/.*/Windows Registry Editor Version 5.00/' "$WINEPREFIX/fonts.reg"
  iconv -f UTF-8 -t UTF-16LE "$WINEPREFIX/fonts.reg" | { printf '\xff\xfe'; cat; } > "$WINEPREFIX/fonts16.reg"
  wine regedit /S "$(winepath -w "$WINEPREFIX/fonts16.reg" 2>/dev/null 9>&-)" >/dev/null 2>&1 </dev/null 9>&-
  wineserver -w >/dev/null 2>&1 </dev/null 9>&-
  touch "$WINEPREFIX/.quelvox-ready"
fi
# A persistent server and the helper services, so that each program starts fast.
dir="/tmp/.wine-$(id -u)/server-$(printf '%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))"
if [ ! -S "$dir/socket" ]; then
  (setsid wineserver -p >/dev/null 2>&1 </dev/null 9>&- &)
  wine cmd /c exit >/dev/null 2>&1 </dev/null 9>&-
fi
