#!/usr/bin/env bash
# Runs cppcheck over every .cpp file under the given folders and fails on any
# finding. Qt and GoogleTest come in as cppcheck's own descriptions of them
# rather than their headers, which keeps the run to seconds and the findings
# to our code. Headers generated at configure time sit in the build's copy of
# the folder they belong to.
# Usage: [CPPCHECK_OPTIONS=...] cppcheck.sh CPPCHECK SUPPRESSIONS SOURCE_DIR BUILD_DIR FOLDER...
set -euo pipefail
cppcheck=$1 suppressions=$2 source=$3 build=$4
shift 4

cd "$source"
. tests/static/our_sources.sh
includes=(-I "$source")
for folder in "$@"; do
    if [[ -d $build/$folder ]]; then
        includes+=(-I "$build/$folder")
    fi
done

# From cppcheck 2.11 the normal level cuts the analysis of long functions short,
# and says so as a finding; our files are few and small enough for all of it.
# The help is read whole first: grep -q stops at its first match, and a cppcheck
# still writing then dies of SIGPIPE, which pipefail would take for "no".
depth=()
help=$("$cppcheck" --help || true)
if [[ $help == *--check-level=* ]]; then
    depth=(--check-level=exhaustive)
fi

# shellcheck disable=SC2086  # a list of options, split on purpose
"$cppcheck" ${CPPCHECK_OPTIONS:-} "${depth[@]}" --enable=warning,performance,portability,style --error-exitcode=1 --inline-suppr \
    --std=c++20 --language=c++ --library=qt --library=googletest "${includes[@]}" \
    --suppressions-list="$suppressions" -j2 --quiet \
    --template='{file}:{line}:{column}: {severity}: {message} [{id}]' "${files[@]}"
echo "cppcheck: ${#files[@]} files, no findings"
