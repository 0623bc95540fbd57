#!/usr/bin/env bash
# Cross-builds, once, the libraries the Windows flavour needs that Debian ships for Linux only:
# libpng and libjpeg from Debian's source packages (apt-get source, through the deb-src entry that
# install-packages.sh adds) and GoogleTest from Debian's googletest sources. Everything lands in
# the given folder (build/windows/deps); nothing is fetched from anywhere else, and the sources
# never enter the repository. A finished folder is left alone.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
deps="${1:?usage: windows-deps.sh <folder>}"
prefix="$deps/prefix"
stamp="$prefix/.complete"
[[ -f "$stamp" ]] && exit 0

toolchain="$root/cmake/MinGW-w64.cmake"
jobs="$(nproc)"
mkdir -p "$deps/src" "$prefix"

common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCORVIX_WINDOWS_DEPS="$prefix"
        -DCMAKE_POLICY_DEFAULT_CMP0074=NEW -Wno-dev)

# The source packages, unpacked with Debian's patches applied.
source_dir() {
    local pattern="$1"
    find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$pattern" | head -n 1
}

build() {
    local name="$1" src="$2"
    shift 2
    echo "==> Cross-building $name for Windows"
    cmake -S "$src" -B "$deps/build/$name" "${common[@]}" "$@" >/dev/null
    cmake --build "$deps/build/$name" --parallel "$jobs" >/dev/null
    cmake --install "$deps/build/$name" >/dev/null
}

(cd "$deps/src" && { source_dir 'libpng1.6-*' | grep -q . || apt-get source -q libpng1.6; })
(cd "$deps/src" && { source_dir 'libjpeg-turbo-*' | grep -q . || apt-get source -q libjpeg-turbo; })

build libpng "$(source_dir 'libpng1.6-*')" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
build libjpeg "$(source_dir 'libjpeg-turbo-*')" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
# The framework reads libjpeg with JPEG_INTERNALS, as Debian's libjpeg-dev allows by shipping this.
cp "$(source_dir 'libjpeg-turbo-*')/jpegint.h" "$prefix/include/"
build googletest /usr/src/googletest -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF

touch "$stamp"
