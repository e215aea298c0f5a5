#!/usr/bin/env python3
"""Makes a program's manual page or its bash completion from its own --help, so that both list
exactly the options the program has.

Usage:
  tools/help_docs.py man PROGRAM TEMPLATE OUTPUT.1.gz
  tools/help_docs.py completion PROGRAM TEMPLATE OUTPUT

The --help text is read in this form:
  - a line starting in column 0 begins a block; "Usage:" begins the synopsis, "Exit status: ..."
    is the exit status, another line ending in ":" (possibly over several lines) heads a list of
    options, anything else is a paragraph of the description;
  - inside a block, a line indented by two that starts with "-" is an option: its spelling, two or
    more blanks, its explanation, continued on the more deeply indented lines below it;
  - inside the synopsis, a line indented by two is one form of the command, and the more deeply
    indented lines below it explain that form.

The template's placeholders: @SYNOPSIS@, @DESCRIPTION@ (the paragraphs and the explained forms),
@OPTIONS@ and @EXIT_STATUS@ for a manual page; @COMMANDS@, @OPTIONS@, @VALUED@ (options taking
a value), @PATH_VALUED@ (those whose value is a file or folder) and @CHOICES@ (case branches for
values spelt a|b|c) and @PICTURE_FILES@ (the extensions after "extensions read:" in the help, as
a|b|c for _filedir) for a completion. Standard library only.
"""
import gzip
import re
import subprocess
import sys
from dataclasses import dataclass, field


@dataclass
class Option:
    spelling: str  # "-t, --to jpeg|ico|bmp"
    text: str = ""

    def groups(self):
        """(names, value) for each run of spellings of one option: "-t, --to jpeg|ico|bmp" gives
        (["-t", "--to"], "jpeg|ico|bmp"); a flag's value is ""."""
        result = []
        tokens = self.spelling.replace("[", " ").replace("]", " ").split()
        joined = False  # the previous name ended in a comma: this one spells the same option
        for token in tokens:
            if token.startswith("-"):
                name = token.rstrip(",")
                if joined and result:
                    result[-1][0].append(name)
                else:
                    result.append(([name], ""))
                joined = token.endswith(",")
            elif result and not result[-1][1]:
                result[-1] = (result[-1][0], token)
                joined = False
        return result

    def names(self):
        return [name for names, _ in self.groups() for name in names]


@dataclass
class Block:
    heading: str
    lines: list = field(default_factory=list)  # the indented lines, indentation kept


@dataclass
class Help:
    synopsis: list = field(default_factory=list)  # (form, explanation)
    paragraphs: list = field(default_factory=list)
    sections: list = field(default_factory=list)  # (heading, [Option])
    exit_status: str = ""

    def options(self):
        return [option for _, options in self.sections for option in options]


def blocks(text):
    result = []
    for line in text.rstrip("\n").split("\n"):
        if not line.strip():
            if result:
                result[-1].lines.append("")
            continue
        if not line.startswith(" "):
            previous = result[-1] if result else None
            if previous and not previous.lines and not previous.heading.endswith(":") \
                    and not previous.heading.startswith("Usage:"):
                result[-1].heading += " " + line.strip()  # a heading over several lines
            else:
                result.append(Block(line.strip()))
        else:
            if not result:
                result.append(Block(""))
            result[-1].lines.append(line.rstrip())
    return result


def indent(line):
    return len(line) - len(line.lstrip(" "))


def entries(lines):
    """Pairs of (head, explanation) from lines indented by two with their deeper continuations."""
    result = []
    for line in lines:
        if not line:
            continue
        # An option without a short spelling is indented further, under the long ones.
        if indent(line) <= 2 or (indent(line) <= 6 and line.lstrip().startswith("-")):
            parts = re.split(r"\s{2,}", line.strip(), maxsplit=1)
            result.append([parts[0], parts[1] if len(parts) > 1 else ""])
        elif result:
            result[-1][1] = (result[-1][1] + " " + line.strip()).strip()
    return result


