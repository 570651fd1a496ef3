#!/usr/bin/env bash
# Tries the Debian package as a new user would: builds the .deb, installs it with apt into a
# fresh Debian 12 root (made with debootstrap on first use, kept for later runs), starts the
# program from its .desktop entry's Exec line on a virtual X display with a record file named
# on the command line, and prints what the program reported it showed (see src/app/StateDump.h).
# Needs root and the network to the Debian mirror. Usage: scripts/try-package.sh [BUILD] [ROOT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
root=${2:-/var/tmp/kelmaz-debian12}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target kelmaz kelmaz-cli
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/kelmaz_*.deb | head -n1)
echo "package: $deb"
dpkg-deb -f "$deb" Depends

if [ ! -x "$root/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
mounted=()
cleanup() { for m in "${mounted[@]}"; do umount -l "$m" || true; done; }
trap cleanup EXIT
for m in proc sys dev dev/pts; do
    if ! mountpoint -q "$root/$m"; then
        case $m in
            proc) mount -t proc proc "$root/proc" ;;
            sys) mount -t sysfs sys "$root/sys" ;;
            *) mount --bind "/$m" "$root/$m" ;;
        esac
        mounted=("$root/$m" "${mounted[@]}")
    fi
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

cp "$deb" "$root/tmp/kelmaz.deb"
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/kelmaz.deb xvfb xauth
echo "installed files:"
chroot "$root" dpkg -L kelmaz | grep -E 'bin/|applications/|metainfo/|icons/|mime/|man1/'
chroot "$root" sh -c 'grep -l kelmaz /usr/share/applications/mimeinfo.cache; grep -i "ugf\|go-sgf" /usr/share/mime/globs2' || true

# The program runs as an ordinary user, as on a desktop.
chroot "$root" id igo >/dev/null 2>&1 || chroot "$root" useradd -m igo

# A short record, named as the only argument of the desktop entry's command.
cat > "$root/tmp/対局.sgf" <<'SGF'
(;GM[1]FF[4]CA[UTF-8]SZ[19]PB[黒番]PW[白番];B[pd];W[dp];B[pq];W[dd];B[fq])
SGF
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/kelmaz.desktop")
command=${exec_line/\%f/\/tmp\/対局.sgf}
echo "starting: $command"
rm -f "$root/tmp/state.txt" "$root/tmp/state.txt.png"
chroot --userspec=igo:igo "$root" env LANG=C.UTF-8 HOME=/home/igo USER=igo \
    KELMAZ_STATE_DUMP=/tmp/state.txt timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" $command
cat "$root/tmp/state.txt"
cp "$root/tmp/state.txt.png" "$build/package-run.png"
echo "picture of the window: $build/package-run.png"
