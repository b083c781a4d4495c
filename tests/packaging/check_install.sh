#!/usr/bin/env bash
# Installs the build into a staging directory as a package would, checks that every file is
# in its standard place, validates the desktop entry and the AppStream metainfo, and runs the
# installed command line with no display.
#   check_install.sh BUILD_DIR WORK_DIR
set -euo pipefail
build="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
usr="$work/stage/usr"
for file in bin/blachorys bin/blachorys-cli \
            share/applications/pl.blachorys.Blachorys.desktop \
            share/metainfo/pl.blachorys.Blachorys.metainfo.xml \
            share/icons/hicolor/scalable/apps/blachorys.svg; do
    test -f "$usr/$file" || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$usr/share/applications/pl.blachorys.Blachorys.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/pl.blachorys.Blachorys.metainfo.xml"
grep -qx 'Categories=Science;Engineering;' "$usr/share/applications/pl.blachorys.Blachorys.desktop"
env -u DISPLAY -u QT_QPA_PLATFORM "$usr/bin/blachorys-cli" stozek --template-pdf "$work/t.pdf" \
    >/dev/null
test -s "$work/t.pdf"
echo "installed, validated, the command line runs"
