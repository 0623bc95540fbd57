#!/usr/bin/env bash
# Draws the program's pictures again into resources/Assets (they are kept in the repository).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-packages.sh"
"$root/scripts/build.sh" release --target corvix_asset_pictures
"$root/build/release/tools/corvix_asset_pictures" "$root/resources/Assets"
