#!/usr/bin/env bash
# install-test.sh BUILD_DIR: makes the .deb in BUILD_DIR, installs it with apt,
# checks that the installed programs answer --help and that the desktop entry
# and icon are in place, and removes the package again.
set -euo pipefail
build="$1"
if [ "$(id -u)" -ne 0 ]; then
    echo "not root: apt cannot install the package here"
    exit 77
fi
if dpkg-query -W -f='${Status}' inspector 2>/dev/null | grep -q "install ok installed"; then
    echo "a package named inspector is installed already; not touching it"
    exit 77
fi

out="$(mktemp -d)"
trap 'apt-get remove -y -qq inspector >/dev/null 2>&1 || true; rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb="$(ls "$out"/inspector_*.deb)"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || { echo "Depends lacks Qt: $(dpkg-deb -f "$deb" Depends)"; exit 1; }
test -x /usr/bin/inspector-app -a -x /usr/bin/inspector-cli -a -x /usr/bin/inspection-server
test -f /usr/share/applications/inspector.desktop
test -f /usr/share/icons/hicolor/256x256/apps/inspector.png
help="$(QT_QPA_PLATFORM=offscreen /usr/bin/inspector-app --help)"
echo "$help" | grep -q -- "--device" || { echo "inspector-app --help printed: $help"; exit 1; }
/usr/bin/inspector-cli --help >/dev/null

apt-get remove -y -qq inspector >/dev/null
if [ -e /usr/bin/inspector-app ]; then
    echo "inspector-app is still there after removal"
    exit 1
fi
echo "installed, ran and removed $(basename "$deb")"
