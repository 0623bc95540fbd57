#!/usr/bin/env bash
# Builds the release flavour's picture gallery and writes a PNG of each tab and state of the
# editor into build/screenshots/ (or the folder given), under a virtual X server when there is no
# display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
folder="${1:-$root/build/screenshots}"

"$root/scripts/build.sh" release --target corvix_gallery

gallery="$root/build/release/gallery/corvix_gallery"
if [[ -n "${DISPLAY:-}" ]]; then
    "$gallery" "$folder"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$gallery" "$folder"
fi
