# The programs and the test programs cross-compiled against the cached Qt and third parties.

configure_and_build_windows() {
    cmake -S . -B "$BLACHORYS_WINDOWS_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_FIND_ROOT_PATH="$BLACHORYS_WINDOWS_QT;$BLACHORYS_WINDOWS_THIRDPARTY" \
        -DBLACHORYS_DXFLIB_SOURCE_DIR="$BLACHORYS_WINDOWS_THIRDPARTY/dxflib" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    cmake --build "$BLACHORYS_WINDOWS_BUILD" --parallel "$BLACHORYS_WINDOWS_JOBS" \
        --target blachorys blachorys-cli core_tests io_tests cnc_tests
}

# The Linux blachorys-cli of ./build (scripts/test.sh's build, which CI makes before the
# Windows phase), whose CNC DXF bytes the Windows one must write: only that program is built,
# and ./build is configured first where it is not yet.
BLACHORYS_LINUX_CLI=$PWD/build/blachorys-cli

build_linux_cli() {
    [ -f build/CMakeCache.txt ] || configure_blachorys
    cmake --build build --parallel "$BLACHORYS_WINDOWS_JOBS" --target blachorys-cli
}

# The version the project declares, for the packages' names.
project_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BLACHORYS_WINDOWS_BUILD/CMakeCache.txt"
}
