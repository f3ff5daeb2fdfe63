#!/bin/sh
# Makes sure that a wine prefix of the build exists before a test uses it.
# Making one takes wine some twenty seconds; once the build's main prefix
# (the folder "wineprefix" beside the others) is made, another one starts as
# a copy of it, in a second or two. A copy is taken of a prefix at rest, its
# registry saved, and appears under its name only when complete.
#
# A prefix holds some 1.3 GB of Windows program images and a build makes
# three: copied whole, they once filled a CI machine's disk. A copy shares
# the images with the main prefix through hard links, as wine never writes
# them once the prefix is made. Everything else gets a file of its own:
# wine rewrites its registry and its .ini files in place.
# Usage: wine-prefix.sh WINE PREFIX (an absolute path, as wine wants it)
wine=$1
prefix=$2
[ -e "$prefix" ] && exit 0
server="$(dirname "$(command -v "$wine")")/wineserver"
main=$(dirname "$prefix")/wineprefix
if [ "$prefix" != "$main" ] && [ -f "$main/system.reg" ]; then
  WINEPREFIX="$main" "$server" -w
  rm -rf "$prefix.copy" && cp -al "$main" "$prefix.copy" &&
    (cd "$prefix.copy" && find . -type f ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' \
      ! -iname '*.sys' -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv "$f.own" "$f" || exit 1; done' sh {} +) &&
    mv "$prefix.copy" "$prefix" && exit 0
  rm -rf "$prefix.copy"
fi
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
  "$wine" wineboot -i >/dev/null 2>&1
WINEPREFIX="$prefix" "$server" -w
[ -f "$prefix/system.reg" ]
