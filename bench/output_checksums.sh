#!/usr/bin/env bash
# Checksums of every file kestro-batch writes for the settings files in bench/checksum/: the button
# images (1× and 2×), the pages and the status report, one line a file, sorted by name. Run it with
# two builds and compare the lists to show that a change leaves every written file byte-identical.
# Usage: bench/output_checksums.sh path/to/kestro-batch path/to/make_samples > list.txt
set -euo pipefail

tool=$(realpath "${1:?kestro-batch}")
samples_tool=$(realpath "${2:?make_samples}")
here=$(cd "$(dirname "$0")" && pwd)
# One fixed folder: the pages and the report name the folders they were written to.
work="${TMPDIR:-/tmp}/plumeric-checksums"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

"$samples_tool" "$work/samples"
for dat in "$here"/checksum/*.dat; do
    name=$(basename "$dat" .dat)
    out="$work/out/$name"
    mkdir -p "$out"
    sed "s|@SAMPLES@|$work/samples|g" "$dat" > "$work/$name.dat"
    # The same files at every run: one thread, so that nothing depends on which worker made what.
    QT_QPA_PLATFORM=offscreen "$tool" --quiet --threads 1 --html-out "$out" --out "$out/buttons" \
        --report "$out/report.txt" "$work/$name.dat"
done
cd "$work/out"
# The report's first line holds the time it was produced.
sed -i 1d */report.txt
find . -type f -print0 | sort -z | xargs -0 sha256sum
