#!/bin/sh
# The Windows setup program, as a user receives it: built with cpack from
# the 32-bit build and listed with 7z everywhere. Where 32-bit programs run,
# also under wine, in a wine prefix of its own in the build folder: a silent
# installation, the installed postsift-filter on a message, two upgrades
# over a changed configuration, the uninstallation, and a registration that
# fails.
# Usage: setup_check.sh STEP BUILD_DIR SOURCE_DIR VERSION LANGUAGES [WINE VOLATILE_SETTINGS_RUN]
#   STEP: build (cpack), contents; with wine: install, upgrade, uninstall,
#         failed_registration, in this order (each goes on from the last)
#   LANGUAGES: the language folders, separated by blanks
set -u
step=$1
build=$2
source=$3
version=$4
languages=$5
wine=${6:-}
volatile_run=${7:-}
work=$build/package-test/setup
setup=$work/postsift-$version-win32-setup.exe
fail() { echo "FAIL: $*"; exit 1; }

export WINEPREFIX="$build/wineprefix-setup" WINEDEBUG=-all
if [ -n "$wine" ]; then
  sh "$source/cmake/wine-prefix.sh" "$wine" "$WINEPREFIX" || fail "cannot make the wine prefix $WINEPREFIX"
fi
# No offer to install mono or gecko, and no menu entries on this machine.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\postsift'
settings_key='Software\Quenlor\Marivell Drennic 5.0\ZAREZI'
registration_key="HKLM\\$settings_key\\3.0"

# A registry value, as the 32-bit setup and plug-ins see the registry;
# empty when it is missing.
value() {
  "$wine" reg query "$1" /v "$2" /reg:32 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# The folder that the setup reports, as Windows names it and as a path here.
location() { value "$uninstall_key" InstallLocation; }
folder() { "$wine" winepath -u "$(location)" | tr -d '\r'; }
# Backslashes for a path of this side.
windows_path() { "$wine" winepath -w "$1" | tr -d '\r'; }
lower() { printf '%s' "$1" | tr 'A-Z' 'a-z'; }
language_value() { sed -n "s/^set(language_$2 \(.*\))$/\1/p" "$source/languages/$1/language.cmake"; }
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/postsift

# registered LANGUAGE: Path_Filter0 names that language's installed plug-in.
registered() {
  registered=$(value "$registration_key" Path_Filter0)
  [ "$(lower "$registered")" = "$(lower "$(location)\\$1\\postsift.dll")" ] ||
    fail "Path_Filter0 is '$registered', not the $1 plug-in of $(location)"
}

# Every language's plug-in and configuration as shipped (but the one
# named, if any), the program, the header, the README, its documents and
# the uninstaller.
installed_files() {
  dir=$(folder)
  for file in postsift-filter.exe README.md include/postsift.h Uninstall.exe docs/listening.md; do
    [ -f "$dir/$file" ] || fail "no $file in $dir"
  done
  for language in $languages; do
    [ -f "$dir/$language/postsift.dll" ] || fail "no $language/postsift.dll"
    [ "$language" = "${1:-}" ] && continue
    cmp -s "$dir/$language/postsift.cfg" "$source/languages/$language/postsift.cfg" ||
      fail "$language/postsift.cfg is not its shipped configuration"
    [ ! -e "$dir/$language/postsift.cfg.new" ] || fail "$language/postsift.cfg.new beside an untouched configuration"
  done
}

case "$step" in
build)
  rm -rf "$work" && mkdir -p "$work" || fail "cannot make $work"
  cpack --config "$build/CPackConfig.cmake" -G NSIS -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
  [ -f "$setup" ] || { ls "$work"; fail "no $(basename "$setup")"; }
  echo "ok: $setup"
  ;;

contents)
  # The installation of the zip, and the uninstaller; the setup's own
  # plug-ins (in $PLUGINSDIR) are not installed.
  expected=$( {
    printf '%s\n' README.md include/postsift.h postsift-filter.exe Uninstall.exe
    for document in "$source"/docs/*.md; do echo "docs/${document##*/}"; done
    for language in $languages; do
      printf '%s\n' "$language/postsift.cfg" "$language/postsift.dll"
    done
  } | LC_ALL=C sort)
  found=$(7z l -slt "$setup" | sed -n '/^----------$/,$ s/^Path = //p' | grep -v '^\$PLUGINSDIR/' | LC_ALL=C sort)
  [ "$found" = "$expected" ] || { printf 'found:\n%s\n' "$found"; fail "the setup does not hold exactly the expected files"; }
  for language in $languages; do
    7z e -so "$setup" "$language/postsift.cfg" 2>/dev/null | cmp -s - "$source/languages/$language/postsift.cfg" ||
      fail "$language/postsift.cfg in the setup is not its shipped configuration"
  done
  echo "ok: contents"
  ;;

