#!/usr/bin/env bash
# Tests the pack tool: build, list and cat round-trip a folder of files of any bytes; packs
# written by an independent writer (packtool.py) list and read alike in both byte orders; bad
# input gives the system's error on standard error and a non-zero exit.
#
# usage: respack_test.sh RESPACK PYTHON3 PACKTOOL
set -u
RESPACK=$1
PY=$2
PACKTOOL=$3

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILURES=0

fail() {
    echo "FAIL: $*" >&2
    FAILURES=$((FAILURES + 1))
}

# expect_ok WHAT COMMAND...: the command succeeds without a word on standard error.
expect_ok() {
    local what=$1
    shift
    if ! "$@" 2>"$WORK/err"; then
        fail "$what: exit code $? ($(cat "$WORK/err"))"
    elif [ -s "$WORK/err" ]; then
        fail "$what: unexpected error output: $(cat "$WORK/err")"
    fi
}

# expect_error WHAT LINE COMMAND...: the command fails and its standard error is exactly LINE
# (a sanitizer report, which also fails the command, would show as a mismatch).
expect_error() {
    local what=$1 line=$2
    shift 2
    if "$@" >"$WORK/out" 2>"$WORK/err"; then
        fail "$what: succeeded"
        return
    fi
    if [ "$(cat "$WORK/err")" != "$line" ]; then
        fail "$what: expected '$line', got '$(cat "$WORK/err")'"
    fi
}

# ---- a folder of files of any bytes ----------------------------------------------------------
SRC="$WORK/src"
mkdir -p "$SRC/Sub/Deeper" "$SRC/empty folder"
printf 'hello\n' >"$SRC/a.txt"
: >"$SRC/Empty.bin"
"$PY" -c 'import sys; sys.stdout.buffer.write(bytes(range(256)) * 40 + b"\0\r\n\x1a")' \
    >"$SRC/Sub/Deeper/Blob.DAT"
printf 'name with spaces' >"$SRC/Sub/with space.txt"
"$PY" -c 'import random, sys; r = random.Random(7); sys.stdout.buffer.write(bytes(r.getrandbits(8) for _ in range(150000)))' \
    >"$SRC/Sub/noise.raw"

expect_ok "build" "$RESPACK" build "$WORK/out.dat" "$SRC"
[ -f "$WORK/out.dat" ] || fail "build: no pack written"
[ -e "$WORK/out.dat.tmp" ] && fail "build: temporary file left behind"

printf 'a.txt\t6\nempty.bin\t0\nsub/deeper/blob.dat\t10244\nsub/noise.raw\t150000\nsub/with space.txt\t16\n' \
    >"$WORK/list.expected"
expect_ok "list" "$RESPACK" list "$WORK/out.dat" >"$WORK/list.out"
cmp -s "$WORK/list.expected" "$WORK/list.out" || fail "list: got $(cat "$WORK/list.out")"

