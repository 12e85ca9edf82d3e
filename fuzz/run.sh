#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs each for SECONDS (default 20), one after the other. Fails when a
# target finds a crash, a leak, a broken expectation or an input that takes over a second.
# The seeds come from fuzz/corpus/<target>/; what a run adds stays in build-fuzz/corpus/.
# NIMBRA_FUZZ_TARGETS="encoding drivelist" runs only those.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"
ensure_packages clang libfuzzer-14-dev

seconds="${1:-20}"
build="$NIMBRA_ROOT/${NIMBRA_FUZZ_BUILD_DIR:-build-fuzz}"
all_targets=(descriptor drivelist titlepositions encoding streamsearch hitcounter settings resultpage website)
read -r -a targets <<<"${NIMBRA_FUZZ_TARGETS:-${all_targets[*]}}"

cmake -S "$NIMBRA_ROOT" -B "$build" -G Ninja -DNIMBRA_FUZZ=ON -DNIMBRA_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# Scratch files of the targets go to memory where there is some.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

failed=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  mkdir -p "$corpus" "$artifacts"
  echo "=== $t: ${seconds}s"
  if ! "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" \
      "$NIMBRA_ROOT/fuzz/corpus/$t" >"$build/$t.log" 2>&1; then
    failed+=("$t")
    tail -n 60 "$build/$t.log"
    echo "=== $t FAILED; input kept in $artifacts/"
  fi
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)|cov: .*ft:" "$build/$t.log" |
    grep -E "stat::|DONE" | sed "s/^/    /" || true
  grep -E "^#[0-9]+ +DONE" "$build/$t.log" | sed "s/^/    /" || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]}"
  exit 1
fi
echo "Fuzzing: no findings in ${#targets[@]} targets, ${seconds}s each."
