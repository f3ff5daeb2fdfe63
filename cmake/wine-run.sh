#!/bin/sh
# Runs a Windows test program under wine, in a wine prefix of the build folder
# so that tests never touch the user's own. Usage: wine-run.sh WINE PREFIX PROGRAM [ARGS...]
wine=$1
prefix=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all
exec "$wine" "$@"
