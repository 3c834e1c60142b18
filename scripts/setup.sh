#!/usr/bin/env bash
# Installs the Debian packages Quillmarrow needs to build, test and run.
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  nlohmann-json3-dev libsimdjson-dev libgtest-dev libgmock-dev libbenchmark-dev
  # The counter's digest of file contents (SHA-256 from libcrypto).
  libssl-dev
  fonts-dejavu-core xvfb xauth python3
  # The accessibility tree test: AT-SPI in a D-Bus session of its own, read with pyatspi.
  dbus at-spi2-core python3-pyatspi
  # The chart benchmarks' Qt Charts twins (QM_BUILD_BENCH only); its CMake package needs Qt's OpenGL one.
  qt6-charts-dev libqt6opengl6-dev
  # The fuzz targets (QM_FUZZ): clang with libFuzzer, and llvm for readable sanitizer traces.
  clang libclang-rt-14-dev llvm
  # Desktop files, icons, the Debian packages (and lintian, Debian's checker of them) and the format check.
  librsvg2-bin libglib2.0-bin appstream desktop-file-utils dpkg-dev lintian clang-format-14
  # Qt's own translations of its standard dialogs.
  qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
