#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the program and runs it. Without a display it runs the
# program under a virtual X server for a few seconds and writes a screenshot of its window.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-packages.sh"
"$root/scripts/build.sh" release --target OrvelACorvix
program="$root/build/release/shell/OrvelACorvix"

if [[ -n "${DISPLAY:-}" ]]; then
    exec "$program" "$@"
fi

screenshot="$root/build/screenshot.png"
echo "No display: running the program under a virtual X server."
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
    "$1" >/dev/null 2>&1 & program_pid=$!
    window=""
    for _ in $(seq 1 100); do
        window="$(xwininfo -root -children 2>/dev/null | awk "/\"Orvel-A/ { print \$1; exit }")"
        [[ -n "$window" ]] && break
        sleep 0.1
    done
    sleep "${CORVIX_SCREENSHOT_DELAY:-2}"   # let the window lay out and paint
    if [[ -n "$window" ]]; then
        import -window "$window" "$2"
    else
        echo "The program showed no window; the screenshot is of the whole screen." >&2
        import -window root "$2"
    fi
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
' _ "$program" "$screenshot"
echo "Screenshot written to $screenshot"
