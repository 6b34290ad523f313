#!/usr/bin/env bash
# Starts or stops the private test session of the Windows build: a virtual X display
# and a Wine server on a throwaway prefix inside the build tree.
#   wine-session.sh start STATE_DIR
#   wine-session.sh stop  STATE_DIR
set -euo pipefail

action=$1
state=$2
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export LC_ALL=C

start_display() {
    local n
    for n in $(seq 91 160); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            # Wine's desktop fills the screen, which has room for a program at twice
            # the DPI (the scaling tests).
            setsid Xvfb ":$n" -screen 0 2048x1536x24 -nolisten tcp \
                </dev/null >"$state/xvfb.log" 2>&1 &
            echo $! >"$state/xvfb.pid"
            for _ in $(seq 100); do
                [ -e "/tmp/.X11-unix/X$n" ] && { echo "$n" >"$state/display"; return 0; }
                kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
                sleep 0.1
            done
        fi
    done
    echo "wine-session: could not start Xvfb" >&2
    return 1
}

# Wine ships fonts of its own that this installation does not load by itself: the
# symbol font of the caption buttons and scroll bars (without it they show the letters
# "0 1 r"), and Tahoma, the font of the tooltips and the gallery (a substitute for it
# is measured too narrow by Wine's tooltips, which then cut the last letter off).
install_wine_fonts() {
    local folder font
    for folder in /usr/share/wine/fonts /usr/lib/wine/fonts /usr/local/share/wine/fonts; do
        [ -f "$folder/marlett.ttf" ] || continue
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
            if [ -f "$folder/$font" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/$font" ]; then
                cp "$folder/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
            fi
        done
        return 0
    done
}

prepare_prefix() {
    export DISPLAY=":$(cat "$state/display")"
    if [ ! -d "$WINEPREFIX" ]; then
        wineboot -i </dev/null >"$state/wineboot.log" 2>&1
        wineserver -w
        # A virtual desktop keeps window frames and keyboard focus inside Wine.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wineserver -w
    fi
    # The desktop is the whole screen: the pointer, which starts at the screen's centre,
    # is then inside it, and the programs can place it.
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2048x1536 /f >/dev/null 2>&1
    wineserver -w
    install_wine_fonts
    # One persistent server for the whole run, so that each test starts quickly.
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    # Start Wine's own background services now: started by the first test instead, they
    # would inherit its output pipe and keep the test runner waiting for it to close.
    setsid wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_session() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
}

case "$action" in
    start)
        mkdir -p "$state"
        stop_session
        : >"$state/progress"  # the long tests' progress lines
        start_display
        prepare_prefix
        ;;
    stop)
        stop_session
        ;;
    *)
        echo "usage: $0 start|stop STATE_DIR" >&2
        exit 2
        ;;
esac
