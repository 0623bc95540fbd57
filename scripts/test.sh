#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the project twice (release, and with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs every test of both builds under a virtual X server;
# then builds the fuzz targets (clang, libFuzzer and both sanitizers) and runs each for a short,
# fixed time over its seed corpus; last, cross-builds the Windows flavour and runs its test
# programs under Wine (the long ones as shards side by side) on the virtual X server, and lists
# the tests that skipped themselves there with their reasons; then packs the Windows program,
# unpacks it and starts it under Wine until its editor shows. Prints how long each phase and the
# whole run took, also when a build fails. Exits non-zero when anything fails or a fuzzer finds a
# fault.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# How long each phase took, printed as it ends and all together when the run ends.
timings=()
phase=""
phase_start=$SECONDS
windows_start=""

minutes() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }

begin() {
    phase="$1"
    phase_start=$SECONDS
    echo "==> $phase"
}

end() {
    local took=$((SECONDS - phase_start))
    timings+=("$(printf '%-36s %s' "$phase" "$(minutes "$took")")")
    echo "==> $phase: $(minutes "$took")"
    phase=""
}

summary() {
    local status=$?
    if [[ -n "$phase" ]]; then
        phase="$phase (stopped there)"
        end
    fi
    if [[ -n "$windows_start" ]]; then
        timings+=("$(printf '%-36s %s' "the Windows part" "$(minutes $((SECONDS - windows_start)))")")
    fi
    timings+=("$(printf '%-36s %s' "the whole run" "$(minutes "$SECONDS")")")
    echo "==> Time taken (CI's limit is 90 min):"
    printf '    %s\n' "${timings[@]}"
    exit "$status"
}
trap summary EXIT

begin "Setting up"
"$root/scripts/install-packages.sh"
end

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for flavour in release sanitize; do
    begin "Building $flavour"
    "$root/scripts/build.sh" "$flavour"
    end
    begin "Testing $flavour"
    if ! xvfb-run -a -s "-screen 0 1280x1024x24" \
            ctest --test-dir "$root/build/$flavour" --output-on-failure --parallel "$(nproc)"; then
        status=1
    fi
    end
done

begin "Building fuzz"
"$root/scripts/build.sh" fuzz
end
begin "Fuzzing"
if ! "$root/scripts/fuzz.sh" 20; then
    status=1
fi
end

windows_start=$SECONDS
begin "Building windows"
"$root/scripts/build.sh" windows
end
begin "Testing windows (under Wine)"
rm -rf "$root/build/windows/Testing/skipped"
if ! xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --test-dir "$root/build/windows" --output-on-failure --parallel "$(nproc)"; then
    status=1
fi
"$root/scripts/windows-skipped.sh" "$root/build/windows"
end
begin "Packing windows, starting it unpacked"
if ! "$root/scripts/build.sh" windows --target corvix_windows_package || ! "$root/scripts/windows-package-check.sh"; then
    status=1
fi
end

if ((status != 0)); then
    echo "==> Some tests failed" >&2
fi
exit "$status"
