#!/usr/bin/env python3
"""Checks the user manual: the typeset PDF holds every chapter a user looks
for, and the manual's tables of data items name every item the program has,
by the names, in the units (SI and US) that `umbrinex-cli --items` gives.
With --pictures, that the main window is shown in the first chapter, each data form under its heading and each kind of graph
`umbrinex-cli --graph` draws in the chapter on results; that every picture
named is in the folder and every one there is named; and that the PDF holds
each of them.

    CheckManual.py MANUAL.pdf MANUAL.md UMBRINEX_CLI
    CheckManual.py --pictures IMAGE_FOLDER MANUAL.pdf MANUAL.md UMBRINEX_CLI

Exit status 1 lists every fault.
"""
import json
import os
import re
import subprocess
import sys
import zlib

CHAPTERS = ["Getting started", "A first design", "The example designs", "Units", "The data forms",
            "Project Data", "Cable Data", "Bend Stiffener Data", "Materials Data", "Load Case Data",
            "Analysis Data", "Drawing Data", "Mould Data", "Results", "Key results", "Load case results",
            "How to read the design chart", "How to read the performance chart", "Output in black and white",
            "The batch program", "The Python module", "Load cases from tables and load histories",
            "Scanning a load history", "Files and compatibility"]


class Pdf:
    """Just enough of a PDF reader for the files Qt writes: objects, their
    streams, fonts with ToUnicode maps and text shown glyph by glyph."""

    def __init__(self, data):
        self.data = data
        self.objects = {int(m.group(1)): m.start() for m in re.finditer(rb"(?m)^(\d+) 0 obj", data)}

    def dictionary(self, number):
        start = self.data.index(b"<<", self.objects[number])
        depth, at = 0, start
        while True:
            if self.data.startswith(b"<<", at):
                depth, at = depth + 1, at + 2
            elif self.data.startswith(b">>", at):
                depth, at = depth - 1, at + 2
                if depth == 0:
                    return self.data[start:at], at
            else:
                at += 1

    def value(self, text):
        reference = re.fullmatch(rb"\s*(\d+) 0 R\s*", text)
        if not reference:
            return text
        number = int(reference.group(1))
        return self.data[self.data.index(b"obj", self.objects[number]) + 3:self.data.index(b"endobj",
                                                                                            self.objects[number])]

    def stream(self, number):
        dictionary, end = self.dictionary(number)
        length = int(self.value(re.search(rb"/Length\s+(\d+(?: 0 R)?)", dictionary).group(1)).strip())
        start = self.data.index(b"stream", end) + len(b"stream")
        start += 2 if self.data[start:start + 2] == b"\r\n" else 1
        content = self.data[start:start + length]
        return zlib.decompress(content) if b"/FlateDecode" in dictionary else content

    def unicode_map(self, font):
        dictionary, _ = self.dictionary(font)
        reference = re.search(rb"/ToUnicode (\d+) 0 R", dictionary)
        mapping = {}
        if not reference:
            return mapping
        cmap = self.stream(int(reference.group(1)))
        for block in re.findall(rb"beginbfchar(.*?)endbfchar", cmap, re.S):
            for code, text in re.findall(rb"<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>", block):
                mapping[int(code, 16)] = bytes.fromhex(text.decode()).decode("utf-16-be")
        for block in re.findall(rb"beginbfrange(.*?)endbfrange", cmap, re.S):
            for first, last, target in re.findall(rb"<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>\s*(\[[^\]]*\]|<[^>]*>)",
                                                  block):
                codes = range(int(first, 16), int(last, 16) + 1)
                if target.startswith(b"["):
                    for code, text in zip(codes, re.findall(rb"<([0-9A-Fa-f]+)>", target)):
                        mapping[code] = bytes.fromhex(text.decode()).decode("utf-16-be")
                else:
                    base = int(target[1:-1], 16)
                    for offset, code in enumerate(codes):
                        mapping[code] = chr(base + offset)
        return mapping

    def text(self):
        pages = []
        for page in re.finditer(rb"/Type /Page\n.*?/Contents (\d+) 0 R", self.data, re.S):
            content = self.stream(int(page.group(1)))
            font, maps, words = None, {}, []
            for token in re.finditer(rb"/F(\d+) [\d.]+ Tf|<([0-9A-Fa-f]+)> Tj|[-\d.]+ ([-\d.]+) Td", content):
                if token.group(1):
                    number = int(token.group(1))
                    font = maps.setdefault(number, self.unicode_map(number))
                elif token.group(2) and font is not None:
                    glyphs = token.group(2).decode()
                    words.append("".join(font.get(int(glyphs[i:i + 4], 16), "?") for i in range(0, len(glyphs), 4)))
                elif token.group(3) and float(token.group(3)) != 0.0:
                    words.append("\n")
            pages.append("".join(words))
        return pages


def compact(text):
    return re.sub(r"\s+", "", text).casefold()


def check_pdf(name):
    with open(name, "rb") as pdf:
        data = pdf.read()
    if not data.startswith(b"%PDF-"):
        return ["%s is not a PDF file" % name]
    pages = Pdf(data).text()
    text = compact("".join(pages))
    faults = ["the manual has no chapter \"%s\"" % chapter for chapter in CHAPTERS if compact(chapter) not in text]
    if len(pages) < 10:
        faults.append("the manual has only %d pages" % len(pages))
    return faults


