"""The message texts of Q4_Backup.exe and of q4k, read from the programs' sources, so that each
guide's message table is checked against what its program really says and not against a copy of it.

A message is found by where it stands, not by a list of texts:
- a named text constant (k...Text, k...Caption, and the window's k...Reason shown by Windows at a
  shutdown) in the window program's and q4k's sources (the window program's are those its build
  takes: no *_posix file);
- a literal handed to a message box (MessageBox, AfxMessageBox, ShowMessage);
- a numbered backup error caption ("Fehler NN") in the transfer sources;
- every literal of the two sources that build messages from parts (the framework's standard
  texts and the identifier-length rule);
- in q4k's sources, a literal written to the error or the output stream, assigned to an error
  text, handed to a usage-error report, or returned as one (argument checks, file access, the
  results of check and verify).
Run-time parts (a path, a number) split a message into fragments; each fragment must appear in the
guide's table, where the run-time part stands as a placeholder such as <Datei>.
"""

import re
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
WINDOW_DIRS = ("app", "transfer", "editor", "config", "link", "framework", "controls")
CLI_DIR = "cli"
BUILT_FROM_PARTS = ("framework/standard_texts.cpp", "config/identifier_rules.cpp")
# q4k sources that format results (show, diff, the progress bar, the help, the rollout's lines and
# CSV), not messages.
CLI_OUTPUT_ONLY = ("settings_output.cpp", "progress_meter.cpp", "help_text.cpp", "command_table.cpp",
                   "rollout_record.cpp")
PLACEHOLDER = re.compile(r"%[1-9dus]")

# One C++ string literal with an optional encoding prefix; raw strings (the help text) are skipped.
_LITERAL = re.compile(r'(?:u8|u|U|L)?"((?:[^"\\\n]|\\.)*)"')
_ESCAPES = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\", "'": "'", "0": "\0"}


def _unescape(text):
    return re.sub(r"\\(.)", lambda m: _ESCAPES.get(m.group(1), m.group(1)), text)


def _strip_comments(source):
    """Comments removed, string literals kept (a "//" inside a literal survives)."""
    out, pos = [], 0
    pattern = re.compile(r'"(?:[^"\\\n]|\\.)*"|//[^\n]*|/\*.*?\*/', re.S)
    for match in pattern.finditer(source):
        out.append(source[pos:match.start()])
        out.append(match.group(0) if match.group(0).startswith('"') else " ")
        pos = match.end()
    out.append(source[pos:])
    return "".join(out)


def _statements(source):
    """The source split at semicolons and braces outside literals: statements and declarations."""
    # Raw strings first: their quotes would otherwise be taken for the ends of literals.
    source = _strip_comments(re.sub(r'R"\((.*?)\)"', '""', source, flags=re.S))
    parts, current, pos = [], [], 0
    for match in re.finditer(r'"(?:[^"\\\n]|\\.)*"|[;{}]', source):
        current.append(source[pos:match.start()])
        if match.group(0) in ";{}":
            parts.append("".join(current))
            current = []
        else:
            current.append(match.group(0))
        pos = match.end()
    parts.append("".join(current) + source[pos:])
    return [" ".join(p.split()) for p in parts if p.strip()]


def _literals(text):
    """The literals of a piece of code; adjacent literals are joined as the compiler joins them."""
    joined = re.sub(r'"\s+(?:u8|u|U|L)?"', "", text)
    return [_unescape(m.group(1)) for m in _LITERAL.finditer(joined)]


def _after(statement, pattern):
    match = re.search(pattern, statement)
    return _literals(statement[match.end():]) if match else []


def _sources(*dirs):
    for d in dirs:
        for path in sorted((ROOT / d).glob("*")):
            if path.suffix in (".cpp", ".h"):
                yield path


def _window_messages():
    found = []
    for path in _sources(*WINDOW_DIRS):
        if path.stem.endswith("_posix"):
            continue
        rel = path.relative_to(ROOT).as_posix()
        source = path.read_text(encoding="utf-8")
        for statement in _statements(source):
            if re.search(r"\bk\w*(Text|Caption|Reason)\w*\s*\[\]\s*=", statement) and "Help" not in statement:
                found += [(rel, t) for t in _literals(statement.split("=", 1)[1])]
            found += [(rel, t) for t in _after(statement, r"\b(Afx)?MessageBoxW?\s*\(|\bShowMessage\s*\(")]
            if rel.startswith("transfer/"):
                found += [(rel, t) for t in _literals(statement) if re.fullmatch(r"Fehler \d\d", t)]
        if rel in BUILT_FROM_PARTS:
            found += [(rel, t) for s in _statements(source) if not s.startswith("#") for t in _literals(s)]
    return found


def _cli_messages():
    found = []
    for path in _sources(CLI_DIR):
        if path.name in CLI_OUTPUT_ONLY:
            continue
        rel = path.relative_to(ROOT).as_posix()
        for statement in _statements(path.read_text(encoding="utf-8")):
            if re.search(r"\bk\w*Text\w*\s*\[\]\s*=", statement):
                found += [(rel, t) for t in _literals(statement.split("=", 1)[1])]
            found += [(rel, t) for t in _after(statement, r"\b(c\.)?(err|cerr|out|cout)\s*<<")]
            found += [(rel, t) for t in _after(statement, r"\berror\s*=(?!=)")]
            found += [(rel, t) for t in _after(statement, r"\bReport\w*Error\s*\(")]
            found += [(rel, t) for t in _after(statement, r"^(.*\s)?return\b")]
    return found


def fragments(text):
    """The fixed parts of a message: split at placeholders and line ends, trimmed; parts with
    fewer than two letters (": ", " (") say nothing on their own and are left out."""
    parts = []
    for part in PLACEHOLDER.split(text):
        for line in part.split("\n"):
            line = " ".join(line.split())
            if sum(ch.isalpha() for ch in line) >= 2:
                parts.append(line)
    return parts


def _fragments_once(found):
    seen, result = set(), []
    for rel, text in found:
        for fragment in fragments(text):
            if fragment not in seen:
                seen.add(fragment)
                result.append((rel, fragment))
    return result


def window_messages():
    """[(source file, message fragment)] of Q4_Backup.exe, each fragment once."""
    return _fragments_once(_window_messages())


def cli_messages():
    """[(source file, message fragment)] of q4k, each fragment once."""
    return _fragments_once(_cli_messages())


if __name__ == "__main__":
    for rel, fragment in window_messages() + cli_messages():
        print("%-32s %s" % (rel, fragment))
