#!/usr/bin/env bash
# Builds the code that runs threads and its tests under ThreadSanitizer in build-tsan/ and
# runs those tests: the read-ahead and document builder (through the indexing run), the
# title-position scan and its sync, the sorted lists, and the drive list program.
# Fails on any report.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1 second_deadlock_stack=1}"
NIMBRA_BUILD_DIR=build-tsan \
  NIMBRA_CMAKE_ARGS="-DNIMBRA_TSAN=ON -DCMAKE_BUILD_TYPE=Release -DNIMBRA_BENCH=OFF ${NIMBRA_CMAKE_ARGS:-}" \
  NIMBRA_BUILD_TARGETS="nimbra_core_tests nimbra_tools_tests DeduridoZidirivovi" \
  NIMBRA_CTEST_ARGS="-R (^|/)(ReadAheadTest|IndexRun|TitlePositionScan|SortedList|SectionSorter|DriveListTest|OddNameTest)" \
  "$NIMBRA_ROOT/scripts/test.sh"
