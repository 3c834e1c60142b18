# Sourced by the kernel benchmarks: installs the Debian packages they need (with
# linux-source-6.1), unpacks the Linux 6.1 sources once into BENCH_DIR (default
# /tmp/quillmarrow-bench) and builds the release targets they time in build-bench, or BUILD
# when given (with the benchmarks, whose packages scripts/setup.sh installs).
#
#   kernel_tree package ...     sets $work and $tree
#   bench_build target ...      sets $build

kernel_tree() {
  work=${BENCH_DIR:-/tmp/quillmarrow-bench}
  local need=() p
  for p in linux-source-6.1 xz-utils python3 "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
  done
  if [ ${#need[@]} -gt 0 ]; then
    local sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
  fi
  tree="$work/linux-source-6.1"
  if [ ! -f "$tree/Makefile" ]; then
    mkdir -p "$work"
    echo "unpacking the kernel sources into $work ..."
    tar -xf /usr/src/linux-source-6.1.tar.xz -C "$work"
  fi
}

bench_build() {
  build=${BUILD:-$here/build-bench}
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=ON >/dev/null
  cmake --build "$build" -j"${BENCH_JOBS:-6}" --target "$@" >/dev/null
}
