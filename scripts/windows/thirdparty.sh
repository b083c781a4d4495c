# Google Highway (from Debian's source of the host's libhwy-dev) and GoogleTest (the source
# libgtest-dev ships in /usr/src/googletest), built as static libraries for Windows and kept in
# the cache beside Qt; and dxflib's sources (Debian's source of libdxflib-dev).

BLACHORYS_WINDOWS_THIRDPARTY=

thirdparty_cache_key() {
    {
        installed_version libhwy-dev
        installed_version libdxflib-dev
        installed_version googletest
        windows_gcc_version
        cat cmake/mingw-w64-x86_64.cmake scripts/windows/thirdparty.sh
    } | sha256sum | cut -c1-12
}

# Configures, builds and installs the CMake project in $1 into the third-party prefix.
install_windows_cmake_project() {
    local source=$1 build=$2
    shift 2
    cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$BLACHORYS_WINDOWS_THIRDPARTY" -DBUILD_SHARED_LIBS=OFF "$@"
    cmake --build "$build" --parallel "$BLACHORYS_WINDOWS_JOBS"
    cmake --install "$build"
}

ensure_windows_thirdparty() {
    BLACHORYS_WINDOWS_THIRDPARTY="$BLACHORYS_WINDOWS_CACHE/thirdparty-mingw-$(thirdparty_cache_key)"
    if [ -f "$BLACHORYS_WINDOWS_THIRDPARTY/.complete" ]; then
        echo "Reusing $BLACHORYS_WINDOWS_THIRDPARTY"
        return 0
    fi
    local work="$BLACHORYS_WINDOWS_CACHE/work/thirdparty"
    rm -rf "$work" "$BLACHORYS_WINDOWS_THIRDPARTY"
    mkdir -p "$work"
    ensure_debian_sources
    local highway
    highway=$(fetch_debian_source highway "$(installed_version libhwy-dev)" "$work/source")
    install_windows_cmake_project "$highway" "$work/highway" \
        -DHWY_ENABLE_TESTS=OFF -DHWY_ENABLE_EXAMPLES=OFF -DHWY_ENABLE_CONTRIB=OFF
    install_windows_cmake_project /usr/src/googletest "$work/googletest" -DBUILD_GMOCK=OFF
    # dxflib has no CMake project: its src folder is kept, and the program's build compiles the
    # files it lists (CMakeLists.txt).
    local dxflib version
    version=$(installed_version libdxflib-dev)
    dxflib=$(fetch_debian_source dxflib "${version%+b*}" "$work/source")
    cp -r "$dxflib/src" "$BLACHORYS_WINDOWS_THIRDPARTY/dxflib"
    touch "$BLACHORYS_WINDOWS_THIRDPARTY/.complete"
    rm -rf "$work"
}
