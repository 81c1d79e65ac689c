#!/usr/bin/env python3
"""Checks that the man pages describe what the programs offer: every command, subcommand,
option and environment variable that graydenctl's help texts list appears in graydenctl.1, and
every menu item and key of the editor's English menu appears in grayden.1. The pages are read as
man renders them, so a name split by hyphenation counts as missing.
Usage: man-pages.py GRAYDENCTL MAN_FOLDER EDITOR_RESOURCES_FOLDER STRINGS_TSV"""
import json
import os
import re
import subprocess
import sys


def rendered(page):
    """The page as plain text, every run of white space one space."""
    text = subprocess.run(["groff", "-man", "-Tutf8", "-P-cbou", page], check=True, capture_output=True,
                          text=True).stdout
    return " ".join(text.replace("\u2010", "-").replace("\u2212", "-").split())


def mentions(page_text, phrase):
    """Whether phrase stands in the text as a whole name (not inside a longer option)."""
    pattern = r"(?<![\w-])" + re.escape(" ".join(phrase.split())) + r"(?![\w-])"
    return re.search(pattern, page_text) is not None


def help_text(program, *args):
    return subprocess.run([program, *args, "--help"], check=True, capture_output=True, text=True).stdout


def graydenctl_names(program):
    """Each command, 'command subcommand', option and environment variable the help texts name."""
    overview = help_text(program)
    commands = re.findall(r"^  ([a-z]+)  ", overview.split("commands:", 1)[1], re.MULTILINE)
    if not commands:
        sys.exit("graydenctl --help lists no commands:\n" + overview)
    names = set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", overview))
    for command in commands:
        names.add("graydenctl " + command)
        text = help_text(program, command)
        names.update(re.findall(r"(?<![\w-])--[a-z][a-z-]*", text))
        names.update(re.findall(r"\b[A-Z]+_[A-Z_]+\b", text))
        for sub in re.findall(rf"graydenctl {command} ([a-z]+)\b", text):
            names.add(f"graydenctl {command} {sub}")
    return names


def menu_names(resources, strings_tsv):
    """The English menu titles, items and key names as the editor shows them."""
    texts = {}
    with open(strings_tsv, encoding="utf-8") as lines:
        for line in lines:
            fields = line.rstrip("\r\n").split("\t")
            if not line.startswith("#") and len(fields) >= 3:
                texts[int(fields[0])] = fields[2]
    with open(os.path.join(resources, "menu129.json"), encoding="utf-8") as data:
        menus = json.load(data)["languages"]["en"]
    names = set()
    for menu in menus:
        for entry in [menu, *menu["items"]]:
            if entry.get("separator"):
                continue
            text = entry["text"] if "text" in entry else texts[entry["textId"]]
            label, _, key = text.partition("\t")
            names.add(label.replace("&", ""))
            if key:
                names.add(key)
    return names


def missing(page, names):
    text = rendered(page)
    return sorted(name for name in names if not mentions(text, name))


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    program, man_folder, resources, strings_tsv = sys.argv[1:]
    problems = [f"graydenctl.1 does not mention {name}"
                for name in missing(os.path.join(man_folder, "graydenctl.1"), graydenctl_names(program))]
    problems += [f"grayden.1 does not mention the menu's {name}"
                 for name in missing(os.path.join(man_folder, "grayden.1"), menu_names(resources, strings_tsv))]
    for problem in problems:
        print(problem)
    sys.exit(1 if problems else 0)
