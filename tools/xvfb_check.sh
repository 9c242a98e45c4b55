#!/bin/sh
# Real-window check of Orvelin under a virtual X server: starts the game on the SDL backend,
# plays it with Space and the arrow keys, takes a screenshot, checks that the window shows the
# scene and the status line, and closes it (Alt+F4, and Alt+F then X in a second run),
# expecting exit code 0 both times.
#
# Usage: tools/xvfb_check.sh [orvelin binary] [output directory]
# Needs: Xvfb, xdotool, ImageMagick (import, convert).
set -eu

BIN=$(readlink -f "${1:-build/orvelin/orvelin}")
OUT=$(mkdir -p "${2:-build/xvfb_check}" && readlink -f "${2:-build/xvfb_check}")
DISPLAY_NUMBER=${XVFB_DISPLAY:-:97}

fail() { echo "xvfb_check: $*" >&2; exit 1; }
[ -x "$BIN" ] || fail "no program at $BIN"
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

Xvfb "$DISPLAY_NUMBER" -screen 0 1024x768x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
XVFB_PID=$!
trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
export DISPLAY="$DISPLAY_NUMBER"
export POLVEX_BACKEND=sdl
# In a sanitizer build the X and D-Bus client libraries keep blocks until the process ends;
# their leak report would turn the exit code non-zero. The game's own leaks are the tests' job.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
sleep 1

# Fraction of pixels in a region of the screenshot that are not black.
lit() { convert "$OUT/screen.png" -crop "$1" +repage -fill white +opaque black \
            -colorspace gray -format '%[fx:mean]' info:; }

# One run of the game; $1 is how it is closed: "alt+F4" or "menu".
run() {
    rm -f "$(dirname "$BIN")/pvdebug.txt"
    (cd "$(dirname "$BIN")" && exec "$BIN") >"$OUT/orvelin_$1.log" 2>&1 &
    GAME_PID=$!
    WINDOW=$(timeout 20 xdotool search --sync --name '^Orvelin ver0\.10$' | head -n 1) ||
        fail "the window did not appear"
    xdotool mousemove --window "$WINDOW" 300 200 windowfocus --sync "$WINDOW" 2>/dev/null || true
    sleep 1
    xdotool key space
    sleep 0.5
    xdotool keydown Right; sleep 0.4; xdotool keyup Right
    xdotool keydown Down; sleep 0.4; xdotool keyup Down
    xdotool key Left Left
    sleep 0.5
    if [ "$1" = alt+F4 ]; then
        import -window root "$OUT/screen.png"
        eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
        # Below the 19-pixel menu bar: the status line at the client's top left, the scene
        # under it.
        STATUS=$(lit "150x11+$X+$((Y + 19))")
        SCENE=$(lit "${WIDTH}x$((HEIGHT - 60))+$X+$((Y + 60))")
        MENU=$(lit "${WIDTH}x19+$X+$Y")
        echo "window ${WIDTH}x${HEIGHT} at $X,$Y: status $STATUS, scene $SCENE, menu bar $MENU"
        awk -v s="$STATUS" -v c="$SCENE" -v m="$MENU" \
            'BEGIN { exit !(s > 0.05 && c > 0.3 && m > 0.9) }' ||
            fail "the screenshot does not show the status line, the scene and the menu bar"
        xdotool key alt+F4
    else
        xdotool key alt+f
        sleep 0.3
        xdotool key x
    fi
    CODE=0
    timeout 20 sh -c "while kill -0 $GAME_PID 2>/dev/null; do sleep 0.1; done" ||
        fail "the game did not end after closing ($1)"
    wait "$GAME_PID" || CODE=$?
    [ "$CODE" -eq 0 ] || fail "exit code $CODE after closing ($1)"
    [ ! -e "$(dirname "$BIN")/pvdebug.txt" ] || fail "pvdebug.txt was written ($1)"
    echo "closed by $1: exit code 0"
}

run alt+F4
run menu
echo "xvfb_check: passed; screenshot in $OUT/screen.png"
