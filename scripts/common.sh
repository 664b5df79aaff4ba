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
    if [ ! -f "$WINEPREFIX/.norq-ready" ]; then
        echo "creating the Wine prefix (once per build folder)..."
        wineboot -u >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.norq-ready"
    fi
    wine_fonts
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

# DirectShow under Wine plays through GStreamer; its registry of plugins is
# made once per build folder instead of in the user's home.
export GST_REGISTRY_1_0="$build/gst-registry.bin"

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