def parse(text):
    help_ = Help()
    for block in blocks(text):
        heading = block.heading
        if heading.startswith("Usage:"):
            inline = heading[len("Usage:"):].strip()
            if inline:
                help_.synopsis.append((inline, ""))
            help_.synopsis += [tuple(e) for e in entries(block.lines)]
        elif heading.lower().startswith("exit status"):
            lines = [heading.split(":", 1)[1].strip()] + [line.strip() for line in block.lines if line]
            help_.exit_status = " ".join(lines)
        elif heading.endswith(":"):
            options = [Option(head, body) for head, body in entries(block.lines)]
            help_.sections.append((heading[:-1], options))
        else:
            help_.paragraphs.append(" ".join([heading] + [l.strip() for l in block.lines if l]))
    return help_


# ---- manual page --------------------------------------------------------------------------------

def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


def spelling_roff(spelling):
    """Option names and literal values in bold, placeholders in italics, punctuation roman."""
    def word(match):
        w = match.group(0)
        if w == "...":
            return w
        if w.startswith("-") or not re.fullmatch(r"[A-Z][A-Z0-9_,.]*", w):
            return "\\fB" + roff(w) + "\\fR"
        return "\\fI" + roff(w) + "\\fR"
    return re.sub(r"[^\s\[\]|,.]+(?:,[A-Z]+)?|\.\.\.", word, spelling)


def man_page(help_, template):
    synopsis = "\n.br\n".join(spelling_roff(form) for form, _ in help_.synopsis)
    description = []
    for paragraph in help_.paragraphs:
        description += [".PP", roff(paragraph)]
    for form, text in help_.synopsis:
        if text:
            description += [".TP", spelling_roff(form), roff(text)]
    options = []
    for heading, entries_ in help_.sections:
        options.append(".SS " + roff(heading))
        for option in entries_:
            options += [".TP", spelling_roff(option.spelling)] + ([roff(option.text)] if option.text else [])
    page = (template.replace("@SYNOPSIS@", synopsis).replace("@DESCRIPTION@", "\n".join(description))
            .replace("@OPTIONS@", "\n".join(options)).replace("@EXIT_STATUS@", roff(help_.exit_status)))
    return page


# ---- bash completion ----------------------------------------------------------------------------

def picture_files(text):
    """"Extensions read: bmp, jpg/jpeg, gif." (over lines) gives "bmp|jpg|jpeg|gif"."""
    found = re.search(r"[Ee]xtensions read: ([a-z0-9/,\s]+)", text)
    if not found:
        sys.exit("help_docs: the help names no 'extensions read:'")
    return "|".join(e for e in re.split(r"[/,\s]+", found.group(1)) if e)


def completion(help_, template, text):
    commands = [form.split()[1] for form, _ in help_.synopsis
                if len(form.split()) > 1 and not form.split()[1].startswith("-")]
    names, valued, paths, choices = [], [], [], []
    for option in help_.options():
        for spellings, value in option.groups():
            names += [n for n in spellings if n not in names]
            if value:
                valued += [n for n in spellings if n not in valued]
            if re.search(r"FILE|PATH|DIR|FOLDER", value):
                paths += [n for n in spellings if n not in paths]
            if "|" in value and all(re.fullmatch(r"[a-z0-9.]+", v) for v in value.split("|")):
                choices.append("        %s) COMPREPLY=($(compgen -W '%s' -- \"$cur\")); return ;;"
                               % ("|".join(spellings), " ".join(value.split("|"))))
    # An empty pattern would not parse; "--" alone is never an option that takes a value.
    return (template.replace("@COMMANDS@", " ".join(commands)).replace("@OPTIONS@", " ".join(names))
            .replace("@VALUED@", "|".join(valued) or "--").replace("@PATH_VALUED@", "|".join(paths) or "--")
            .replace("@CHOICES@", "\n".join(choices)).replace("@PICTURE_FILES@", picture_files(text)))


def main():
    if len(sys.argv) != 5 or sys.argv[1] not in ("man", "completion"):
        sys.exit(__doc__)
    kind, program, template_path, output = sys.argv[1:]
    text = subprocess.run([program, "--help"], check=True, capture_output=True, text=True).stdout
    with open(template_path, encoding="utf-8") as f:
        template = f.read()
    help_ = parse(text)
    if kind == "man":
        data = gzip.compress(man_page(help_, template).encode("utf-8"), compresslevel=9, mtime=0)
        with open(output, "wb") as f:
            f.write(data)
    else:
        with open(output, "w", encoding="utf-8") as f:
            f.write(completion(help_, template, text))


if __name__ == "__main__":
    main()
