# Installs the named Debian packages that are missing (sourced by the other scripts).
need_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

BUILD_PACKAGES=(cmake make g++ qt6-base-dev librsvg2-bin)
# Brevorn.exe is cross-built with mingw-w64; its tests run under Wine.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools googletest wine fonts-wine zip)
