#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the project twice (release, and with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs every test of both builds under a virtual X server;
# then builds the fuzz targets (clang, libFuzzer and both sanitizers) and runs each for a short,
# fixed time over its seed corpus; last, cross-builds the Windows flavour and runs each of its test
# programs under Wine (one Wine process per program) on the virtual X server, and lists the tests
# that skipped themselves there with their reasons; then packs the Windows program, unpacks it and
# starts it under Wine until its editor shows. Exits non-zero when anything fails or a fuzzer
# finds a fault.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-packages.sh"

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for flavour in release sanitize; do
    echo "==> Building $flavour"
    "$root/scripts/build.sh" "$flavour"
    echo "==> Testing $flavour"
    if ! xvfb-run -a -s "-screen 0 1280x1024x24" \
            ctest --test-dir "$root/build/$flavour" --output-on-failure --parallel "$(nproc)"; then
        status=1
    fi
done

echo "==> Building fuzz"
"$root/scripts/build.sh" fuzz
echo "==> Fuzzing"
if ! "$root/scripts/fuzz.sh" 20; then
    status=1
fi

echo "==> Building windows"
"$root/scripts/build.sh" windows
echo "==> Testing windows (under Wine)"
rm -rf "$root/build/windows/Testing/skipped"
if ! xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --test-dir "$root/build/windows" --output-on-failure --parallel "$(nproc)"; then
    status=1
fi
"$root/scripts/windows-skipped.sh" "$root/build/windows"
echo "==> Packing windows, and starting the unpacked program under Wine"
if ! "$root/scripts/build.sh" windows --target corvix_windows_package || ! "$root/scripts/windows-package-check.sh"; then
    status=1
fi

if ((status != 0)); then
    echo "==> Some tests failed" >&2
fi
exit "$status"
