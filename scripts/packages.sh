# Debian 12 packages the build, the program and the tests need. Sourced by the other scripts.
BLACHORYS_PACKAGES=(
    g++ cmake ninja-build
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl1-mesa-dev
    libgtest-dev libgmock-dev libbenchmark-dev libhwy-dev libdxflib-dev libpolyclipping-dev pkg-config
    fonts-dejavu-core fonts-liberation2 fonts-urw-base35 fonts-noto-mono poppler-utils python3-ezdxf
    qt6-translations-l10n desktop-file-utils appstream dpkg-dev file
)

# What CI adds for the sanitizer build and the fuzzers: clang, its sanitizer and libFuzzer
# runtimes, and llvm-symbolizer for readable stack traces.
BLACHORYS_CHECK_PACKAGES=(clang libclang-rt-14-dev llvm-14)

# Installs whatever of the arguments is missing, through apt-get (as root, or with sudo).
install_missing_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        as_root=(sudo)
    fi
    "${as_root[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures ./build.
configure_blachorys() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

# Configures and builds into ./build.
build_blachorys() {
    configure_blachorys
    cmake --build build --parallel "$(nproc)"
}

# Configures and builds the sanitizer build in $1 (clang; AddressSanitizer and
# UndefinedBehaviorSanitizer on everything, and the libFuzzer harnesses).
build_sanitized() {
    CC=clang CXX=clang++ cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBLACHORYS_SANITIZE=ON -DBLACHORYS_FUZZ=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
    cmake --build "$1" --parallel "$(nproc)"
}

# How the sanitizers report: every finding ends the program with a stack trace; leaks are
# checked, and the only ones suppressed are Qt's own, named in tests/sanitizers/lsan.supp.
sanitizer_environment() {
    export ASAN_OPTIONS=detect_leaks=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
    if [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]; then
        export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
    fi
}
