#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and the address and undefined-behaviour
# sanitizers, then runs each for SECONDS (default 30), one after the other. Each run starts
# from the committed seeds but grows a temporary copy, so the committed corpus never changes.
# Exits non-zero when any target finds a crash, a broken property, a leak or a hang; the
# input that did it is kept in the build folder's findings/, each run's log in its logs/.
#
# Usage: scripts/fuzz.sh [SECONDS]      environment: FUZZ_BUILD_DIR, FUZZ_TARGETS, FUZZ_CXX (default clang++)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
build_dir="${FUZZ_BUILD_DIR:-$PWD/build-fuzz}"
read -r -a targets <<<"${FUZZ_TARGETS:-fuzz_self_number fuzz_input_rules fuzz_setting_text fuzz_referral_url fuzz_ini_text}"

# clang's fuzzing runtime is a separate Debian package (only recommended by clang), so say so
# plainly instead of failing at the first link.
cxx="${FUZZ_CXX:-clang++}"
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
    "$cxx" -x c++ -fsanitize=fuzzer,address,undefined - -o /dev/null 2>/dev/null; then
    echo "fuzz.sh: $cxx cannot link a libFuzzer target; install clang and libclang-rt-14-dev" >&2
    exit 2
fi

cmake -S fuzz -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j2 --target "${targets[@]}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
findings="$build_dir/findings"
logs="$build_dir/logs"
mkdir -p "$findings" "$logs"

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for target in "${targets[@]}"; do
    corpus="$work/$target"
    mkdir -p "$corpus"
    cp fuzz/corpus/"$target"/* "$corpus"/
    echo "== $target: ${seconds} s"
    # -timeout makes a hang a finding; -max_len keeps inputs small enough to stay fast.
    if "$build_dir/$target" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$corpus" >"$logs/$target.log" 2>&1; then
        grep -E '^(#[0-9]+.*DONE|Done |stat::number_of_executed_units|stat::average_exec_per_sec)' "$logs/$target.log" || true
    else
        tail -n 60 "$logs/$target.log"
        echo "!! $target found a problem; the input is under $findings/"
        failed+=("$target")
    fi
done

if ((${#failed[@]})); then
    echo "Findings in: ${failed[*]}"
    exit 1
fi
echo "No findings."
