#!/bin/sh
# Runs a build's test suite against a sealed settings root, to show that no
# test program reads or writes any settings root but its own private one.
#
# Every test is given a private root by its definition (see
# cmake/private_test_folders.cmake); a test program that lacked one would use
# the root its environment names, or the machine's default. Here ctest and
# everything it starts get POSTSIFT_REGISTRY_ROOT naming the sealed root, so
# such a program lands on it. Its folders cannot be written (for ordinary
# users), and it holds a tripwire: settings that switch the trace on into a
# file outside it and put the log there too. File permissions do not stop
# root from reading or writing, so the tripwire and a listing taken before
# and after are what catch a test that read or wrote the root, whoever runs
# the suite. The tests run in random order, so that none can lean on what
# another ran before it.
#
# Usage: sealed_suite.sh BUILD_FOLDER [CTEST_ARGUMENT...]
# Exit status: ctest's, or 3 when the seal was broken.
set -u
build=$(cd "$1" && pwd) || exit 1
shift
sealed=$build/sealed-root
root=$sealed/registry
tripwire=$sealed/tripwire
settings="$root/HKEY_LOCAL_MACHINE/Software/Quenlor/Marivell Drennic 5.0/ZAREZI/LanguageIndependent"

chmod -R u+w "$sealed" 2>/dev/null
rm -rf "$sealed"
mkdir -p "$settings" "$tripwire" || exit 1
printf '%s' 1 >"$settings/TraceLevel"
printf '%s' "$tripwire/trace" >"$settings/Path_Trace"
printf '%s' "$tripwire" >"$settings/LogPath"
find "$root" -type d -exec chmod a-w {} +
before=$(cd "$root" && find . | sort)

POSTSIFT_REGISTRY_ROOT=$root
export POSTSIFT_REGISTRY_ROOT
ctest --test-dir "$build" --schedule-random "$@"
status=$?

after=$(cd "$root" && find . | sort)
broken=0
if [ -n "$(ls -A "$tripwire")" ]; then
    echo "sealed root: a test program read the settings of the sealed root; it left:"
    ls -l "$tripwire"
    broken=1
fi
if [ "$before" != "$after" ]; then
    echo "sealed root: a test program wrote into the sealed root:"
    printf '%s\n' "$after" | grep -vxF "$before"
    broken=1
fi
chmod -R u+w "$sealed"
if [ "$broken" -ne 0 ]; then exit 3; fi
echo "sealed root: untouched"
exit "$status"
