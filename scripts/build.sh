#!/usr/bin/env bash
# Configures and builds one flavour of the project: "release" (default), "sanitize"
# (AddressSanitizer + UndefinedBehaviorSanitizer), "fuzz" (the fuzz targets, with clang, libFuzzer
# and both sanitizers; scripts/fuzz.sh runs them) or "windows" (64-bit Windows, cross-built with
# MinGW-w64; the libraries Debian has no Windows build of are cross-built first, once). Extra arguments go to the build tool,
# e.g. a target name: scripts/build.sh release --target OrvelACorvix
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
flavour="${1:-release}"
shift || true

case "$flavour" in
    release)  options=(-DCMAKE_BUILD_TYPE=Release) ;;
    sanitize) options=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCORVIX_SANITIZE=ON -DCORVIX_BUILD_BENCH=OFF) ;;
    fuzz)     options=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_C_FLAGS_DEBUG="-g -O1"
                       -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCORVIX_FUZZ=ON
                       -DCORVIX_BUILD_TESTS=OFF -DCORVIX_BUILD_BENCH=OFF) ;;
    windows)  options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64.cmake"
                       -DCORVIX_WINDOWS_DEPS="$root/build/windows/deps/prefix" -DCORVIX_BUILD_BENCH=OFF)
              "$root/scripts/windows-deps.sh" "$root/build/windows/deps" ;;
    *) echo "unknown build flavour: $flavour (release, sanitize, fuzz or windows)" >&2; exit 2 ;;
esac

build="$root/build/$flavour"
if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S "$root" -B "$build" -G Ninja "${options[@]}"
fi
cmake --build "$build" --parallel "$(nproc)" "$@"
