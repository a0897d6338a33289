#!/usr/bin/env bash
# Installs the Debian package with apt into a fresh Debian 12 root, as on a user's
# machine that never built Kalvendo, and runs the installed program there against the
# installed simulator: it must start, open the line and take every frame sent.
# Needs root (chroot) and the Debian mirror; tools/package.sh builds the package first.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
deb=$(ls -t "$build_dir"/kalvendo_*.deb 2>/dev/null | head -n 1 || true)
if [ -z "$deb" ]; then
    echo "no package in $build_dir; run tools/package.sh first" >&2
    exit 1
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

root=$(mktemp -d /tmp/kalvendo-clean.XXXXXX)
cleanup() {
    $SUDO umount "$root/dev/pts" 2>/dev/null || true
    $SUDO umount "$root/proc" 2>/dev/null || true
    $SUDO rm -rf "$root"
}
trap cleanup EXIT

echo "making a clean Debian 12 root"
$SUDO mmdebstrap --variant=apt --quiet bookworm "$root" "$mirror"
$SUDO cp "$deb" "$root/tmp/kalvendo.deb"
echo "installing $(basename "$deb") with apt"
$SUDO chroot "$root" apt-get update -q >/dev/null
$SUDO chroot "$root" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q /tmp/kalvendo.deb >/dev/null

# The simulator needs pseudo-terminals of the root's own.
$SUDO mount -t proc proc "$root/proc"
$SUDO mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
$SUDO rm -f "$root/dev/ptmx"
$SUDO ln -s pts/ptmx "$root/dev/ptmx"

frames=20
$SUDO tee "$root/tmp/run.sh" >/dev/null <<SCRIPT
set -eu
kalvendo --version
kalvendo-metersim --count $frames --interval 100 --wait-open > /tmp/sim.out &
for i in \$(seq 50); do [ -s /tmp/sim.out ] && break; sleep 0.1; done
port=\$(head -n 1 /tmp/sim.out)
status=0
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=kalvendo.frames.debug=true \
    timeout 8 kalvendo --port "\$port" 2> /tmp/kalvendo.err || status=\$?
wait
# The program runs until it is stopped; any other end is a failure.
if [ "\$status" -ne 124 ]; then cat /tmp/kalvendo.err; echo "kalvendo ended with \$status"; exit 1; fi
taken=\$(grep -c '^kalvendo.frames: frame ' /tmp/kalvendo.err || true)
echo "frames taken from \$port: \$taken of $frames"
[ "\$taken" -eq $frames ]
SCRIPT
$SUDO chroot "$root" bash /tmp/run.sh
echo "clean install checks passed"
