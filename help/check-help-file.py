#!/usr/bin/env python3
"""Checks the built help file by reading it back out of the CHM.

    python3 help/check-help-file.py pages HELP.CHM
    python3 help/check-help-file.py entries HELP.CHM TEXT_IDS_H LANGUAGE_FILE
    python3 help/check-help-file.py index HELP.CHM NAME...

The CHM is unpacked with extract_chmLib (Debian package libchm-bin; another
path with --reader) into a temporary folder; everything below is judged from
what the CHM itself holds, not from the sources.

pages: the help viewer can show everything the help offers:
  - the CHM's system record names a table of contents, an index and a default
    topic, and the CHM holds all three;
  - the contents and the index are not empty: each names at least one page;
  - every page they name (<param name="Local" value="...">) is in the CHM,
    and so is the anchor after "#", if any;
  - every link, style sheet and picture that a page refers to is in the CHM.

entries: the table of all language-file entries (language-file.htm, rows
with a "number" and an "english" cell) lists every entry number of
i18n/text_ids.h exactly once and no other, each with its text from the
[1033] section of the shipped language file.

index: the index has an entry for each NAME (exactly as given), and its
entries stand in alphabetical order, letter case ignored.

Exits 0 when everything holds, 1 with one line per problem, 2 when the check
cannot run (no CHM, no reader).
"""

import argparse
import html.parser
import os
import posixpath
import re
import shutil
import struct
import subprocess
import sys
import tempfile

# Record codes of the CHM's #SYSTEM file.
SYSTEM_CONTENTS = 0
SYSTEM_INDEX = 1
SYSTEM_DEFAULT_TOPIC = 2

NAME = re.compile(r'<param\s+name\s*=\s*"Name"\s+value\s*=\s*"([^"]*)"', re.IGNORECASE)
LOCAL = re.compile(r'<param\s+name\s*=\s*"Local"\s+value\s*=\s*"([^"]*)"', re.IGNORECASE)
EXTERNAL = re.compile(r"^[a-z][a-z0-9+.-]*:", re.IGNORECASE)  # http:, mailto:, ms-its: ...


class Unusable(Exception):
    """The check cannot run at all."""


class Chm:
    """The files of an unpacked CHM, found as the viewer finds them: by path,
    ignoring letter case."""

    def __init__(self, root):
        self.root = root
        self.pages = {}  # path -> PageScan, filled by scan_page
        self.files = {}
        for folder, _, names in os.walk(root):
            for name in names:
                path = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
                self.files[path.lower()] = os.path.join(folder, name)

    def find(self, path):
        return self.files.get(path.lstrip("/").lower())

    def read_text(self, path):
        with open(self.find(path), "rb") as f:
            return f.read().decode("latin-1")

    def system_records(self):
        """The string records of #SYSTEM: code -> text."""
        location = self.find("#SYSTEM")
        if location is None:
            return {}
        with open(location, "rb") as f:
            data = f.read()
        records = {}
        at = 4  # version
        while at + 4 <= len(data):
            code, length = struct.unpack_from("<HH", data, at)
            value = data[at + 4 : at + 4 + length]
            at += 4 + length
            if code in (SYSTEM_CONTENTS, SYSTEM_INDEX, SYSTEM_DEFAULT_TOPIC):
                records[code] = value.split(b"\0", 1)[0].decode("latin-1")
        return records


def unpack(chm_path, reader, into):
    if not os.path.isfile(chm_path):
        raise Unusable(f"{chm_path} does not exist: build the help_file target first")
    program = shutil.which(reader)
    if program is None:
        raise Unusable(f"{reader} was not found: install the Debian package libchm-bin")
    run = subprocess.run([program, chm_path, into], capture_output=True, text=True)
    if run.returncode != 0:
        raise Unusable(f"{reader} could not unpack {chm_path}: {run.stdout}{run.stderr}")
    return Chm(into)


