#!/bin/bash
# check_layers.sh <src folder> <layer>...
# The layers are given bottom to top. Fails, naming each offence, when a file of a layer's folder
# (or of its build-time tools in forms/<layer>/) includes a header of a layer above it, when a
# layer's CMakeLists.txt names the library of a layer above it, or when `manual`, which stands
# apart, does either for any layer.
set -u
src=$1
shift
declare -A rank owner
i=0
for layer in "$@"; do
    rank[$layer]=$i
    i=$((i + 1))
done
rank[manual]=-1

# Every header belongs to the layer whose folder holds it.
for layer in "${!rank[@]}"; do
    [ -d "$src/$layer" ] || continue
    for header in "$src/$layer"/*.h; do
        [ -e "$header" ] && owner[$(basename "$header")]=$layer
    done
done

# True when `used` may be used by `user`: the same layer or one below; manual uses none.
allowed() {
    local user=$1 used=$2
    [ "$user" = "$used" ] && return 0
    [ "${rank[$user]}" -lt 0 ] || [ "${rank[$used]}" -lt 0 ] && return 1
    [ "${rank[$used]}" -le "${rank[$user]}" ]
}

failed=0
for layer in "${!rank[@]}"; do
    [ -d "$src/$layer" ] || continue
    while IFS= read -r file; do
        while IFS= read -r header; do
            used=${owner[$(basename "$header")]:-}
            if [ -n "$used" ] && ! allowed "$layer" "$used"; then
                echo "${file#"$src"/} ($layer) includes $header of $used" >&2
                failed=1
            fi
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    done < <(find "$src/$layer" "$src/forms/$layer" -name '*.cpp' -o -name '*.h' 2>/dev/null)

    for used in $(grep -o 'parblok_[a-z]*' "$src/$layer/CMakeLists.txt" | sort -u); do
        used=${used#parblok_}
        [ -n "${rank[$used]:-}" ] || continue
        if ! allowed "$layer" "$used"; then
            echo "$layer/CMakeLists.txt ($layer) links parblok_$used" >&2
            failed=1
        fi
    done
done
[ "$failed" = 0 ] && echo "layers one way: ${*}"
exit "$failed"
