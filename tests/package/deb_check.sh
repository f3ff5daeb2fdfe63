#!/bin/sh
# The Debian package, as a user receives it: built with cpack from the Linux
# build, unpacked into a scratch root, and its postsift-filter run there with
# the installed plug-ins and their shipped configurations.
# Usage: deb_check.sh STEP BUILD_DIR SOURCE_DIR VERSION LANGUAGES
#   STEP: build (cpack and unpack), contents, filter, version, manual
#   LANGUAGES: the language folders, separated by blanks
set -u
step=$1
build=$2
source=$3
version=$4
languages=$5
work=$build/package-test/deb
root=$work/root
fail() { echo "FAIL: $*"; exit 1; }
deb() { echo "$work/postsift_${version}_$(dpkg --print-architecture).deb"; }

case "$step" in
build)
  rm -rf "$work" && mkdir -p "$work" || fail "cannot make $work"
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
  [ -f "$(deb)" ] || { ls "$work"; fail "no $(deb)"; }
  dpkg-deb -x "$(deb)" "$root" || fail "dpkg-deb cannot unpack $(deb)"
  echo "ok: $(deb)"
  ;;

contents)
  # Exactly these files, the plug-ins' versions in their soname only.
  expected=$( {
    printf '%s\n' usr/bin/postsift-filter usr/include/postsift.h usr/share/doc/postsift/README.md \
      usr/share/man/man1/postsift-filter.1.gz
    for document in "$source"/docs/*.md; do echo "usr/share/doc/postsift/docs/${document##*/}"; done
    for language in $languages; do
      printf '%s\n' "usr/lib/postsift/$language/postsift.cfg" "usr/lib/postsift/$language/postsift.so" \
        "usr/share/doc/postsift/$language.cfg"
    done
  } | LC_ALL=C sort)
  found=$(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
  [ "$found" = "$expected" ] || { printf 'found:\n%s\n' "$found"; fail "the package does not hold exactly the expected files"; }
  for language in $languages; do
    cmp -s "$root/usr/lib/postsift/$language/postsift.cfg" "$source/languages/$language/postsift.cfg" ||
      fail "the $language plug-in's postsift.cfg is not its shipped configuration"
  done
  for language in $languages; do
    objdump -p "$root/usr/lib/postsift/$language/postsift.so" | grep -Eq "SONAME +postsift\.so\.${version%%.*}$" ||
      fail "$language plug-in: soname is not postsift.so.${version%%.*}"
  done
  fields=$(dpkg-deb -f "$(deb)" Package Version Depends Suggests)
  echo "$fields"
  echo "$fields" | grep -qx "Package: postsift" || fail "package name"
  echo "$fields" | grep -qx "Version: $version" || fail "package version is not $version"
  # Computed by dpkg-shlibdeps from what the programs link against.
  echo "$fields" | grep -q "^Depends: .*libc6 (>= " || fail "no computed dependency on libc6"
  echo "$fields" | grep -q "^Depends: .*libstdc++6" || fail "no computed dependency on libstdc++6"
  echo "$fields" | grep -qx "Suggests: espeak-ng" || fail "espeak-ng is not suggested"
  dpkg-deb --ctrl-tarfile "$(deb)" | tar -xOf - ./conffiles | LC_ALL=C sort >"$work/conffiles"
  for language in $languages; do echo "/usr/lib/postsift/$language/postsift.cfg"; done | LC_ALL=C sort |
    cmp -s - "$work/conffiles" || fail "the plug-ins' postsift.cfg files are not the conffiles"
  echo "ok: contents"
  ;;

filter)
  # The installed program finds the installed plug-ins with no option, and
  # each plug-in reads its shipped configuration beside it; the expected
  # texts follow from its options (dates said in words, in Central European
  # time here, paragraphs ending their sentences, the German "So," read as
  # written).
  failures=0
  # The English case names no language: the locale gives it.
  for case in "bonjour.fr --language=fr $source/examples/bonjour.eml" \
              "termin.de --language=de $source/examples/termin.de.eml" \
              "gruss.de --language=de $source/tests/package/gruss.de.eml" \
              "meeting.en --quiet $source/examples/meeting.en.eml"; do
    set -- $case
    LC_ALL= LC_MESSAGES= LANG=en_GB.UTF-8 TZ=CET-1CEST,M3.5.0,M10.5.0/3 "$root/usr/bin/postsift-filter" "$2" "$3" \
      >"$work/$1.out" 2>"$work/$1.err"
    status=$?
    if [ "$status" -ne 0 ] || ! cmp -s "$work/$1.out" "$source/tests/package/expected/$1.txt"; then
      echo "FAIL: $1: status $status, $(cat "$work/$1.err")"
      diff "$source/tests/package/expected/$1.txt" "$work/$1.out"
      failures=$((failures + 1))
    fi
  done
  [ "$failures" -eq 0 ] || exit 1
  echo "ok: the installed plug-ins read their shipped configurations"
  ;;

version)
  plugins=$(cd "$root/usr/lib/postsift" && pwd -P)
  for language in $languages; do
    # The code and the name that the language's own folder gives it.
    code=$(sed -n 's/^set(language_code \(.*\))$/\1/p' "$source/languages/$language/language.cmake")
    name=$(sed -n 's/^set(language_name \(.*\))$/\1/p' "$source/languages/$language/language.cmake")
    out=$("$root/usr/bin/postsift-filter" --version --language "$code") || fail "--version failed"
    # The plug-in's version as its file says it: the soname's major version.
    expected="plug-in version: ${version%%.*}
postsift-filter $version
language: $code ($name)
plug-in: $plugins/$language/postsift.so"
    [ "$out" = "$expected" ] || { printf '%s\n' "$out"; fail "--version --language $code"; }
  done
  grep -qx "#define POSTSIFT_VERSION_STRING \"$version\"" "$root/usr/include/postsift.h" ||
    fail "the installed header does not state version $version"
  echo "ok: version $version in the package, the header and --version"
  ;;

manual)
  page=$root/usr/share/man/man1/postsift-filter.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l --warnings "$page" 2>&1 >"$work/manual.txt") ||
    fail "man cannot show $page"
  [ -z "$warnings" ] || { printf '%s\n' "$warnings"; fail "man warns about the manual page"; }
  grep -q "postsift $version" "$work/manual.txt" || fail "the manual page does not name version $version"
  # Every option that postsift-filter --help names is in the manual (looked
  # for in the source, where no line break hyphenates it).
  gzip -dc "$page" | sed 's/\\-/-/g' >"$work/manual.roff"
  for option in $("$root/usr/bin/postsift-filter" --help | grep -o -- '--[a-z][a-z-]*' | grep -vx -- --option | sort -u); do
    grep -q -- "$option" "$work/manual.roff" || fail "the manual page lacks $option"
  done
  echo "ok: the manual page renders without warnings and lists every option"
  ;;

*) fail "unknown step $step" ;;
esac
