#!/usr/bin/env bash
# Builds the Linux plug-ins and the engine stand-in, then prints what would be
# read aloud.
#
#   ./run.sh                        every sample in examples/ as an installed
#                                   user hears it: NAME.CODE.eml through the
#                                   plug-in of that language code (de, en),
#                                   the others through the French one, each
#                                   with its language's shipped configuration
#   ./run.sh --built-ins            the same with the built-in configuration
#                                   alone
#   ./run.sh [OPTION...] [FILE...]  postsift-filter with these arguments, e.g.
#                                   ./run.sh --wav out.wav examples/bonjour.eml
#                                   ./run.sh --help
#
# POSTSIFT_BUILD_DIR names another build folder than build/linux.
set -u
cd "$(dirname "$0")"
. ./scripts/setup.sh

build=${POSTSIFT_BUILD_DIR:-build/linux}
install_packages linux || exit 1
if ! { cmake --preset linux -B "$build" >build-linux-run.log 2>&1 &&
       cmake --build "$build" --target postsift-filter >>build-linux-run.log 2>&1; }; then
  tail -40 build-linux-run.log
  echo "run.sh: the build failed (full log: build-linux-run.log)" >&2
  exit 1
fi
filter=$build/postsift-filter

built_ins=0
if [ $# -eq 1 ] && [ "$1" = "--built-ins" ]; then
  built_ins=1
elif [ $# -gt 0 ]; then
  exec "$filter" "$@"
fi

status=0
first=1
# The language folder of a code, from the languages' own descriptions.
language_folder() {
  grep -l "^set(language_code $1)" languages/*/language.cmake 2>/dev/null | head -1 | xargs -r dirname
}

for sample in examples/*.eml; do
  code=${sample%.eml}
  code=${code##*.}
  folder=$(language_folder "$code")
  if [ -z "$folder" ]; then
    code=fr
    folder=$(language_folder fr)
  fi
  language=$code shipped=$folder/postsift.cfg
  [ "$first" -eq 1 ] || echo
  first=0
  echo "==> $sample ($language) <=="
  if [ "$built_ins" -eq 1 ]; then
    "$filter" --language "$language" --built-ins "$sample" || status=1
  else
    "$filter" --language "$language" --config "$shipped" "$sample" || status=1
  fi
done
exit "$status"
