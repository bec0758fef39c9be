#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, checks its contents and control
# fields, then starts the packaged program on a virtual X display and closes it with Esc.
#
# Usage: dist/test-package.sh <build-dir>
# Exits 0 when the package is sound and the program quits with status 0 after Esc.
set -euo pipefail

build="$(cd "${1:?usage: test-package.sh <build-dir>}" && pwd)"
id=org.novelhelper.NovelHelper
scratch="$(mktemp -d "${TMPDIR:-/tmp}/novel-package.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() {
    echo "test-package: $*" >&2
    failures=$((failures + 1))
}

# The package goes to the scratch dir, so a `package` run in the build dir is left alone.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log" >&2
    echo "test-package: cpack failed" >&2
    exit 1
}
debs=("$scratch"/out/novel-helper_*.deb)
[ -f "${debs[0]}" ] || {
    echo "test-package: cpack wrote no novel-helper_*.deb" >&2
    exit 1
}
deb="${debs[0]}"

# Control fields.
[ "$(dpkg-deb -f "$deb" Package)" = novel-helper ] || fail "Package is not novel-helper"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 fonts-arphic-uming; do
    # As a whole package name in the comma-separated list, with or without a version.
    grep -Eq "(^|, )$needed( \(|,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

# Files.
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for file in \
    usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/32x32/apps/$id.png \
    usr/share/icons/hicolor/256x256/apps/$id.png \
    usr/share/icons/hicolor/scalable/apps/$id.svg; do
    [ -f "$root/$file" ] || fail "missing /$file"
done
program="$root/usr/bin/novel-helper"
[ -x "$program" ] || fail "missing /usr/bin/novel-helper"
desktop="$root/usr/share/applications/$id.desktop"
if [ -f "$desktop" ]; then
    grep -qx "Exec=novel-helper" "$desktop" || fail "the desktop entry does not run novel-helper"
    grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
fi
# An installed program must not look for libraries in the build tree.
if [ -x "$program" ] && readelf -d "$program" | grep -Eq '\((RPATH|RUNPATH)\)'; then
    fail "/usr/bin/novel-helper carries an RPATH: $(readelf -d "$program" | grep -E 'R(UN)?PATH')"
fi

[ "$failures" -eq 0 ] || exit 1

# Start the packaged program and close it with Esc. Without a window manager the window must be
# given the focus by hand; the key then goes through XTEST to the focused window, like a real
# key press (sent straight to the window, the key release would hit a window already gone).
cat >"$scratch/run.sh" <<'EOF'
set -u
"$1" &
pid=$!
if ! timeout 20 xdotool search --sync --onlyvisible --name '砚舟' windowfocus --sync ||
    ! xdotool key Escape; then
    echo "test-package: no window titled 砚舟 appeared, or Esc could not be sent" >&2
    kill "$pid" 2>/dev/null
    exit 1
fi
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "test-package: the program was still running 10 s after Esc" >&2
    kill "$pid"
    exit 1
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || echo "test-package: the program exited with status $status after Esc" >&2
exit "$status"
EOF
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$scratch/run.sh" "$program"
