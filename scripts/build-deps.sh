#!/usr/bin/env bash
# Builds the third-party pieces that Debian does not ship for mingw-w64:
#   - libcurl (static, Schannel, zlib) from Debian's curl source package
#   - the 7z decoder C files of the LZMA SDK from Debian's 7zip source package
# into a cache outside the work tree, so that later runs reuse them.
# Safe to run again: a warm cache returns in well under a second.
set -euo pipefail

CACHE="${QV_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quelvox-deps}"
HOST=i686-w64-mingw32
mkdir -p "$CACHE/src"

stamp_curl="$CACHE/curl-$HOST/.done"
stamp_lzma="$CACHE/lzma/.done"

if [ ! -f "$stamp_curl" ]; then
  cd "$CACHE/src"
  if ! ls -d curl-*/ >/dev/null 2>&1; then
    apt-get source -qq --download-only curl >/dev/null 2>&1 || apt-get source --download-only curl
    tarball=$(ls curl_*.orig.tar.* | head -n 1)
    tar xf "$tarball"
  fi
  src=$(ls -d "$CACHE"/src/curl-*/ | head -n 1)
  rm -rf "$CACHE/build-curl" && mkdir -p "$CACHE/build-curl" && cd "$CACHE/build-curl"
  "$src/configure" --host=$HOST --prefix="$CACHE/curl-$HOST" \
      --disable-shared --enable-static --with-schannel --with-zlib=/usr/$HOST \
      --without-libpsl --without-brotli --without-zstd --without-libidn2 --without-nghttp2 \
      --without-libssh2 --without-librtmp --disable-ldap --disable-ldaps --disable-rtsp \
      --disable-dict --disable-telnet --disable-tftp --disable-pop3 --disable-imap \
      --disable-smtp --disable-gopher --disable-mqtt --disable-smb --disable-manual \
      --disable-docs --disable-ntlm-wb --disable-ftp --disable-file --enable-ipv6 \
      CC=$HOST-gcc-posix AR=$HOST-ar RANLIB=$HOST-ranlib CFLAGS="-O2" >/dev/null
  make -j"$(nproc)" -C lib >/dev/null
  make -C lib install >/dev/null
  make -C include install >/dev/null
  touch "$stamp_curl"
fi

if [ ! -f "$stamp_lzma" ]; then
  cd "$CACHE/src"
  if ! ls -d 7zip-*/ >/dev/null 2>&1 && ! ls -d p7zip*/ >/dev/null 2>&1; then
    apt-get source -qq --download-only 7zip >/dev/null 2>&1 || apt-get source --download-only 7zip
    tarball=$(ls 7zip_*.orig.tar.* | head -n 1)
    mkdir -p 7zip-src && tar xf "$tarball" -C 7zip-src
  fi
  c_dir=$(find "$CACHE/src/7zip-src" -type f -name 7zDec.c -printf '%h\n' | head -n 1)
  [ -n "$c_dir" ] || { echo "7zDec.c not found in the 7zip sources" >&2; exit 1; }
  rm -rf "$CACHE/lzma" && mkdir -p "$CACHE/lzma/C"
  # Only the decoder files: archive reading, LZMA/LZMA2 and the filters 7z may use.
  for f in 7z.h 7zTypes.h 7zWindows.h 7zArcIn.c 7zBuf.c 7zBuf.h 7zCrc.c 7zCrc.h 7zCrcOpt.c \
           7zDec.c 7zFile.c 7zFile.h 7zStream.c 7zAlloc.c 7zAlloc.h 7zVersion.h Compiler.h \
           CpuArch.c CpuArch.h Bcj2.c Bcj2.h Bra.c Bra.h Bra86.c BraIA64.c Delta.c Delta.h \
           Lzma2Dec.c Lzma2Dec.h LzmaDec.c LzmaDec.h Ppmd.h Ppmd7.c Ppmd7.h Ppmd7Dec.c \
           Precomp.h RotateDefs.h; do
    [ -f "$c_dir/$f" ] && cp "$c_dir/$f" "$CACHE/lzma/C/"
  done
  touch "$stamp_lzma"
fi
echo "$CACHE"
