# Shared by the entry points: where things are, and how Windows programs run
# here. Sourced, not run.

top=$(cd "$(dirname "$0")/.." && pwd)
# The build of the program as shipped: 32-bit, Windows XP and later.
shipped=${NORQ_BUILD:-$top/build}
# The build that runs here: choose_arch moves it for the 64-bit path and
# hands it to the scripts it starts.
build=${NORQ_TREE:-$shipped}

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=d"
# Wine's ANSI code page follows the locale, and the chat lines' bytes assume
# code page 1252.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

# Says why the command cannot go on, in one sentence, and ends it.
fail() {
    echo "norq idle: $*" >&2
    exit 1
}

# Whether this kernel runs 32-bit x86 programs: some have IA-32 emulation
# left out or switched off, and then 32-bit Wine cannot start at all. Asked of
# the kernel itself, with the smallest such program there is (an ELF header
# and "exit(0)"), so the answer needs no package.
runs_32bit() {
    mkdir -p "$shipped"
    probe="$shipped/.probe-i386"
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
    printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
    printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000' >>"$probe"
    printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010' >>"$probe"
    printf '\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000' >>"$probe"
    printf '\000\020\000\000\270\001\000\000\000\061\333\315\200' >>"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
}

# Picks the Windows architecture to build for and test here, says which and
# why, and points Wine and the build folder at it. The 32-bit program is the
# one shipped; the 64-bit build of the same source is how a machine that runs
# no 32-bit programs still builds, runs and tests everything.
choose_arch() {
    case ${NORQ_ARCH:-} in
    i686)
        runs_32bit || fail "NORQ_ARCH=i686 asks for 32-bit Wine, but this kernel runs no 32-bit programs (no IA-32 emulation); leave NORQ_ARCH unset or set it to x86_64 to build and test the 64-bit program instead."
        arch=i686 why="NORQ_ARCH asks for it" ;;
    x86_64) arch=x86_64 why="NORQ_ARCH asks for it" ;;
    "")
        if runs_32bit; then
            arch=i686 why="this kernel runs 32-bit programs"
        else
            arch=x86_64 why="this kernel runs no 32-bit programs, so 32-bit Wine cannot start here"
        fi ;;
    *) fail "NORQ_ARCH is '$NORQ_ARCH'; it must be i686, x86_64 or unset." ;;
    esac
    if [ $arch = i686 ]; then
        echo "norq idle: the 32-bit program (as shipped) under 32-bit Wine: $why."
        export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
    else
        echo "norq idle: the 64-bit build under 64-bit Wine ($why); the 32-bit program is built and checked for Windows XP, not run."
        export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
        build=$shipped/x86_64
    fi
    export NORQ_TREE="$build" WINEPREFIX="$build/wineprefix"
    # DirectShow under Wine plays through GStreamer; its registry of plugins is
    # made once per build folder instead of in the user's home.
    export GST_REGISTRY_1_0="$build/gst-registry.bin"
    # "wine" and "wineserver" name this architecture's loader and server for
    # every script and test below (the system's own pick 32-bit whenever
    # it is installed). Scripts that run them by full path, not links: the
    # loader starts itself again through a preloader chosen by its own file
    # name, and the 64-bit loader called "wine" starts the 32-bit one.
    mkdir -p "$build/wine-bin"
    wrap "$build/wine-bin/wine" "$WINELOADER"
    wrap "$build/wine-bin/wineserver" "$WINESERVER"
    PATH="$build/wine-bin:$PATH"
}

# Writes a script at $1 that runs the program $2 with its arguments.
wrap() {
    # Never through what stands there: an older tree has a link to the loader.
    rm -f "$1"
    printf '#!/bin/sh\nexec %s "$@"\n' "$2" >"$1"
    chmod +x "$1"
}

install_packages() { sh "$top/scripts/install.sh" "$arch"; }

# The tree that runs here, and the 32-bit program wherever that is not it.
build_all() {
    configure "$build" "$arch"
    cmake --build "$build" -j "$(nproc)"
    if [ "$build" != "$shipped" ]; then
        configure "$shipped" i686
        cmake --build "$shipped" -j "$(nproc)" --target norqidle
    fi
    build_fuzzers "$build/fuzz"
}

