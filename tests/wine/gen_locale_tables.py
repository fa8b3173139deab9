#!/usr/bin/env python3
"""Turns the dump of locale_probe.exe (run under Wine with the German locale) into
src/platform/cp1252_tables.cpp.

Usage: gen_locale_tables.py DUMP OUTPUT.cpp && clang-format -i OUTPUT.cpp
For example, from the repository root:
  tests/wine/run_in_wine.sh BUILD/tests/wine/locale_probe.exe > tests/wine/locale_probe.txt
  tests/wine/gen_locale_tables.py tests/wine/locale_probe.txt src/platform/cp1252_tables.cpp

The sort weights come from the one-byte sort keys (LCMapStringA, LCMAP_SORTKEY | NORM_IGNORECASE).
Such a key reads: primary weights (2 bytes each), 01, diacritic weights (1 byte each, trailing
defaults dropped), 01, variant weights (likewise), 01, 01, special weights (4 bytes each: 0xFFFF
minus the number of primary weights before the byte, then the weight), 00.
Before writing, the script checks the model against everything else in the dump: the keys of the
multi-byte texts and the comparison of every pair of single bytes. Any disagreement aborts.
"""
import sys

DEFAULT_MINOR = 2


def parse_dump(path):
    records = {"KEYS": [], "CMP": {}, "MONTH": []}
    pending_text = None
    with open(path, encoding="ascii") as f:
        for line in f:
            parts = line.split()
            if not parts:
                continue
            tag, rest = parts[0], parts[1:]
            if tag in ("ACP", "OEMCP"):
                records[tag] = int(rest[0])
            elif tag in ("ANSI2OEM", "OEM2ANSI", "UPPER", "LOWER"):
                records[tag] = bytes.fromhex(rest[0])
                assert len(records[tag]) == 256, tag
            elif tag == "MONTH":
                records["MONTH"].append(bytes.fromhex(rest[0] if rest else ""))
            elif tag == "KEYOF":
                pending_text = bytes.fromhex(rest[0] if rest else "")
            elif tag == "KEY":
                records["KEYS"].append((pending_text, bytes.fromhex(rest[0])))
            elif tag == "CMP":
                records["CMP"][int(rest[0], 16)] = rest[1]
    return records


def split_key(key):
    """Returns (primaries, diacritics, variants, specials) of a sort key."""
    assert key[-1] == 0, key.hex()
    i = 0
    primaries = []
    while key[i] != 1:
        primaries.append(key[i] << 8 | key[i + 1])
        i += 2
    sections = []
    for _ in range(3):
        i += 1
        start = i
        while key[i] != 1:
            i += 1
        sections.append(list(key[start:i]))
    diacritics, variants, extra = sections
    assert not extra, key.hex()
    i += 1
    specials = []
    while key[i] != 0:
        specials.append((key[i] << 8 | key[i + 1], key[i + 2] << 8 | key[i + 3]))
        i += 4
    return primaries, diacritics, variants, specials


def padded(values, n):
    assert len(values) <= n
    return values + [DEFAULT_MINOR] * (n - len(values))


def weight_of_byte(key):
    primaries, diacritics, variants, specials = split_key(key)
    assert len(primaries) <= 2, key.hex()
    elements = list(zip(primaries, padded(diacritics, len(primaries)),
                        padded(variants, len(primaries))))
    assert all(d >= DEFAULT_MINOR and v >= DEFAULT_MINOR for _, d, v in elements), key.hex()
    special = 0
    if specials:
        assert not primaries and len(specials) == 1 and specials[0][0] == 0xFFFF, key.hex()
        special = specials[0][1]
        assert special != 0
    return elements, special


def trimmed(values):
    while values and values[-1] == DEFAULT_MINOR:
        values = values[:-1]
    return values


def model_key(weights, text):
    """The sort key the model predicts for a text, in the layout of the real one."""
    primaries, diacritics, variants, specials = [], [], [], []
    for byte in text:
        elements, special = weights[byte]
        if special:
            specials.append((0xFFFF - len(primaries)) & 0xFFFF)
            specials.append(special)
        for p, d, v in elements:
            primaries.append(p)
            diacritics.append(d)
            variants.append(v)
    out = bytearray()
    for p in primaries:
        out += bytes((p >> 8, p & 0xFF))
    out += b"\x01" + bytes(trimmed(diacritics)) + b"\x01" + bytes(trimmed(variants)) + b"\x01\x01"
    for s in specials:
        out += bytes((s >> 8, s & 0xFF))
    return bytes(out) + b"\x00"


def check_model(records, weights):
    for text, key in records["KEYS"]:
        assert model_key(weights, text) == key, (text.hex(), key.hex())
    for a in range(256):
        row = records["CMP"][a]
        for b in range(256):
            ka, kb = model_key(weights, bytes((a,))), model_key(weights, bytes((b,)))
            expected = "<" if ka < kb else "=" if ka == kb else ">"
            assert row[b] == expected, (hex(a), hex(b), row[b], expected)


def c_bytes(name, table):
    lines = [f"const std::array<uint8_t, 256> {name} = {{"]
    for i in range(0, 256, 16):
        lines.append("    " + ", ".join(f"0x{b:02X}" for b in table[i:i + 16]) + ",")
    lines.append("};")
    return "\n".join(lines)


def c_text(raw):
    return '"' + "".join(chr(b) if 0x20 <= b < 0x7F and b not in b'"\\' else f"\\x{b:02X}"
                         for b in raw) + '"'


def c_weights(weights):
    lines = ["const std::array<SortWeight, 256> kSortWeights = {{"]
    for byte, (elements, special) in enumerate(weights):
        slots = elements + [(0, 0, 0)] * (2 - len(elements))
        elems = ", ".join(f"{{0x{p:04X}, 0x{d:02X}, 0x{v:02X}}}" for p, d, v in slots)
        lines.append(f"    {{{len(elements)}, {{{{{elems}}}}}, 0x{special:04X}}},  // 0x{byte:02X}")
    lines.append("}};")
    return "\n".join(lines)


def main():
    dump, output = sys.argv[1], sys.argv[2]
    records = parse_dump(dump)
    assert records["ACP"] == 1252 and records["OEMCP"] == 850, "probe not run under 1252/850"
    keys = {text: key for text, key in records["KEYS"] if len(text) == 1}
    weights = [weight_of_byte(keys[bytes((b,))]) for b in range(256)]
    check_model(records, weights)
    assert len(records["MONTH"]) == 12
    months = ", ".join(c_text(m) for m in records["MONTH"])
    parts = [
        "// Generated by tests/wine/gen_locale_tables.py from tests/wine/locale_probe.txt; do not edit.",
        '#include "platform/cp1252_tables.h"',
        "",
        "namespace qrv::platform::cp1252 {",
        "",
        c_bytes("kAnsiToOem", records["ANSI2OEM"]),
        "",
        c_bytes("kOemToAnsi", records["OEM2ANSI"]),
        "",
        c_bytes("kUpper", records["UPPER"]),
        "",
        c_bytes("kLower", records["LOWER"]),
        "",
        c_weights(weights),
        "",
        f"const std::array<const char*, 12> kShortMonthNames = {{{months}}};",
        "",
        "}  // namespace qrv::platform::cp1252",
        "",
    ]
    with open(output, "w", encoding="ascii") as f:
        f.write("\n".join(parts))


if __name__ == "__main__":
    main()
