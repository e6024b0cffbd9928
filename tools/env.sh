# Shared steps of ./run and ./test: install what is missing, build, and set up Wine under a
# virtual display. Sourced, not run.

RADAR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# A helper or a second checkout may build elsewhere: RADAR_BUILD=/path ./test
RADAR_BUILD="${RADAR_BUILD:-$RADAR_ROOT/build}"
RADAR_WIN_BUILD="$RADAR_BUILD/win"
RADAR_NATIVE_BUILD="$RADAR_BUILD/native"
export WINEPREFIX="$RADAR_BUILD/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
# Wine runs in the Chinese locale: the prefix's ANSI code page is then 936, as on a Chinese
# Windows. Only Wine gets it; the build's own messages stay as they are.
RADAR_WINE_LOCALE=zh_CN.UTF-8
radar_wine() { LC_ALL=$RADAR_WINE_LOCALE wine "$@"; }
# No Mono or Gecko installers: this machine cannot fetch them and their prompts would hang.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"

RADAR_PACKAGES=(
    cmake make g++ googletest
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
    wine wine32:i386
    xvfb xauth fvwm x11-utils xdotool imagemagick
    fonts-arphic-ukai fonts-arphic-uming fonts-wqy-zenhei
    locales unzip libcpp-httplib-dev python3-openpyxl
)

radar_log() { printf '== %s\n' "$*" >&2; }

radar_install() {
    local missing=() p
    dpkg --print-foreign-architectures | grep -qx i386 || { dpkg --add-architecture i386; missing+=(i386-arch); }
    for p in "${RADAR_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        radar_log "installing: ${missing[*]}"
        apt-get update -q >/dev/null
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${RADAR_PACKAGES[@]}" >/dev/null
    fi
    if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
        radar_log "generating the zh_CN.UTF-8 locale"
        localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
    fi
}

radar_build() {
    local jobs
    jobs=$(nproc)
    cmake -S "$RADAR_ROOT" -B "$RADAR_NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$RADAR_NATIVE_BUILD" -j "$jobs" "$@"
    cmake -S "$RADAR_ROOT" -B "$RADAR_WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$RADAR_ROOT/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$RADAR_WIN_BUILD" -j "$jobs" "$@"
}

# A virtual display with a window manager, unless one is given. Sets DISPLAY.
radar_start_display() {
    if [ -n "${RADAR_DISPLAY_STARTED:-}" ]; then return; fi
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 2560x1440x24 -nolisten tcp >/dev/null 2>&1 &
    RADAR_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    # Frames, activation and focus as on a desktop.
    fvwm -f "$RADAR_ROOT/tools/fvwm.conf" >/dev/null 2>&1 &
    RADAR_WM_PID=$!
    RADAR_DISPLAY_STARTED=1
}

radar_stop_display() {
    [ -n "${RADAR_WM_PID:-}" ] && kill "$RADAR_WM_PID" 2>/dev/null
    [ -n "${RADAR_XVFB_PID:-}" ] && kill "$RADAR_XVFB_PID" 2>/dev/null
    RADAR_DISPLAY_STARTED=
}

# The Wine prefix lives in the build folder; made once, then reused.
radar_prepare_wine() {
    local stamp="$WINEPREFIX/.radar-prefix-v1"
    if [ ! -f "$stamp" ]; then
        radar_log "making the Wine prefix in $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        LC_ALL=$RADAR_WINE_LOCALE wineboot -i >/dev/null 2>&1
        wineserver -w
        # regedit reads Chinese names only from a UTF-16 file.
        { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$RADAR_ROOT/tools/wine-prefix.reg"; } \
            >"$WINEPREFIX/drive_c/radar.reg"
        radar_wine regedit /S 'C:\radar.reg' >/dev/null 2>&1
        wineserver -w
        touch "$stamp"
    fi
    # One wineserver for the whole run: every Wine process start after the first is then fast.
    LC_ALL=$RADAR_WINE_LOCALE wineserver -p >/dev/null 2>&1 </dev/null
    # Start Wine's own services now, with no terminal or pipe: a later Wine process would start
    # them with its output, and a test runner would then wait for that pipe forever.
    radar_wine cmd /c exit >/dev/null 2>&1 </dev/null
}

radar_stop_wine() { wineserver -k 2>/dev/null || true; }