install)
  # What an earlier run left in the prefix goes first.
  rm -rf "$WINEPREFIX/drive_c/Program Files/postsift" "$WINEPREFIX/drive_c/Program Files (x86)/postsift" "$start_menu"
  "$wine" reg delete "$uninstall_key" /f /reg:32 >/dev/null 2>&1
  "$wine" reg delete 'HKLM\Software\Quenlor' /f /reg:32 >/dev/null 2>&1

  # An unknown language stops the setup before it installs anything.
  "$wine" "$setup" /S /LANGUAGE=klingon 2>"$work/klingon.err"
  status=$?
  [ "$status" -eq 2 ] || fail "/LANGUAGE=klingon: status $status, not 2"
  grep -q "Unknown language 'klingon'" "$work/klingon.err" || { cat "$work/klingon.err"; fail "no word of the unknown language"; }
  [ -z "$(location)" ] || fail "/LANGUAGE=klingon installed all the same"

  "$wine" "$setup" /S /LANGUAGE=german || fail "the silent installation failed with status $?"
  # The 32-bit Program Files: "Program Files (x86)" on 64-bit Windows.
  program_files=$WINEPREFIX/drive_c/Program\ Files
  [ -d "$program_files (x86)" ] && program_files="$program_files (x86)"
  [ "$(cd "$(folder)" 2>/dev/null && pwd -P)" = "$(cd "$program_files/postsift" 2>/dev/null && pwd -P)" ] ||
    fail "installed in '$(location)', not in $program_files/postsift"
  installed_files
  registered german
  [ "$(value "$uninstall_key" DisplayName)" = postsift ] || fail "DisplayName"
  [ "$(value "$uninstall_key" DisplayVersion)" = "$version" ] || fail "DisplayVersion is not $version"
  [ -n "$(value "$uninstall_key" Publisher)" ] || fail "no Publisher"
  [ "$(value "$uninstall_key" UninstallString)" = "\"$(location)\\Uninstall.exe\"" ] || fail "UninstallString"
  [ "$(value "$uninstall_key" QuietUninstallString)" = "\"$(location)\\Uninstall.exe\" /S" ] ||
    fail "QuietUninstallString"
  size=$(value "$uninstall_key" EstimatedSize)
  [ -n "$size" ] && [ "$((size))" -gt 0 ] || fail "EstimatedSize is '$size'"
  # A Start-menu entry per language, run as administrator (the flag
  # 0x20 of the link's byte 0x15), and the uninstaller's.
  for language in $languages; do
    link=$start_menu/"Speak $(language_value "$language" name).lnk"
    [ -f "$link" ] || fail "no $link"
    flags=$(od -An -tu1 -j21 -N1 "$link" | tr -d ' ')
    [ $((flags & 32)) -eq 32 ] || fail "$link does not run as administrator"
  done
  [ -f "$start_menu/Uninstall postsift.lnk" ] || fail "no Start-menu entry for the uninstaller"

  # The installed program, run by its Windows name, finds the installed
  # plug-ins: their version as the file says it, then its own.
  program="$(location)\\postsift-filter.exe"
  expected="plug-in version: $version
postsift-filter $version
language: de (German)
plug-in: $(location)\\german\\postsift.dll"
  out=$("$wine" "$program" --version --language de | tr -d '\r')
  [ "$(lower "$out")" = "$(lower "$expected")" ] || { printf '%s\n' "$out"; fail "postsift-filter.exe --version"; }
  # ... and reads the German plug-in's shipped configuration (dates said
  # in Central European time).
  message=$(windows_path "$source/examples/termin.de.eml")
  (cd "$work" && TZ=CET-1CEST,M3.5.0,M10.5.0/3 "$wine" "$program" --language de "$message" \
    >termin.de.out 2>termin.de.err) || { cat "$work/termin.de.err"; fail "postsift-filter.exe failed"; }
  cmp -s "$work/termin.de.out" "$source/tests/package/expected/termin.de.txt" ||
    { diff "$source/tests/package/expected/termin.de.txt" "$work/termin.de.out"; fail "termin.de as installed"; }
  echo "ok: installed in $(location), German registered"
  ;;

