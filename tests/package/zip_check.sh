#!/bin/sh
# The Windows zip, as a user receives it: built with cpack from the 32-bit
# build and unpacked, then checked without running anything (no 32-bit
# program need run here): its files, the DLLs' export and import tables,
# and the version in the DLLs' and the program's resources and the header.
# Usage: zip_check.sh STEP BUILD_DIR SOURCE_DIR VERSION LANGUAGES OBJDUMP WINDRES
#   STEP: build (cpack and unpack), contents, binaries, version
#   LANGUAGES: the language folders, separated by blanks
set -u
step=$1
build=$2
source=$3
version=$4
languages=$5
objdump=$6
windres=$7
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
  # DLL and that language's shipped configuration as its postsift.cfg.
  expected=$( {
    printf '%s\n' "$name/README.md" "$name/include/postsift.h" "$name/postsift-filter.exe"
    for document in "$source"/docs/*.md; do echo "$name/docs/${document##*/}"; done
    for language in $languages; do
      printf '%s\n' "$name/$language/postsift.cfg" "$name/$language/postsift.dll"
    done
  } | LC_ALL=C sort)
  found=$(cd "$work" && cmake -E tar tf "$name.zip" | grep -v '/$' | LC_ALL=C sort)
  [ "$found" = "$expected" ] || { printf 'found:\n%s\n' "$found"; fail "the zip does not hold exactly the expected files"; }
  for language in $languages; do
    cmp -s "$tree/$language/postsift.cfg" "$source/languages/$language/postsift.cfg" ||
      fail "$language/postsift.cfg is not its shipped configuration"
  done
  echo "ok: contents"
  ;;

binaries)
  check=$source/tests/windows/check_dll.sh
  for language in $languages; do
    sh "$check" "$objdump" "$tree/$language/postsift.dll" pei-i386 || exit 1
  done
  sh "$check" "$objdump" "$tree/postsift-filter.exe" pei-i386 program
  ;;

version)
  IFS=. read -r major minor patch <<EOF
$version
EOF
  for language in $languages; do
    # The resource language that the language's own folder gives it.
    id=$(sed -n 's/^set(language_rc_id 0*\(.*\))$/\1/p' "$source/languages/$language/language.cmake")
    set -- "$language" "0x$id"
    resource=$("$windres" -i "$tree/$1/postsift.dll" -O rc 2>&1) || { echo "$resource"; fail "$1: windres cannot read the resources"; }
    for line in "FILEVERSION $major, $minor, $patch, 0" "PRODUCTVERSION $major, $minor, $patch, 0" \
                "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
                "VALUE \"ProductName\", \"postsift\"" "VALUE \"Translation\", $2, 1252"; do
      printf '%s\n' "$resource" | grep -qF "$line" || { printf '%s\n' "$resource"; fail "$1/postsift.dll: no '$line'"; }
    done
  done
  # The program's own resource, in English.
  resource=$("$windres" -i "$tree/postsift-filter.exe" -O rc 2>&1) ||
    { echo "$resource"; fail "postsift-filter.exe: windres cannot read the resources"; }
  for line in "FILEVERSION $major, $minor, $patch, 0" "PRODUCTVERSION $major, $minor, $patch, 0" \
              "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
              "VALUE \"FileDescription\", \"" "VALUE \"Translation\", 0x409, 1252"; do
    printf '%s\n' "$resource" | grep -qF "$line" || { printf '%s\n' "$resource"; fail "postsift-filter.exe: no '$line'"; }
  done
  grep -qx "#define POSTSIFT_VERSION_STRING \"$version\"" "$tree/include/postsift.h" ||
    fail "the header in the zip does not state version $version"
  echo "ok: version $version in the zip name, the DLLs' and the program's resources and the header"
  ;;

*) fail "unknown step $step" ;;
esac
