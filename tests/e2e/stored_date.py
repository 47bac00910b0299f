#!/usr/bin/env python3
"""The reminder's stored date as another program reads and writes it, from the description of
the stored form alone, never from the program's code.

The setting "Duration" of section "Settings" holds a date in the short-date format of the
user's locale with a four-digit year; the scripts give the program the United States' one
(LC_TIME=en_US.UTF-8), M/d/yyyy. Key and value are stored through the setting-text encoding:
each character's Windows-1252 code plus 85, a character whose sum passes 255 dropped (decoding
subtracts 85 and drops what falls below 0; a character outside the code page counts as "?").
On Linux they stand in an INI file as QSettings spells it: the key percent-escaped (%XX, %UXXXX,
every one of its characters lying above ASCII), the value as UTF-8; on Windows in the registry, read here from an export of the key.

  stored_date.py days FILE         the stored date minus today, in days, or "none"
  stored_date.py store FILE DAYS   stores today plus DAYS, keeping the file's other lines
  stored_date.py days-reg FILE     as days, from a registry export (UTF-16) of the section
"""
import datetime
import os
import re
import sys

PAGE = [bytes([code]).decode("cp1252", errors="ignore") or chr(code) for code in range(256)]
CODE = {character: code for code, character in enumerate(PAGE)}


def shifted(text, shift):
    codes = (CODE.get(character, 63) + shift for character in text)
    return "".join(PAGE[code] for code in codes if 0 <= code <= 255)


KEY = shifted("Duration", 85)
ESCAPED_KEY = "".join("%%%02X" % ord(c) if ord(c) <= 0xFF else "%%U%04X" % ord(c) for c in KEY)


def days_from_today(stored):
    try:
        date = datetime.datetime.strptime(shifted(stored, -85), "%m/%d/%Y").date()
    except ValueError:  # nothing the program can read as a date
        return "none"
    return str((date - datetime.date.today()).days)


def key_line(lines):
    section = None
    for index, line in enumerate(lines):
        text = line.decode("utf-8", errors="replace").strip()
        if text.startswith("["):
            section = text.strip("[]")
        elif section == "Settings" and text.split("=", 1)[0].strip().upper() == ESCAPED_KEY:
            return index
    return None


def main(command, path, days=None):
    if command == "days-reg":
        with open(path, encoding="utf-16") as file:
            return days_from_today(dict(re.findall(r'^"(.*)"="(.*)"$', file.read(), re.M)).get(KEY, ""))
    lines = open(path, "rb").read().split(b"\n") if os.path.exists(path) else []
    index = key_line(lines)
    if command == "days":
        return "none" if index is None else days_from_today(lines[index].decode(errors="replace").split("=", 1)[1].strip())
    date = datetime.date.today() + datetime.timedelta(int(days))
    line = (ESCAPED_KEY + "=" + shifted("%d/%d/%04d" % (date.month, date.day, date.year), 85)).encode()
    if index is not None:
        lines[index] = line
    else:
        lines = (lines[:-1] if lines and not lines[-1] else lines) + [b"[Settings]", line, b""]
    os.makedirs(os.path.dirname(path), mode=0o700, exist_ok=True)
    with open(path, "wb") as file:
        file.write(b"\n".join(lines))
    return None


if __name__ == "__main__":
    result = main(*sys.argv[1:])
    if result:
        print(result)
