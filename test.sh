#!/usr/bin/env bash
# Builds and tests postsift on every preset: Linux, Linux with sanitizers,
# and the Windows DLLs under wine. The Linux and the 32-bit Windows builds
# are also packed (.deb, .zip) and the packages checked. Installs the Debian
# packages it needs.
# Ends with one line "N passed, N failed, N skipped"; exits non-zero on any failure.
set -u
cd "$(dirname "$0")"
. ./scripts/setup.sh

install_packages full || exit 1

passed=0
failed=0
skipped=0
failed_presets=()

# Runs one preset's configure, build and tests; adds its counts.
run_preset() {
  local preset=$1
  shift
  echo "=== $preset ==="
  if ! cmake --preset "$preset" "$@" >"build-$preset.log" 2>&1; then
    cat "build-$preset.log"; failed=$((failed + 1)); failed_presets+=("$preset (configure)"); return
  fi
  if ! cmake --build --preset "$preset" >>"build-$preset.log" 2>&1; then
    tail -50 "build-$preset.log"; failed=$((failed + 1)); failed_presets+=("$preset (build)"); return
  fi
  local out
  out=$(ctest --preset "$preset" 2>&1)
  echo "$out" | tail -n 25
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
}

run_preset linux -DPOSTSIFT_PACKAGE_TESTS=ON
run_preset linux-asan
# The product: a 32-bit DLL. Its programs run under wine only where the
# kernel executes 32-bit code; the static checks of the DLL run everywhere.
if can_run_32bit; then
  run_preset windows -DPOSTSIFT_WINE_TESTS=ON -DPOSTSIFT_PACKAGE_TESTS=ON
else
  echo "note: this machine cannot execute 32-bit programs, so the 32-bit Windows test programs"
  echo "      are built but not run; the same tests run below on the 64-bit Windows build."
  run_preset windows -DPOSTSIFT_WINE_TESTS=OFF -DPOSTSIFT_PACKAGE_TESTS=ON
fi
run_preset windows-x64 -DPOSTSIFT_WINE_TESTS=ON

[ ${#failed_presets[@]} -eq 0 ] || echo "failures in: ${failed_presets[*]}"
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
