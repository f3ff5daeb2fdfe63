#!/usr/bin/env bash
# Builds and tests postsift on every preset: Linux, Linux with sanitizers,
# the concurrency test under ThreadSanitizer, the fuzz targets for a bounded
# time, and the Windows DLLs under wine. The Linux and the 32-bit Windows
# builds are also packed (.deb, .zip) and the packages checked. Installs the
# Debian packages it needs. Says how long each preset's configure, build and
# tests took.
# Ends with one line "N passed, N failed, N skipped"; exits non-zero on any failure.
set -u
cd "$(dirname "$0")"
. ./scripts/setup.sh

install_packages full || exit 1
installed=$SECONDS

passed=0
failed=0
skipped=0
failed_presets=()

timings=()

# Under wine, the first program of a test starts the prefix's wineserver
# and its services, and ctest waits for them after the program has ended
# (they hold its output) until they stop, seconds later: two or three
# seconds a test. Started here, away from ctest's output, they serve every
# test of the preset in turn and stop by themselves half a minute after the
# last. The prefixes that tests make as copies of the main one are made
# first: a copy waits for the main prefix's wineserver to stop. The setup
# tests wait for their own prefix's wineserver to stop, so theirs is left
# to start and stop with them.
start_wine_servers() {
  local wine=$1 build=$2 prefix
  local server
  server="$(dirname "$(command -v "$wine")")/wineserver"
  for prefix in wineprefix wineprefix-support wineprefix-setup; do
    sh cmake/wine-prefix.sh "$wine" "$build/$prefix" >/dev/null 2>&1
  done
  for prefix in wineprefix wineprefix-support; do
    WINEPREFIX="$build/$prefix" "$server" -p30 </dev/null >/dev/null 2>&1
    WINEPREFIX="$build/$prefix" WINEDEBUG=-all "$wine" cmd /c exit </dev/null >/dev/null 2>&1
  done
}

# A build's wine prefixes take well over a gigabyte, and a test that needs
# one makes it again: once a preset's tests are done they go, and the next
# preset builds in the room they leave.
drop_wine_prefixes() {
  local wine=$1 build=$2 prefix
  local server
  server="$(dirname "$(command -v "$wine")")/wineserver"
  for prefix in "$build"/wineprefix*; do
    [ -d "$prefix" ] || continue
    WINEPREFIX="$prefix" "$server" -k </dev/null >/dev/null 2>&1
    rm -rf "$prefix"
  done
}

# Runs one preset's configure, build and tests; adds its counts. The tests
# run with ctest --preset PRESET, or with the command in the variable
# tests_with when the caller sets it.
run_preset() {
  local preset=$1
  shift
  echo "=== $preset ==="
  local start=$SECONDS configured built
  if ! cmake --preset "$preset" "$@" >"build-$preset.log" 2>&1; then
    cat "build-$preset.log"; failed=$((failed + 1)); failed_presets+=("$preset (configure)"); return
  fi
  configured=$SECONDS
  # The preset's wine prefix is made while the build runs, when its tests
  # run under wine (the variable wine_for_tests names the wine).
  local prefix_job=
  if [ -n "${wine_for_tests:-}" ]; then
    sh cmake/wine-prefix.sh "$wine_for_tests" "$PWD/build/$preset/wineprefix" >/dev/null 2>&1 &
    prefix_job=$!
  fi
  if ! cmake --build --preset "$preset" >>"build-$preset.log" 2>&1; then
    [ -z "$prefix_job" ] || wait "$prefix_job"
    tail -50 "build-$preset.log"; failed=$((failed + 1)); failed_presets+=("$preset (build)"); return
  fi
  [ -z "$prefix_job" ] || wait "$prefix_job"
  built=$SECONDS
  [ -z "${wine_for_tests:-}" ] || start_wine_servers "$wine_for_tests" "$PWD/build/$preset"
  local out
  if [ -n "${tests_with:-}" ]; then
    out=$($tests_with 2>&1)
  else
    out=$(ctest --preset "$preset" 2>&1)
  fi
  [ -z "${wine_for_tests:-}" ] || drop_wine_prefixes "$wine_for_tests" "$PWD/build/$preset"
  echo "$out" | tail -n 25
  timings+=("$(printf '%-12s configure %4d s   build %4d s   tests %4d s' "$preset" \
    $((configured - start)) $((built - configured)) $((SECONDS - built)))")
  local summary total bad
  summary=$(echo "$out" | grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' | tail -1)
  if [ -z "$summary" ]; then
    failed=$((failed + 1)); failed_presets+=("$preset (no tests ran)"); return
  fi
  bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$summary" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  # ctest counts a test that skipped itself among the passed ones.
  local skips
  skips=$(echo "$out" | grep -c '\*\*\*Skipped')
  passed=$((passed + total - bad - skips))
  skipped=$((skipped + skips))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || failed_presets+=("$preset")
  # The sealed settings root (tests/hermetic/sealed_suite.sh) counts as a test.
  if echo "$out" | grep -q '^sealed root: untouched'; then
    passed=$((passed + 1))
  elif echo "$out" | grep -q '^sealed root:'; then
    failed=$((failed + 1)); failed_presets+=("$preset (sealed settings root)")
  fi
}

# The Linux suite runs against a sealed settings root, in random order: a
# test that read or wrote any root but its own private one fails it.
tests_with="sh tests/hermetic/sealed_suite.sh build/linux --output-on-failure -j2" \
  run_preset linux -DPOSTSIFT_PACKAGE_TESTS=ON
run_preset linux-asan
run_preset linux-tsan
run_preset fuzz -DPOSTSIFT_FUZZ_SECONDS="${POSTSIFT_FUZZ_SECONDS:-30}"
# The product: a 32-bit DLL. Its programs run under wine only where the
# kernel executes 32-bit code; the static checks of the DLL run everywhere.
if can_run_32bit; then
  wine_for_tests=wine run_preset windows -DPOSTSIFT_WINE_TESTS=ON -DPOSTSIFT_PACKAGE_TESTS=ON
else
  echo "note: this machine cannot execute 32-bit programs, so the 32-bit Windows test programs"
  echo "      are neither built nor run; the same tests run below on the 64-bit Windows build."
  run_preset windows -DPOSTSIFT_WINE_TESTS=OFF -DPOSTSIFT_PACKAGE_TESTS=ON
fi
wine_for_tests=/usr/lib/wine/wine64 run_preset windows-x64 -DPOSTSIFT_WINE_TESTS=ON

echo "=== time taken ==="
echo "packages     $installed s"
printf '%s\n' "${timings[@]}"
echo "all, packages included: $SECONDS s"
[ ${#failed_presets[@]} -eq 0 ] || echo "failures in: ${failed_presets[*]}"
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
