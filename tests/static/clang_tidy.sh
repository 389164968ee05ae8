#!/usr/bin/env bash
# Runs clang-tidy, with the repository's .clang-tidy, over every .cpp file under
# the given folders, two files at a time, and fails on any finding. Files the
# build does not compile with its own compiler (the fuzzer, built by clang)
# borrow the flags of their nearest neighbour in compile_commands.json.
# Usage: clang_tidy.sh CLANG_TIDY SOURCE_DIR BUILD_DIR FOLDER...
set -euo pipefail
export tidy=$1 source=$2 build=$3
shift 3

cd "$source"
. tests/static/our_sources.sh

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export logs
# g++'s warning flags are in the compile commands; clang need not know them all.
# shellcheck disable=SC2016  # the inner shell expands the exported variables
printf '%s\0' "${files[@]}" | xargs -0 -P2 -I{} bash -c '
    log=$logs/${1//\//_}.log
    "$tidy" -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option "$source/$1" \
        >"$log" 2>&1 || echo "$1" >>"$logs/failed"' _ {}

if [[ ! -e $logs/failed ]]; then
    echo "clang-tidy: ${#files[@]} files, no findings"
    exit 0
fi
sort "$logs/failed" | while read -r file; do
    echo "=== $file"
    grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' "$logs/${file//\//_}.log"
done
echo "clang-tidy: findings in $(wc -l <"$logs/failed") of ${#files[@]} files"
exit 1
