#!/usr/bin/env bash
# Tries both programs as an attacker and as an unlucky user would: plants links and names in the
# chosen folders, fills a small file system, interrupts and kills runs, and races two runs. Shows that
# nothing outside the chosen folders changed and that nothing was left behind.
#
#   tests/cli/file_safety_check.sh [BIN_FOLDER]     (default: build/bin)
#
# BIN_FOLDER holds kestro-batch and kestro. The full-disk cases need root (they mount a small tmpfs);
# elsewhere they are skipped with the reason. Exit status 0 when every check held.
set -u
BIN=$(cd "${1:-build/bin}" && pwd)
BATCH="$BIN/kestro-batch"
KESTRO="$BIN/kestro"
W=$(mktemp -d /tmp/kestro-safety.XXXXXX)
FAILED=0
MOUNTS=()
cleanup() {
    for m in "${MOUNTS[@]}"; do umount -l "$m" 2>/dev/null; done
    rm -rf "$W"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen

ok() { echo "ok    $*"; }
fail() { echo "FAIL  $*"; FAILED=1; }
check() { # check DESCRIPTION COMMAND...
    local what=$1; shift
    if "$@"; then ok "$what"; else fail "$what"; fi
}

# What lies outside the chosen folders: files that links point to, and a sentinel. Its listing and
# checksums are taken before and compared at the end.
OUTSIDE="$W/outside"
mkdir -p "$OUTSIDE"
for f in a b c d e; do echo "precious $f" >"$OUTSIDE/$f.txt"; done
outside_state() { (cd "$W" && find . -path ./out -prune -o -path ./small -prune -o -path ./app/KSDATA -prune \
    -o -path ./race -prune -o -path ./scratch -prune -o -path ./names/a -prune -o -print | sort && find outside -type f -exec sha256sum {} + | sort); }

# Leftovers of the program in a folder: its temporaries and test files, and the old names, that are
# regular files (planted links are the attacker's, not leftovers).
# Waits until the folder $1 holds at least $2 entries (at most 30 s): a run is then well under way
# and, with thousands of images still to make, far from its end however fast the machine is.
under_way() {
    for _ in $(seq 1 600); do
        [ "$(ls -A "$1" 2>/dev/null | wc -l)" -ge "$2" ] && return 0
        sleep 0.05
    done
}
leftovers() { find "$1" -maxdepth 1 -type f \( -name '.kestro-*' -o -name '*.part' -o -name '*.$$$' \) | sort; }
# Every GIF in a folder is whole: its signature at the start and its trailer at the end.
whole_gifs() {
    python3 - "$1" <<'EOF'
import os, sys
bad = [n for n in os.listdir(sys.argv[1]) if n.endswith('.gif') and not os.path.islink(os.path.join(sys.argv[1], n))
       and not (lambda b: b[:6] == b'GIF87a' and b[-1:] == b';')(open(os.path.join(sys.argv[1], n), 'rb').read())]
print('  cut-off images:', bad[:5]) if bad else None
sys.exit(1 if bad else 0)
EOF
}
captions() { # captions FILE COUNT
    for ((i = 1; i <= $2; i++)); do echo "Caption number $i"; done >"$1"
}
settings() { # settings FILE TARGET_FOLDER [HTML_FOLDER] — default settings with these folders
    {
        printf '/* Target Folder */\r\n200,%s\r\n' "$2"
        printf '/* Generate file status reports ? */\r\n20,Y\r\n'
        [ -n "${3:-}" ] && printf '/* HTML target folder. */\r\n83,%s\r\n' "$3"
    } >"$1"
}

captions "$W/c10000.txt" 10000
captions "$W/c1000.txt" 1000
captions "$W/c100.txt" 100
settings "$W/settings.dat" "$W/out/"
settings "$W/race.dat" "$W/race/"
settings "$W/small.dat" "$W/small/out/"
mkdir -p "$W/app/KSDATA/PROJECTS" "$W/scratch" "$W/names/a"
# A settings file whose caption list names files outside its folders, a test page name that does
# too, and captions that would make a page link a script or another scheme.
settings "$W/names-base.dat" "$W/names/a/site/"
{
    cat "$W/names-base.dat"
    printf '/* HTML generate all html files switch */\r\n86,Y\r\n'
    printf '/* HTML main filename (index.htm) */\r\n82,../../index.htm\r\n'
    printf '/* Caption List */\r\n'
    printf '100,Home\r\n101,../../x.gif\r\n102,..\\..\\y.gif\r\n103,../../x.htm\r\n'
    printf '100,javascript:alert(1)\r\n101,\r\n102,\r\n103,\r\n'
    printf '100,..\r\n101,/etc/passwd\r\n102,\r\n103,\r\n'
} >"$W/names.dat"
mkfifo "$W/names/pipe.bmp"
{ cat "$W/names.dat"; printf '/* Button 1 mode */\r\n1,0\r\n/* Button 1 background file */\r\n7,%s\r\n' "$W/names/pipe.bmp"; } >"$W/pipe.dat"
cp "$KESTRO" "$W/app/kestro"
export -f leftovers
BEFORE=$(outside_state)
S="$W/scratch"

echo "== links planted in the output folder"
mkdir -p "$W/out"
ln -s "$OUTSIDE/a.txt" "$W/out/test.\$\$\$"
ln -s "$OUTSIDE/b.txt" "$W/out/u_caption_number_1.gif.part"
ln -s "$OUTSIDE/c.txt" "$W/out/d_caption_number_1.gif"       # a link that is itself a target
ln -s "$OUTSIDE/e.txt" "$W/out/caption_number_1.htm"          # a page's name
"$BATCH" --captions "$W/c100.txt" --html --report "$W/out/report.txt" --quiet "$W/settings.dat"
check "kestro-batch through planted links: exit 0" [ $? -eq 0 ]
check "the targets of the planted links are unchanged" \
    grep -qx 'precious a' "$OUTSIDE/a.txt" -q
for f in a b c e; do
    check "  outside/$f.txt still holds its text" grep -qx "precious $f" "$OUTSIDE/$f.txt"
done
check "links under targets were replaced by files" \
    bash -c "[ ! -L '$W/out/d_caption_number_1.gif' ] && [ ! -L '$W/out/caption_number_1.htm' ]"
check "links under the old temporary names are left alone" \
    bash -c "[ -L '$W/out/test.\$\$\$' ] && [ -L '$W/out/u_caption_number_1.gif.part' ]"
check "200 images, 100 pages and the report written" \
    bash -c "[ \$(ls '$W/out' | grep -c 'gif\$') -eq 200 ] && [ \$(ls '$W/out' | grep -c 'htm\$') -eq 100 ] && [ -f '$W/out/report.txt' ]"
check "  every image whole" whole_gifs "$W/out"

echo "== the window's start-up test file"
ln -s "$OUTSIDE/d.txt" "$W/app/KSDATA/PROJECTS/runtest.\$\$\$"
"$W/app/kestro" 2>"$S/kestro.err" &
PID=$!
for ((i = 0; i < 400; i++)); do [ -d "$W/app/KSDATA/SAMPLES" ] && break; sleep 0.05; done
sleep 1
kill -TERM $PID; wait $PID
check "kestro ends on SIGTERM with 143 and writes its settings" \
    bash -c "[ $? -eq 143 ] && grep -q '^68,' '$W/app/KSDATA/PROJECTS/kestro.dat'"
check "outside/d.txt (behind runtest.\$\$\$) is unchanged" grep -qx "precious d" "$OUTSIDE/d.txt"

echo "== interrupted runs"
for sig in TERM INT; do
    rm -rf "$W/out"; mkdir -p "$W/out"
    "$BATCH" --captions "$W/c10000.txt" --html --report "$S/report.txt" "$W/settings.dat" >"$S/run.out" 2>"$S/run.err" &
    PID=$!
    under_way "$W/out" 400
    kill -$sig $PID; wait $PID; STATUS=$?
    want=$([ $sig = TERM ] && echo 143 || echo 130)
    check "SIG$sig: exit $want (was $STATUS), after $(ls "$W/out" | wc -l) of 20000 images" [ $STATUS -eq $want ]
    check "  nothing left behind, no page, no report" \
        bash -c "[ -z \"\$(find '$W/out' -type f ! -name '*.gif')\" ] && [ ! -e '$S/report.txt' ]"
    check "  what was written is printed: $(tail -1 "$S/run.out")" \
        bash -c "[ \"\$(grep -c '^written' '$S/run.out')\" -eq \"\$(ls '$W/out' | wc -l)\" ]"
    check "  every image whole" whole_gifs "$W/out"
done
rm -rf "$W/out"; mkdir -p "$W/out"
"$BATCH" --captions "$W/c10000.txt" --quiet "$W/settings.dat" &
PID=$!
under_way "$W/out" 400
kill -KILL $PID; wait $PID 2>/dev/null
check "SIGKILL: nothing a later run would trip over remains ($(leftovers "$W/out" | wc -l) leftovers)" \
    bash -c "[ -z \"\$(leftovers '$W/out' 2>/dev/null; find '$W/out' -name '.kestro-*')\" ]"
# What older versions and killed runs of the named way leave: a later run removes it.
DEAD=$(bash -c 'echo $$')
echo x >"$W/out/.kestro-$DEAD-abc123.tmp"
echo x >"$W/out/test.\$\$\$"
echo x >"$W/out/u_caption_number_1.gif.part"
"$BATCH" --captions "$W/c1000.txt" --quiet "$W/settings.dat"
check "a later run ends with 0 and sweeps the leftovers of dead runs" \
    bash -c "[ $? -eq 0 ] && [ -z \"\$(leftovers '$W/out')\" ]"

echo "== two runs into one folder"
"$BATCH" --captions "$W/c1000.txt" --quiet "$W/race.dat" & P1=$!
"$BATCH" --captions "$W/c1000.txt" --quiet "$W/race.dat" & P2=$!
wait $P1; S1=$?; wait $P2; S2=$?
check "both runs end with 0 ($S1, $S2)" [ $S1 -eq 0 -a $S2 -eq 0 ]
check "  2000 whole images, nothing left behind" \
    bash -c "[ \$(ls -A '$W/race' | wc -l) -eq 2000 ] && [ -z \"\$(leftovers '$W/race')\" ]"
check "  every image whole" whole_gifs "$W/race"

echo "== a small file system"
if [ "$(id -u)" -ne 0 ]; then
    echo "skip  the full-disk cases need root to mount a small tmpfs"
elif ! { mkdir -p "$W/small" && mount -t tmpfs -o size=400k tmpfs "$W/small"; }; then
    echo "skip  mounting a tmpfs failed"
else
    MOUNTS+=("$W/small")
    "$BATCH" --captions "$W/c1000.txt" --quiet --html --report "$W/small/report.txt" "$W/small.dat" 2>"$S/small.err"
    STATUS=$?
    check "a full button folder: exit 1 (was $STATUS) with the reason: $(head -c 200 "$S/small.err" | tr '\r\n' '  ')" \
        bash -c "[ $STATUS -eq 1 ] && grep -q 'No space left on device' '$S/small.err'"
    check "  nothing left behind, no page, no report" \
        bash -c "[ -z \"\$(leftovers '$W/small/out')\" ] && [ -z \"\$(find '$W/small' -name '*.htm' -o -name report.txt)\" ]"
    check "  every image whole ($(ls "$W/small/out" | wc -l) written)" whole_gifs "$W/small/out"
    # The window's settings on a nearly full disk: the good file stays, the reason is printed.
    umount "$W/small" && mount -t tmpfs -o size=256k tmpfs "$W/small"
    rm -rf "$W/app/KSDATA/PROJECTS"
    ln -s "$W/small" "$W/app/KSDATA/PROJECTS"
    { printf '/* Caption List */\r\n'
      for ((i = 1; i <= 900; i++)); do printf '100,A caption of some length %d\r\n101,u_%d.gif\r\n102,d_%d.gif\r\n103,c%d.htm\r\n' $i $i $i $i; done
      printf '/* Is second button enabled ? */\r\n110,Y\r\n111,Y\r\n'
    } >"$W/small/kestro.dat"
    GOOD=$(sha256sum <"$W/small/kestro.dat")
    dd if=/dev/zero of="$W/small/.filler" bs=4k 2>/dev/null
    truncate -s -12k "$W/small/.filler"
    "$W/app/kestro" 2>"$S/kestro.err" &
    PID=$!
    sleep 3
    kill -TERM $PID; wait $PID; STATUS=$?
    check "kestro closing on SIGTERM with 12 KB free: exit 143 (was $STATUS)" [ $STATUS -eq 143 ]
    check "  the good 44 KB settings file is kept whole" bash -c "[ \"\$(sha256sum <'$W/small/kestro.dat')\" = '$GOOD' ]"
    check "  the reason on standard error: $(grep 'settings could not' "$S/kestro.err")" \
        grep -q 'The settings could not be saved to ".*kestro.dat": No space left on device.' "$S/kestro.err"
    check "  nothing left behind" bash -c "[ -z \"\$(leftovers '$W/small')\" ]"
fi

echo "== file names from a settings file"
"$BATCH" --html --quiet "$W/names.dat" 2>"$S/names.err"
STATUS=$?
check "stored names that leave their folders: exit 0 (was $STATUS), with the warning: $(head -c 300 "$S/names.err")" \
    bash -c "[ $STATUS -eq 0 ] && grep -q '^kestro-batch: warning: .*are not plain file names' '$S/names.err'"
check "  every file in the chosen folder under its default name: $(LC_ALL=C ls "$W/names/a/site" | tr '\n' ' ')" \
    bash -c "[ \"\$(LC_ALL=C ls '$W/names/a/site' | tr '\n' ' ')\" = 'caption3.htm d_.gif d_home.gif d_javascript:alert(1).gif home.htm javascript:alert(1).htm u_.gif u_home.gif u_javascript:alert(1).gif ' ]"
check "  page links stay relative: href=\"javascript%3Aalert(1).htm\"" \
    bash -c "grep -q 'href=\"javascript%3Aalert(1).htm\"' '$W/names/a/site/home.htm' && ! grep -q 'href=\"javascript:' '$W/names/a/site/home.htm'"
timeout 20 "$BATCH" --quiet "$W/pipe.dat" 2>"$S/pipe.err"
STATUS=$?
check "a pipe as the bitmap: exit 1 at once (was $STATUS): $(grep -m1 "cannot be read" "$S/pipe.err")" \
    bash -c "[ $STATUS -eq 1 ] && grep -q 'cannot be read: Not a regular file.' '$S/pipe.err' && [ ! -e '$W/names/a/site/u_home.bmp' ]"

echo "== outside the chosen folders"
AFTER=$(outside_state)
if [ "$BEFORE" = "$AFTER" ]; then ok "nothing outside the chosen folders changed"; else
    fail "something outside the chosen folders changed:"; diff <(echo "$BEFORE") <(echo "$AFTER") | head; fi
[ $FAILED -eq 0 ] && echo "all checks held" || echo "SOME CHECKS FAILED"
exit $FAILED
