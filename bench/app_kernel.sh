#!/usr/bin/env bash
# Times the application from its start to "all ok" on the Linux kernel sources, side by
# side with the bundled counter's own run on the same tree: whole commands, in turn
# (counter, application, counter, application ...), after one warm-up run of each, so a
# drift of the machine's speed touches both alike. Prints the median wall time of each,
# the median of the pairwise ratios, and the peak resident memory of each. Not part of CI.
#
#   bench/app_kernel.sh [runs]      (default 7 rounds)
#
# BENCH_APP_BEFORE=<an older build's bin/quillmarrow> adds that application to every round,
# after the other two, to compare a change side by side.
#
# The application runs on Qt's offscreen platform with QUILLMARROW_QUIT_AFTER_FIRST_COUNT=1,
# so it quits as soon as the folder has been counted and listed. BENCH_DIR (default /tmp/quillmarrow-bench) holds the
# unpacked tree (see bench/kernel.sh). Take figures on a quiet machine: the load average is
# printed before and after.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
. "$here/bench/kernel-tree.sh"
kernel_tree
bench_build quillmarrow scc resources
app="$build/bin/quillmarrow"
scc="$build/libexec/quillmarrow/scc"

echo "counter: $scc ($(git -C "$here" rev-parse --short HEAD))"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 - "$runs" "$scc" "$app" "$tree" "${BENCH_APP_BEFORE:-}" <<'EOF'
import os, statistics, sys, time, uuid

runs, scc, app, tree, before = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5]
counter = [scc, "--by-file", "--format", "json", "--sort", "code", tree]
application = [app, tree]
earlier = [before, tree] if before else None
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QUILLMARROW_QUIT_AFTER_FIRST_COUNT="1",
           QUILLMARROW_INSTANCE_KEY="quillmarrow-bench-" + uuid.uuid4().hex)
cat = "/bin/cat"

def run(argv, pipe):
    """Wall seconds and peak resident MiB of one whole run; with `pipe`, its standard
    output goes through a pipe to cat, and the time runs until cat has read it all."""
    devnull = os.open(os.devnull, os.O_WRONLY)
    start = time.perf_counter()
    if pipe:
        read_end, write_end = os.pipe()
        reader = os.posix_spawn(cat, [cat], env, file_actions=[(os.POSIX_SPAWN_DUP2, read_end, 0), (os.POSIX_SPAWN_DUP2, devnull, 1),
                                                               (os.POSIX_SPAWN_CLOSE, write_end)])
        pid = os.posix_spawn(argv[0], argv, env, file_actions=[(os.POSIX_SPAWN_DUP2, write_end, 1), (os.POSIX_SPAWN_DUP2, devnull, 2),
                                                                (os.POSIX_SPAWN_CLOSE, read_end)])
        os.close(read_end)
        os.close(write_end)
    else:
        pid = os.posix_spawn(argv[0], argv, env, file_actions=[(os.POSIX_SPAWN_DUP2, devnull, 1), (os.POSIX_SPAWN_DUP2, devnull, 2)])
    _, status, usage = os.wait4(pid, 0)
    if pipe:
        os.waitpid(reader, 0)
    wall = time.perf_counter() - start
    os.close(devnull)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{argv[0]} failed with status {os.waitstatus_to_exitcode(status)}")
    return wall, usage.ru_maxrss / 1024

run(counter, False), run(application, False)  # warm-up: the tree in the page cache, the libraries loaded
if earlier:
    run(earlier, False)
ways = {False: [], True: []}
for _ in range(runs):
    for pipe in (False, True):
        ways[pipe].append((run(counter, pipe), run(application, pipe), run(earlier, pipe) if earlier else None))
print(f"runs: {runs} rounds, cores: {os.cpu_count()}")
for pipe, pairs in ways.items():
    c_wall = [c[0] for c, _, _ in pairs]
    a_wall = [a[0] for _, a, _ in pairs]
    ratios = [a[0] / c[0] for c, a, _ in pairs]
    print("standard output through a pipe to cat:" if pipe else "standard output to /dev/null:")
    print(f"  counter alone (scc --by-file --format json --sort code): {statistics.median(c_wall):.3f} s median "
          f"(min {min(c_wall):.3f}, max {max(c_wall):.3f}), peak {statistics.median(c[1] for c, _, _ in pairs):.0f} MiB")
    print(f"  application, start to \"all ok\":                          {statistics.median(a_wall):.3f} s median "
          f"(min {min(a_wall):.3f}, max {max(a_wall):.3f}), peak {statistics.median(a[1] for _, a, _ in pairs):.0f} MiB")
    print(f"  application / counter (median of pairs):                 {statistics.median(ratios):.2f}")
    if earlier:
        b_wall = [b[0] for _, _, b in pairs]
        print(f"  application before ({before}): {statistics.median(b_wall):.3f} s median "
              f"(min {min(b_wall):.3f}, max {max(b_wall):.3f}), peak {statistics.median(b[1] for _, _, b in pairs):.0f} MiB")
        print(f"  application before / counter (median of pairs):          {statistics.median(b[0] / c[0] for c, _, b in pairs):.2f}")
EOF
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
