#!/usr/bin/env python3
"""Checks the packed skin archive against the skin sources.

    check_skin_package.py archive  ARCHIVE SKIN_DIR TEST_DIR
        7z layout (solid LZMA2, one block, LZMA-encoded header, "/" separators in the
        stored names), the exact entry list, byte-identical content after extraction,
        and every picture the skins name is present unless it is a known missing one.
    check_skin_package.py pictures ARCHIVE SKIN_DIR TEST_DIR
        pixel size, bit depth and colour type of every PNG as extracted from the archive,
        and that its image data inflates to exactly the rows the header promises.
"""
import lzma
import os
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zlib

SEVEN_ZIP = os.environ.get("QV_7ZZ", "7zz")
SKIN_FILES = ["mainWnd.xml", "exitTipWnd.xml", "MessageBox1Wnd.xml", "MessageBox2Wnd.xml",
              "NetworkTipWnd.xml", "InstalledPathTipWnd.xml"]
# The names the program asks for; the package lookup ignores letter case.
REQUESTED = ["MainWnd.xml", "MessageBox1Wnd.xml", "MessageBox2Wnd.xml", "ExitTipWnd.xml",
             "NetworkTipWnd.xml", "InstalledPathTipWnd.xml"]
DIRECTORIES = {"res", "res/common", "res/mainWnd", "res/mainWnd/installBtnAnimate", "res/MessageBoxWnd"}
IMAGE_ATTRIBUTES = {"bkimage", "normalimage", "hotimage", "pushedimage", "disabledimage",
                    "focusedimage", "selectedimage", "selectedhotimage", "foreimage", "hotforeimage"}

failures = []


def check(cond, msg):
    if not cond:
        failures.append(msg)
    return cond


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                rows.append(line.split())
    return rows


def slt_listing(archive):
    out = subprocess.run([SEVEN_ZIP, "l", "-slt", archive], check=True, stdout=subprocess.PIPE,
                         universal_newlines=True, encoding="utf-8").stdout
    head, _, body = out.partition("\n----------\n")
    archive_props = dict(l.split(" = ", 1) for l in head.splitlines() if " = " in l)
    entries = []
    for block in body.strip().split("\n\n"):
        props = dict(l.split(" = ", 1) if " = " in l else (l.rstrip(" ="), "") for l in block.splitlines() if l)
        if "Path" in props:
            entries.append(props)
    return archive_props, entries


# -- raw 7z header ----------------------------------------------------------------------

def read_number(buf, pos):
    first = buf[pos]
    pos += 1
    mask, value = 0x80, 0
    for i in range(8):
        if first & mask == 0:
            return value | ((first & (mask - 1)) << (8 * i)), pos
        value |= buf[pos] << (8 * i)
        pos += 1
        mask >>= 1
    return value, pos


