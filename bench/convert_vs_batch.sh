#!/usr/bin/env bash
# kestro-batch against ImageMagick's convert making comparable buttons, in one run on one CPU:
#   1. 100 captions, two buttons each (200 GIF files): one kestro-batch run against a convert process
#      per button (a bevelled, captioned 100 × 30 face on the web palette), mapped to the nearest
#      colour as kestro-batch maps, and with ImageMagick's default dithering; prints the time per
#      button of each and the ratios. Both programs run once first, untimed.
#   2. 1,000 captions (2,000 GIF files) through kestro-batch into a new folder, then replacing them:
#      wall time and peak memory of the whole process.
# Usage: bench/convert_vs_batch.sh [path/to/kestro-batch]
set -euo pipefail

tool=${1:-build/bin/kestro-batch}
tool=$(realpath "$tool")
# The real ImageMagick, not whatever else may be called convert on the PATH.
convert=$(command -v convert-im6.q16 || echo /usr/bin/convert)
pin=()
command -v taskset >/dev/null && pin=(taskset -c 0)

work=$(mktemp -d "${TMPDIR:-/tmp}/plumeric-bench.XXXXXX")
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
# Both types a 100 × 30 colour face with a 3-pixel bevel, as the convert loop makes them; the rest
# are the defaults.
printf '%s\r\n' '1,1' '2,3' '3,0' '4,00C8D0D4' '5,100' '6,30' \
    '8,1' '9,3' '10,0' '11,00804040' '12,100' '13,30' >"$work/settings.dat"
for i in $(seq 1 100); do echo "Caption $i"; done >"$work/captions100.txt"
for i in $(seq 1 1000); do echo "Caption $i"; done >"$work/captions1000.txt"

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
"${pin[@]}" "$tool" --quiet --captions "$work/warm.txt" --out "$work/warm" "$work/settings.dat"

start=$(now)
"${pin[@]}" "$tool" --quiet --captions "$work/captions100.txt" --out "$work/tool100" "$work/settings.dat"
batch=$(echo "$(now) - $start" | bc -l)
toolFiles=$(find "$work/tool100" -name '*.gif' | wc -l)
printf 'kestro-batch: %4d files in %7.3f s, %8.3f ms per button (whole process)\n' "$toolFiles" "$batch" \
    "$(echo "$batch * 1000 / $toolFiles" | bc -l)"
for dither in +dither ''; do
    rm -rf "$work/magick$dither"
    start=$(now)
    magickLoop "$dither" "$work/captions100.txt"
    magick=$(echo "$(now) - $start" | bc -l)
    magickFiles=$(find "$work/magick$dither" -name '*.gif' | wc -l)
    printf 'convert %-9s %4d files in %7.3f s, %8.3f ms per button; ratio per button %.0fx\n' \
        "${dither:-dithered}:" "$magickFiles" "$magick" "$(echo "$magick * 1000 / $magickFiles" | bc -l)" \
        "$(echo "($magick / $magickFiles) / ($batch / $toolFiles)" | bc -l)"
done

for run in new replacing; do
    /usr/bin/time -f '%e %M' -o "$work/time" "${pin[@]}" "$tool" --captions "$work/captions1000.txt" \
        --out "$work/tool1000" "$work/settings.dat" >"$work/out"
    read -r seconds kilobytes <"$work/time"
    printf '1000 captions, %-9s %s (process %.2f s, peak %.1f MB)\n' "$run:" "$(tail -n 1 "$work/out")" \
        "$seconds" "$(echo "$kilobytes / 1024" | bc -l)"
done
