# The portable folder: both programs with every DLL they load (found with objdump, as there is
# no windeployqt in a cross build), Qt's plugins, Qt's Polish translations, fonts for the
# command line's off-screen drawing, and the Polish README.

# Where the DLLs a program names are looked for: Qt, then MinGW's runtime.
windows_dll_directories() {
    printf '%s\n' "$BLACHORYS_WINDOWS_QT/bin" "$(windows_gcc_runtime_directory)" \
        "/usr/$BLACHORYS_WINDOWS_TRIPLET/lib"
}

# Copies into $1 every DLL the PE files $2... need, and the DLLs those need, that is not
# Windows' own (those are found in none of the directories).
copy_needed_dlls() {
    local into=$1
    shift
    local pending=("$@") file dll directory
    while [ ${#pending[@]} -gt 0 ]; do
        file=${pending[0]}
        pending=("${pending[@]:1}")
        while read -r dll; do
            [ -e "$into/$dll" ] && continue
            while read -r directory; do
                if [ -f "$directory/$dll" ]; then
                    cp "$directory/$dll" "$into/"
                    pending+=("$into/$dll")
                    break
                fi
            done < <(windows_dll_directories)
        done < <("$BLACHORYS_WINDOWS_TRIPLET-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
    done
}

deploy_windows() {
    local folder="$BLACHORYS_WINDOWS_BUILD/deploy/Blachorys"
    rm -rf "$folder"
    mkdir -p "$folder"/{platforms,styles,imageformats,translations,lib/fonts}
    cp "$BLACHORYS_WINDOWS_BUILD"/blachorys.exe "$BLACHORYS_WINDOWS_BUILD"/blachorys-cli.exe "$folder/"
    local plugins="$BLACHORYS_WINDOWS_QT/plugins"
    # The command line draws its template on the off-screen platform, the window on Windows'.
    cp "$plugins/platforms/qwindows.dll" "$plugins/platforms/qoffscreen.dll" "$folder/platforms/"
    cp "$plugins"/styles/*.dll "$folder/styles/"
    cp "$plugins"/imageformats/*.dll "$folder/imageformats/"
    copy_needed_dlls "$folder" "$folder"/*.exe "$folder"/{platforms,styles,imageformats}/*.dll
    "$BLACHORYS_WINDOWS_TRIPLET-strip" --strip-unneeded "$folder"/*.exe "$folder"/*.dll \
        "$folder"/{platforms,styles,imageformats}/*.dll
    # Qt looks for its translations and fonts under the prefix qt.conf names: the folder.
    printf '[Paths]\r\nPrefix = .\r\n' >"$folder/qt.conf"
    cp /usr/share/qt6/translations/qtbase_pl.qm "$folder/translations/"
    cp /usr/share/fonts/truetype/dejavu/DejaVuSans{,-Bold}.ttf "$folder/lib/fonts/"
    # The user's README: Polish, in the program's own code page and line ends.
    iconv -f UTF-8 -t WINDOWS-1250 packaging/windows/CZYTAJ.txt | sed 's/$/\r/' >"$folder/CZYTAJ.txt"
    du -sh "$folder"
}