def decode_encoded_header(data):
    """Returns the unpacked header of an archive whose next header is kEncodedHeader."""
    next_offset, next_size = struct.unpack_from("<QQ", data, 12)
    hdr = data[32 + next_offset: 32 + next_offset + next_size]
    if not check(len(hdr) == next_size and next_size > 0, "next header lies outside the archive"):
        return None
    if not check(hdr[0] == 0x17, "header is not encoded (first byte 0x%02x, expected 0x17)" % hdr[0]):
        return None
    pos = 1
    pack_pos = pack_size = unpack_size = None
    props = None
    assert hdr[pos] == 0x06, "PackInfo expected"
    pack_pos, pos = read_number(hdr, pos + 1)
    num_pack, pos = read_number(hdr, pos)
    assert num_pack == 1 and hdr[pos] == 0x09
    pack_size, pos = read_number(hdr, pos + 1)
    while hdr[pos] != 0x00:                       # optional pack CRCs
        pos = skip_crcs(hdr, pos + 1, num_pack)
    pos += 1
    assert hdr[pos] == 0x07 and hdr[pos + 1] == 0x0B, "UnpackInfo/Folder expected"
    num_folders, pos = read_number(hdr, pos + 2)
    assert num_folders == 1 and hdr[pos] == 0
    num_coders, pos = read_number(hdr, pos + 1)
    assert num_coders == 1
    flags = hdr[pos]
    pos += 1
    method = hdr[pos: pos + (flags & 0x0F)]
    pos += flags & 0x0F
    if flags & 0x20:
        psize, pos = read_number(hdr, pos)
        props = hdr[pos: pos + psize]
        pos += psize
    check(method == b"\x03\x01\x01", "header coder is %s, expected LZMA (030101)" % method.hex())
    assert hdr[pos] == 0x0C
    unpack_size, pos = read_number(hdr, pos + 1)
    if method != b"\x03\x01\x01" or not props:
        return None
    d = props[0]
    filt = {"id": lzma.FILTER_LZMA1, "lc": d % 9, "lp": (d // 9) % 5, "pb": d // 45,
            "dict_size": struct.unpack_from("<I", props, 1)[0]}
    dec = lzma.LZMADecompressor(format=lzma.FORMAT_RAW, filters=[filt])
    packed = data[32 + pack_pos: 32 + pack_pos + pack_size]
    return dec.decompress(packed, unpack_size)[:unpack_size]


def skip_crcs(buf, pos, count):
    all_defined = buf[pos]
    pos += 1
    defined = count
    if not all_defined:
        bits = buf[pos: pos + (count + 7) // 8]
        pos += (count + 7) // 8
        defined = sum(bin(b).count("1") for b in bits)
    return pos + 4 * defined


def stored_names(header, count):
    """Finds the file-names property (0x11) that holds exactly `count` UTF-16LE names."""
    for m in re.finditer(b"\x11", header):
        try:
            size, pos = read_number(header, m.start() + 1)
        except IndexError:
            continue
        if header[pos: pos + 1] != b"\x00" or size < 3 or pos + size > len(header) + 1:
            continue
        raw = header[pos + 1: pos + size]
        if len(raw) % 2:
            continue
        try:
            text = raw.decode("utf-16-le")
        except UnicodeDecodeError:
            continue
        names = text.split("\x00")
        if names and names[-1] == "":
            names = names[:-1]
        if len(names) == count:
            return names
    return None


# -- skin references --------------------------------------------------------------------

def picture_name(value):
    if "=" not in value:
        return value
    m = re.search(r"(?:^|\s)file='([^']*)'", value)
    return m.group(1) if m else None


def referenced_pictures(skin_dir):
    refs = {}
    for skin in SKIN_FILES:
        root = ET.parse(os.path.join(skin_dir, skin)).getroot()
        for el in root.iter():
            for key, value in el.attrib.items():
                names = []
                if key in IMAGE_ATTRIBUTES:
                    names.append(picture_name(value))
                elif key == "sequencebkimage":
                    count = int(el.attrib.get("sequencecount", "0"))
                    names += [value.replace("%.3d", "%03d" % i) for i in range(count)]
                for n in names:
                    if n:
                        refs.setdefault(n.replace("\\", "/"), set()).add(skin)
    return refs


# -- modes ------------------------------------------------------------------------------

def extract(archive, dest):
    subprocess.run([SEVEN_ZIP, "x", "-y", "-bso0", "-bsp0", "-o" + dest, archive], check=True)


def check_archive(archive, skin_dir, test_dir):
    pictures = [r[0] for r in read_table(os.path.join(test_dir, "picture_sizes.txt"))]
    missing = {r[0] for r in read_table(os.path.join(test_dir, "missing_pictures.txt"))}
    expected_files = set(SKIN_FILES) | set(pictures)

    props, entries = slt_listing(archive)
    check(props.get("Type") == "7z", "archive type %r" % props.get("Type"))
    check(props.get("Solid") == "+", "archive is not solid")
    check(props.get("Blocks") == "1", "expected one solid block, got %r" % props.get("Blocks"))
    check(props.get("Method", "").startswith("LZMA2"), "archive method %r" % props.get("Method"))
    dirs = {e["Path"] for e in entries if e.get("Attributes", "").startswith("D")}
    files = {e["Path"]: e for e in entries if not e.get("Attributes", "").startswith("D")}
    check(dirs == DIRECTORIES, "directory entries %s" % sorted(dirs ^ DIRECTORIES))
    check(set(files) == expected_files,
          "unexpected entries %s, absent entries %s" % (sorted(set(files) - expected_files),
                                                      sorted(expected_files - set(files))))
    for path, e in files.items():
        check(e.get("Method", "").startswith("LZMA2"), path + ": method " + e.get("Method", ""))
        check(e.get("Block") == "0", path + ": not in the solid block")

    data = open(archive, "rb").read()
    check(data[:6] == b"7z\xbc\xaf\x27\x1c", "7z signature")
    check(data[6] == 0, "7z major version %d" % data[6])
    header = decode_encoded_header(data)
    if header is not None:
        names = stored_names(header, len(entries))
        if check(names is not None, "file names not found in the decoded header"):
            check(not any("\\" in n for n in names), "stored names contain backslashes")
            check(set(names) == dirs | set(files), "stored names differ from the listing")

    # The program asks for the skins in another letter case; each must find exactly one entry.
    for req in REQUESTED:
        hits = [f for f in files if f.lower() == req.lower()]
        check(len(hits) == 1, "%s matches %s" % (req, hits))

    refs = referenced_pictures(skin_dir)
    for name, skins in sorted(refs.items()):
        if name in missing:
            check(name not in files, name + " is meant to be missing but is packed")
        else:
            check(name in files, "%s (used by %s) is not in the archive" % (name, ", ".join(sorted(skins))))
    check(missing <= set(refs), "listed as missing but unused: %s" % sorted(missing - set(refs)))
    # The window code switches the background per page; the two button states under
    # their short names are packed although the skin asks for other names.
    unused = set(pictures) - set(refs)
    check(unused == {"res/mainWnd/bg2.png", "res/mainWnd/bg3.png", "res/mainWnd/bg4.png",
                     "res/mainWnd/chDirBt2.png", "res/mainWnd/chDirBt3.png"},
          "pictures no skin uses: %s" % sorted(unused))

    with tempfile.TemporaryDirectory() as tmp:
        extract(archive, tmp)
        for name in sorted(expected_files & set(files)):
            got = open(os.path.join(tmp, name), "rb").read()
            want = open(os.path.join(skin_dir, name), "rb").read()
            check(got == want, name + ": extracted bytes differ from the source")


def png_info(blob):
    if blob[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    pos, chunks = 8, {}
    idat = b""
    while pos < len(blob):
        length, kind = struct.unpack_from(">I4s", blob, pos)
        body = blob[pos + 8: pos + 8 + length]
        crc = struct.unpack_from(">I", blob, pos + 8 + length)[0]
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            return None
        if kind == b"IDAT":
            idat += body
        else:
            chunks.setdefault(kind, body)
        pos += 12 + length
        if kind == b"IEND":
            break
    w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    return w, h, depth, ctype, interlace, chunks, zlib.decompress(idat)


def check_pictures(archive, skin_dir, test_dir):
    table = read_table(os.path.join(test_dir, "picture_sizes.txt"))
    with tempfile.TemporaryDirectory() as tmp:
        extract(archive, tmp)
        for name, w, h, ctype in table:
            w, h, ctype = int(w), int(h), int(ctype)
            path = os.path.join(tmp, name)
            if not check(os.path.isfile(path), name + ": not in the archive"):
                continue
            info = png_info(open(path, "rb").read())
            if not check(info is not None, name + ": not a well-formed PNG"):
                continue
            gw, gh, depth, gtype, interlace, chunks, pixels = info
            check((gw, gh) == (w, h), "%s: %dx%d, expected %dx%d" % (name, gw, gh, w, h))
            check(depth == 8 and gtype == ctype, "%s: depth %d colour type %d, expected 8/%d"
                  % (name, depth, gtype, ctype))
            check(interlace == 0, name + ": interlaced")
            bpp = {6: 4, 3: 1}.get(gtype, 0)
            check(len(pixels) == gh * (1 + gw * bpp), name + ": image data does not match the header")
            if gtype == 3:
                check(b"PLTE" in chunks and b"tRNS" in chunks, name + ": palette image without PLTE/tRNS")


def main():
    mode, archive, skin_dir, test_dir = sys.argv[1:5]
    {"archive": check_archive, "pictures": check_pictures}[mode](archive, skin_dir, test_dir)
    for f in failures:
        print("FAIL:", f)
    print("%s: %s" % (mode, "ok" if not failures else "%d failure(s)" % len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
