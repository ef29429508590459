#!/usr/bin/env bash
# The Debian package as a user gets it: built with CPack from the build folder, unpacked into a
# scratch root with dpkg -x, and run from there with a scratch data home. Checks that it holds
# every file, that its programs run from the install prefix and keep their data in
# $XDG_DATA_HOME/plumeric, and that its desktop entry, metadata, man pages and the package itself
# pass their validators.
# Usage: package_test.sh BUILD_DIR CPACK_COMMAND
set -euo pipefail

build=$1
cpack=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A package of its own, apart from `make package`'s.
"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/package/plumeric_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = plumeric ] || fail "package name"
# The dependencies come from the shared libraries the programs use.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libc6 libdeflate0 libwebp7 libicu72; do
    [[ $depends == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done

# No errors from lintian (it exits non-zero on errors only).
lintian --no-cfg "$deb" >"$scratch/lintian.log" 2>&1 || { cat "$scratch/lintian.log"; fail "lintian"; }
! grep -q '^E: ' "$scratch/lintian.log" || { cat "$scratch/lintian.log"; fail "lintian errors"; }

root=$scratch/root
dpkg -x "$deb" "$root"
usr=$root/usr
for f in bin/kestro bin/kestro-batch share/plumeric/help.htm \
    share/applications/io.github.plumeric.Plumeric.desktop \
    share/metainfo/io.github.plumeric.Plumeric.metainfo.xml \
    share/icons/hicolor/scalable/apps/plumeric.svg share/icons/hicolor/48x48/apps/plumeric.png \
    share/man/man1/kestro.1.gz share/man/man1/kestro-batch.1.gz \
    share/doc/plumeric/copyright share/doc/plumeric/changelog.gz; do
    [ -f "$usr/$f" ] || fail "missing /usr/$f"
done
[ "$(ls "$usr/share/plumeric/SAMPLES" | wc -l)" -eq 8 ] || fail "not eight samples"
file "$usr/share/icons/hicolor/48x48/apps/plumeric.png" | grep -q 'PNG image data, 48 x 48' ||
    fail "the icon is not a 48 px PNG"

# The validators.
desktop-file-validate "$usr/share/applications/io.github.plumeric.Plumeric.desktop" ||
    fail "desktop-file-validate"
grep -qx 'Exec=kestro %f' "$usr/share/applications/io.github.plumeric.Plumeric.desktop" ||
    fail "the desktop entry does not pass a file to kestro"
appstreamcli validate --no-net "$usr/share/metainfo/io.github.plumeric.Plumeric.metainfo.xml" ||
    fail "appstreamcli validate"
for page in kestro kestro-batch; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^NAME" ||
        fail "man $page renders nothing"
done

# The programs from the scratch root, their data in a scratch data home.
export XDG_DATA_HOME=$scratch/data
export HOME=$scratch/home
export QT_QPA_PLATFORM=offscreen
data=$XDG_DATA_HOME/plumeric
[ "$("$usr/bin/kestro-batch" --version)" = "kestro-batch 1.2" ] || fail "kestro-batch --version"

# A settings file without settings: the defaults, whose button folder is in the data folder,
# which the tool makes where the window never ran.
: >"$scratch/empty.dat"
"$usr/bin/kestro-batch" "$scratch/empty.dat" >"$scratch/batch.out" 2>"$scratch/batch.err" ||
    { cat "$scratch/batch.err"; fail "the batch on the defaults"; }
grep -q "the buttons go into \"$data/BUTTONS/\"" "$scratch/batch.err" ||
    { cat "$scratch/batch.err"; fail "the warning does not name the data folder's BUTTONS"; }
[ -f "$data/BUTTONS/u_home.gif" ] && [ -f "$data/BUTTONS/d_home.gif" ] || fail "no buttons in $data/BUTTONS"
[ -d "$data/PROJECTS" ] || fail "no PROJECTS in the data folder"

# A small site: two captions, buttons and pages, with the report.
printf 'Home\nContact us\n' >"$scratch/menu.txt"
"$usr/bin/kestro-batch" --captions "$scratch/menu.txt" --out "$scratch/site/img" --html-out "$scratch/site" \
    --report "$scratch/report.txt" "$scratch/empty.dat" >"$scratch/site.out" 2>/dev/null ||
    fail "the site batch"
grep -q '^7 files written' "$scratch/site.out" || { cat "$scratch/site.out"; fail "the site batch's summary"; }
for f in site/img/u_home.gif site/img/d_contact_us.gif site/home.htm site/contact_us.htm report.txt; do
    [ -s "$scratch/$f" ] || fail "missing $f"
done
[ ! -e "$usr/bin/KSDATA" ] || fail "the installed tool wrote beside its executable"

# The window starts from the scratch root: its data folder is made with the samples copied in,
# and a termination request closes it, which writes its settings there.
rm -rf "$data"
"$usr/bin/kestro" >"$scratch/kestro.log" 2>&1 &
pid=$!
for _ in $(seq 200); do
    [ -d "$data/PROJECTS" ] && [ "$(ls "$data/SAMPLES" 2>/dev/null | wc -l)" -eq 8 ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
# A termination request ends the window with 128 plus its number, 143 for SIGTERM.
[ "$status" -eq 143 ] || { cat "$scratch/kestro.log"; fail "kestro ended with $status"; }
[ "$(ls "$data/SAMPLES" | wc -l)" -eq 8 ] || fail "the samples were not copied into $data/SAMPLES"
grep -q "^200,$data/BUTTONS/" "$data/PROJECTS/kestro.dat" || fail "the window's settings are not in $data"
[ ! -e "$usr/bin/KSDATA" ] || fail "the installed window wrote beside its executable"
echo "package test passed: $(basename "$deb"), $(stat -c %s "$deb") bytes"
