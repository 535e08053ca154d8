#!/usr/bin/env bash
# fetch-debian-source.sh PACKAGE DIR: the upstream source of Debian's source package PACKAGE, of
# this release, unpacked into DIR/PACKAGE (once; kept for the next build). It is fetched through a
# private source list, so the machine's apt sources are never edited; the upstream tarball is all
# a cross-build needs (Debian's patches concern its own shared libraries), and a mirror that lacks
# this release's .dsc still serves it.
set -euo pipefail
package="$1"
mkdir -p "$2"
dir="$(cd "$2" && pwd)" # apt reads its options' paths from /
if [ -d "$dir/$package" ]; then
    exit 0
fi
. /etc/os-release
apt_dir="$dir/apt"
mkdir -p "$apt_dir/lists/partial" "$dir/download"
echo "deb-src http://deb.debian.org/debian $VERSION_CODENAME main" > "$apt_dir/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
    -o "Dir::State::Lists=$apt_dir/lists" -o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" update -qq
(cd "$dir/download" && rm -rf "${package}"_* &&
    { apt-get "${apt_options[@]}" source --download-only "$package" || true; })
mkdir -p "$dir/$package.partial"
tar -xf "$dir/download/${package}"_*.orig.tar.* -C "$dir/$package.partial" --strip-components=1
mv "$dir/$package.partial" "$dir/$package"