configure() {
    [ -f "$1/CMakeCache.txt" ] && return 0
    cmake -S "$top" -B "$1" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$2.cmake" >/dev/null
}

# The fuzzing harnesses, natively with clang, into the folder named
# (scripts/fuzz.sh runs them).
build_fuzzers() {
    command -v clang++ >/dev/null || fail "clang++ is missing; run scripts/install.sh as root."
    if [ ! -f "$1/CMakeCache.txt" ]; then
        cmake -S "$top/tests/fuzz" -B "$1" -DCMAKE_CXX_COMPILER=clang++ \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$1" -j "$(nproc)"
}

# Creates the prefix once per build folder. Closing a top-level window stalls
# two seconds under an X server without a window manager unless Wine leaves
# window management alone.
make_prefix() {
    if [ ! -f "$WINEPREFIX/.norq-ready" ]; then
        echo "creating the Wine prefix (once per build folder)..."
        wine wineboot -u >"$build/wineboot.log" 2>&1 ||
            fail "Wine could not create its prefix in $WINEPREFIX (its output: $build/wineboot.log)."
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.norq-ready"
    fi
    wine_fonts
    prefer_pulse
}

# Wine's own fonts (package fonts-wine: Marlett for the title bar's buttons,
# Tahoma, MS Sans Serif, Fixedsys, Webdings, ...). Debian's Wine 8 does not
# find them where the package puts them, so without this only the system's
# Linux fonts are seen: title bars show "0 1 r" and MS Sans Serif is replaced.
# Copied into the prefix's Fonts folder, where Wine loads every font it finds.
# Also for prefixes made before.
wine_fonts() {
    [ -f "$WINEPREFIX/.norq-fonts" ] && return 0
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
    touch "$WINEPREFIX/.norq-fonts"
}

# Sound goes to PulseAudio only: without a server, opening a file fails
# plainly rather than falling back to a device that may not be there.
# Also for prefixes made before the player came.
prefer_pulse() {
    [ -f "$WINEPREFIX/.norq-pulse" ] && return 0
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d pulse /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.norq-pulse"
}

# Everything a command needs before it runs a Windows program.
prepare() {
    choose_arch
    install_packages
    build_all
    make_prefix
}

# Runs a command beside a PulseAudio server private to the run, with one null
# sink: Wine needs a sound server even without a sound card. The sink's
# monitor is recorded all along (8 kHz, mono, 16-bit, raw) into the file that
# NORQ_AUDIO_CAPTURE names as a Windows path, so tests can hear what came out.
with_audio() {
    audio=$(mktemp -d "${TMPDIR:-/tmp}/norq-audio.XXXXXX")
    # Clients keep their cookie here, not in the user's home. Set before the
    # server starts, so every process of the run carries the same address.
    export PULSE_SERVER="unix:$audio/native" PULSE_COOKIE="$audio/cookie"
    HOME=$audio XDG_RUNTIME_DIR=$audio pulseaudio -n --daemonize=no --system=no \
        --use-pid-file=no --exit-idle-time=-1 --realtime=no --high-priority=no \
        -L "module-native-protocol-unix socket=$audio/native auth-anonymous=1" \
        -L "module-null-sink sink_name=cap rate=48000 channels=2 format=s16le norewinds=1" \
        >"$audio/server.log" 2>&1 &
    server=$!
    i=0
    until pactl info >/dev/null 2>&1 || [ $i -ge 50 ]; do sleep 0.1; i=$((i + 1)); done
    # A short latency, or parec holds back seconds and loses the tail.
    parec --device=cap.monitor --latency-msec=10 --format=s16le --rate=8000 --channels=1 \
        --raw >"$audio/capture.raw" 2>/dev/null &
    recorder=$!
    export NORQ_AUDIO_CAPTURE="Z:$(printf '%s' "$audio/capture.raw" | tr / '\\')"
    rc=0
    "$@" || rc=$?
    kill $recorder $server 2>/dev/null
    wait $recorder $server 2>/dev/null
    rm -rf "$audio"
    unset PULSE_SERVER PULSE_COOKIE NORQ_AUDIO_CAPTURE
    return $rc
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
