#!/bin/sh
# Makes the download for Windows users: builds the 32-bit program as shipped,
# afresh and with no Wine, and writes dist/norq-idle-VERSION-windows.zip with
# norqidle.exe and a README.txt for them. Prints the SHA-256 of the zip and of
# norqidle.exe.
#
# The same commit gives the same zip, byte for byte, wherever and whenever it
# is packaged on Debian 12 (the compilers' versions are part of the bytes):
# the program carries no time or build folder (CMakeLists.txt), and the zip
# holds its two files in a fixed order, dated at the commit's time (or at
# SOURCE_DATE_EPOCH), with fixed attributes. scripts/reproducible.sh proves it.
set -eu
. "$(dirname "$0")/common.sh"

sh "$top/scripts/install.sh" package

epoch=${SOURCE_DATE_EPOCH:-}
if [ -z "$epoch" ]; then
    epoch=$(git -C "$top" log -1 --format=%ct 2>/dev/null) ||
        fail "the files in the zip are dated at the commit's time, but $top is not a git clone; set SOURCE_DATE_EPOCH to a time in seconds."
fi
# The program must carry no time at all, whoever builds it: the linker would
# write this one as its time.
unset SOURCE_DATE_EPOCH

out="$top/build/package"
rm -rf "$out"
mkdir -p "$out"
echo "building norqidle.exe (32-bit, as shipped)..."
# The program's own build inside a test build (see CMakeLists.txt), without
# the tests' tree around it: the same bytes.
cmake -S "$top" -B "$out" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" \
    -DNORQ_THREAD_MODEL=win32 -DNORQ_PROGRAM_ONLY=ON >"$out.log" 2>&1 &&
    cmake --build "$out" -j "$(nproc)" >>"$out.log" 2>&1 ||
    fail "the build failed; its output is in $out.log."

version=$(sed -n 's/^#define NORQ_VERSION "\(.*\)"$/\1/p' "$out/norq_version.h")
[ -n "$version" ] || fail "no version in $out/norq_version.h."
files="$out/zip"
mkdir -p "$files"
cp "$out/norqidle.exe" "$files/norqidle.exe"
exe_sum=$(sha256sum "$files/norqidle.exe" | cut -d' ' -f1)
# Windows line ends, whatever the checkout's.
sed -e "s/@VERSION@/$version/; s/@SHA256@/$exe_sum/" -e 's/\r$//; s/$/\r/' \
    "$top/docs/windows-readme.txt" >"$files/README.txt"

# zip takes each file's date (in local time) and its permissions from the
# file system, and reads options from ZIP and ZIPOPT; -X leaves out the extra
# fields (owner, time stamps to the second).
mkdir -p "$top/dist"
zip="$top/dist/norq-idle-$version-windows.zip"
rm -f "$zip"
chmod 644 "$files/norqidle.exe" "$files/README.txt"
touch -d "@$epoch" "$files/norqidle.exe" "$files/README.txt"
(cd "$files" && env -u ZIP -u ZIPOPT TZ=UTC zip -X -9 -q "$zip" norqidle.exe README.txt)

echo
echo "$zip"
echo "  zip          SHA-256 $(sha256sum "$zip" | cut -d' ' -f1)"
echo "  norqidle.exe SHA-256 $exe_sum"
