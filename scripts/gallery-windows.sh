#!/usr/bin/env bash
# Builds the Windows flavour's picture gallery and runs it under Wine, writing a PNG of each tab
# and state of the editor and the upgrade wizard into build/screenshots-windows/ (or the folder
# given), under a virtual X server when there is no display. Wine draws with its own fonts, so
# these pictures show what the Windows program's text looks like there.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
folder="$(realpath -m "${1:-$root/build/screenshots-windows}")"

"$root/scripts/install-packages.sh"
"$root/scripts/build.sh" windows --target corvix_gallery

export WINEPREFIX="$root/build/windows/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"
gallery="$root/build/windows/gallery/corvix_gallery.exe"
if [[ -n "${DISPLAY:-}" ]]; then
    "$wine" "$gallery" "Z:$folder"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$gallery" "Z:$folder"
fi
