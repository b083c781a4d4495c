# Qt's qtbase cross-built for Windows from Debian's source of the host's own Qt version, kept
# in the cache under a name that changes with everything that shapes it.

# Only what the programs and their tests use: Core, Gui, Widgets, PrintSupport, Test. Qt's
# own copies of zlib, libpng, HarfBuzz, PCRE2, FreeType and double-conversion; FreeType is a
# feature (the offscreen platform plugin needs it), and direct2d stays on because Qt 6.4.2
# does not link PrintSupport and the windows plugin without it. Wintab's headers are not in
# Debian's source, hence no tablet events.
BLACHORYS_QT_CONFIGURE_OPTIONS=(
    -release -shared -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests
    -no-dbus -no-opengl -no-icu
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent
    -no-feature-tabletevent -no-feature-vulkan
    -feature-freetype -no-libjpeg -qt-zlib -qt-libpng -qt-harfbuzz -qt-pcre
)

qt_cache_key() {
    {
        printf '%s\n' "${BLACHORYS_QT_CONFIGURE_OPTIONS[@]}"
        installed_version qt6-base-dev
        windows_gcc_version
        cat cmake/mingw-w64-x86_64.cmake
    } | sha256sum | cut -c1-12
}

# The prefix of the cross-built Qt; set by ensure_windows_qt.
BLACHORYS_WINDOWS_QT=

# Whether a package is installed (not only known, or removed with its configuration kept).
package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Where the cross-built Qt for this host's Qt and cross compiler is kept. Fails when either is
# not installed: no name can be given then.
windows_qt_prefix() {
    package_installed qt6-base-dev && package_installed g++-mingw-w64-x86-64-posix || return 1
    local version
    version=$(installed_version qt6-base-dev)
    echo "$BLACHORYS_WINDOWS_CACHE/qt-${version%%+*}-mingw-$(qt_cache_key)"
}

# Whether that Qt is built and complete, building nothing: prints its prefix when it is, and
# otherwise why not.
windows_qt_cached() {
    local prefix
    if ! package_installed qt6-base-dev; then
        echo "qt6-base-dev is not installed"
        return 1
    fi
    if ! prefix=$(windows_qt_prefix); then
        echo "the MinGW-w64 cross compiler (g++-mingw-w64-x86-64-posix) is not installed," \
            "so no Qt has been cross-built with it here"
        return 1
    fi
    if [ ! -f "$prefix/.complete" ]; then
        echo "no complete cross-built Qt at $prefix"
        return 1
    fi
    echo "$prefix"
}

ensure_windows_qt() {
    BLACHORYS_WINDOWS_QT=$(windows_qt_prefix) || {
        echo "qt6-base-dev and g++-mingw-w64-x86-64-posix must be installed first" >&2
        return 1
    }
    if [ -f "$BLACHORYS_WINDOWS_QT/.complete" ]; then
        echo "Reusing $BLACHORYS_WINDOWS_QT"
        return 0
    fi
    build_windows_qt "$(installed_version qt6-base-dev)"
}

build_windows_qt() {
    local version=$1
    local work="$BLACHORYS_WINDOWS_CACHE/work/qtbase"
    rm -rf "$work" "$BLACHORYS_WINDOWS_QT"
    mkdir -p "$work/build" "$BLACHORYS_WINDOWS_QT"
    ensure_debian_sources
    local source
    source=$(fetch_debian_source qt6-base "$version" "$work/source")
    # The toolchain file lives with the Qt it built: Qt's CMake files name it.
    cp cmake/mingw-w64-x86_64.cmake "$BLACHORYS_WINDOWS_QT/mingw-w64-x86_64.cmake"
    (
        cd "$work/build"
        "$source/configure" -prefix "$BLACHORYS_WINDOWS_QT" "${BLACHORYS_QT_CONFIGURE_OPTIONS[@]}" \
            -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$BLACHORYS_WINDOWS_QT/mingw-w64-x86_64.cmake" \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        cmake --build . --parallel "$BLACHORYS_WINDOWS_JOBS"
        cmake --install .
    )
    touch "$BLACHORYS_WINDOWS_QT/.complete"
    rm -rf "$work"
}
