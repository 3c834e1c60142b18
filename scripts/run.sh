#!/usr/bin/env bash
# Sets up the machine, builds Quillmarrow and starts it.
#   scripts/run.sh [folder ...]   count these folders (default: this source tree)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$here/build"
if [ $# -eq 0 ]; then
  set -- "$here"
fi
exec "$here/build/bin/quillmarrow" "$@"
