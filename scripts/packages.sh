# Debian 12 packages the build, the program and the tests need. Sourced by the other scripts.
BLACHORYS_PACKAGES=(
    g++ cmake ninja-build
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl1-mesa-dev
    libgtest-dev libgmock-dev libbenchmark-dev libhwy-dev
    fonts-dejavu-core poppler-utils python3-ezdxf
    qt6-translations-l10n desktop-file-utils appstream dpkg-dev file
)

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

# Configures and builds into ./build.
build_blachorys() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --parallel "$(nproc)"
}
