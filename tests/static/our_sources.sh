# Sourced: fills `files` with every .cpp under the given folders, in a stable
# order, and fails when there are none (an analysis of nothing passes silently).
mapfile -d '' files < <(find "$@" -name '*.cpp' -print0 | sort -z)
if ((${#files[@]} == 0)); then
    echo "no .cpp files under $*" >&2
    exit 1
fi
