#!/bin/sh
# Checks a built plug-in DLL as a Windows loader and an engine would see it:
# the machine type, exactly the ten exports at their ordinals, and imports of
# system DLLs only (every runtime linked in). With "program", checks a
# program instead: machine type and imports only.
# Usage: check_dll.sh OBJDUMP DLL EXPECTED_FORMAT [program]
objdump=$1
dll=$2
format=$3
kind=${4:-plugin}
fail() { echo "FAIL: $dll: $*"; exit 1; }

[ -f "$dll" ] || fail "missing"
headers=$("$objdump" -p "$dll") || fail "objdump cannot read it"
echo "$headers" | grep -q "file format $format" || fail "not a $format image"

system_dlls='^(kernel32|advapi32|msvcrt|user32|ntdll|ws2_32|shell32|ole32|oleaut32|gdi32|bcrypt|version|api-ms-win-.*)\.dll$'
for import in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
  lower=$(echo "$import" | tr 'A-Z' 'a-z')
  echo "$lower" | grep -Eq "$system_dlls" || fail "imports $import, which is not a system DLL"
done
if [ "$kind" = program ]; then
  echo "ok: $dll ($format, system imports only)"
  exit 0
fi

exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep '\[' | grep -v 'Ordinal/Name' |
  sed 's/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\][[:space:]]*\(.*\)$/\1 \2/' | sort -n)
# objdump lists ordinals less the ordinal base, which must be 1.
echo "$headers" | grep -q 'Ordinal Base 1' || fail "ordinal base is not 1"
expected="0 getObject
1 DllRegisterServer
2 DllUnregisterServer
99 _zelNewFilter
100 _zelDeleteFilter
101 _zelSetFilter
102 _zelDeactivateFilter
103 _zelGetFilteredText
104 _zelUpdateFilter
105 _zelActivateFilter"
if [ "$exports" != "$expected" ]; then
  echo "exports found (ordinal - 1, name):"; echo "$exports"
  fail "the export table is not exactly the ten exports"
fi

# _zelActivateFilter and _zelSetFilter must be one function.
rva() { echo "$headers" | sed -n '/Export Address Table -- Ordinal Base/,/^$/p' | grep "+base\[ *$1\]" | awk '{print $(NF-2)}'; }
[ "$(rva 102)" = "$(rva 106)" ] || fail "ordinals 102 and 106 are different functions"

echo "ok: $dll ($format, ten exports, system imports only)"
