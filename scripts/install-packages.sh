#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Idempotent: a machine that has everything returns at once.
set -euo pipefail

PKGS=(g++-mingw-w64-i686-posix wine wine32 xvfb xauth xdotool imagemagick
      libz-mingw-w64-dev libstb-dev 7zip locales cmake ninja-build
      googletest fonts-wqy-microhei xcompmgr python3 dpkg-dev aria2 curl)

missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
need_src=0
if ! grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then need_src=1; fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  missing+=(wine32)
fi
if [ "$need_src" = 1 ]; then
  cat > /etc/apt/sources.list.d/quelvox-deb-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
fi
if [ "${#missing[@]}" -gt 0 ] || [ "$need_src" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ "${#missing[@]}" -gt 0 ] && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The Chinese locale, for the tests that need ANSI code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
