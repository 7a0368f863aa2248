#!/usr/bin/env bash
# Times a general syntax highlighter and Vormeld's HTML export on the same
# generated Yabasic program and prints both times and their ratio.
#
#   bash bench/compare-highlighters.sh            # GNU source-highlight, 100,000 lines
#   HIGHLIGHTER=pygmentize bash bench/compare-highlighters.sh
#   LINES=10000 BUILD=build-html bash bench/compare-highlighters.sh
#
# The highlighter is installed from Debian when it is missing (source-highlight
# or python3-pygments). Neither knows Yabasic: source-highlight is given its
# VBScript grammar, pygmentize its QBasic lexer, the nearest BASICs they have.
# Their time is the whole command (one process per page, as a user runs it);
# ours is the benchmark's html_export figure (temporary copy, page made and
# written), the median of RUNS runs in one process. Not part of the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD="${BUILD:-build}"
LINES="${LINES:-100000}"
RUNS="${RUNS:-3}"
HIGHLIGHTER="${HIGHLIGHTER:-source-highlight}"

case "$HIGHLIGHTER" in
  source-highlight) PACKAGE=source-highlight ;;
  pygmentize) PACKAGE=python3-pygments ;;
  *) echo "HIGHLIGHTER must be source-highlight or pygmentize" >&2; exit 2 ;;
esac

if ! dpkg-query -W -f='${Status}' "$PACKAGE" 2>/dev/null | grep -q 'install ok installed'; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing $PACKAGE ..." >&2
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$PACKAGE" >/dev/null
fi
# Debian's own command, not one a Python environment may put first on PATH.
TOOL="/usr/bin/$HIGHLIGHTER"

BENCH="$BUILD/bin/vormeld-bench"
if [ ! -x "$BENCH" ]; then
  echo "No $BENCH: build first (cmake --build $BUILD --target vormeld-bench)." >&2
  exit 1
fi

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
PROGRAM="$WORK/program.yab"
"$BENCH" --generate "$LINES" "$PROGRAM"

run_tool() {
  case "$HIGHLIGHTER" in
    source-highlight)
      "$TOOL" --src-lang=vbscript --out-format=html --input "$PROGRAM" --output "$WORK/theirs.html" ;;
    pygmentize)
      "$TOOL" -l qbasic -f html -O full -o "$WORK/theirs.html" "$PROGRAM" ;;
  esac
}

# The median wall time of RUNS runs of the highlighter, in milliseconds.
times=()
for _ in $(seq "$RUNS"); do
  start=$(date +%s%N)
  run_tool
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
done
theirs=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}')

ours=$("$BENCH" --tsv --only html_export --sizes "$LINES" --runs "$RUNS" 2>/dev/null \
  | awk -F'\t' '$1 == "html_export" {print $3}')
if [ -z "$ours" ]; then
  echo "The benchmark gave no html_export figure." >&2
  exit 1
fi

printf 'program            %s lines, %s bytes\n' "$LINES" "$(stat -c %s "$PROGRAM")"
case "$HIGHLIGHTER" in
  source-highlight) version=$("$TOOL" --version 2>&1 | sed -n 1p) ;;
  pygmentize) version=$("$TOOL" -V 2>&1 | sed -n 1p) ;;
esac
printf '%-18s %10.1f ms  (%s)\n' "$HIGHLIGHTER" "$theirs" "$version"
printf '%-18s %10.1f ms\n' "vormeld html_export" "$ours"
awk -v a="$theirs" -v b="$ours" 'BEGIN {
  r = (b > 0) ? a / b : 0
  printf "ratio              %10.1f x  (%s)\n", r, (r >= 10 ? "ours is at least ten times faster" : "below the tenfold target")
}'
