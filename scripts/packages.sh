# Installs the Debian packages the scripts need (sourced by the other scripts).
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the named packages that are missing. NAME:ARCH names a package of another
# architecture, which need_architecture must have added.
need_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Lets dpkg install packages of another architecture. The lists apt then needs are fetched
# by need_packages, which runs apt-get update before it installs anything.
need_architecture() {
    dpkg --print-foreign-architectures | grep -qx "$1" && return 0
    echo "Adding the Debian architecture $1"
    as_root dpkg --add-architecture "$1"
}

# Answers whether the archive apt reads offers every named package (installed ones count). The
# lists are brought up to date first, once, unless all are installed.
in_archive() {
    local package missing= policy
    for package in "$@"; do
        [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" = "install ok installed" ] ||
            missing=1
    done
    if [ -n "$missing" ] && [ -z "${archive_lists_updated:-}" ]; then
        as_root apt-get update -qq
        archive_lists_updated=1
    fi
    # Read whole, not through grep -q, whose early exit pipefail would take for "no".
    for package in "$@"; do
        policy=$(apt-cache policy "$package" 2>/dev/null)
        [[ $policy == *$'\n  Candidate: '[^\(]* ]] || return 1
    done
}

BUILD_PACKAGES=(cmake make g++ qt6-base-dev librsvg2-bin)
# The tests' and the benchmarks' libraries.
DEV_PACKAGES=(libgtest-dev libbenchmark-dev)
# A desktop of its own (tests/e2e/headless-desktop), driven as a person would and read back over
# AT-SPI, and pictures of it.
DESKTOP_PACKAGES=(xvfb openbox xdotool x11-utils dbus at-spi2-core python3-pyatspi python3-xlib
    imagemagick)
# Brevorn.exe is cross-built with mingw-w64; its installers are built by wixl and msitools,
# with faketime holding wixl's clock.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools googletest zip wixl msitools faketime)
# Its tests run under Wine, where the archive has it (Debian testing has been without). wine is
# satisfied by wine32 alone once i386 packages can be installed, so the 64-bit loader is named too.
WINE_PACKAGES=(wine wine64 fonts-wine)
# The x86 Brevorn.exe, and 32-bit Wine to run it (after need_architecture i386) on a machine
# that runs 32-bit programs.
WINDOWS_X86_PACKAGES=(g++-mingw-w64-i686-posix)
WINE32_PACKAGES=(wine32:i386)
