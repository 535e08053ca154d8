#!/usr/bin/env bash
# Checks spring-chain on a fresh minimal Debian (debootstrap --variant=minbase of RELEASE: bookworm,
# trixie, ...) in DIR, debootstrapped unless DIR already holds one. Needs root.
#   check-fresh-debian.sh RELEASE DIR
#       copies the committed tree into it and runs the README's two commands: ./scripts/run.sh
#       (fed an example dialogue; the chroot has no display, so the program stops once the
#       dialogue is done) and then ./scripts/test.sh.
#   check-fresh-debian.sh --package RELEASE DIR
#       installs dist/spring-chain_*.deb (scripts/build-deb.sh) there with apt, as a lab machine
#       would, and runs it: --version, an example (the tables, then status 1 without a display),
#       and its manual page with man.
set -euo pipefail
cd "$(dirname "$0")/.."
package=false
if [ "${1:-}" = "--package" ]; then
    package=true
    shift
fi
release="$1"
root="$(realpath -m "$2")"
if [ ! -x "$root/usr/bin/apt-get" ]; then
    command -v debootstrap > /dev/null || apt-get install -y -qq debootstrap
    debootstrap --variant=minbase "$release" "$root" http://deb.debian.org/debian
fi

mounts=(proc dev dev/pts sys)
unmount() {
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "$root/${mounts[$i]}" 2> /dev/null || true
    done
}
trap unmount EXIT
for m in "${mounts[@]}"; do
    mount --bind "/$m" "$root/$m"
done

in_chroot() {
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive bash -c "$1"
}

if $package; then
    deb="$(ls dist/spring-chain_*_amd64.deb)"
    cp "$deb" "$root/tmp/"
    echo "== $release: apt install ./$(basename "$deb")"
    in_chroot "apt-get update -qq && apt-get install -y -qq /tmp/$(basename "$deb") man-db > /dev/null"
    in_chroot "spring-chain --version"
    in_chroot "spring-chain < /usr/share/doc/spring-chain/examples/three_masses_mode_start.txt \
                   > /tmp/run.out 2> /tmp/run.err; status=\$?; grep -q 'ESCキーで：終了' /tmp/run.out &&
               [ \$status -eq 1 ] && grep -q 'ディスプレイ' /tmp/run.err &&
               echo 'the tables printed, then status 1 with the message: no display'"
    in_chroot "man -P cat spring-chain 2> /dev/null | tr -s ' ' | grep -q 'free vibration of a chain' &&
               echo 'man spring-chain shows the manual page'"
    exit 0
fi

rm -rf "$root/spring-chain"
git archive --format=tar --prefix=spring-chain/ HEAD | tar -x -C "$root"
echo "== $release: ./scripts/run.sh"
in_chroot "cd /spring-chain && ./scripts/run.sh < examples/two_masses_typed_start.txt > /tmp/run.out 2>&1 || true;
           grep -q 'ESCキーで：終了' /tmp/run.out && echo 'the simulator built and ran its dialogue'"
echo "== $release: ./scripts/test.sh"
in_chroot "cd /spring-chain && ./scripts/test.sh"
