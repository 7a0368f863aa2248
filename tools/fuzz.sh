#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang in ./build-fuzz and runs each
# for a bounded time on a scratch copy of its corpus.
#
#   bash tools/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS per target: first argument, else $FUZZ_SECONDS, else 30.
# TARGET: names as in fuzz/corpus/ (default: every target).
# $FUZZ_BUILD_JOBS: parallel build jobs (default: the number of processors).
#
# An input that crashes, leaks, runs out of memory or times out is copied to
# tests/fuzz/regressions/<name>/ (the normal test suite replays it) and the
# script exits non-zero. At the end one line per target tells how many inputs
# were tried.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"

SECONDS_PER_TARGET="${FUZZ_SECONDS:-30}"
if [ $# -gt 0 ] && [[ "$1" =~ ^[0-9]+$ ]]; then
  SECONDS_PER_TARGET="$1"
  shift
fi
JOBS="${FUZZ_BUILD_JOBS:-$(nproc)}"

# --- what the build needs (Debian 12): clang and its runtime with libFuzzer.
PACKAGES=(clang libclang-rt-14-dev cmake ninja-build qt6-base-dev libgl-dev)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" || exit 1
fi

# --- build
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORMELD_FUZZ=ON -DVORMELD_BUILD_TESTS=OFF -DVORMELD_BUILD_BENCH=OFF >/dev/null || exit 1
cmake --build build-fuzz --target vormeld_fuzzers -j "$JOBS" || exit 1

# --- targets
if [ $# -gt 0 ]; then
  TARGETS=("$@")
else
  TARGETS=()
  for d in fuzz/corpus/*/; do TARGETS+=("$(basename "$d")"); done
fi

# Scratch space: a copy of each corpus, the artifacts and the targets'
# temporary files (in memory where possible), removed at the end.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  SCRATCH="$(mktemp -d /dev/shm/vormeld-fuzz.XXXXXX)"
else
  SCRATCH="$(mktemp -d "$ROOT/build-fuzz/run.XXXXXX")"
fi
trap 'rm -rf "$SCRATCH"' EXIT

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

status=0
total=0
summary=()
for name in "${TARGETS[@]}"; do
  exe="build-fuzz/bin/fuzz_$name"
  if [ ! -x "$exe" ]; then
    echo "No fuzz target '$name'" >&2
    status=1
    summary+=("$(printf '%-16s %12s  %s' "$name" "-" "no such target")")
    continue
  fi
  work="$SCRATCH/$name"
  mkdir -p "$work/corpus" "$work/artifacts" "$work/tmp"
  cp -r "fuzz/corpus/$name/." "$work/corpus/" 2>/dev/null
  # The inputs found before start the search too.
  [ -d "tests/fuzz/regressions/$name" ] && cp -r "tests/fuzz/regressions/$name/." "$work/corpus/"
  extra=()
  [ -f "fuzz/dict/$name.dict" ] && extra+=("-dict=fuzz/dict/$name.dict")
  case "$name" in
    # QSettings keeps every file it read in a process-wide cache, which looks
    # like a leak after each new input; the leak search that follows nearly
    # every input makes these targets about eight times slower. Leaks are still
    # reported when the run ends.
    settings|interpreter_key) extra+=("-detect_leaks=0") ;;
  esac

  echo "=== $name: ${SECONDS_PER_TARGET}s"
  TMPDIR="$work/tmp" "$exe" "$work/corpus" \
    -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "${extra[@]}" \
    >"$work/log" 2>&1
  rc=$?

  runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | tail -n1 | grep -o '[0-9]*$')"
  if [ -z "$runs" ]; then
    runs="$(grep -oE '^#[0-9]+' "$work/log" | tail -n1 | tr -d '#')"
  fi
  runs="${runs:-0}"
  total=$((total + runs))

  found=()
  for f in "$work"/artifacts/crash-* "$work"/artifacts/leak-* "$work"/artifacts/timeout-* "$work"/artifacts/oom-*; do
    [ -f "$f" ] || continue
    mkdir -p "tests/fuzz/regressions/$name"
    cp "$f" "tests/fuzz/regressions/$name/"
    found+=("tests/fuzz/regressions/$name/$(basename "$f")")
  done

  if [ ${#found[@]} -gt 0 ] || [ $rc -ne 0 ]; then
    status=1
    cp "$work/log" "build-fuzz/fuzz_$name.log"
    echo "--- $name failed (exit $rc); log: build-fuzz/fuzz_$name.log"
    grep -E '^(\*\*\* vormeld fuzz target|==[0-9]+==ERROR|SUMMARY:|.*runtime error:)' "$work/log" | head -n 5
    for f in "${found[@]}"; do echo "    kept $f"; done
    summary+=("$(printf '%-16s %12s  %s' "$name" "$runs" "FAILED: ${found[*]:-exit $rc}")")
  else
    summary+=("$(printf '%-16s %12s  %s' "$name" "$runs" "ok")")
  fi
done

echo
echo "Inputs tried per target (${SECONDS_PER_TARGET}s each):"
for line in "${summary[@]}"; do echo "  $line"; done
printf '  %-16s %12s\n' "total" "$total"
exit $status
