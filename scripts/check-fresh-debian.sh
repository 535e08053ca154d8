#!/usr/bin/env bash
# Checks that the README's two commands work on a fresh minimal Debian: debootstraps RELEASE
# (bookworm, trixie, ...) into DIR unless DIR already holds one, copies the committed tree into it,
# and runs ./scripts/run.sh (fed an example dialogue; the chroot has no display, so the program
# stops once the dialogue is done) and then ./scripts/test.sh inside it. Needs root.
#   check-fresh-debian.sh RELEASE DIR
set -euo pipefail
cd "$(dirname "$0")/.."
release="$1"
root="$(realpath -m "$2")"
if [ ! -x "$root/usr/bin/apt-get" ]; then
    command -v debootstrap > /dev/null || apt-get install -y -qq debootstrap
    debootstrap --variant=minbase "$release" "$root" http://deb.debian.org/debian
fi
rm -rf "$root/spring-chain"
git archive --format=tar --prefix=spring-chain/ HEAD | tar -x -C "$root"

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
        bash -c "cd /spring-chain && $1"
}
echo "== $release: ./scripts/run.sh"
in_chroot "./scripts/run.sh < examples/two_masses_typed_start.txt > /tmp/run.out 2>&1 || true;
           grep -q 'ESCキーで：終了' /tmp/run.out && echo 'the simulator built and ran its dialogue'"
echo "== $release: ./scripts/test.sh"
in_chroot "./scripts/test.sh"
