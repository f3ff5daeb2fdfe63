#!/bin/sh
# Makes sure that a wine prefix of the build exists before a test uses it.
# Making one takes wine some twenty seconds; once the build's main prefix
# (the folder "wineprefix" beside the others) is made, another one starts as
# a copy of it, in a second or two. A copy is taken of a prefix at rest, its
# registry saved, and appears under its name only when complete.
# Usage: wine-prefix.sh WINE PREFIX (an absolute path, as wine wants it)
wine=$1
prefix=$2
[ -e "$prefix" ] && exit 0
server="$(dirname "$(command -v "$wine")")/wineserver"
main=$(dirname "$prefix")/wineprefix
if [ "$prefix" != "$main" ] && [ -f "$main/system.reg" ]; then
  WINEPREFIX="$main" "$server" -w
  rm -rf "$prefix.copy" && cp -a "$main" "$prefix.copy" && mv "$prefix.copy" "$prefix" && exit 0
  rm -rf "$prefix.copy"
fi
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
  "$wine" wineboot -i >/dev/null 2>&1
WINEPREFIX="$prefix" "$server" -w
[ -f "$prefix/system.reg" ]
