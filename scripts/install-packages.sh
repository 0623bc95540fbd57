#!/usr/bin/env bash
# Installs the Debian packages listed in packages.txt that are not installed yet, and makes the
# source packages of Debian's own registry reachable (a deb-src entry beside the deb one): the
# Windows flavour cross-builds libpng and libjpeg from them.
# Idempotent: when everything is present it returns without touching apt.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

mapfile -t wanted < <(grep -Ev '^\s*(#|$)' "$here/packages.txt")
missing=()
for pkg in "${wanted[@]}"; do
    status="$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)"
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done

# The entry names the same mirror and suites as the machine's own Debian entry.
sources_entry=/etc/apt/sources.list.d/corvix-deb-src.sources
need_sources=0
if ! grep -rqs '^\s*\(Types:.*deb-src\|deb-src \)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    need_sources=1
fi

if ((${#missing[@]} == 0 && need_sources == 0)); then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
else
    echo "error: packages are missing and this is neither root nor able to sudo: ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ((need_sources)); then
    echo "Adding Debian's source packages to apt: $sources_entry"
    printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" "Suites: bookworm bookworm-updates" \
        "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
        "${sudo_cmd[@]}" tee "$sources_entry" >/dev/null
fi
"${sudo_cmd[@]}" apt-get update -q
if ((${#missing[@]} > 0)); then
    echo "Installing missing packages: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
