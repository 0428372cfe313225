#!/bin/sh
# Builds the Debian package, unpacks it into a scratch root and checks that it installs like a
# Linux program: only executables in bin/, data under share/, valid desktop and AppStream files,
# computed dependencies, the documents Debian's policy asks for (lintian reports no error), and a
# help file the program finds from where it is installed.
# Usage: debpackage.sh BUILD_DIR HELPPATH_EXECUTABLE
set -eu
build=$1
helppath=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack did not build the package"; }
set -- "$scratch"/out/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one .deb, found: $*"
deb=$1

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libqt6widgets6 libsndfile1 libsdl2; do
    echo "$depends" | grep -q "$lib" || fail "the computed dependencies lack $lib"
done

root=$scratch/root
dpkg -x "$deb" "$root"
usr=$root/usr
for f in bin/sondrix share/sondrix/Sx30.html share/applications/sondrix.desktop \
         share/icons/hicolor/scalable/apps/sondrix.svg \
         share/metainfo/org.example.sondrix.metainfo.xml share/man/man1/sondrix.1.gz \
         share/doc/sondrix/copyright share/doc/sondrix/changelog.Debian.gz; do
    [ -f "$usr/$f" ] || fail "missing /usr/$f"
done
gzip -t "$usr/share/man/man1/sondrix.1.gz" || fail "the manual page is not gzipped"
head -n 1 "$usr/share/doc/sondrix/copyright" | grep -q '^Format: ' ||
    fail "the copyright file is not machine-readable"
metainfo=$usr/share/metainfo/org.example.sondrix.metainfo.xml
grep -q '<project_license>' "$metainfo" || fail "the AppStream file names no licence"
shot=$(sed -n 's|.*<image[^>]*>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo")
[ -n "$shot" ] && [ -f "$usr/share/sondrix/$shot" ] ||
    fail "the AppStream screenshot '$shot' is not shipped in /usr/share/sondrix"
grep -q '^MimeType=.*audio/x-wav;' "$usr/share/applications/sondrix.desktop" ||
    fail "the desktop entry does not offer Sondrix for WAV files"
lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 ||
    { cat "$scratch/lintian.log" >&2; fail "lintian reports errors"; }
cat "$scratch/lintian.log"
[ "$(ls "$usr/bin")" = sondrix ] || fail "bin/ holds more than the program: $(ls "$usr/bin")"
file -L "$usr/bin/sondrix" | grep -q ELF || fail "bin/sondrix is not an executable"
[ -x "$usr/bin/sondrix" ] || fail "bin/sondrix is not executable"
if ldd "$usr/bin/sondrix" | grep -q "not found"; then fail "unresolved libraries"; fi
desktop-file-validate "$usr/share/applications/sondrix.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$usr/share/metainfo/org.example.sondrix.metainfo.xml" ||
    fail "AppStream file invalid"

cp "$helppath" "$usr/bin/"
found=$("$usr/bin/$(basename "$helppath")")
[ "$found" = "$usr/share/sondrix/Sx30.html" ] || fail "the program looks for its help at $found"
grep -q 'name="context1"' "$found" || fail "the packaged help file lacks its topics"
echo "package $(basename "$deb") lays out correctly; help found at /usr/share/sondrix/Sx30.html"
