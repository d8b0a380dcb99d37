#!/usr/bin/env bash
# Boots Debian 12's own kernel in qemu (software emulation) with an initramfs
# made here: busybox, the kernel's hid, uhid and hid-generic modules, and the
# guest test program with the libraries it needs. The guest prints its
# verdict on the serial console; no verdict line is a failure.
#   run_kernel_test.sh GUEST_PROGRAM SOURCE_DIR WORK_DIR
# Exit status 77 (skipped, with the reason) when qemu, a static busybox, cpio
# or the kernel image cannot be had.
set -uo pipefail
GUEST=$1 SRC=$2 WORK=$3
TIMEOUT=${CORVALINE_KERNEL_TEST_TIMEOUT:-150}
skip() { echo "SKIP: $*"; exit 77; }

command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 is not installed (package qemu-system-x86)"
command -v cpio >/dev/null || skip "cpio is not installed"
BUSYBOX=$(command -v busybox || true)
[ -n "$BUSYBOX" ] && ! ldd "$BUSYBOX" >/dev/null 2>&1 || skip "no statically linked busybox (package busybox-static)"

# Debian 12's newest 6.1 kernel image, downloaded once into WORK.
KDIR="$WORK/kernel"
if ! ls "$KDIR"/x/boot/vmlinuz-* >/dev/null 2>&1; then
  rm -rf "$KDIR" && mkdir -p "$KDIR"
  PKG=$(apt-cache search --names-only '^linux-image-6\.1\.0-[0-9]+-amd64$' 2>/dev/null | cut -d' ' -f1 | sort -V | tail -1)
  [ -n "$PKG" ] || skip "no linux-image-6.1.0-NN-amd64 in the package lists (apt-get update?)"
  (cd "$KDIR" && apt-get download "$PKG" >/dev/null 2>&1) || skip "cannot download $PKG"
  dpkg-deb -x "$KDIR"/"$PKG"_*.deb "$KDIR/x" || skip "cannot unpack $PKG"
  rm -f "$KDIR"/*.deb
fi
VMLINUZ=$(ls "$KDIR"/x/boot/vmlinuz-* | head -1)
HIDMOD=$(ls -d "$KDIR"/x/lib/modules/*/kernel/drivers/hid | head -1)

ROOT=$(mktemp -d "$WORK/initramfs.XXXXXX")
trap 'rm -rf "$ROOT"' EXIT
mkdir -p "$ROOT"/{bin,proc,sys,dev,tmp,modules,corvaline}
cp "$BUSYBOX" "$ROOT/bin/busybox"
for m in hid uhid hid-generic; do
  [ -f "$HIDMOD/$m.ko" ] || skip "the kernel image has no $m.ko (compressed modules?)"
  cp "$HIDMOD/$m.ko" "$ROOT/modules/"
done
cp "$GUEST" "$ROOT/corvaline/uhid_guest"
cp "$SRC/assets/config.bin" "$SRC/tests/data/corvalinectl_apply_delivered.trace" "$ROOT/corvaline/"
# The program's shared libraries and the loader, at their own paths.
for lib in $(ldd "$GUEST" | grep -o '/[^ ]*'); do
  cp --parents -L "$lib" "$ROOT"
done
cat > "$ROOT/init" <<'INIT'
#!/bin/busybox sh
/bin/busybox mount -t proc proc /proc
/bin/busybox mount -t sysfs sysfs /sys
/bin/busybox mount -t devtmpfs devtmpfs /dev
# No udev here: the modules go in by hand, hid-generic last so it binds.
for m in hid uhid hid-generic; do /bin/busybox insmod /modules/$m.ko || echo "insmod $m failed"; done
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 /corvaline/uhid_guest /corvaline
echo "guest exit status $?"
/bin/busybox poweroff -f
INIT
chmod +x "$ROOT/init"
(cd "$ROOT" && find . | cpio -o -H newc --quiet | gzip -1) > "$ROOT.cpio.gz"
trap 'rm -rf "$ROOT" "$ROOT.cpio.gz"' EXIT

LOG="$WORK/kernel-test.log"
timeout "$TIMEOUT" qemu-system-x86_64 -accel tcg -M q35 -m 256 -nographic -no-reboot \
  -kernel "$VMLINUZ" -initrd "$ROOT.cpio.gz" \
  -append "console=ttyS0 panic=-1 quiet loglevel=3" </dev/null >"$LOG" 2>&1
status=$?
tr -d '\r' <"$LOG" | grep -aE '(^|[^a-z])(ok  |FAIL|     \/dev|CORVALINE-KERNEL-TEST|guest exit|insmod)' || true
if grep -q 'CORVALINE-KERNEL-TEST: PASS' "$LOG"; then exit 0; fi
[ "$status" -eq 124 ] && echo "qemu did not finish within ${TIMEOUT}s"
grep -q 'CORVALINE-KERNEL-TEST:' "$LOG" || { echo "no verdict from the guest; console:"; tail -40 "$LOG"; }
exit 1
