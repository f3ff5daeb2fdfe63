#!/bin/sh
# Registers and unregisters a plug-in DLL with the system's own regsvr32, as
# an installer would, and looks at the registry with reg.
# Usage: regsvr32_test.sh WINE PREFIX DLL
wine=$1
sh "$(dirname "$0")/../../cmake/wine-prefix.sh" "$wine" "$2" || { echo "FAIL: cannot make the wine prefix $2"; exit 1; }
export WINEPREFIX="$2" WINEDEBUG=-all
dll=$3
key='HKLM\Software\Quenlor\Marivell Drennic 5.0\ZAREZI'
fail() { echo "FAIL: $*"; exit 1; }

"$wine" reg delete "$key" /f >/dev/null 2>&1
path=$("$wine" winepath -w "$dll" | tr -d '\r') || fail "winepath cannot name $dll"

"$wine" regsvr32 /s "$path" || fail "regsvr32 $path failed"
query=$("$wine" reg query "$key\\3.0" /v Path_Filter0 | tr -d '\r') || fail "no Path_Filter0 after registering"
# printf, not echo: some shells' echo takes the backslashes of the path for escapes.
printf '%s\n' "$query"
printf '%s\n' "$query" | grep -i "Path_Filter0[[:space:]]*REG_SZ[[:space:]]*" | grep -qiF "$path" ||
  fail "Path_Filter0 does not hold $path"

"$wine" regsvr32 /s /u "$path" || fail "regsvr32 /u $path failed"
"$wine" reg query "$key\\3.0" /v Path_Filter0 >/dev/null 2>&1 && fail "Path_Filter0 is still there after unregistering"
"$wine" reg query "$key\\3.0" >/dev/null 2>&1 || fail "the emptied sub-key 3.0 went away"

"$wine" reg delete "$key" /f >/dev/null 2>&1
printf 'ok: %s registered and unregistered\n' "$path"
