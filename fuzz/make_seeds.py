#!/usr/bin/env python3
"""Writes the seed corpora under corpus/<target>/: a handful of small, readable inputs each.

Fields are separated by the byte 0xFF; 0xFE plus two bytes (low byte first) is one UTF-16 code
unit, so characters beyond Latin-1 and unpaired surrogates can be written down too.
"""
import pathlib

SEP = b"\xff"


def unit(code):
    return b"\xfe" + bytes([code & 0xFF, code >> 8])


def latin1(text):
    return text.encode("latin-1")


def fields(*parts):
    return SEP.join(latin1(p) if isinstance(p, str) else p for p in parts)


EURO = unit(0x20AC)
CJK = unit(0x5C71) + unit(0x7530)
EMOJI = unit(0xD83D) + unit(0xDE00)  # a surrogate pair
LONE = unit(0xD800) + b"X" + unit(0xDC00)  # two unpaired surrogates

SEEDS = {
    "fuzz_self_number": {
        "typical": fields("JOHN", "", "SMITH"),
        "middle_blanks": fields("ALEXANDRA ", "   ", "  JOHANSSON", "5"),
        "empty": b"",
        "not_valid": fields("AI", "", "AI", "-2147483648", ""),
        "non_ascii": fields("\xc9MILE", "\xc4\xdf", b"M" + CJK + EMOJI + LONE, "9", b"x" + EURO),
        "separators": fields("&=#?", "A&B", "C=D#E?F", "2147483647", "&=#?"),
        "cr_lf": fields("ANNE-MARIE\r\n", "O'NEIL\r\n", "\r\n", "10", "line\r\nbreak\r\n"),
        "lower_case": fields("john", "quincy", "smith", "0", "You are"),
    },
    "fuzz_input_rules": {
        "typical": fields("JOHN", "SMITH", "7", "December", "1985", "6", "11"),
        "leap_1900": fields("JOHN", "SMITH", "29", "February", "1900", "28", "1"),
        "leap_2000": fields("JOHN", "SMITH", "29", "February", "2000", "28", "1"),
        "day_31_april": fields("JOHN", "SMITH", "31", "April", "2024", "30", "3"),
        "empty": b"",
        "blank_names": fields("   ", " ", "1", "January", "1900", "0", "0"),
        "out_of_range": fields("A", "B", "99", "Month", "12345678901234567890", "2147483647", "-2147483648"),
        "non_ascii": fields("\xc9MILE", b"M" + CJK + EMOJI, "\xbd", b"F" + EURO, b"2" + LONE, "-1", "1"),
        "separators": fields("&=#?", "&=#?", "&", "=", "#?", "29", "1"),
        "cr_lf": fields("JOHN\r\n", "\r\n", "\r\n", "\r\n", "2024\r\n", "30", "5"),
    },
    "fuzz_setting_text": {
        "typical": fields("Duration"),
        "date": fields("12/07/2026"),
        "empty": b"",
        "non_ascii": b"\xc4\xd6\xdc\xdf\xe9" + EURO + unit(0x0160) + CJK + EMOJI,
        "unpaired": LONE + unit(0xDBFF) + unit(0xDFFF),
        "separators": fields("&=#?"),
        "cr_lf": fields("first\r\nsecond\r\n"),
        "high_codes": bytes(range(160, 254)),
    },
    "fuzz_referral_url": {
        "typical": fields("John", "john@example.com", "Your Message\r\n", "Jane", "jane@example.org", ""),
        "empty": b"",
        "separators": fields("&=#?", "a&taf2=b", "#frag", "x?y=z", "&&==", "&taf7=1"),
        "non_ascii": fields("J\xfcrgen", b"m" + EURO + b"@example.com", CJK + EMOJI, "\xc9mile", "a@b.c", ""),
        "unpaired": fields(LONE, b"a" + unit(0xD800), unit(0xDC00) + b"b", "", "", "old url"),
        "cr_lf": fields("Line\r\nBreak", "a@b.c\r\n", "\r\n\r\n", " % ", "100%", "\t"),
    },
    # INI texts, bytes as the file holds them; the date's key is "d\u00e9".
    "fuzz_ini_text": {
        "as_written": b"[Settings]\nd%E9=12/7/2026\n",
        "spellings": b"\xef\xbb\xbf[%53ettings]\r\nd\xc3\xa9 = x\r\n[General]\nSettings\\d%U00e9=y\n",
        "other_sections": b"; c\n[Other]\nk=\"a, b\"\n[settings]\nd%E9Old=1\n[Settings]",
        "typed_and_escaped": b"[Settings]\nd%e9=@String(\\0x) ; note\nk=a,b\n",
        "empty": b"",
    },
}


def main():
    root = pathlib.Path(__file__).resolve().parent / "corpus"
    for target, seeds in SEEDS.items():
        folder = root / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
