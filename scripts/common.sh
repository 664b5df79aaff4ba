# Shared by the entry points: where things are, and how Windows programs run
# here. Sourced, not run.

top=$(cd "$(dirname "$0")/.." && pwd)
build=${NORQ_BUILD:-$top/build}

# Wine: a 32-bit prefix of the build's own; the ANSI code page follows the
# locale, and the chat lines' bytes assume code page 1252.
export WINEPREFIX="$build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8

install_packages() { sh "$top/scripts/install.sh"; }

build_all() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
    fi
    cmake --build "$build" -j "$(nproc)"
    build_fuzzers
}

# The fuzzing harnesses, natively with clang (scripts/fuzz.sh runs them).
build_fuzzers() {
    command -v clang++ >/dev/null || { echo "clang++ is missing (scripts/install.sh)" >&2; return 1; }
    if [ ! -f "$build/fuzz/CMakeCache.txt" ]; then
        cmake -S "$top/tests/fuzz" -B "$build/fuzz" -DCMAKE_CXX_COMPILER=clang++ \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$build/fuzz" -j "$(nproc)"
}

# Creates the prefix once per build folder. Closing a top-level window stalls
# two seconds under an X server without a window manager unless Wine leaves
# window management alone.
make_prefix() {
    [ -f "$WINEPREFIX/.norq-ready" ] && return 0
    echo "creating the Wine prefix (once per build folder)..."
    wineboot -u >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.norq-ready"
}

# Starts a wineserver that stays, with Wine's own background processes, whose
# output goes nowhere: started by a test instead, they would inherit its
# output and keep it open after the test has ended.
start_wine() {
    wineserver -p
    wine wineboot </dev/null >/dev/null 2>&1
}

# Runs a command on a virtual display of its own, with a fresh wineserver
# that ends with it (a wineserver remembers the display it started under).
on_virtual_display() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        sh -c '. "$0"; start_wine; "$@"; rc=$?; wineserver -k 2>/dev/null; exit $rc' \
        "$top/scripts/common.sh" "$@"
}
