#!/usr/bin/env bash
# Builds the Debian package in a folder of its own (Release), installs it as
# a user would, checks that the installed program, renderer, command-line
# tool, desktop entry, icon, file type, sample drawings, manual, manual pages
# and AppStream metadata are in place and work, and removes
# the package again. Any failure stops the script with a non-zero status.
#   packaging/test-deb.sh [build folder, default build-deb]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-deb}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
fail() { echo "test-deb: $*" >&2; exit 1; }

if dpkg-query -W -f='${Status}' dioramix 2>/dev/null | grep -q 'install ok installed'; then
  fail "a dioramix package is installed already; remove it first (apt-get remove dioramix)"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DDIORAMIX_TESTS=OFF -DDIORAMIX_BENCH=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/dioramix_*.deb
(cd "$build" && cpack -G DEB >/dev/null)

debs=("$build"/dioramix_*_"$(dpkg --print-architecture)".deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  fail "expected one dioramix_<version>_<arch>.deb in $build"
fi
deb="$(realpath "${debs[0]}")"
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Section Maintainer Depends Recommends
[ "$(dpkg-deb --field "$deb" Section)" = graphics ] || fail "section is not graphics"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends does not name the Qt libraries"

work="$(mktemp -d)"
cleanup() {
  status=$?
  if dpkg-query -W -f='${Status}' dioramix 2>/dev/null | grep -q 'install ok installed'; then
    $sudo apt-get remove -y -qq dioramix >/dev/null || status=1
  fi
  rm -rf "$work"
  if [ $status -eq 0 ]; then echo "test-deb: the package installs, works and uninstalls"; fi
  exit $status
}
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq "$deb" >/dev/null

# The files where the desktop looks for them.
libdir="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)"
for f in /usr/bin/dioramix /usr/bin/dioramix-cli "$libdir/dioramix/libveride.so" \
         /usr/share/applications/dioramix.desktop /usr/share/mime/packages/dioramix.xml \
         /usr/share/icons/hicolor/48x48/apps/dioramix.png /usr/share/icons/hicolor/256x256/apps/dioramix.png \
         /usr/share/dioramix/examples/dome.sdf /usr/share/dioramix/examples/dome.bmp \
         /usr/share/dioramix/manual/index.html /usr/share/dioramix/manual/docs/preview.png \
         /usr/share/man/man1/dioramix.1.gz /usr/share/man/man1/dioramix-cli.1.gz \
         /usr/share/metainfo/io.github.dioramix.Dioramix.metainfo.xml; do
  [ -f "$f" ] || fail "$f is not installed"
done
for f in /usr/bin/dioramix /usr/bin/dioramix-cli "$libdir/dioramix/libveride.so"; do
  if ldd "$f" | grep -q 'not found'; then fail "$f lacks a library: $(ldd "$f" | grep 'not found')"; fi
done
nm -D --defined-only "$libdir/dioramix/libveride.so" | grep -qw RenderForm || fail "libveride.so does not export RenderForm"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate /usr/share/applications/dioramix.desktop
fi
# The manual pages read as manual pages; the AppStream file is valid.
for page in dioramix dioramix-cli; do
  zcat "/usr/share/man/man1/$page.1.gz" | grep -q "^\.SH SYNOPSIS" || fail "the manual page of $page has no synopsis"
done
if ! command -v appstreamcli >/dev/null; then $sudo apt-get install -y -qq --no-install-recommends appstream >/dev/null; fi
appstreamcli validate --no-net /usr/share/metainfo/io.github.dioramix.Dioramix.metainfo.xml \
  || fail "the AppStream metadata does not validate"
grep -q '<launchable type="desktop-id">dioramix.desktop</launchable>' \
  /usr/share/metainfo/io.github.dioramix.Dioramix.metainfo.xml || fail "the AppStream metadata names no desktop entry"
if command -v update-mime-database >/dev/null; then
  # shared-mime-info's trigger has compiled the type into the database.
  grep -q 'x-dioramix-drawing:\*\.sdf' /usr/share/mime/globs2 || fail "*.sdf is not a drawing in the MIME database"
  grep -aq 'x-dioramix-drawing' /usr/share/mime/magic || fail "the drawing's magic is not in the MIME database"
fi
if [ -f /usr/share/applications/mimeinfo.cache ]; then
  # desktop-file-utils' trigger: the file manager's list of programs per type.
  grep -q 'application/x-dioramix-drawing=.*dioramix.desktop' /usr/share/applications/mimeinfo.cache \
    || fail "drawing files are not offered to dioramix.desktop"
fi

# The command-line tool on the installed samples, with settings of its own.
export DIORAMIX_REGISTRY="$work/registry.reg" QT_QPA_PLATFORM=offscreen
cd "$work"
dioramix-cli info /usr/share/dioramix/examples/pyramid.sdf >info.json
grep -q '"step5"' info.json || fail "dioramix-cli info did not describe the pyramid"
for drawing in pyramid tilted-text dome; do
  dioramix-cli render "/usr/share/dioramix/examples/$drawing.sdf" -o "$work/$drawing.png" 2>"$work/errors.txt" \
    || fail "dioramix-cli render $drawing.sdf: $(cat "$work/errors.txt")"
  [ -s "$work/$drawing.png" ] || fail "no stereogram of $drawing.sdf"
  if grep -q '^dioramix-cli:' "$work/errors.txt"; then
    fail "dioramix-cli render $drawing.sdf warned: $(cat "$work/errors.txt")"
  fi
done
file "$work/dome.png" | grep -q 'PNG image data, 800 x 600' || fail "the stereogram of dome.sdf is no 800 x 600 PNG"

# The program itself starts with a drawing and keeps running until stopped.
status=0
timeout 5 dioramix /usr/share/dioramix/examples/house.sdf >/dev/null 2>&1 || status=$?
[ $status -eq 124 ] || fail "dioramix ended at start with status $status"
