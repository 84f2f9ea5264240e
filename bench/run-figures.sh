#!/bin/bash
# Every timing of the README's table on a database of the given number of
# subjects (100000 unless given), from the build folder given (build unless given).
# The database is made once per size in QUORVEL_BENCH_CACHE (by default /var/tmp/quorvel-bench).
set -euo pipefail
subjects=${1:-100000}
build=$(realpath "${2:-build}")
cache=${QUORVEL_BENCH_CACHE:-/var/tmp/quorvel-bench}
export QUORVEL_BENCH_SUBJECTS=$subjects QUORVEL_BENCH_CACHE=$cache QT_QPA_PLATFORM=offscreen
cd "$build"
bench/bench_startup
bench/bench_windows --benchmark_filter='Registration|OpenDatabase'
bench/bench_lookup
bench/bench_scoring
bench/bench_store --benchmark_filter='Count|Filter'

# The result table of every subject to PDF: the program's peak memory beside
# QPdfWriter alone writing as many pages.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/Quorvel/." "$work/"
mkdir -p "$work/DBQORV"
cp "$cache/subjects-$subjects.mdb" "$work/DBQORV/DBQORV.mdb"
/usr/bin/time -f 'result table of every subject to PDF: %e s, peak %M KiB' "$work/quorvel" --print-results "$work/all.pdf"
pages=$(pdfinfo "$work/all.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
/usr/bin/time -f "bare QPdfWriter, $pages pages: %e s, peak %M KiB" bench/bench_barepdf "$pages" "$work/bare.pdf"
