#!/usr/bin/env bash
# Builds the release packages into dist/ (POSTSIFT_DIST_DIR names another
# folder):
#   postsift_VERSION_ARCH.deb    Linux: the plug-ins, postsift-filter, its
#                                manual page, the header and the samples
#   postsift-VERSION-win32.zip   Windows: the 32-bit DLLs, postsift-filter.exe,
#                                the header and the samples
#   postsift-VERSION-win32-setup.exe
#                                Windows: the same as a setup program that
#                                installs them into Program Files and
#                                registers the plug-in of a language
# Each comes from a Release build of its own below build/ (package-linux,
# package-windows), without the tests. Installs the Debian packages it needs.
set -u
cd "$(dirname "$0")/.."
. ./scripts/setup.sh

install_packages package || exit 1
dist=${POSTSIFT_DIST_DIR:-dist}
mkdir -p "$dist" || exit 1

# package PRESET: configures and builds the preset in a folder of its own,
# packs it and moves the package into $dist.
package() {
  local preset=$1
  local build=build/package-$preset
  local log=build-package-$preset.log
  echo "=== $preset ==="
  rm -rf "$build/packages"
  if ! { cmake --preset "$preset" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPOSTSIFT_TESTS=OFF >"$log" 2>&1 &&
         cmake --build "$build" >>"$log" 2>&1 &&
         cpack --config "$build/CPackConfig.cmake" -B "$build/packages" >>"$log" 2>&1; }; then
    tail -40 "$log"
    echo "package.sh: packing $preset failed (full log: $log)" >&2
    return 1
  fi
  local made
  for made in "$build"/packages/*.deb "$build"/packages/*.zip "$build"/packages/*.exe; do
    [ -f "$made" ] || continue
    mv -f "$made" "$dist/" || return 1
    echo "$dist/$(basename "$made")"
  done
}

status=0
package linux || status=1
package windows || status=1
exit "$status"