def program_items(cli, *settings):
    arguments = [cli, "--items", "--json"] + [a for setting in settings for a in ("--set", setting)]
    items = json.loads(subprocess.run(arguments, capture_output=True, text=True, check=True).stdout)["items"]
    return {item["varnum"]: item for item in items}


def check_items(markdown, cli):
    faults = []
    # One drawing circle, so that the circle table's items are listed too.
    si, us = program_items(cli, "21100=1"), program_items(cli, "21100=1", "2=US")
    documented = {}
    with open(markdown, encoding="utf-8") as manual:
        for line in manual:
            cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
            if len(cells) == 5 and cells[0].isdigit() and " / " in cells[3]:
                documented[int(cells[0])] = cells
    for varnum, item in sorted(si.items()):
        if varnum not in documented:
            faults.append("the manual does not describe item %d (%s)" % (varnum, item["name"]))
            continue
        _, name, _, units, _ = documented[varnum]
        if name != item["name"]:
            faults.append("item %d is called %s in the manual but %s by the program" % (varnum, name, item["name"]))
        unit_si, unit_us = (unit if unit != "-" else "" for unit in units.split(" / "))
        if varnum in (3, 4, 5, 6, 7):
            continue  # the unit items' values are units; they have none of their own
        if (unit_si, unit_us) != (item["unit"], us[varnum]["unit"]):
            faults.append("item %d is in %s / %s by the manual but in %s / %s by the program" % (
                varnum, unit_si or "-", unit_us or "-", item["unit"] or "-", us[varnum]["unit"] or "-"))
    for varnum in sorted(set(documented) - set(si)):
        faults.append("the manual describes item %d, which the program does not have" % varnum)
    return faults


FORMS = ["Project Data", "Cable Data", "Bend Stiffener Data", "Materials Data", "Load Case Data", "Analysis Data",
         "Drawing Data", "Mould Data"]
PICTURE = re.compile(r"^!\[[^\]]*\]\(images/([^)/]+\.png)\)\s*$")


def picture_name(title):
    return "-".join(re.findall(r"[a-z0-9]+", title.lower())) + ".png"


def graph_names(cli):
    """The graphs and drawings the batch program draws, as it lists them for a name it does not know."""
    refusal = subprocess.run([cli, "--graph", "?", "--out", os.devnull], capture_output=True, text=True).stderr
    names = re.findall(r'"([^"]+)"', refusal[refusal.index("the graphs are"):])
    if not names:
        raise RuntimeError("umbrinex-cli names no graphs: " + refusal)
    return names


def chapters(markdown):
    """Each chapter's lines, by its number ("1", "2" ...)."""
    found, number = {}, None
    with open(markdown, encoding="utf-8") as manual:
        for line in manual:
            heading = re.match(r"# (\d+)\. ", line)
            if heading:
                number = heading.group(1)
            elif line.startswith("# "):
                number = None
            if number:
                found.setdefault(number, []).append(line.rstrip("\n"))
    return found


def pictures_in(lines):
    return [m.group(1) for m in map(PICTURE.match, lines) if m]


def picture_under(lines, heading):
    """The picture on the first line with text under the heading, if any.
    A heading may end in the anchor of its help topic, "{#topic-N}"."""
    bare = [re.sub(r"\s*\{#topic-\d+\}$", "", line) for line in lines]
    if heading not in bare:
        return None
    rest = [line for line in lines[bare.index(heading) + 1:] if line.strip()]
    match = PICTURE.match(rest[0]) if rest else None
    return match.group(1) if match else None


def image_objects(pdf):
    """The pictures a PDF holds: its image objects less their alpha masks."""
    with open(pdf, "rb") as f:
        data = f.read()
    images = set(int(n) for n in re.findall(rb"(?m)^(\d+) 0 obj\s*<<[^>]*?/Subtype\s*/Image", data))
    masks = set(int(n) for n in re.findall(rb"/SMask (\d+) 0 R", data))
    return len(images - masks)


def check_pictures(pdf, markdown, cli, folder):
    faults = []
    text = chapters(markdown)
    if "main-window.png" not in pictures_in(text.get("1", [])):
        faults.append("the first chapter does not show the main window (images/main-window.png)")
    for form in FORMS:
        if picture_under(text.get("3", []), "## " + form) != picture_name(form):
            faults.append("the picture %s is not right under the heading %s" % (picture_name(form), form))
    results = pictures_in(text.get("4", []))
    for graph in graph_names(cli):
        if picture_name(graph) not in results:
            faults.append("the chapter on results does not show the %s (images/%s)" % (graph, picture_name(graph)))
    with open(markdown, encoding="utf-8") as manual:
        named = set(pictures_in(line.rstrip("\n") for line in manual))
    drawn = set(name for name in os.listdir(folder) if name.endswith(".png"))
    faults += ["the manual shows images/%s, which is not drawn" % name for name in sorted(named - drawn)]
    faults += ["images/%s is drawn but the manual does not show it" % name for name in sorted(drawn - named)]
    held = image_objects(pdf)
    if held != len(named):
        faults.append("the PDF holds %d pictures, the manual names %d" % (held, len(named)))
    return faults


def main():
    if sys.argv[1] == "--pictures":
        folder, pdf, markdown, cli = sys.argv[2:6]
        faults = check_pictures(pdf, markdown, cli, folder)
    else:
        pdf, markdown, cli = sys.argv[1:4]
        faults = check_pdf(pdf) + check_items(markdown, cli)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
