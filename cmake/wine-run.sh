#!/bin/sh
# Runs a Windows test program under wine, in a wine prefix of the build folder
# so that tests never touch the user's own. Usage: wine-run.sh WINE PREFIX PROGRAM [ARGS...]
wine=$1
prefix=$2
shift 2
sh "$(dirname "$0")/wine-prefix.sh" "$wine" "$prefix" || { echo "cannot make the wine prefix $prefix" >&2; exit 1; }
export WINEPREFIX="$prefix" WINEDEBUG=-all
exec "$wine" "$@"
