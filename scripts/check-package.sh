#!/usr/bin/env bash
# Builds the Debian package and checks it: exactly one .deb, the file list
# (programs, data as in data/, desktop entry, icons, metainfo, manual pages,
# completion, copyright), dependencies found by shlibdeps, and the Debian
# validators: lintian (no errors), desktop-file-validate, appstreamcli,
# man --warnings; the committed icons are what the SVG gives.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
fail=0
problem() { echo "check-package: $*"; fail=1; }

rm -f "$BUILD_DIR"/orvanta_*.deb
cmake --build "$BUILD_DIR" --target package >/dev/null || { echo "check-package: cpack failed"; exit 1; }
# CPack's staging folder keeps a second copy of the package.
rm -rf "$BUILD_DIR/_CPack_Packages"
mapfile -t debs < <(find "$BUILD_DIR" -name '*.deb')
[[ ${#debs[@]} -eq 1 ]] || problem "expected one .deb under $BUILD_DIR, found: ${debs[*]:-none}"
version=$(sed -n 's/^project(Orvanta VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$BUILD_DIR/orvanta_${version}_amd64.deb
[[ -f $deb ]] || { problem "$deb is missing"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | sort > "$work/files"

for f in /usr/bin/orvanta /usr/bin/orvanta-cli /usr/bin/orvanta-sim \
         /usr/share/applications/org.orvanta.orvanta.desktop /usr/share/metainfo/org.orvanta.orvanta.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/orvanta.svg \
         /usr/share/man/man1/orvanta.1.gz /usr/share/man/man1/orvanta-cli.1.gz /usr/share/man/man1/orvanta-sim.1.gz \
         /usr/share/bash-completion/completions/orvanta-cli \
         /usr/share/doc/orvanta/copyright /usr/share/doc/orvanta/changelog.gz; do
  grep -qx "$f" "$work/files" || problem "missing $f"
done
for s in 16 24 32 48 64 128 256; do
  grep -qx "/usr/share/icons/hicolor/${s}x${s}/apps/orvanta.png" "$work/files" || problem "missing ${s}x${s} icon"
done
# The data folder holds exactly what data/ holds.
diff -r data "$work/root/usr/share/orvanta" >/dev/null || problem "/usr/share/orvanta differs from data/"
# Nothing outside the usual places.
grep -v -E '^/$|^/usr/$|^/usr/bin/|^/usr/share/$|^/usr/share/(orvanta|applications|metainfo|icons|man|bash-completion|doc)(/|$)' \
  "$work/files" | sed 's/^/check-package: unexpected /' | grep . && fail=1

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 libssl3; do
  [[ $depends == *"$lib"* ]] || problem "Depends lacks $lib: $depends"
done

desktop-file-validate "$work/root/usr/share/applications/org.orvanta.orvanta.desktop" || problem "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/org.orvanta.orvanta.metainfo.xml" >"$work/as" 2>&1 \
  || { cat "$work/as"; problem "appstreamcli validate"; }
for page in "$work"/root/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || problem "man $(basename "$page"): $warnings"
done
bash packaging/icons/make-icons.sh --check || fail=1

lintian --fail-on error "$deb" >"$work/lintian" 2>&1
status=$?
cat "$work/lintian"
[[ $status -eq 0 ]] || problem "lintian reports errors"

((fail)) && { echo "check-package: FAILED"; exit 1; }
echo "check-package: $deb passed"