for pair in "a.txt:a.txt" "Empty.bin:EMPTY.BIN" "Sub/Deeper/Blob.DAT:sub/deeper/blob.dat" \
    "Sub/with space.txt:Sub/With Space.TXT" "Sub/noise.raw:sub/noise.raw"; do
    file=${pair%%:*}
    name=${pair#*:}
    expect_ok "cat $name" "$RESPACK" cat "$WORK/out.dat" "$name" >"$WORK/cat.out"
    cmp -s "$SRC/$file" "$WORK/cat.out" || fail "cat $name: bytes differ"
done

# The pack itself, read by the independent parser: layout, sorted names, contents.
expect_ok "independent check of the built pack" "$PY" "$PACKTOOL" check "$WORK/out.dat" "$SRC"

# Building again over an existing pack inside the folder does not pack the old pack.
cp "$WORK/out.dat" "$SRC/self.dat"
expect_ok "build into the folder" "$RESPACK" build "$SRC/self.dat" "$SRC"
"$RESPACK" list "$SRC/self.dat" | grep -q 'self.dat' && fail "the pack holds an older copy of itself"
rm -f "$SRC/self.dat"

# ---- packs written by an independent writer --------------------------------------------------
"$PY" -c 'import sys; sys.stdout.buffer.write(bytes(range(256)) * 3 + b"\0")' >"$WORK/all.expected"
printf 'Howdy, partner!\n' >"$WORK/readme.expected"
printf 'bin/all.bytes\t769\ndocs/readme.txt\t16\n' >"$WORK/two.expected"
for order in little big; do
    "$PY" "$PACKTOOL" write "$WORK/two-$order.dat" "$order" || fail "packtool write $order"
    expect_ok "list $order" "$RESPACK" list "$WORK/two-$order.dat" >"$WORK/two.out"
    cmp -s "$WORK/two.expected" "$WORK/two.out" || fail "list $order: got $(cat "$WORK/two.out")"
    expect_ok "cat $order" "$RESPACK" cat "$WORK/two-$order.dat" "Bin/All.Bytes" >"$WORK/cat.out"
    cmp -s "$WORK/all.expected" "$WORK/cat.out" || fail "cat $order bin/all.bytes: bytes differ"
    expect_ok "cat $order" "$RESPACK" cat "$WORK/two-$order.dat" "docs/readme.txt" >"$WORK/cat.out"
    cmp -s "$WORK/readme.expected" "$WORK/cat.out" || fail "cat $order docs/readme.txt: bytes differ"
done

# ---- bad input -------------------------------------------------------------------------------
cp "$WORK/out.dat" "$WORK/damaged.dat"
"$PY" "$PACKTOOL" damage "$WORK/damaged.dat"
INDEX_OFFSET=$("$PY" -c 'import struct, sys; print(struct.unpack("<i", open(sys.argv[1], "rb").read()[8:12])[0])' "$WORK/damaged.dat")
if ! "$RESPACK" list "$WORK/damaged.dat" >/dev/null 2>"$WORK/err"; then
    # The wrapped message may hold line feeds of its own.
    [[ "$(cat "$WORK/err")" == "respack: FatalErrorException : ResourceFile::ResourceFile : index is corrupt ["*"] nDbgStep = 2 nIdxOff = $INDEX_OFFSET" ]] ||
        fail "damaged index: got '$(cat "$WORK/err")'"
else
    fail "damaged index: listed"
fi

expect_error "missing pack" "respack: FileAccessException : File::File : '$WORK/none.dat' does not exist" \
    "$RESPACK" list "$WORK/none.dat"
expect_error "not a pack" "respack: FatalErrorException : ResourceFile::ResourceFile : bad header" \
    "$RESPACK" cat "$SRC/a.txt" a.txt
expect_error "unknown name" 'respack: FatalErrorException : Hash key not found : "no/such.file"' \
    "$RESPACK" cat "$WORK/out.dat" No/Such.File
expect_error "missing folder" "respack: FileAccessException : respack build : folder $WORK/nowhere does not exist" \
    "$RESPACK" build "$WORK/x.dat" "$WORK/nowhere"
[ -e "$WORK/x.dat" ] && fail "missing folder: a pack was written"

# A pack of a few pictures with bit 7 of one byte inside an entry's compressed data flipped:
# cat refuses that entry with the reason, never writes wrong bytes; the others still read.
mkdir -p "$WORK/pics"
for i in 0 1 2; do
    "$PY" -c 'import random, sys, zlib
r = random.Random(int(sys.argv[1]))
raw = bytes(r.getrandbits(4) for _ in range(2000))
sys.stdout.buffer.write(b"\x89PNG\r\n\x1a\n" + zlib.compress(raw) + raw[:300])' "$i" >"$WORK/pics/pic$i.png"
done
expect_ok "build pictures" "$RESPACK" build "$WORK/pics.dat" "$WORK/pics"
"$PY" -c 'import sys
p = sys.argv[1]
d = bytearray(open(p, "rb").read())
d[12 + 40] ^= 0x80  # inside the first entry (pic0.png), past its zlib header
open(p, "wb").write(d)' "$WORK/pics.dat"
if "$RESPACK" cat "$WORK/pics.dat" pic0.png >"$WORK/out" 2>"$WORK/err"; then
    fail "flipped bit in an entry: read"
fi
[[ "$(cat "$WORK/err")" == "respack: ResourceException : respack cat : can't read pic0.png : the compressed data "*" (Assertion failed : nRead == nSize)" ]] ||
    fail "flipped bit in an entry: got '$(cat "$WORK/err")'"
[ -s "$WORK/out" ] && fail "flipped bit in an entry: bytes written"
for i in 1 2; do
    expect_ok "cat the sound entry pic$i.png" "$RESPACK" cat "$WORK/pics.dat" "pic$i.png" >"$WORK/cat.out"
    cmp -s "$WORK/pics/pic$i.png" "$WORK/cat.out" || fail "cat pic$i.png beside a damaged entry: bytes differ"
done

# A pack cut short is refused whole.
head -c 100 "$WORK/out.dat" >"$WORK/cut.dat"
if "$RESPACK" list "$WORK/cut.dat" >"$WORK/out" 2>"$WORK/err"; then
    fail "cut pack: listed"
fi
[ -s "$WORK/out" ] && fail "cut pack: names listed"

# Something that is there but cannot be read is not reported missing.
ln -s loop "$WORK/loop"
expect_error "unreadable pack" "respack: FileAccessException : File::File : can't open file $WORK/loop (rb) [40]" \
    "$RESPACK" list "$WORK/loop"

# Names with control characters list as one line each, escaped.
mkdir -p "$WORK/odd"
printf 'x' >"$WORK/odd/$(printf 'line\nbreak')"
printf 'yz' >"$WORK/odd/$(printf 'tab\tand\033esc')"
printf '' >"$WORK/odd/back\\slash"
expect_ok "build odd names" "$RESPACK" build "$WORK/odd.dat" "$WORK/odd"
printf 'back\\\\slash\t0\nline\\nbreak\t1\ntab\\tand\\x1Besc\t2\n' >"$WORK/odd.expected"
expect_ok "list odd names" "$RESPACK" list "$WORK/odd.dat" >"$WORK/odd.out"
cmp -s "$WORK/odd.expected" "$WORK/odd.out" || fail "list odd names: got $(cat -A "$WORK/odd.out")"

USAGE="respack: BadParmException : respack : usage: respack build OUT.dat DIR | respack list PACK | respack cat PACK NAME"
expect_error "no arguments" "$USAGE" "$RESPACK"
expect_error "unknown command" "$USAGE" "$RESPACK" unpack "$WORK/out.dat"
expect_error "list without pack" "$USAGE" "$RESPACK" list
expect_error "list with extra" "$USAGE" "$RESPACK" list "$WORK/out.dat" extra
expect_error "cat without name" "$USAGE" "$RESPACK" cat "$WORK/out.dat"
expect_error "build without folder" "$USAGE" "$RESPACK" build "$WORK/x.dat"

mkdir -p "$WORK/clash"
printf '1' >"$WORK/clash/Map.txt"
printf '2' >"$WORK/clash/map.TXT"
expect_error "names differing only in case" \
    "respack: FatalErrorException : respack build : Map.txt and map.TXT differ only in case" \
    "$RESPACK" build "$WORK/clash.dat" "$WORK/clash"
[ -e "$WORK/clash.dat" ] && fail "case clash: a pack was written"

if [ -w /dev/full ]; then
    expect_error "cat to a full disk" "respack: FileAccessException : respack : can't write to standard output" \
        sh -c '"$1" cat "$2" sub/noise.raw >/dev/full' sh "$RESPACK" "$WORK/out.dat"
    expect_error "list to a full disk" "respack: FileAccessException : respack : can't write to standard output" \
        sh -c '"$1" list "$2" >/dev/full' sh "$RESPACK" "$WORK/out.dat"
fi

if [ "$FAILURES" -ne 0 ]; then
    echo "$FAILURES failure(s)" >&2
    exit 1
fi
echo "respack: all checks passed"
