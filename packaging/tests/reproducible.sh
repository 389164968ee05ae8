#!/usr/bin/env bash
# reproducible.sh SOURCE_DIR WORK_DIR
# The same commit builds the same bytes. Every Windows preset's Brevorn.exe, zip and MSI, and the
# .deb, are built twice in fresh folders that share only the commit: the first from SOURCE_DIR,
# dated by its git history; the second from a copy whose files are touched now, with that history's
# time given as SOURCE_DATE_EPOCH, another user (when run as root), umask, time zone and locale.
# Only what goes into the packages is built. Any difference is shown byte by byte and, where
# diffoscope is installed, member by member.
set -euo pipefail
source_dir=$1
work=$2
rm -rf "$work"
mkdir -p "$work/one"
# The other user must reach the second build, and a build folder under /root does not let it.
two=$(mktemp -d /tmp/brevorn-reproducible.XXXXXX)
trap 'rm -rf "$two"' EXIT
chmod 755 "$two"
copy="$two/a copy of the sources"
mkdir "$copy"
tar -C "$source_dir" --exclude=./build --exclude='./build-*' --exclude=./.git -cf - . |
    tar -C "$copy" -xf -
find "$copy" -exec touch {} +
second=(env "HOME=$two")
if epoch=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null); then
    second+=("SOURCE_DATE_EPOCH=$epoch")
fi
if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$two"
    second=(setpriv --reuid=65534 --regid=65534 --clear-groups -- "${second[@]}")
fi

# Configures PRESET from SOURCE into BINARY, builds and packages.
build=(sh -c 'cmake --preset "$0" -S "$1" -B "$2" -DBUILD_TESTING=OFF -DBREVORN_BENCHMARKS=OFF &&
    cmake --build "$2" -j2 && cd "$2" && cpack')
# both PRESET: the two builds of one preset, each with its own log.
both() {
    (umask 022 && TZ=UTC LC_ALL=C "${build[@]}" "$1" "$source_dir" "$work/one/$1") \
        >"$work/one/$1.log" 2>&1 || { cat "$work/one/$1.log"; return 1; }
    (umask 077 && TZ=Asia/Tokyo LC_ALL=C.UTF-8 "${second[@]}" "${build[@]}" "$1" "$copy" \
        "$two/$1") >"$two/$1.log" 2>&1 || { cat "$two/$1.log"; return 1; }
}

failed=0
# same LABEL FILE_ONE FILE_TWO
same() {
    if cmp -s "$2" "$3"; then
        echo "same: $1 $(sha256sum <"$2" | cut -d' ' -f1)"
        return
    fi
    failed=1
    echo "DIFFERENT: $1 ($(stat -c %s "$2") and $(stat -c %s "$3") bytes)"
    { cmp -l "$2" "$3" 2>&1 || true; } |
        awk 'NR <= 20 { print "  " $0 } END { print "  " NR " lines of cmp -l" }'
    if command -v diffoscope >/dev/null; then
        diffoscope --no-progress "$2" "$3" | head -n 200 || true
    fi
}
presets=$(cmake --list-presets=configure -S "$source_dir" 2>/dev/null |
    sed -n 's/^ *"\(windows[^"]*\)".*/\1/p')
for preset in $presets dev; do
    both "$preset"
    # Each package, with the checksum the packaging wrote beside it.
    count=0
    for sums in "$work/one/$preset"/*.sha256; do
        (cd "$work/one/$preset" && sha256sum --quiet -c "$(basename "$sums")") ||
            { echo "wrong sum: $sums"; failed=1; }
        package=$(basename "${sums%.sha256}")
        same "$preset $package" "$work/one/$preset/$package" "$two/$preset/$package"
        count=$((count + 1))
    done
    # The zip and the installer for Windows, the .deb elsewhere.
    expected=1
    [ "$preset" = dev ] || expected=2
    [ $count -eq $expected ] || { echo "$preset: $count packages, not $expected"; failed=1; }
    if [ "$preset" != dev ]; then
        same "$preset Brevorn.exe" "$work/one/$preset/window/win32/Brevorn.exe" "$two/$preset/window/win32/Brevorn.exe"
    fi
done
exit $failed
