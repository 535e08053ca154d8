#!/usr/bin/env bash
# Builds the Debian package (scripts/build-deb.sh) and checks it: its files and control fields,
# lintian (no errors), the menu entry (desktop-file-validate) and the manual page (mandoc's lint
# and groff's warnings clean). Installing it into fresh Debian 12 and 13 systems is
# scripts/check-fresh-debian.sh's, which needs minutes and a mirror.
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/build-deb.sh > /dev/null || exit 1
deb="$(ls dist/spring-chain_*-1_amd64.deb)"
version="$(sed -n 's/^project(spring_chain VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"

. scripts/checks.sh
field() { dpkg-deb -f "$deb" "$1"; }
holds() { dpkg-deb -c "$deb" | awk '{print $6}' | grep -qx "./$1"; }
no_lintian_errors() {
    local report
    report="$(lintian "$deb" 2> /dev/null)"
    [ -n "$report" ] && echo "$report" | sed 's/^/        /'
    ! echo "$report" | grep -q '^E:'
}
manual=""
manual_page() {
    manual="$(mktemp --suffix=.1)"
    dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man1/spring-chain.1.gz | gunzip > "$manual"
}
lint_clean() { [ -z "$(mandoc -T lint "$manual" 2>&1)" ]; }
groff_clean() { [ -z "$(groff -wall -man -Tutf8 "$manual" 2>&1 > /dev/null)" ]; }

check "named for its version ($deb)" test "$deb" = "dist/spring-chain_${version}-1_amd64.deb"
check "control: package, version, architecture" \
    test "$(field Package) $(field Version) $(field Architecture)" = "spring-chain ${version}-1 amd64"
check "control: dependencies read off the program" bash -c "dpkg-deb -f '$deb' Depends | grep -q 'libglut'"
for file in usr/bin/spring-chain usr/share/man/man1/spring-chain.1.gz \
    usr/share/doc/spring-chain/copyright usr/share/doc/spring-chain/changelog.gz \
    usr/share/doc/spring-chain/changelog.Debian.gz usr/share/doc/spring-chain/README.md \
    usr/share/doc/spring-chain/guide.ja.md usr/share/doc/spring-chain/guide.en.md \
    usr/share/doc/spring-chain/examples/three_masses_mode_start.txt \
    usr/share/applications/spring-chain.desktop \
    usr/share/icons/hicolor/scalable/apps/spring-chain.svg; do
    check "holds /$file" holds "$file"
done
check "lintian: no errors" no_lintian_errors
check "the menu entry is valid" desktop-file-validate packaging/spring-chain.desktop
manual_page
check "the manual page: mandoc's lint clean" lint_clean
check "the manual page: groff's warnings clean" groff_clean
rm -f "$manual"

checks_summary
