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
    probe=$(mktemp "${TMPDIR:-/tmp}/norq-i386.XXXXXX")
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
    printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
    printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000' >>"$probe"
    printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010' >>"$probe"
    printf '\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000' >>"$probe"
    printf '\000\020\000\000\270\001\000\000\000\061\333\315\200' >>"$probe"
    chmod +x "$probe"
    ok=0
    "$probe" 2>/dev/null || ok=1
    rm -f "$probe"
    return $ok
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
        use_tree "$shipped" i686
    else
        echo "norq idle: the 64-bit build under 64-bit Wine ($why); the 32-bit program is built and checked for Windows XP, not run."
        use_tree "$shipped/x86_64" x86_64
    fi
}

# Points Wine at the build folder $1 of architecture $2: its loader and server,
# its own prefix, and "wine" and "wineserver" first on the path.
use_tree() {
    build=$1 arch=$2
    if [ $arch = i686 ]; then
        export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
    else
        export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
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
    case :$PATH: in
    *":$build/wine-bin:"*) ;;
    *) PATH="$build/wine-bin:$PATH" ;;
    esac
}

# use_tree, for a tree that scripts/test.sh has made ready: its tests'
# scripts run it so, and say in one sentence what to do where it cannot run.
use_built_tree() {
    [ "$2" = i686 ] && ! runs_32bit &&
        fail "this kernel runs no 32-bit programs, so the tests of the 32-bit build cannot run here; those of the 64-bit build can: sh scripts/test.sh"
    use_tree "$1" "$2"
    [ -f "$WINEPREFIX/.norq-ready" ] ||
        fail "$1 has no Wine prefix yet; sh scripts/test.sh makes it (and installs, builds and tests)."
}

# Writes a script at $1 that runs the program $2 with its arguments.
wrap() {
    line="exec $2 \"\$@\""
    [ "$(sed -n 2p "$1" 2>/dev/null)" = "$line" ] && return 0
    # Never through what stands there: an older tree has a link to the loader.
    rm -f "$1"
    printf '#!/bin/sh\n%s\n' "$line" >"$1"
    chmod +x "$1"
}

# What a command needs installed: "run" (build and run the program),
# "test" (also the fuzzers and the check on 64-bit Wine).
install_packages() { sh "$top/scripts/install.sh" "$arch" "$1"; }

# The tree that runs here, and the 32-bit program wherever that is not it.
build_all() {
    configure "$build" "$arch"
    cmake --build "$build" -j "$(nproc)"
    if [ "$build" != "$shipped" ]; then
        configure "$shipped" i686
        cmake --build "$shipped" -j "$(nproc)" --target norqidle
    fi
}

# Configures the build folder $1 for architecture $2 with the arguments after,
# unless it was configured to the end with the same toolchain and arguments
# (CMake reads a toolchain file only when a tree is new). Its output is kept
# in configure.log and shown when it fails.
configure() {
    dir=$1 toolchain="$top/cmake/mingw-$2.cmake"
    shift 2
    mkdir -p "$dir"
    stamp="$(cat "$toolchain" "$top/cmake/mingw.cmake" | cksum) $*"
    [ -f "$dir/CMakeCache.txt" ] && [ "$(cat "$dir/.configured" 2>/dev/null)" = "$stamp" ] && return 0
    rm -f "$dir/.configured"
    if ! cmake --fresh -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" "$@" >"$dir/configure.log" 2>&1; then
        tail -n 30 "$dir/configure.log" >&2
        fail "CMake could not configure $dir (all it said: $dir/configure.log)."
    fi
    echo "$stamp" >"$dir/.configured"
}

# The fuzzing harnesses, natively with clang, into the folder named
# (scripts/fuzz.sh runs them).
build_fuzzers() {
    command -v clang++ >/dev/null || fail "clang++ is missing, which the fuzzers need; sh scripts/test.sh installs it (as root)."
    if [ ! -f "$1/CMakeCache.txt" ]; then
        cmake -S "$top/tests/fuzz" -B "$1" -DCMAKE_CXX_COMPILER=clang++ \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$1" -j "$(nproc)"
}

# The tests of the pure logic (tests/logic), built natively with the
# machine's own g++ into $shipped/logic (one folder whatever the
# architecture) and run with the arguments given: no Wine, no display.
logic_tests() {
    dir="$shipped/logic"
    mkdir -p "$dir"
    if [ ! -f "$dir/CMakeCache.txt" ] && ! cmake -S "$top/tests/logic" -B "$dir" \
            -DCMAKE_CXX_COMPILER=g++ >"$dir/configure.log" 2>&1; then
        tail -n 30 "$dir/configure.log" >&2
        fail "CMake could not configure the logic tests in $dir (all it said: $dir/configure.log)."
    fi
    cmake --build "$dir" -j "$(nproc)" >"$dir/build.log" 2>&1 || {
        grep -E -A5 'error|Error' "$dir/build.log" | head -n 40 >&2
        fail "the logic tests did not build (all the compiler said: $dir/build.log)."
    }
    "$dir/norq_logic_tests" "$@"
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

# The 64-bit path must start 64-bit Wine only. Where 32-bit Wine is installed
# and runs, a 32-bit loader started by mistake hands the programs back to the
# 64-bit one and everything passes; where it is not, nothing starts. So every
# program that a short Wine run starts, or tries to, is looked at: none may be
# a 32-bit program or bear the name of 32-bit Wine's loader, preloader or
# server.
check_64bit_wine() {
    trace="$build/wine-exec.log"
    wineserver -k 2>/dev/null || true
    ran=0
    strace -f -qq -e trace=execve -o "$trace" sh -c 'wine cmd.exe /c exit && wineserver -k' \
        >/dev/null 2>&1 || ran=1
    wine32=""
    sed -n 's/^[0-9]* *execve("\([^"]*\)".*/\1/p' "$trace" | sort -u >"$trace.paths"
    while read -r path; do
        case $path in
        "${WINELOADER%/*}"/wine | "${WINELOADER%/*}"/wine-preloader | */wineserver32)
            wine32="$wine32 $path" ;;
        *) [ "$(od -An -N5 -tx1 "$path" 2>/dev/null | tr -d ' ')" = 7f454c4601 ] &&
            wine32="$wine32 $path" ;;
        esac
    done <"$trace.paths"
    rm -f "$trace.paths"
    [ -z "$wine32" ] ||
        fail "the 64-bit path started 32-bit Wine:$wine32 (every program it started: $trace)."
    [ $ran = 0 ] && grep -q "execve(\"$WINELOADER\".* = 0" "$trace" ||
        fail "a short run of 64-bit Wine (wine cmd.exe /c exit) failed (the programs it started: $trace)."
    echo "norq idle: 64-bit Wine alone runs here: $(grep -c 'execve(.* = 0' "$trace") programs started, none of them 32-bit."
}

