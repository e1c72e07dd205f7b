#!/usr/bin/env python3
"""Checks a Varnholt language file (default: Varnholttrl.ini next to this script).

    python3 resources/check-language-file.py [FILE]

Exits 0 when the file is sound, 1 with one line per problem otherwise:
  - ISO 8859-1 text with CR LF line ends, the last line included; no bare CR
    or LF, no byte-order mark, no control characters, no UTF-8 sequences
    (a sign that the file was saved in the wrong encoding);
  - sections of the form: header "[NNNN]" (or "[----]"), one line, the
    display-name line "00000 name", entry lines "NNNNN text" in rising
    number order with a blank as separator, then "[EOL]";
  - every language section holds every entry the program asks for exactly
    once and nothing else; the "[----]" section (the system-default choice of
    the language dialog) holds only its display name, "System default language";
  - the format entries have exactly their placeholder (75, 155, 160, 285, 375:
    one "%d"; 140, 280 and the error messages 300 to 360 but 350: one "%s"; 115:
    none), with a literal percent sign written "%%";
    the other entries are shown as written and hold no "%" at all;
  - the message-box caption (00005) is the product name, the same in every
    section;
  - a caption has an "&" accelerator exactly where the English one has, and
    it marks a letter or digit; accelerators are not doubled up within one
    menu or within the main window (whose Alt+letter keys share one space
    with the menu bar);
  - display names are unique.
"""

import os
import re
import sys

ENTRIES = [1, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 85, 90, 95, 100,
           105, 110, 115, 120, 125, 130, 135, 140, 145, 150, 155, 160, 165, 170, 175, 180,
           185, 190, 195, 196, 200, 205, 210, 215, 220, 250, 255, 260, 265, 270, 275, 280, 285, 290,
           300, 305, 310, 315, 320, 325, 330, 335, 340, 345, 350, 355, 360, 365, 370, 375]
FORMATS = {75: ["%d"], 115: [], 140: ["%s"], 155: ["%d"], 160: ["%d"], 280: ["%s"], 285: ["%d"],
           300: ["%s"], 305: ["%s"], 310: ["%s"], 315: ["%s"], 320: ["%s"], 325: ["%s"],
           330: ["%s"], 335: ["%s"], 340: ["%s"], 345: ["%s"], 355: ["%s"], 360: ["%s"],
           375: ["%d"]}
ACCELERATOR_GROUPS = {
    "main window and menu bar": [15, 20, 25, 30, 35, 40, 45, 50, 55, 200, 250],
    "File menu": [205, 210, 215, 220],
    "Help menu": [255, 260, 265],
    "tray menu": [145, 150],
}
SYSTEM_DEFAULT = "[----]"
SYSTEM_DEFAULT_NAME = "System default language"
HEADER = re.compile(r"^\[(\d{1,5}|----)\]$")
ENTRY = re.compile(r"^(\d{5}) (.*)$")
CONVERSION = re.compile(r"%[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|L|z|j|t)?[a-zA-Z%]")


def check_bytes(data, problems):
    if data.startswith(b"\xef\xbb\xbf"):
        problems.append("file starts with a UTF-8 byte-order mark")
    if data and not data.endswith(b"\r\n"):
        problems.append("the last line has no CR LF")
    for number, line in enumerate(data.split(b"\r\n"), 1):
        if b"\r" in line or b"\n" in line:
            problems.append(f"line {number}: bare CR or LF (lines must end with CR LF)")
        if any(b < 0x20 or 0x7F <= b < 0xA0 for b in line.replace(b"\r", b"").replace(b"\n", b"")):
            problems.append(f"line {number}: control character")
        if re.search(rb"[\xc2\xc3][\x80-\xbf]", line):
            problems.append(f"line {number}: looks like UTF-8, the file must be ISO 8859-1")


def accelerator(text):
    """The accelerator character of a caption ("&&" is a literal "&"), or None."""
    keys = re.findall(r"&(.)", text.replace("&&", ""))
    return keys


def check_entry_text(marker, number, text, english, problems):
    """`english` is the [1033] text of the same entry (None when it has none)."""
    where = f"{marker} {number:05d}"
    if number not in FORMATS and "%" in text:
        problems.append(f"{where}: '%' in a text that is not a format (it shows as written)")
    if number in FORMATS:
        found = [c for c in CONVERSION.findall(text) if c != "%%"]
        if found != FORMATS[number]:
            want = " ".join(FORMATS[number]) or "no placeholder"
            problems.append(f"{where}: placeholders {found or 'none'}, expected {want}")
        if text.replace("%%", "").count("%") != len(found):
            problems.append(f"{where}: a lone '%' (write a literal percent sign as %%)")
    if text.endswith("&") and not text.endswith("&&"):
        problems.append(f"{where}: '&' at the end marks no character")
    keys = accelerator(text)
    if len(keys) > 1:
        problems.append(f"{where}: more than one accelerator")
    if any(not key.isalnum() for key in keys):
        problems.append(f"{where}: the accelerator marks {keys[0]!r}, not a letter or digit")
    if english is not None and bool(accelerator(english)) != bool(keys):
        want = "one, as the English text has" if accelerator(english) else "none, as in English"
        problems.append(f"{where}: accelerator {'&' + keys[0] if keys else 'missing'}, expected {want}")
    if text != text.strip():
        problems.append(f"{where}: blank at the start or end of the text")


