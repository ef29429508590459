#!/usr/bin/env bash
# kestro-batch against ImageMagick's convert making comparable buttons, in one run:
#   1. The ImageMagick loop: one single-threaded convert process per button, pinned to one CPU (a
#      bevelled, captioned 100 × 30 face on the web palette), for 100 captions (200 GIF files),
#      mapped to the nearest colour as kestro-batch maps, and with ImageMagick's default dithering.
#   2. kestro-batch on every core, whole process, start included: 1,000 and 10,000 captions (2,000
#      and 20,000 GIF files) into a new folder, then replacing them; wall time and peak memory. The
#      per-button ratio against the ImageMagick loop is taken from the 1,000-caption run.
#   3. The same 10,000 captions as PNG and as WebP files, into new folders on the same file system
#      in the same run, with the ratio of each one's wall time to the GIF batch's.
#   4. The CPU side alone on tmpfs: 10,000 captions with --threads 1 against the default (one thread
#      per core), in alternating pairs; the ratio of the rates.
# The files of step 2 go to BENCH_DIR when it is set. Otherwise, as root with mkfs.ext4 at hand, a
# journaled ext4 file system on a loop device is made for them (a file system without a journal
# creates files unrepresentatively slowly after mass deletions); else a folder under TMPDIR is used.
# The file system used is printed.
# Usage: bench/convert_vs_batch.sh [path/to/kestro-batch]
set -euo pipefail

tool=${1:-build/bin/kestro-batch}
tool=$(realpath "$tool")
# The real ImageMagick, not whatever else may be called convert on the PATH.
convert=$(command -v convert-im6.q16 || echo /usr/bin/convert)
pin=()
command -v taskset >/dev/null && pin=(taskset -c 0)

