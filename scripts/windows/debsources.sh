# Source packages from Debian's own archive: a deb-src twin of each of the machine's Debian
# entries, in a list of our own, so that `apt-get source` works without naming any host.

BLACHORYS_DEB_SRC_LIST=/etc/apt/sources.list.d/blachorys-deb-src.sources

# The machine's deb822 stanzas that are Debian's (signed with Debian's archive key), with
# their type turned into deb-src.
debian_source_stanzas() {
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ "$file" = "$BLACHORYS_DEB_SRC_LIST" ] && continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /Signed-By:[^\n]*debian-archive-keyring/ && /Types:[^\n]*deb/ {
                 sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
    done
}

# The same for one-line entries of /etc/apt/sources.list.
debian_source_lines() {
    [ -f /etc/apt/sources.list ] || return 0
    grep -E '^deb[[:space:]]+[^#]*/debian(-security)?/?[[:space:]]' /etc/apt/sources.list |
        sed -E 's/^deb([[:space:]])/deb-src\1/' || true
}

ensure_debian_sources() {
    if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
        return 0
    fi
    local as_root=()
    [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    local stanzas lines
    stanzas=$(debian_source_stanzas)
    lines=$(debian_source_lines)
    if [ -z "$stanzas" ] && [ -z "$lines" ]; then
        echo "No Debian entry in the apt sources to make a deb-src entry from" >&2
        return 1
    fi
    [ -n "$stanzas" ] && printf '%s\n' "$stanzas" | "${as_root[@]}" tee "$BLACHORYS_DEB_SRC_LIST" >/dev/null
    [ -n "$lines" ] && printf '%s\n' "$lines" |
        "${as_root[@]}" tee /etc/apt/sources.list.d/blachorys-deb-src.list >/dev/null
    "${as_root[@]}" apt-get update
}

# Unpacks Debian's source of package $1 at version $2 (its patches applied) into directory $3
# and prints the source tree's path.
fetch_debian_source() {
    local package=$1 version=$2 into=$3
    mkdir -p "$into"
    (cd "$into" && apt-get source --quiet "$package=$version" >&2)
    find "$into" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1
}
