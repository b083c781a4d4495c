# Where the Windows build keeps what it makes, and what it needs from Debian. Sourced by
# scripts/windows.sh and the other files of this folder.

# Outside the clone, so that a second run (or another clone) reuses the cross-built Qt.
BLACHORYS_WINDOWS_CACHE=${BLACHORYS_WINDOWS_CACHE:-/var/cache/blachorys}
BLACHORYS_WINDOWS_TRIPLET=x86_64-w64-mingw32
# The build tree and the deployed folder, inside the clone (ignored by git like build/).
BLACHORYS_WINDOWS_BUILD=${BLACHORYS_WINDOWS_BUILD:-$PWD/build-windows}
BLACHORYS_WINDOWS_DIST=$PWD/dist

BLACHORYS_WINDOWS_PACKAGES=(
    cmake ninja-build dpkg-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    libgtest-dev
    wine64 xvfb xauth xdotool openbox imagemagick fonts-dejavu-core
    librsvg2-bin nsis zip
)

# How many compile jobs: the build machines have two cores, shared.
BLACHORYS_WINDOWS_JOBS=${BLACHORYS_WINDOWS_JOBS:-$(nproc)}

# The cross compiler's version as its Debian package gives it (the compiler itself says only
# "12-posix"), for the caches' names.
windows_gcc_version() {
    dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix
}

# The directory of the compiler's runtime DLLs (libstdc++-6.dll, libgcc_s_seh-1.dll).
windows_gcc_runtime_directory() {
    echo "/usr/lib/gcc/$BLACHORYS_WINDOWS_TRIPLET/$("$BLACHORYS_WINDOWS_TRIPLET-g++-posix" -dumpversion)"
}

# The Debian version of a source package whose binary package is installed on the host, so
# that the Windows build uses the same source as the Linux build.
installed_version() {
    dpkg-query -W -f='${Version}' "$1"
}