def parse_sections(lines, problems):
    """Returns [(marker, display name, {number: text})]."""
    sections = []
    i = 0
    while i < len(lines):
        line = lines[i]
        if not HEADER.match(line):
            if line.strip():
                problems.append(f"line {i + 1}: text outside a section: {line!r}")
            i += 1
            continue
        marker, start = line, i
        if len(marker) != 6:
            problems.append(f"line {i + 1}: header {marker} is not six characters long; "
                            "the language dialog would not list it")
        if i + 2 >= len(lines):
            problems.append(f"{marker}: the file ends inside the section")
            break
        name_match = ENTRY.match(lines[i + 2])
        if not name_match or name_match.group(1) != "00000":
            problems.append(f"{marker}: the second line after the header must be '00000 name'")
        name = lines[i + 2][6:]
        entries, previous = {}, -1
        i += 2
        while i < len(lines) and lines[i] != "[EOL]":
            line = lines[i]
            if HEADER.match(line):
                problems.append(f"line {i + 1}: new header before [EOL] of {marker}")
                break
            if len(line) > 4:
                m = ENTRY.match(line)
                if not m:
                    problems.append(f"line {i + 1}: not an entry line 'NNNNN text': {line!r}")
                else:
                    number, text = int(m.group(1)), m.group(2)
                    if number in entries:
                        problems.append(f"{marker} {number:05d}: entry appears twice")
                    if number <= previous:
                        problems.append(f"{marker} {number:05d}: out of number order")
                    entries[number], previous = text, number
            elif line:
                problems.append(f"line {i + 1}: short line {line!r} inside {marker}")
            i += 1
        if i >= len(lines):
            problems.append(f"{marker} (line {start + 1}): no [EOL] before the end of the file")
        i += 1
        entries.pop(0, None)
        sections.append((marker, name, entries))
    return sections


def check(path):
    problems = []
    with open(path, "rb") as f:
        data = f.read()
    check_bytes(data, problems)
    lines = data.decode("latin-1").replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    sections = parse_sections(lines, problems)
    if not sections:
        problems.append("no sections")
    markers = [s[0] for s in sections]
    for required in ("[1033]", SYSTEM_DEFAULT):
        if required not in markers:
            problems.append(f"no {required} section")
    for marker in set(markers):
        if markers.count(marker) > 1:
            problems.append(f"{marker}: section appears more than once")
    english = next((entries for marker, _, entries in sections if marker == "[1033]"), {})
    names = [s[1] for s in sections]
    for name in set(names):
        if names.count(name) > 1:
            problems.append(f"display name {name!r} is used by more than one section")
    for marker, name, entries in sections:
        if not name.strip():
            problems.append(f"{marker}: empty display name")
        if marker == SYSTEM_DEFAULT:
            if name != SYSTEM_DEFAULT_NAME:
                problems.append(f"{marker}: display name must be {SYSTEM_DEFAULT_NAME!r}")
            if entries:
                problems.append(f"{marker}: holds entries, but is never loaded as a language")
            continue
        missing = [n for n in ENTRIES if n not in entries]
        extra = [n for n in entries if n not in ENTRIES]
        if missing:
            problems.append(f"{marker}: missing entries {', '.join(f'{n:05d}' for n in missing)}")
        if extra:
            problems.append(f"{marker}: unknown entries {', '.join(f'{n:05d}' for n in extra)}")
        for number, text in entries.items():
            check_entry_text(marker, number, text, english.get(number), problems)
        if 5 in entries and 5 in english and entries[5] != english[5]:
            problems.append(f"{marker} 00005: the message-box caption must be {english[5]!r}, "
                            "the product name")
        for group, numbers in ACCELERATOR_GROUPS.items():
            seen = {}
            for number in numbers:
                for key in accelerator(entries.get(number, "")):
                    other = seen.setdefault(key.lower(), number)
                    if other != number:
                        problems.append(f"{marker}: accelerator '{key}' of {number:05d} "
                                        f"collides with {other:05d} in the {group}")
    return problems


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "Varnholttrl.ini")
    problems = check(path)
    for problem in problems:
        print(f"{path}: {problem}")
    if not problems:
        print(f"{path}: OK")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