upgrade)
  dir=$(folder)
  [ -n "$dir" ] || fail "nothing installed"
  # A configuration changed by hand; and the registration gone (through
  # the installed program), so that only the setup's memory says German.
  printf 'Bonjour,\tSalut,\n' >>"$dir/french/postsift.cfg"
  cp "$dir/french/postsift.cfg" "$work/french-changed.cfg" || fail "cannot copy the changed configuration"
  "$wine" "$dir/postsift-filter.exe" --unregister german >/dev/null || fail "postsift-filter --unregister german failed"
  [ -z "$(value "$registration_key" Path_Filter0)" ] || fail "postsift-filter --unregister left Path_Filter0"

  "$wine" "$setup" /S 2>"$work/upgrade.err" || { cat "$work/upgrade.err"; fail "the upgrade failed with status $?"; }
  cmp -s "$dir/french/postsift.cfg" "$work/french-changed.cfg" || fail "the changed french/postsift.cfg was replaced"
  grep -q 'changed configurations are kept.*french.postsift\.cfg' "$work/upgrade.err" ||
    { cat "$work/upgrade.err"; fail "the upgrade does not say that it kept french/postsift.cfg"; }
  cmp -s "$dir/french/postsift.cfg.new" "$source/languages/french/postsift.cfg" ||
    fail "french/postsift.cfg.new is not the new shipped configuration"
  installed_files french
  registered german

  # Switched to English later (as the Start menu does): an upgrade keeps that.
  "$wine" "$dir/postsift-filter.exe" --register english >/dev/null || fail "postsift-filter --register english failed"
  "$wine" "$setup" /S || fail "the second upgrade failed with status $?"
  registered english
  cmp -s "$dir/french/postsift.cfg" "$work/french-changed.cfg" || fail "the second upgrade replaced french/postsift.cfg"
  [ -f "$dir/french/postsift.cfg.new" ] || fail "the second upgrade lost french/postsift.cfg.new"
  installed_files french
  echo "ok: upgraded twice; the changed configuration kept, the registered language too"
  ;;

uninstall)
  dir=$(folder)
  [ -n "$dir" ] || fail "nothing installed"
  # As a deployment tool does it; the uninstaller runs on from a copy of
  # itself, which wineserver -w waits for.
  quiet=$(value "$uninstall_key" QuietUninstallString)
  uninstaller=$(printf '%s' "$quiet" | sed -n 's/^"\(.*\)" \/S$/\1/p')
  [ -n "$uninstaller" ] || fail "QuietUninstallString is '$quiet'"
  "$wine" "$uninstaller" /S || fail "the uninstaller failed with status $?"
  "$(dirname "$(command -v "$wine")")/wineserver" -w
  [ -z "$(value "$registration_key" Path_Filter0)" ] || fail "Path_Filter0 is still there"
  "$wine" reg query "$uninstall_key" /reg:32 >/dev/null 2>&1 && fail "the uninstall entry is still there"
  [ ! -e "$start_menu" ] || fail "the Start-menu entries are still there"
  left=$(cd "$dir" 2>/dev/null && find . | LC_ALL=C sort | tr '\n' ' ')
  [ "$left" = ". ./french ./french/postsift.cfg " ] || fail "left behind: $left"
  cmp -s "$dir/french/postsift.cfg" "$work/french-changed.cfg" || fail "the changed configuration is not kept as it was"
  echo "ok: uninstalled; the changed configuration kept"
  ;;

failed_registration)
  # The settings key as a volatile key: the plug-in cannot create its
  # sub-key, and its DllRegisterServer fails.
  "$wine" reg delete "HKLM\\$settings_key" /f /reg:32 >/dev/null 2>&1
  "$wine" "$volatile_run" "$settings_key" "$(windows_path "$setup")" /S /LANGUAGE=german 2>"$work/failed.err"
  status=$?
  "$wine" reg delete 'HKLM\Software\Quenlor' /f /reg:32 >/dev/null 2>&1
  [ "$status" -eq 3 ] || { cat "$work/failed.err"; fail "a failed registration ends with status $status, not 3"; }
  grep -q "German plug-in could not register itself" "$work/failed.err" ||
    { cat "$work/failed.err"; fail "the failed registration is not said on standard error"; }
  echo "ok: a failed registration fails the setup"
  ;;

*) fail "unknown step $step" ;;
esac
