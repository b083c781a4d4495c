#!/usr/bin/env bash
# Builds the Debian package with CPack and reads it back: its dependencies must be Qt 6
# runtime packages found from the programs' libraries, and it must hold both programs, the
# desktop entry, the metainfo and the icon.
#   check_deb.sh BUILD_DIR WORK_DIR
set -euo pipefail
build="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(ls "$work"/blachorys_*.deb)
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb")
echo "$info" | grep -E '^ (Package|Version|Architecture|Depends):'
for dependency in libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins; do
    echo "$info" | grep -q "Depends:.*$dependency" || { echo "no dependency $dependency"; exit 1; }
done
for file in ./usr/bin/blachorys ./usr/bin/blachorys-cli \
            ./usr/share/applications/pl.blachorys.Blachorys.desktop \
            ./usr/share/metainfo/pl.blachorys.Blachorys.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/blachorys.svg \
            ./usr/share/doc/blachorys/LICENSE; do
    echo "$contents" | grep -q " $file\$" || { echo "not in the package: $file"; exit 1; }
done
echo "$deb holds the programs and their desktop files"
