# Third-party libraries: installed Debian packages and the cache that
# scripts/build-deps.sh fills. Nothing here is copied into the repo.
if(DEFINED ENV{QV_DEPS_CACHE})
  set(_qv_cache_default "$ENV{QV_DEPS_CACHE}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(_qv_cache_default "$ENV{XDG_CACHE_HOME}/quelvox-deps")
else()
  set(_qv_cache_default "$ENV{HOME}/.cache/quelvox-deps")
endif()
set(QV_DEPS_CACHE "${_qv_cache_default}" CACHE PATH "where scripts/build-deps.sh put libcurl and the 7z decoder")

# stb_image (header only, libstb-dev)
add_library(qv_stb INTERFACE)
target_include_directories(qv_stb SYSTEM INTERFACE /usr/include/stb)

if(QV_WIN32)
  # zlib from libz-mingw-w64-dev, static
  add_library(qv_zlib STATIC IMPORTED GLOBAL)
  set_target_properties(qv_zlib PROPERTIES IMPORTED_LOCATION /usr/i686-w64-mingw32/lib/libz.a)

  # libcurl, static, Schannel
  set(_curl ${QV_DEPS_CACHE}/curl-i686-w64-mingw32)
  if(NOT EXISTS ${_curl}/lib/libcurl.a)
    message(FATAL_ERROR "libcurl not built: run scripts/build-deps.sh")
  endif()
  add_library(qv_curl STATIC IMPORTED GLOBAL)
  set_target_properties(qv_curl PROPERTIES
    IMPORTED_LOCATION ${_curl}/lib/libcurl.a
    INTERFACE_INCLUDE_DIRECTORIES ${_curl}/include
    INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB
    INTERFACE_LINK_LIBRARIES "qv_zlib;ws2_32;wldap32;crypt32;secur32;bcrypt;advapi32;normaliz;iphlpapi")
else()
  find_package(ZLIB)
  if(ZLIB_FOUND)
    add_library(qv_zlib ALIAS ZLIB::ZLIB)
  endif()
endif()

# The LZMA SDK's 7z decoder (C files only), compiled in both configurations.
set(_lzma ${QV_DEPS_CACHE}/lzma/C)
if(EXISTS ${_lzma}/7zDec.c)
  file(GLOB _lzma_src ${_lzma}/*.c)
  list(FILTER _lzma_src EXCLUDE REGEX "7zFile\\.c$")
  add_library(qv_lzma STATIC ${_lzma_src})
  target_include_directories(qv_lzma SYSTEM PUBLIC ${_lzma})
  target_compile_options(qv_lzma PRIVATE -w)
  if(QV_HOST)
    target_compile_options(qv_lzma PRIVATE -fno-sanitize=all)
  endif()
endif()

# GoogleTest, cross-built (or built natively) from the installed sources.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