class PageScan(html.parser.HTMLParser):
    """Anchors a page defines, and the references it makes."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.anchors = set()
        self.references = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if attrs.get("id"):
            self.anchors.add(attrs["id"])
        if tag == "a" and attrs.get("name"):
            self.anchors.add(attrs["name"])
        for attribute in ("href", "src"):
            if attrs.get(attribute):
                self.references.append(attrs[attribute])


def scan_page(chm, path):
    key = path.lower()
    if key not in chm.pages:
        scan = PageScan()
        scan.feed(chm.read_text(path))
        chm.pages[key] = scan
    return chm.pages[key]


def check_target(chm, target, base, where, problems):
    """A reference `target` made in file `base`: its file, and its anchor."""
    page, _, anchor = target.partition("#")
    page = posixpath.normpath(posixpath.join(posixpath.dirname(base), page)) if page else base
    if chm.find(page) is None:
        problems.append(f"{where} names {page}, which is not in the help file")
    elif anchor and page.lower().endswith((".htm", ".html")):
        if anchor not in scan_page(chm, page).anchors:
            problems.append(f"{where} names {page}#{anchor}, but {page} has no such anchor")


def check_pages(chm):
    problems = []
    system = chm.system_records()
    named = {
        SYSTEM_CONTENTS: "table of contents",
        SYSTEM_INDEX: "index",
        SYSTEM_DEFAULT_TOPIC: "default topic",
    }
    for code, what in named.items():
        if not system.get(code):
            problems.append(f"the help file names no {what} in its #SYSTEM record")
        elif chm.find(system[code]) is None:
            problems.append(f"the {what} {system[code]} is not in the help file")
    if problems:
        return problems

    for code in (SYSTEM_CONTENTS, SYSTEM_INDEX):
        listing = system[code]
        locals_ = LOCAL.findall(chm.read_text(listing))
        if not locals_:
            problems.append(f"the {named[code]} {listing} names no page")
        for local in locals_:
            check_target(chm, local, "", f"the {named[code]} {listing}", problems)

    for path in sorted(chm.files):
        if not path.endswith((".htm", ".html")):
            continue
        for reference in scan_page(chm, path).references:
            if not EXTERNAL.match(reference):
                check_target(chm, reference, path, f"the page {path}", problems)
    return problems


class EntryTable(html.parser.HTMLParser):
    """The rows of the entry table: cells of class "number" and "english"."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows = []  # (number text, english text)
        self._row = None
        self._cell = None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self._row = {}
        elif tag == "td" and self._row is not None:
            cls = dict(attrs).get("class")
            self._cell = cls if cls in ("number", "english") else None
            if self._cell:
                self._row[self._cell] = ""

    def handle_endtag(self, tag):
        if tag == "td":
            self._cell = None
        elif tag == "tr" and self._row is not None:
            if "number" in self._row:
                self.rows.append((self._row["number"].strip(), self._row.get("english")))
            self._row = None

    def handle_data(self, data):
        if self._cell and self._row is not None:
            self._row[self._cell] += data


def english_texts(language_file):
    """Entry number -> text of the [1033] section (first occurrence)."""
    with open(language_file, "rb") as f:
        lines = f.read().decode("latin-1").replace("\r\n", "\n").split("\n")
    texts, inside = {}, False
    for line in lines:
        if line == "[1033]":
            inside = True
        elif line == "[EOL]":
            inside = False
        elif inside and len(line) > 4 and line[:5].isdigit():
            texts.setdefault(int(line[:5]), line[6:])
    return texts


def check_entries(chm, text_ids, language_file):
    with open(text_ids, encoding="utf-8") as f:
        wanted = {int(n) for n in re.findall(r"std::int32_t\s+k\w+\s*=\s*(\d+)\s*;", f.read())}
    if not wanted:
        raise Unusable(f"{text_ids} names no entry numbers")
    english = english_texts(language_file)
    page = "language-file.htm"
    if chm.find(page) is None:
        return [f"{page} is not in the help file"]
    table = EntryTable()
    table.feed(chm.read_text(page))

    problems, seen = [], set()
    for number_text, text in table.rows:
        if not number_text.isdigit():
            problems.append(f"{page}: the entry number '{number_text}' is not a number")
            continue
        number = int(number_text)
        if number in seen:
            problems.append(f"{page}: entry {number} is listed twice")
        seen.add(number)
        if number not in wanted:
            problems.append(f"{page}: entry {number} is listed but the program has no such entry")
        elif text != english.get(number):
            problems.append(
                f"{page}: entry {number} reads {text!r}, the language file {english.get(number)!r}")
    for number in sorted(wanted - seen):
        problems.append(f"{page}: entry {number} is missing from the table")
    return problems


def check_index(chm, wanted):
    listing = chm.system_records().get(SYSTEM_INDEX)
    if not listing or chm.find(listing) is None:
        return ["the help file has no index"]
    names = [html.unescape(name) for name in NAME.findall(chm.read_text(listing))]
    problems = [f"the index has no entry '{name}'" for name in wanted if name not in names]
    for before, after in zip(names, names[1:]):
        if before.lower() > after.lower():
            problems.append(f"the index lists '{after}' after '{before}'")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--reader", default="extract_chmLib", help="the CHM unpacker")
    parser.add_argument("check", choices=["pages", "entries", "index"])
    parser.add_argument("chm")
    parser.add_argument("more", nargs="*", help="entries: TEXT_IDS_H LANGUAGE_FILE; index: NAME...")
    args = parser.parse_args()
    if args.check == "pages" and args.more:
        parser.error("pages takes only HELP.CHM")
    if args.check == "entries" and len(args.more) != 2:
        parser.error("entries needs TEXT_IDS_H and LANGUAGE_FILE")
    if args.check == "index" and not args.more:
        parser.error("index needs at least one NAME")

    with tempfile.TemporaryDirectory(prefix="help-chm-") as folder:
        try:
            chm = unpack(args.chm, args.reader, folder)
            if args.check == "pages":
                problems = check_pages(chm)
            elif args.check == "index":
                problems = check_index(chm, args.more)
            else:
                problems = check_entries(chm, *args.more)
        except Unusable as error:
            print(f"check-help-file: {error}", file=sys.stderr)
            return 2
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"{args.chm}: {args.check} ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
