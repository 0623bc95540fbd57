#!/usr/bin/env bash
# Builds the Windows flavour's program and packs it: build/windows/OrvelACorvix-<version>-windows-x64.zip
# holds one folder with OrvelACorvix.exe and the resources folder beside it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-packages.sh"
"$root/scripts/build.sh" windows --target corvix_windows_package
ls -l "$root"/build/windows/OrvelACorvix-*-windows-x64.zip
