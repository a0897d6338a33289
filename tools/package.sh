#!/usr/bin/env bash
# Builds the Debian package and checks it without a container: its contents, the desktop
# entry, and that the program unpacked into a scratch root starts.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build_dir" -j "${JOBS:-2}"
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build_dir"/kalvendo_*.deb | head -n 1)
echo "package: $deb"
dpkg-deb --info "$deb" | sed -n 's/^ \(Package\|Version\|Depends\|Section\):/  \1:/p'

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/kalvendo ./usr/bin/kalvendo-metersim \
            ./usr/share/applications/kalvendo.desktop \
            ./usr/share/icons/hicolor/scalable/apps/kalvendo.svg \
            ./usr/share/icons/hicolor/48x48/apps/kalvendo.png \
            ./usr/share/icons/hicolor/256x256/apps/kalvendo.png \
            ./usr/lib/udev/rules.d/70-kalvendo.rules; do
    if ! grep -qx "$path" <<<"$contents"; then
        echo "missing from the package: $path" >&2
        exit 1
    fi
done
echo "contents: all expected files present"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb --extract "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/kalvendo.desktop"
echo "desktop entry: valid"
grep -q 'TAG+="uaccess"' "$root/usr/lib/udev/rules.d/70-kalvendo.rules"
file "$root/usr/share/icons/hicolor/48x48/apps/kalvendo.png" | grep -q '48 x 48'
QT_QPA_PLATFORM=offscreen "$root/usr/bin/kalvendo" --version
echo "package checks passed"
