#!/usr/bin/env bash
# Builds the Debian package and checks it as a packager and a software centre would: lintian
# with no error and no warning, the AppStream metadata and the desktop entry through their
# validators, both manual pages through man, and both programs answering --version with no
# display. Every check looks at the files as the package ships them. Missing tools are
# installed first (as root, or with sudo).
# Usage: scripts/package.sh [BUILD] [CMAKE-OPTION...]
#   e.g. scripts/package.sh build -DKELMAZ_PACKAGE_MAINTAINER="Jane Doe <jane@example.net>"
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
[ $# -gt 0 ] && shift

# The checking tools, by the Debian package that brings each.
need=()
for pair in lintian:lintian appstreamcli:appstream desktop-file-validate:desktop-file-utils \
    man:man-db dpkg-shlibdeps:dpkg-dev file:file; do
    command -v "${pair%%:*}" >/dev/null || need+=("${pair#*:}")
done
if [ ${#need[@]} -gt 0 ]; then
    sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${need[@]}"
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --target kelmaz kelmaz-cli
rm -f "$build"/kelmaz_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || {
    cat "$build/cpack.log" >&2
    exit 1
}
deb=$(ls "$build"/kelmaz_*.deb)
version=$(dpkg-deb -f "$deb" Version)
echo "package: $deb"

failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}

echo "== lintian"
lintian_flags=(--fail-on error,warning)
[ "$(id -u)" -ne 0 ] || lintian_flags+=(--allow-root)
lintian "${lintian_flags[@]}" "$deb" || fail "lintian reports an error or a warning"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

# The copyright file points to the system's copy of the licence: it must be the project's.
if [ -f /usr/share/common-licenses/GPL-3 ]; then
    cmp -s "$here/LICENSE" /usr/share/common-licenses/GPL-3 ||
        fail "LICENSE is not the GPL version 3 that the copyright file points to"
fi

echo "== appstreamcli"
appstreamcli validate --no-net --pedantic --strict "$root"/usr/share/metainfo/*.metainfo.xml ||
    fail "appstreamcli validate"
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree"

echo "== desktop-file-validate"
desktop-file-validate "$root"/usr/share/applications/kelmaz.desktop && echo "kelmaz.desktop: ok" ||
    fail "desktop-file-validate"

echo "== man"
for page in "$root"/usr/share/man/man1/kelmaz.1.gz "$root"/usr/share/man/man1/kelmaz-cli.1.gz; do
    name=$(basename "$page" .1.gz)
    warnings=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
    grep -q "^NAME" <<<"$text" && grep -q "^ *$name - " <<<"$text" ||
        fail "man -l $page renders no NAME section"
    echo "$name(1): $(wc -l <<<"$text") lines"
done

echo "== --version with no display"
for program in kelmaz kelmaz-cli; do
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        "$root/usr/bin/$program" --version 2>&1) || fail "$program --version: exit status $?"
    [ "$answer" = "$program $version" ] || fail "$program --version said: $answer"
    echo "$answer"
done

[ "$failed" -eq 0 ] || exit 1
echo "package checks passed: $deb"
