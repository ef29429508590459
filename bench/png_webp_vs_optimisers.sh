#!/usr/bin/env bash
# kestro-batch's PNG and WebP files against the common optimisers, bytes and time, in one run:
#   1. Three kinds of button: the defaults with the seven default captions (14 files), the round
#      gradient buttons of docs/round-buttons.dat at 2x with smooth captions (12 files), and each
#      sample background under two captions (32 files). Each file's pixels go through optipng -o7,
#      zopflipng and cwebp -lossless -z 9 (each when installed); the totals of each kind are printed,
#      with the wall time each optimiser took and the files where ours is larger than optipng's or
#      than 1.02 times cwebp's.
#   2. The CPU side: 2,000 captions with the default settings as GIF, PNG and WebP, on one thread,
#      on tmpfs, in alternating rounds; user + system seconds of each and the ratio to GIF.
# Usage: bench/png_webp_vs_optimisers.sh [path/to/kestro-batch [path/to/make_samples]]
set -euo pipefail

tool=$(realpath "${1:-build/bin/kestro-batch}")
samplesTool=$(realpath "${2:-$(dirname "$tool")/../tools/make_samples}")
repo=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/plumeric-optimisers.XXXXXX")
shm=$(mktemp -d /dev/shm/plumeric-optimisers.XXXXXX 2>/dev/null || mktemp -d "$work/cpu.XXXXXX")
trap 'rm -rf "$work" "$shm"' EXIT

have() { command -v "$1" >/dev/null; }
now() { date +%s.%N; }

printf '/* the defaults */\r\n' >"$work/defaults.dat"
printf '%s\n' Home Contacts Products Services Support Search Links >"$work/seven.txt"
printf '%s\n' Home Products Contact >"$work/menu.txt"
printf '%s\n' Home Products >"$work/two.txt"
"$samplesTool" "$work/samples" >/dev/null

sets=()
makeSet() {
    local name=$1
    shift
    for type in png webp; do
        "$tool" --quiet --format "$type" --out "$work/sets/$name/$type" "$@" 2>/dev/null
    done
    sets+=("$name")
}
makeSet defaults --captions "$work/seven.txt" "$work/defaults.dat"
makeSet round-2x-smooth --captions "$work/menu.txt" --scale 2 --smooth "$repo/docs/round-buttons.dat"
for bmp in "$work"/samples/*.bmp; do
    printf '1,0\r\n7,%s\r\n8,0\r\n14,%s\r\n' "$bmp" "$bmp" >"$work/sample.dat"
    makeSet "sample-$(basename "$bmp" .bmp)" --captions "$work/two.txt" "$work/sample.dat"
done

echo "bytes of each kind of button (all its files); time: the wall seconds each optimiser took for them"
printf '%-30s %5s %9s %9s %9s %9s %9s  %s\n' kind files ours-png optipng zopflipng ours-webp cwebp \
    "optipng s / zopflipng s / cwebp s"
larger=()
for name in "${sets[@]}"; do
    ours=0 opt=0 zop=0 webp=0 cw=0 n=0 optTime=0 zopTime=0 cwTime=0
    for png in "$work/sets/$name/png"/*.png; do
        base=$(basename "$png" .png)
        size=$(stat -c %s "$png")
        ours=$((ours + size))
        webpSize=$(stat -c %s "$work/sets/$name/webp/$base.webp")
        webp=$((webp + webpSize))
        n=$((n + 1))
        if have optipng; then
            start=$(now)
            optipng -quiet -o7 -clobber -out "$work/o.png" "$png"
            optTime=$(echo "$optTime + $(now) - $start" | bc -l)
            o=$(stat -c %s "$work/o.png")
            opt=$((opt + o))
            [ "$size" -le "$o" ] || larger+=("$name/$base.png: $size bytes, optipng $o")
        fi
        if have zopflipng; then
            start=$(now)
            zopflipng -y -q "$png" "$work/z.png" >/dev/null
            zopTime=$(echo "$zopTime + $(now) - $start" | bc -l)
            zop=$((zop + $(stat -c %s "$work/z.png")))
        fi
        if have cwebp; then
            start=$(now)
            cwebp -quiet -lossless -z 9 "$png" -o "$work/c.webp"
            cwTime=$(echo "$cwTime + $(now) - $start" | bc -l)
            c=$(stat -c %s "$work/c.webp")
            cw=$((cw + c))
            [ $((webpSize * 100)) -le $((c * 102)) ] || larger+=("$name/$base.webp: $webpSize bytes, cwebp $c")
        fi
    done
    printf '%-30s %5d %9d %9s %9s %9d %9s  %.2f / %.2f / %.2f\n' "$name" "$n" "$ours" \
        "$(have optipng && echo $opt || echo -)" "$(have zopflipng && echo $zop || echo -)" "$webp" \
        "$(have cwebp && echo $cw || echo -)" "$optTime" "$zopTime" "$cwTime"
done
if [ ${#larger[@]} -eq 0 ]; then
    echo "no PNG larger than optipng -o7's, no WebP larger than 1.02x cwebp -lossless -z 9's"
else
    printf 'LARGER: %s\n' "${larger[@]}"
fi

# The CPU side: one thread, tmpfs, new folders, alternating rounds.
for i in $(seq 1 2000); do echo "Caption $i"; done >"$work/captions2000.txt"
declare -A cpu=([gif]=0 [png]=0 [webp]=0)
rounds=3
for round in $(seq 1 $rounds); do
    order=(gif png webp)
    [ $((round % 2)) = 0 ] && order=(webp png gif)
    for type in "${order[@]}"; do
        out=$shm/$type$round
        /usr/bin/time -f '%U %S' -o "$work/time" "$tool" --quiet --threads 1 --format "$type" \
            --captions "$work/captions2000.txt" --out "$out" "$work/defaults.dat" 2>/dev/null
        read -r user system <"$work/time"
        cpu[$type]=$(echo "${cpu[$type]} + $user + $system" | bc -l)
        rm -rf "$out"
    done
done
for type in gif png webp; do
    printf 'CPU, 2000 captions (4000 files) as %-4s on one thread on tmpfs: %6.2f s (%.2fx GIF)\n' "$type" \
        "$(echo "${cpu[$type]} / $rounds" | bc -l)" "$(echo "${cpu[$type]} / ${cpu[gif]}" | bc -l)"
done
