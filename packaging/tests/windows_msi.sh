#!/usr/bin/env bash
# windows_msi.sh tables MSI WORK_DIR
# windows_msi.sh install|upgrade MSI WORK_DIR DRIVER CPACK_CONFIG
#
# The Windows installer, read and used. tables: what Windows Installer will find in it. install:
# a silent install in a fresh Wine prefix, then the files, the Start menu shortcut and the entry
# in the list of installed programs, the installed Brevorn.exe through the end-to-end driver's
# quick rows, a repair, and a silent uninstall that leaves nothing behind. upgrade: the package, then one
# built here with a higher version over it, leaving one entry; that one again, changing nothing;
# the older one over it, refused.
#
# The environment names what the package must hold: BREVORN_MSI_ARCH (x64 or x86),
# BREVORN_MSI_UPGRADE_CODE, BREVORN_MSI_PUBLISHER and BREVORN_MSI_INSTALL_DIR (C:\...).
set -euo pipefail
export LC_ALL=C
mode=$1
msi=$(realpath "$2")
work=$3
arch=${BREVORN_MSI_ARCH:?} upgrade=${BREVORN_MSI_UPGRADE_CODE:?}
publisher=${BREVORN_MSI_PUBLISHER:?} install_dir=${BREVORN_MSI_INSTALL_DIR:?}
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
failed=0
fail() {
    echo "FAIL  $*"
    failed=1
}
# check WHAT COMMAND...: runs the command, and shows what it printed only if it fails.
check() {
    local what=$1 log
    shift
    if log=$("$@" 2>&1); then
        echo "ok    $what"
    else
        fail "$what"
        sed 's/^/      /' <<<"$log"
    fi
}

# uuid5 NAMESPACE NAME: the name-based (SHA-1) UUID, in capitals.
uuid5() {
    local hex
    hex=$({
        printf "$(sed 's/-//g; s/../\\x&/g' <<<"$1")"
        printf '%s' "$2"
    } | sha1sum | cut -c1-32)
    hex=${hex:0:12}5${hex:13:3}$(printf %x $(((0x${hex:16:1} & 3) | 8)))${hex:17}
    hex=${hex^^}
    echo "${hex:0:8}-${hex:8:4}-${hex:12:4}-${hex:16:4}-${hex:20}"
}
# rows MSI TABLE: the table's rows, tab-separated, without its three header lines.
rows() { msiinfo export "$1" "$2" | tail -n +4 | tr -d '\r'; }
property() { rows "$1" Property | sed -n "s/^$2\t//p"; }

version=$(property "$msi" ProductVersion)
product_code=$(property "$msi" ProductCode)
product_code=${product_code#\{}
product_code=${product_code%\}}

