#!/usr/bin/env python3
"""Checks the assembled user's guide: both pages are well-formed, every local link and image
resolves, the two languages have the same sections, and every text the guide quotes from the
programs (marked class="ui") is one of the programs' own texts in the resources folder.
Usage: check-manual.py MANUAL_FOLDER RESOURCES_FOLDER"""
import json
import os
import re
import sys
import xml.etree.ElementTree as ET
from urllib.parse import unquote, urlsplit

XHTML = "{http://www.w3.org/1999/xhtml}"
PAGES = ("English/Manual.html", "Japanese/Manual.html")
LINE_BREAK = "\x00"


def normalise(text):
    text = " ".join(text.split())
    return re.sub(f" ?{LINE_BREAK} ?", "\n", text)


def shown_text(resource_text):
    """What a menu item, control or message shows: the mnemonic marks and the key name go."""
    text = resource_text.replace("\\n", LINE_BREAK).split("\t")[0]
    return normalise(re.sub(r"&(.)", r"\1", text))


def json_strings(value):
    if isinstance(value, str):
        yield value
    elif isinstance(value, dict):
        for item in value.values():
            yield from json_strings(item)
    elif isinstance(value, list):
        for item in value:
            yield from json_strings(item)


def resource_texts(folder):
    texts = set()
    for parent, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(parent, name)
            if name.endswith(".tsv"):
                with open(path, encoding="utf-8") as lines:
                    for line in lines:
                        if line.strip() and not line.startswith("#"):
                            texts.update(shown_text(field) for field in line.rstrip("\r\n").split("\t")[2:])
            elif name.endswith(".json"):
                with open(path, encoding="utf-8") as data:
                    texts.update(shown_text(text) for text in json_strings(json.load(data)))
    return texts


def element_text(element):
    parts = [element.text or ""]
    for child in element:
        parts.append(LINE_BREAK if child.tag == XHTML + "br" else element_text(child))
        parts.append(child.tail or "")
    return "".join(parts)


def check(manual, resources):
    problems = []
    trees = {}
    for page in PAGES:
        try:
            trees[page] = ET.parse(os.path.join(manual, page))
        except (OSError, ET.ParseError) as error:
            problems.append(f"{page}: {error}")
    ids = {page: {e.get("id") for e in tree.iter() if e.get("id")} for page, tree in trees.items()}
    known = resource_texts(resources)
    for page, tree in trees.items():
        folder = os.path.dirname(page)
        unknown = set()
        for element in tree.iter():
            for attribute in ("href", "src"):
                link = element.get(attribute)
                if not link or urlsplit(link).scheme:
                    continue
                path, fragment = urlsplit(link).path, urlsplit(link).fragment
                target = os.path.normpath(os.path.join(folder, unquote(path))) if path else page
                if not os.path.isfile(os.path.join(manual, target)):
                    problems.append(f"{page}: {link} does not exist")
                elif fragment and fragment not in ids.get(target, set()):
                    problems.append(f"{page}: {link} names no anchor of {target}")
            if "ui" in (element.get("class") or "").split():
                text = normalise(element_text(element))
                if text not in known and text not in unknown:
                    unknown.add(text)
                    problems.append(f"{page}: the programs have no text {text!r}")
    sections = [{e.get("id") for e in tree.iter(XHTML + "section")} for tree in trees.values()]
    if len(sections) == 2 and sections[0] != sections[1]:
        problems.append(f"the two languages differ in their sections: {sorted(sections[0] ^ sections[1])}")
    return problems


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    found = check(sys.argv[1], sys.argv[2])
    for problem in found:
        print(problem)
    sys.exit(1 if found else 0)
