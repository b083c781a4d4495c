# The two packages in dist/: the portable folder zipped, and the NSIS installer.

package_windows() {
    local version folder="$BLACHORYS_WINDOWS_BUILD/deploy/Blachorys"
    version=$(project_version)
    mkdir -p "$BLACHORYS_WINDOWS_DIST"
    local zip="$BLACHORYS_WINDOWS_DIST/blachorys-$version-windows-x64.zip"
    local setup="$BLACHORYS_WINDOWS_DIST/blachorys-$version-setup.exe"
    rm -f "$zip" "$setup"
    # The zip holds one folder, so unpacking it anywhere gives Blachorys-<version>\.
    local staging="$BLACHORYS_WINDOWS_BUILD/deploy/zip"
    rm -rf "$staging"
    mkdir -p "$staging"
    cp -r "$folder" "$staging/Blachorys-$version"
    (cd "$staging" && zip -q -r -9 "$zip" "Blachorys-$version")
    makensis -V2 -DVERSION="$version" -DSOURCE="$folder" \
        -DICON="$BLACHORYS_WINDOWS_BUILD/windows_icon/blachorys.ico" -DOUTFILE="$setup" \
        packaging/windows/blachorys.nsi
    ls -l "$zip" "$setup"
}