if [ "$mode" = tables ]; then
    if [ "$arch" = x64 ]; then
        program_files=ProgramFiles64Folder win64=256 template=x64 only_64_bit=" VersionNT64"
    else
        program_files=ProgramFilesFolder win64=0 template=Intel only_64_bit=
    fi
    # TABLE<tab>ROW: rows the package must have.
    expected=(
        "Property	ProductName	Brevorn"
        "Property	Manufacturer	$publisher"
        "Property	UpgradeCode	{$upgrade}"
        "Property	ProductCode	{$(uuid5 "$upgrade" "ProductCode $version")}"
        "Property	ALLUSERS	1"
        "Property	ARPNOMODIFY	1"
        "Property	ARPPRODUCTICON	Brevorn.ico"
        "Directory	INSTALLDIR	$program_files	Brevorn"
        "Directory	ProgramMenuFolder	TARGETDIR	."
        "Shortcut	StartMenuShortcut	ProgramMenuFolder	Brevorn	Brevorn.exe	[INSTALLDIR]Brevorn.exe				Brevorn.ico			INSTALLDIR				"
        "Icon	Brevorn.ico	Icon.Brevorn.ico"
        "LaunchCondition	NOT WIX_DOWNGRADE_DETECTED	A newer version of Brevorn is already installed. To go back to $version, remove it first."
    )
    for file in Brevorn.exe README.txt LICENSE.txt; do
        expected+=("Component	$file	{$(uuid5 "$upgrade" "Component $file")}	INSTALLDIR	$win64		$file")
    done
    if [ "$arch" = x64 ]; then
        expected+=("LaunchCondition	VersionNT64	This package is for 64-bit Windows. On 32-bit Windows, install Brevorn-$version-win32.msi.")
    fi
    for row in "${expected[@]}"; do
        check "${row//	/ | }" grep -qxF "${row#*	}" <(rows "$msi" "${row%%	*}")
    done
    # TABLE<tab>FIRST COLUMNS: tables that hold exactly these rows, or none. Nothing is put in
    # place but the three files and the shortcut: no registry value, service or PATH entry.
    exactly=(
        "File	Brevorn.exe LICENSE.txt README.txt"
        "Shortcut	StartMenuShortcut"
        "Registry	"
        "ServiceInstall	"
        "CustomAction	"
        "LaunchCondition	NOT WIX_DOWNGRADE_DETECTED$only_64_bit"
    )
    for row in "${exactly[@]}"; do
        table=${row%%	*}
        found=$(rows "$msi" "$table" | cut -f1 | sort | paste -sd' ')
        check "$table holds only: ${row#*	}" test "$found" = "${row#*	}"
    done
    # wixl 0.101 writes no Environment table, 0.106 an empty one.
    check "Environment holds nothing" bash -c "! msiinfo tables '$msi' | grep -qx Environment ||
        [ -z \"\$(msiinfo export '$msi' Environment | tail -n +4)\" ]"
    suminfo=$(msiinfo suminfo "$msi")
    check "for $template" grep -qx "Template: $template;1033" <<<"$suminfo"
    # The schema (Page Count): Windows Installer 3.1, XP SP3's, reads 301 at most.
    check "schema 301, for Windows Installer 3.1" grep -q "^Version: 301 " <<<"$suminfo"
    # The PackageCode is the package's content: derived from the package made with a
    # placeholder code in its place.
    cp "$msi" "$work/placeholder.msi"
    msibuild "$work/placeholder.msi" -s "Brevorn $version" "$publisher" "$template;1033" \
        "{00000000-0000-0000-0000-000000000000}"
    content=$(sha256sum <"$work/placeholder.msi" | cut -d' ' -f1)
    check "the PackageCode follows the content" \
        grep -qxF "Revision number (UUID): {$(uuid5 "$upgrade" "PackageCode $content")}" \
        <<<"$suminfo"
    exit $failed
fi

driver=$4
cpack_config=$5
# The rest of Wine's environment is the tests' (scripts/wine.env).
export WINEPREFIX=$work/wine
wineboot --init 2>/dev/null
wineserver -w
drive_c=$WINEPREFIX/drive_c
# unix WINDOWS_PATH: where it is in the prefix.
unix() {
    local path=${1#C:\\}
    echo "$drive_c/${path//\\//}"
}
folder=$(unix "$install_dir")
# Windows Installer writes a package's keys under HKLM\Software in the registry view of its
# processor. Wine's reg is itself a 32-bit program where 32-bit Wine is installed, and a 64-bit
# one where it is not, and each sees its own view by default: so every query names the view.
if [ "$arch" = x64 ]; then bits=64; else bits=32; fi
# query KEY [ARG...]: the key's values, one "NAME TYPE VALUE" a line; nothing if it is missing.
query() { wine reg query "$@" "/reg:$bits" 2>/dev/null | tr -d '\r' | sed -n 's/^    //p' || true; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# entry PRODUCT_CODE: its entry in the list of installed programs.
entry() { query "$uninstall_key\\{$1}"; }
# entries: how many programs named Brevorn are installed.
entries() { query "$uninstall_key" /s | grep -c "^DisplayName    REG_SZ    Brevorn$" || true; }
# msiexec ACTION MSI [PROPERTY=VALUE...]: installs (/i) or removes (/x) silently; its status.
msiexec() {
    local status=0
    wine msiexec "$1" "$(winepath -w "$2")" "${@:3}" /qn 2>/dev/null || status=$?
    wineserver -w
    return $status
}
# refused MSI: installing it fails, at the launch condition that refuses an older version.
refused() {
    local log=$work/refused.log
    if wine msiexec /i "$(winepath -w "$1")" /qn /l*v "$(winepath -w "$log")" 2>/dev/null; then
        return 1
    fi
    wineserver -w
    grep -aq '^Property(S): WIX_DOWNGRADE_DETECTED = {' "$log" &&
        grep -aq 'LaunchConditions. Return value 0.$' "$log"
}
# The prefix's files and folders. Windows Installer's own folder, once made, stays, as on Windows.
snapshot() { (cd "$drive_c" && find . | grep -vx './windows/Installer' | sort); }
snapshot >"$work/before"
# packed CODE: how Windows Installer writes a code in its own keys: the first three groups
# reversed, then each pair of digits swapped.
packed() {
    local hex=${1//-/} out= i
    for i in 7 6 5 4 3 2 1 0 11 10 9 8 15 14 13 12; do out+=${hex:i:1}; done
    echo "$out$(sed 's/\(.\)\(.\)/\2\1/g' <<<"${hex:16}")"
}

# installed VERSION PRODUCT_CODE: the files are the zip's, the shortcut starts Brevorn.exe with
# its icon, and the entry names the program, the version and the publisher.
installed() {
    local zip
    zip=$(echo "$(dirname "$msi")"/*.zip)
    rm -rf "$work/zip" && mkdir "$work/zip"
    (cd "$work/zip" && cmake -E tar xf "$zip")
    for file in Brevorn.exe README.txt LICENSE.txt; do
        check "$file is the zip's" cmp "$work/zip/$file" "$folder/$file"
    done
    check "Brevorn is all that is in its folder" \
        test "$(ls "$folder" | tr '\n' ' ')" = "Brevorn.exe LICENSE.txt README.txt "
    local links
    links=$(find "$drive_c/users" "$drive_c/ProgramData" -path '*/Start Menu/Programs/*' -type f)
    check "one Start menu shortcut, Brevorn.lnk" test "$(basename "$links")" = Brevorn.lnk
    local icon="C:\\windows\\Installer\\{$2}\\Brevorn.ico"
    check "the shortcut starts $install_dir\\Brevorn.exe" \
        grep -qxF "$install_dir\\Brevorn.exe" <(strings -a "$links")
    check "the shortcut has the program's icon" grep -qF "$icon" <(strings -a -el "$links")
    check "the icon is Brevorn's" cmp "$here/../brevorn.ico" "$(unix "$icon")"
    local values
    values=$(entry "$2")
    for value in "DisplayName    REG_SZ    Brevorn" "DisplayVersion    REG_SZ    $1" \
        "Publisher    REG_SZ    $publisher" "NoModify    REG_DWORD    0x1"; do
        check "installed programs: ${value//    / }" grep -qxF "$value" <<<"$values"
    done
    local product="HKLM\\Software\\Classes\\Installer\\Products\\$(packed "$2")"
    check "installed programs: the icon" grep -qxF "ProductIcon    REG_SZ    $icon" \
        <(query "$product")
    check "one Brevorn in installed programs" test "$(entries)" = 1
}

# removed PRODUCT_CODE...: a silent uninstall leaves every file as it was, and no registry
# entry of the package. Wine's registry files hold both views, so neither is missed.
removed() {
    check "uninstalled silently" msiexec /x "$msi"
    check "no file or folder left" diff "$work/before" <(snapshot)
    local code
    for code in "$@"; do
        check "no registry entry left for {$code}" \
            bash -c "! grep -qiF -e '$code' -e '$(packed "$code")' -e Brevorn '$WINEPREFIX'/*.reg"
    done
}

# The driver's Alt+F4 row ends the program; nothing else should be left running.
runs() {
    check "the installed Brevorn.exe passes the quick rows" \
        "$here/../../tests/win32/at_dpi" 96 wine "$driver" quick "$install_dir\\Brevorn.exe"
}

case $mode in
    install)
        check "installed silently" msiexec /i "$msi"
        installed "$version" "$product_code"
        runs
        # What Repair in the list of installed programs does; Wine's msiexec /f does not.
        rm "$folder/README.txt"
        check "repaired silently" msiexec /i "$msi" REINSTALL=ALL REINSTALLMODE=omus
        check "the repair put back README.txt" cmp "$work/zip/README.txt" "$folder/README.txt"
        removed "$product_code"
        ;;
    upgrade)
        IFS=. read -r major minor patch build <<<"$version"
        # Windows Installer compares only the first three fields of a version.
        next=$major.$minor.$((patch + 1)).$build
        cpack --config "$cpack_config" -B "$work/next" -D CPACK_BREVORN_MSI_VERSION="$next" \
            >"$work/next.log" 2>&1 || { cat "$work/next.log"; exit 1; }
        newer=$(echo "$work/next/"*"-$next-"*.msi)
        next_code=$(property "$newer" ProductCode)
        next_code=${next_code#\{}
        next_code=${next_code%\}}
        check "$next has a ProductCode of its own" test "$next_code" != "$product_code"
        check "$version installed" msiexec /i "$msi"
        check "$next installed over it" msiexec /i "$newer"
        installed "$next" "$next_code"
        check "$version's entry is gone" test -z "$(entry "$product_code")"
        before=$(cd "$folder" && ls -l --full-time)
        check "$next again: installed" msiexec /i "$newer"
        check "$next again: nothing changed" test "$before" = "$(cd "$folder" && ls -l --full-time)"
        check "$next again: one entry" test "$(entries)" = 1
        check "$version over $next: refused" refused "$msi"
        check "$version over $next: $next still installed" \
            grep -qxF "DisplayVersion    REG_SZ    $next" <(entry "$next_code")
        check "$version over $next: one entry" test "$(entries)" = 1
        msi=$newer removed "$product_code" "$next_code"
        ;;
    *)
        echo "windows_msi.sh: unknown mode $mode" >&2
        exit 2
        ;;
esac
exit $failed
