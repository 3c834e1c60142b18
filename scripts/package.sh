#!/usr/bin/env bash
# Sets up the machine, builds Quillmarrow for release and makes its Debian
# package, build-package/quillmarrow_<version>_<arch>.deb, which installs with
#   sudo apt install ./build-package/quillmarrow_*.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build="$here/build-package"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build"
cd "$build"
cpack -G DEB
