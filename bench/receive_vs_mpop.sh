#!/bin/sh
# Receive from a private Dovecot: this program's receive run against mpop on
# the same generated mailbox, first and second run, plus MIME throughput.
# Usage: bench/receive_vs_mpop.sh [BUILD_DIR] [receive_bench options...]
# Build a Release tree first, e.g.
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release && ninja -C build-bench receive_bench
set -eu
build=${1:-build-bench}
[ $# -gt 0 ] && shift
driver="$build/bench/receive_bench"
[ -x "$driver" ] || { echo "missing $driver: build the receive_bench target" >&2; exit 1; }
command -v dovecot >/dev/null 2>&1 || [ -x /usr/sbin/dovecot ] || { echo "install dovecot-pop3d" >&2; exit 1; }
command -v mpop >/dev/null 2>&1 || { echo "install mpop (apt-get install -y mpop)" >&2; exit 1; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"\
     "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo) RAM"
echo "mpop: $(mpop --version | head -1)"
QT_QPA_PLATFORM=offscreen exec "$driver" --mpop="$(command -v mpop)" "$@"
