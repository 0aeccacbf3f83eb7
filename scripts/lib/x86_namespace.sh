#!/usr/bin/env bash
# Runs inside a fresh user and mount namespace (see wine32.sh): gives it a
# binfmt_misc of its own in which qemu-i386 ($1) runs i386 programs, then
# runs the rest of the command line. The machine's own table is a different
# one and stays untouched.
#   x86_namespace.sh QEMU SCRIPT [ARGUMENTS...]
# shellcheck source-path=SCRIPTDIR
set -euo pipefail
source "$(dirname "$0")/common.sh"

# i386 ELF executables and shared objects (e_type 2 or 3), as the kernel
# reads their first 20 bytes; the interpreter is opened at registration (F),
# so it need not be reachable from where the programs run.
BINFMT_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
BINFMT_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

qemu="$1"
shift
table=/proc/sys/fs/binfmt_misc
mount -t binfmt_misc binfmt_misc "$table" || die "cannot mount a private binfmt_misc"
# A table of our own starts empty; anything else would be the machine's.
[[ -z "$(find "$table" -mindepth 1 -maxdepth 1 ! -name register ! -name status)" ]] ||
    die "the binfmt_misc table here is not private"
printf ':quenda-i386:M::%s:%s:%s:F\n' "$BINFMT_MAGIC" "$BINFMT_MASK" "$qemu" \
    >"$table/register" || die "cannot register qemu-i386 in the private binfmt_misc"
exec bash "$@"