# Everything a command needs before it runs a Windows program; $1 as for
# install_packages. For "test", the logic tests run first: they take seconds,
# and where one fails nothing is built for Windows and Wine never starts.
prepare() {
    choose_arch
    t0=$(date +%s)
    install_packages "$1"
    t1=$(date +%s)
    if [ "$1" = test ]; then
        logic_tests --gtest_brief=1 ||
            fail "a logic test failed (above: sh scripts/logic.sh runs them alone); nothing ran under Wine."
    fi
    t2=$(date +%s)
    build_all
    t3=$(date +%s)
    make_prefix
    t4=$(date +%s)
    logic=""
    [ "$1" = test ] && logic=" logic tests $((t2 - t1)) s,"
    echo "norq idle: ready in $((t4 - t0)) s: packages $((t1 - t0)) s,$logic build $((t3 - t2)) s, Wine prefix $((t4 - t3)) s."
}

# A desk for Windows programs: a virtual display (or the current one, with
# "here"), a PulseAudio server private to the desk with one null sink (Wine
# needs a sound server even without a sound card) whose monitor is recorded
# all along (8 kHz, mono, 16-bit, raw) into the file NORQ_AUDIO_CAPTURE names
# as a Windows path, and a wineserver with Wine's background processes. Its
# addresses are kept in $build/desk/env for every program run on it, the
# tests' own among them (tests/wine-run.sh).
open_desk() {
    close_desk
    desk="$build/desk"
    rm -rf "$desk"; mkdir -p "$desk"
    : >"$desk/pids"
    if [ "${1:-}" != here ]; then
        # -displayfd picks a free display and writes its number once it takes
        # connections.
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$desk/display" \
            </dev/null >"$desk/display.log" 2>&1 &
        echo $! >>"$desk/pids"
        i=0
        until [ -s "$desk/display" ] || [ $i -ge 100 ]; do sleep 0.1; i=$((i + 1)); done
        [ -s "$desk/display" ] ||
            fail "the virtual display (Xvfb) did not start within 10 s (its log: $desk/display.log)."
        echo "export DISPLAY=:$(cat "$desk/display")" >>"$desk/env"
    fi
    # The server's socket and state live in a short path of their own (a
    # socket's path has room for about a hundred bytes), and clients keep their
    # cookie there, not in the user's home. The address is the desk's unless
    # NORQ_SOUND_SERVER names another (a test of the program without one).
    sound=$(mktemp -d "${TMPDIR:-/tmp}/norq-sound.XXXXXX")
    echo "$sound" >"$desk/sound"
    cat >>"$desk/env" <<EOF
export PULSE_SERVER=\${NORQ_SOUND_SERVER:-unix:$sound/native} PULSE_COOKIE=$sound/cookie
export NORQ_AUDIO_CAPTURE='Z:$(printf '%s' "$desk/capture.raw" | tr / '\\')'
EOF
    . "$desk/env"
    HOME=$sound XDG_RUNTIME_DIR=$sound pulseaudio -n --daemonize=no --system=no \
        --use-pid-file=no --exit-idle-time=-1 --realtime=no --high-priority=no \
        -L "module-native-protocol-unix socket=$sound/native auth-anonymous=1" \
        -L "module-null-sink sink_name=cap rate=48000 channels=2 format=s16le norewinds=1" \
        </dev/null >"$desk/sound-server.log" 2>&1 &
    echo $! >>"$desk/pids"
    i=0
    until pactl info >/dev/null 2>&1 || [ $i -ge 50 ]; do sleep 0.1; i=$((i + 1)); done
    pactl info >/dev/null 2>&1 ||
        fail "the private sound server (PulseAudio) did not answer within 5 s (its log: $desk/sound-server.log)."
    # A short latency, or parec holds back seconds and loses the tail.
    parec --device=cap.monitor --latency-msec=10 --format=s16le --rate=8000 --channels=1 \
        --raw </dev/null >"$desk/capture.raw" 2>"$desk/recorder.log" &
    echo $! >>"$desk/pids"
    # A wineserver remembers the display it started under: a fresh one that
    # stays, with Wine's own background processes, started here so that their
    # output goes nowhere (started by a test instead, they would keep its
    # output open after it ended).
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1
}

# Ends what open_desk started, its logs kept.
close_desk() {
    [ -f "$build/desk/pids" ] || return 0
    wineserver -k 2>/dev/null || true
    # shellcheck disable=SC2046
    kill $(cat "$build/desk/pids") 2>/dev/null || true
    rm -rf "$(cat "$build/desk/sound" 2>/dev/null)"
    rm -f "$build/desk/pids" "$build/desk/env" "$build/desk/sound"
}
