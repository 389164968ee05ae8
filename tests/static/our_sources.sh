# Sourced: fills `files` with every .cpp under the given folders, in a stable
# order, and fails when there are none (an analysis of nothing passes silently).
# Windows-only folders below a given one are left to the Windows analysis.
mapfile -d '' files < <(find "$@" -mindepth 1 \( -name win32 -o -name windows \) -prune -o \
    -name '*.cpp' -print0 | sort -z)
if ((${#files[@]} == 0)); then
    echo "no .cpp files under $*" >&2
    exit 1
fi
