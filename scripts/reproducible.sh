#!/bin/sh
# Proves that anyone can check a download against the source: packages this
# tree twice with scripts/package.sh, from two copies at paths of different
# lengths, one after the other, in different time zones and under different
# umasks, and fails unless the two zips are the same byte for byte. A
# difference is named: the file in the zip and, in norqidle.exe, the header
# fields and sections it is in. About a minute and a half; CI runs it on every
# change.
set -eu
. "$(dirname "$0")/common.sh"

sh "$top/scripts/install.sh" package
# Two clones of one commit are dated alike.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$top" log -1 --format=%ct) || fail "$top is not a git clone."
fi
export SOURCE_DATE_EPOCH

work=$(mktemp -d "${TMPDIR:-/tmp}/norq-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
first="$work/a"
second="$work/another/folder/for/the/second/copy"

# What a fresh clone of the tree as it stands would hold, changes not yet
# committed included, with the files' times those of the copy.
copy() {
    mkdir -p "$1"
    (cd "$top" && git ls-files -z --cached --others --exclude-standard |
        tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xmf - -C "$1"
}

# Packages the copy in $1; the rest is the environment to do it in.
package() {
    dir=$1
    shift
    copy "$dir"
    echo "packaging in $dir..."
    (cd "$dir" && env "$@" sh scripts/package.sh) >"$dir.log" 2>&1 || {
        cat "$dir.log" >&2
        fail "packaging in $dir failed."
    }
}
package "$first" TZ=UTC
(umask 077 && package "$second" TZ=Pacific/Chatham)

zip_a=$(ls "$first"/dist/*.zip)
zip_b=$(ls "$second"/dist/*.zip)
if cmp -s "$zip_a" "$zip_b"; then
    echo "the same zip from both copies: $(basename "$zip_a"), SHA-256 $(sha256sum "$zip_a" | cut -d' ' -f1)"
    exit 0
fi

# Where the programs $1 and $2 differ: the header fields objdump shows apart,
# then how many bytes differ in the headers and in each section.
describe_exe() {
    i686-w64-mingw32-objdump -p "$1" | sed 1,2d >"$work/headers.a"
    i686-w64-mingw32-objdump -p "$2" | sed 1,2d >"$work/headers.b"
    i686-w64-mingw32-objdump -h "$1" >"$work/sections"
    echo "  header fields (first copy <, second copy >):"
    diff "$work/headers.a" "$work/headers.b" | grep '^[<>]' | sed 's/^/    /' || true
    cmp -l "$1" "$2" | awk -v sections="$work/sections" '
        function hex(s,   n, i) {
            n = 0
            for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
            return n
        }
        BEGIN {
            while ((getline line < sections) > 0) {
                split(line, f)
                # Sections with no bytes in the file (.bss) stand at offset 0.
                if (f[1] ~ /^[0-9]+$/ && hex(f[6]) > 0) {
                    ++n; name[n] = f[2]; size[n] = hex(f[3]); start[n] = hex(f[6])
                    if (n == 1 || start[n] < headers) headers = start[n]
                }
            }
        }
        {
            at = $1 - 1
            where = at < headers ? "the headers" : "no section"
            for (i = 1; i <= n; i++) if (at >= start[i] && at < start[i] + size[i]) where = "section " name[i]
            if (!(where in count)) { order[++places] = where; first[where] = at }
            count[where]++
        }
        END {
            for (i = 1; i <= places; i++)
                printf "  %d bytes differ in %s, the first at offset 0x%x\n", count[order[i]], order[i], first[order[i]]
        }'
}

echo "the two copies gave different zips: $(basename "$zip_a")" >&2
found=""
for name in norqidle.exe README.txt; do
    a="$first/build/package/zip/$name" b="$second/build/package/zip/$name"
    cmp -s "$a" "$b" && continue
    found=yes
    echo "$name differs:" >&2
    if [ "$name" = norqidle.exe ]; then
        describe_exe "$a" "$b" >&2
    else
        diff "$a" "$b" | sed 's/^/  /' >&2 || true
    fi
done
if [ -z "$found" ]; then
    echo "their files are the same; the zips differ in their own bytes (dates, attributes, order):" >&2
    cmp -l "$zip_a" "$zip_b" | head -n 10 | sed 's/^/  /' >&2
fi
fail "the same source gave two different downloads; see above."
