#!/usr/bin/env bash
# Sets up the machine, builds Quillmarrow for release with Debian's hardening
# flags and makes its Debian packages in the build folder (build-package by
# default): quillmarrow_<version>_<arch>.deb, the application, and
# quillmarrow-dev_<version>_<arch>.deb, the chart library for developers, which
# install with
#   sudo apt install ./build-package/quillmarrow_*.deb ./build-package/quillmarrow-dev_*.deb
# The install tests make the packages with this script and check them with lintian.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build=${1:-"$here/build-package"}
# Installed under /usr, the libraries go to Debian's folder for this architecture (lib/<triplet>).
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_DEBIAN_BUILDFLAGS=ON -DQM_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build"
cd "$build"
cpack -G DEB
