#!/usr/bin/env python3
"""Writes src/deck/cp932_table.cpp, the code page 932 (Windows-31J) table that the
question file reader uses where the platform has no converter of its own.

The mapping is Python's cp932 codec, which follows the Windows table: the NEC and
IBM extensions, the user-defined area F040-F9FC and the single bytes 0x80, 0xA0
and 0xFD-0xFF. No network is needed.

    make_cp932_table.py              print the table
    make_cp932_table.py FILE         write it to FILE
    make_cp932_table.py --check FILE fail if FILE is not what this script writes
"""
import sys

LEAD_BYTES = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))


def unit(data):
    """The one UTF-16 unit that the bytes decode to, or 0 when they are no character."""
    try:
        text = data.decode("cp932")
    except UnicodeDecodeError:
        return 0
    if len(text) != 1 or ord(text) > 0xFFFF:
        raise SystemExit(f"{data.hex()} decodes to {text!r}, not one UTF-16 unit")
    return ord(text)


def rows(values, indent, digits=4):
    return "\n".join(indent + ", ".join(f"0x{v:0{digits}X}" for v in values[i:i + 16]) + ","
                     for i in range(0, len(values), 16))


def table():
    single = [unit(bytes([b])) if b not in LEAD_BYTES else 0 for b in range(256)]
    out = [
        "// Code page 932 (Windows-31J) to UTF-16, made by tools/make_cp932_table.py",
        "// from Python's cp932 codec. Do not edit by hand: run the script.",
        '#include "cp932_table.h"',
        "",
        "const unsigned char kCp932Lead[kCp932LeadCount] = {",
        rows(LEAD_BYTES, "    ", 2),
        "};",
        "",
        "const char16_t kCp932Single[256] = {",
        rows(single, "    "),
        "};",
        "",
        "const char16_t kCp932Pair[kCp932LeadCount][256] = {",
    ]
    for lead in LEAD_BYTES:
        pair = [unit(bytes([lead, trail])) if trail else 0 for trail in range(256)]
        out += [f"    {{ // {lead:02X}", rows(pair, "        "), "    },"]
    out += ["};", ""]
    return "\n".join(out)


def main(args):
    text = table()
    if not args:
        sys.stdout.write(text)
    elif args[0] == "--check" and len(args) == 2:
        with open(args[1], encoding="utf-8", newline="") as f:
            if f.read() != text:
                sys.exit(f"{args[1]} differs from what {sys.argv[0]} writes; run it again")
    elif len(args) == 1:
        with open(args[0], "w", encoding="utf-8", newline="") as f:
            f.write(text)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
