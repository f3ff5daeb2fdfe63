#!/bin/sh
# The Windows zip, as a user receives it: built with cpack from the 32-bit
# build and unpacked, then checked without running anything (no 32-bit
# program need run here): its files, the DLLs' export and import tables,
# and the version in the DLLs' resources and the header.
# Usage: zip_check.sh STEP BUILD_DIR SOURCE_DIR VERSION OBJDUMP WINDRES
#   STEP: build (cpack and unpack), contents, binaries, version
set -u
step=$1
build=$2
source=$3
version=$4
objdump=$5
windres=$6
work=$build/package-test/zip
name=postsift-$version-win32
tree=$work/unpacked/$name
fail() { echo "FAIL: $*"; exit 1; }

case "$step" in
build)
  rm -rf "$work" && mkdir -p "$work/unpacked" || fail "cannot make $work"
  cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
  [ -f "$work/$name.zip" ] || { ls "$work"; fail "no $name.zip"; }
  (cd "$work/unpacked" && cmake -E tar xf "../$name.zip") || fail "cannot unpack $name.zip"
  echo "ok: $work/$name.zip"
  ;;

contents)
  # One folder; the program beside a folder per language, each with its
  # DLL and that language's sample as its postsift.cfg.
  expected="$name/README.md
$name/french/postsift.cfg
$name/french/postsift.dll
$name/german/postsift.cfg
$name/german/postsift.dll
$name/include/postsift.h
$name/postsift-filter.exe"
  found=$(cd "$work" && cmake -E tar tf "$name.zip" | grep -v '/$' | LC_ALL=C sort)
  [ "$found" = "$expected" ] || { printf 'found:\n%s\n' "$found"; fail "the zip does not hold exactly the expected files"; }
  cmp -s "$tree/french/postsift.cfg" "$source/examples/postsift.cfg" || fail "french/postsift.cfg is not the French sample"
  cmp -s "$tree/german/postsift.cfg" "$source/examples/postsift.de.cfg" || fail "german/postsift.cfg is not the German sample"
  echo "ok: contents"
  ;;

binaries)
  check=$source/tests/windows/check_dll.sh
  sh "$check" "$objdump" "$tree/french/postsift.dll" pei-i386 &&
    sh "$check" "$objdump" "$tree/german/postsift.dll" pei-i386 &&
    sh "$check" "$objdump" "$tree/postsift-filter.exe" pei-i386 program
  ;;

version)
  IFS=. read -r major minor patch <<EOF
$version
EOF
  for language in "french 0x40c" "german 0x407"; do
    set -- $language
    resource=$("$windres" -i "$tree/$1/postsift.dll" -O rc 2>&1) || { echo "$resource"; fail "$1: windres cannot read the resources"; }
    for line in "FILEVERSION $major, $minor, $patch, 0" "PRODUCTVERSION $major, $minor, $patch, 0" \
                "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
                "VALUE \"ProductName\", \"postsift\"" "VALUE \"Translation\", $2, 1252"; do
      printf '%s\n' "$resource" | grep -qF "$line" || { printf '%s\n' "$resource"; fail "$1/postsift.dll: no '$line'"; }
    done
  done
  grep -qx "#define POSTSIFT_VERSION_STRING \"$version\"" "$tree/include/postsift.h" ||
    fail "the header in the zip does not state version $version"
  echo "ok: version $version in the zip name, the DLLs' resources and the header"
  ;;

*) fail "unknown step $step" ;;
esac
