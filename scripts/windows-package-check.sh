#!/usr/bin/env bash
# Unpacks the Windows package into a fresh folder, checks that its program is the stripped one,
# starts it there under Wine on a virtual X server, waits for the editor's window and writes a
# picture of the screen to build/windows/package-editor.png. Fails when the packaged program still
# has its symbols, or when the window does not show within three minutes (a fresh prefix is made first).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
zip="$(ls "$root"/build/windows/OrvelACorvix-*-windows-x64.zip)"
picture="$root/build/windows/package-editor.png"
wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"
# A prefix of its own, as a machine that never ran the tests.
export WINEPREFIX="$root/build/windows/wine-prefix-package" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The part that runs on the virtual X server: this script again, told so.
if [[ "${1:-}" == --on-display ]]; then
    program="$2"
    "$wine" "$program" >/dev/null 2>&1 &
    started=$SECONDS
    shown() { xwininfo -root -tree | grep -o '"Orvel-A[^"]*": ("orvelacorvix.exe"'; }
    until shown >/dev/null; do
        if ((SECONDS - started > 180)); then
            echo "the packaged program showed no window" >&2
            exit 1
        fi
        sleep 1
    done
    sleep 3 # the editor paints its pictures once the window is there
    xwd -root -silent | convert xwd:- "$picture"
    shown
    "$(dirname "$wine")/wineserver" -k || true
    exit 0
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
unzip -q "$zip" -d "$scratch"
packaged="$(ls "$scratch"/*/OrvelACorvix.exe)"
built="$root/build/windows/shell/OrvelACorvix.exe"
symbols() { x86_64-w64-mingw32-nm "$1" 2>/dev/null | wc -l; }
if (($(symbols "$packaged") > 0)); then
    echo "the packaged program is not stripped" >&2
    exit 1
fi
echo "Packaged program: $(stat -c %s "$packaged") bytes, stripped; the build folder's keeps its $(symbols "$built") symbols ($(stat -c %s "$built") bytes)"
xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --on-display "$packaged"
echo "The packaged program showed its editor: $picture"
