#!/usr/bin/env bash
# Builds the Linux plug-ins and the engine stand-in, then prints what would be
# read aloud for the given messages (or the samples in examples/).
# Usage: ./run.sh [postsift-filter options] [FILE...]
set -u
cd "$(dirname "$0")"
. ./scripts/setup.sh

install_packages linux || exit 1
if ! { cmake --preset linux >build-linux-run.log 2>&1 && cmake --build --preset linux --target postsift-filter >>build-linux-run.log 2>&1; }; then
  tail -40 build-linux-run.log
  echo "run.sh: the build failed (full log: build-linux-run.log)" >&2
  exit 1
fi
if [ $# -eq 0 ]; then
  set -- examples/*.eml
fi
exec build/linux/postsift-filter "$@"