work=$(mktemp -d "${TMPDIR:-/tmp}/plumeric-bench.XXXXXX")
mounted=
cleanup() {
    [ -z "$mounted" ] || umount "$mounted" || true
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

files=${BENCH_DIR:-}
if [ -z "$files" ] && [ "$(id -u)" = 0 ] && command -v mkfs.ext4 >/dev/null; then
    truncate -s 2G "$work/ext4.img"
    mkfs.ext4 -q -F "$work/ext4.img"
    mkdir -p "$work/ext4"
    if mount -o loop "$work/ext4.img" "$work/ext4" 2>/dev/null; then
        mounted=$work/ext4
        files=$work/ext4
    fi
fi
files=${files:-$work/files}
mkdir -p "$files"
shm=$(mktemp -d /dev/shm/plumeric-bench.XXXXXX 2>/dev/null || mktemp -d "$work/cpu.XXXXXX")
trap 'rm -rf "$shm"; cleanup' EXIT

fsType=$(stat -f -c %T "$files")
journal=
if [ -n "$mounted" ]; then
    journal=" on a loop device, $(dumpe2fs -h "$work/ext4.img" 2>/dev/null | grep -q has_journal && echo journaled || echo no journal)"
fi
echo "machine: $(nproc) cores; button files on $fsType$journal ($files); CPU side on $(stat -f -c %T "$shm")"

# Both types a 100 × 30 colour face with a 3-pixel bevel, as the convert loop makes them; the rest
# are the defaults.
printf '%s\r\n' '1,1' '2,3' '3,0' '4,00C8D0D4' '5,100' '6,30' \
    '8,1' '9,3' '10,0' '11,00804040' '12,100' '13,30' >"$work/settings.dat"
for n in 100 1000 10000; do
    for i in $(seq 1 $n); do echo "Caption $i"; done >"$work/captions$n.txt"
done

now() { date +%s.%N; }

# One button per convert process; $1 is "+dither" (nearest web colour, as kestro-batch maps) or empty
# (ImageMagick's default, error diffusion).
magickLoop() {
    local out=$work/magick$1
    mkdir -p "$out"
    while read -r caption; do
        for face in '#d4d0c8:black' '#404080:white'; do
            "${pin[@]}" "$convert" -limit thread 1 -size 100x30 "xc:${face%%:*}" -raise 3 -gravity center \
                -font DejaVu-Sans -pointsize 12 -fill "${face##*:}" -annotate +0+0 "$caption" \
                $1 -remap netscape: "$out/${face%%:*}-${caption// /_}.gif"
        done
    done <"$2"
}

# Both programs once before timing, so neither pays for loading its libraries and fonts from disk.
echo "Caption" >"$work/warm.txt"
magickLoop +dither "$work/warm.txt"
"$tool" --quiet --captions "$work/warm.txt" --out "$work/warm" "$work/settings.dat"

declare -A magickPerButton
for dither in +dither ''; do
    rm -rf "$work/magick$dither"
    start=$(now)
    magickLoop "$dither" "$work/captions100.txt"
    magick=$(echo "$(now) - $start" | bc -l)
    magickFiles=$(find "$work/magick$dither" -name '*.gif' | wc -l)
    magickPerButton[${dither:-dithered}]=$(echo "$magick * 1000 / $magickFiles" | bc -l)
    printf 'convert %-9s %5d files in %7.3f s, %8.3f ms per button (one process each, one CPU)\n' \
        "${dither:-dithered}:" "$magickFiles" "$magick" "${magickPerButton[${dither:-dithered}]}"
done

# Runs kestro-batch over $1 captions into $2; prints "seconds peak-kilobytes files".
runTool() {
    /usr/bin/time -f '%e %M' -o "$work/time" "$tool" --quiet --captions "$work/captions$1.txt" --out "$2" \
        "${@:3}" "$work/settings.dat"
    read -r seconds kilobytes <"$work/time"
    echo "$seconds $kilobytes $(find "$2" -type f | wc -l)"
}

declare -A newSeconds
for n in 1000 10000; do
    rm -rf "$files/tool$n"
    sync
    for run in new replacing; do
        read -r seconds kilobytes count < <(runTool $n "$files/tool$n")
        [ "$run" = new ] && newSeconds[$n]=$seconds
        printf 'kestro-batch %5d captions, %-10s %5d files in %6.3f s, %7.4f ms per button, peak %5.1f MB\n' \
            "$n" "$run:" "$count" "$seconds" "$(echo "$seconds * 1000 / $count" | bc -l)" \
            "$(echo "$kilobytes / 1024" | bc -l)"
        if [ "$n" = 1000 ] && [ "$run" = new ]; then
            perButton=$(echo "$seconds * 1000 / $count" | bc -l)
            for kind in +dither dithered; do
                printf '  against convert %-9s %.0fx faster per button\n' "$kind:" \
                    "$(echo "${magickPerButton[$kind]} / $perButton" | bc -l)"
            done
        fi
    done
done
rm -rf "$files"/tool*

# PNG and WebP: the same 10,000 captions into new folders, against the GIF batch above.
for type in png webp; do
    sync
    read -r seconds kilobytes count < <(runTool 10000 "$files/$type" --format "$type")
    printf 'kestro-batch 10000 captions as %-4s new: %5d files in %7.3f s, peak %5.1f MB, %.2fx the GIF batch\n' \
        "$type" "$count" "$seconds" "$(echo "$kilobytes / 1024" | bc -l)" "$(echo "$seconds / ${newSeconds[10000]}" | bc -l)"
    rm -rf "${files:?}/$type"
done

# The CPU side: one thread against one per core, on tmpfs, new folders, alternating pairs.
one=0
all=0
pairs=3
for pair in $(seq 1 $pairs); do
    for threads in 1 0; do
        [ $((pair % 2)) = 0 ] && threads=$((1 - threads))
        out=$shm/cpu$pair-$threads
        args=()
        [ "$threads" = 1 ] && args=(--threads 1)
        read -r seconds _ _ < <(runTool 10000 "$out" "${args[@]}")
        rm -rf "$out"
        if [ "$threads" = 1 ]; then one=$(echo "$one + $seconds" | bc -l); else all=$(echo "$all + $seconds" | bc -l); fi
    done
done
printf 'CPU side, 10000 captions on tmpfs: --threads 1 %.3f s, one per core (%d) %.3f s: %.2fx the rate\n' \
    "$(echo "$one / $pairs" | bc -l)" "$(nproc)" "$(echo "$all / $pairs" | bc -l)" "$(echo "$one / $all" | bc -l)"
