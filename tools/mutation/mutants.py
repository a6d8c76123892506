"""Planting mutants: the operators, and the mutants they find in a C++ file. A mutant replaces
the characters [start, end) of one file."""

import difflib
import os
import re
from collections import defaultdict

from .lexer import lex

class Mutant:
    def __init__(self, path, src, start, end, new, kind, line):
        self.path, self.start, self.end, self.new, self.kind, self.line = path, start, end, new, kind, line
        self.old = src[start:end]
        ls = src.rfind("\n", 0, start) + 1
        le = src.find("\n", start)
        self.line_text = src[ls:le if le >= 0 else len(src)].strip()
        self.occurrence = 1  # set by number_occurrences
        self.result = self.detail = None

    @property
    def change(self):
        old = " ".join(self.old.split())
        new = " ".join(self.new.split()) or "(nothing)"
        if len(old) > 60:
            old = old[:57] + "..."
        return f"`{old}` -> `{new}`"

    def key(self):
        """Names the mutant by its line's text, so that moving code does not lose it."""
        suffix = f" #{self.occurrence}" if self.occurrence > 1 else ""
        return (self.path, self.line_text, self.change + suffix)

    def describe(self):
        suffix = f" #{self.occurrence}" if self.occurrence > 1 else ""
        return f"{self.path}:{self.line}: {self.change}{suffix}   [{self.line_text}]"


KEYWORDS = set("""
alignas alignof asm auto bool break case catch char char8_t char16_t char32_t class const
consteval constexpr constinit const_cast continue co_await co_return co_yield decltype default
delete do double dynamic_cast else enum explicit export extern float for friend goto if inline
int long mutable namespace new noexcept operator private protected public register
reinterpret_cast requires return short signed sizeof static static_assert static_cast struct
switch template thread_local throw try typedef typeid typename union unsigned using virtual
void volatile wchar_t while
""".split())
VALUE_KEYWORDS = {"this", "true", "false", "nullptr"}

SWAPS = {
    # arithmetic
    "+": "-", "-": "+", "*": "/", "/": "*", "%": "*",
    "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*=", "++": "--", "--": "++",
    "<<": ">>", ">>": "<<",
    # relational: the boundary moves, or the test is negated
    "<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
    # boolean
    "&&": "||", "||": "&&",
    # bitwise
    "&": "|", "|": "&", "^": "&",
}
BINARY_SPACED = {"+", "-", "*", "/", "%", "<", "<=", ">", ">=", "==", "!=", "&&", "||", "<<", ">>", "&", "|", "^",
                 "+=", "-=", "*=", "/=", "=", "%=", "&=", "|=", "^=", "<<=", ">>="}
ASSIGN = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}


def _ends_operand(t):
    return (t.kind in ("num", "lit") or (t.kind == "id" and (t.text not in KEYWORDS or t.text in VALUE_KEYWORDS))
            or t.text in (")", "]"))


def _changed_number(text):
    """The literal with its value changed, in its own notation; None when it is no number."""
    m = re.fullmatch(r"(0[xX][0-9A-Fa-f']+|[0-9']+)([uUlL]*)", text)
    if m:
        digits, suffix = m.group(1).replace("'", ""), m.group(2)
        if digits[:2] in ("0x", "0X"):
            value = int(digits, 16)
            return f"0x{value + 1:X}{suffix}"
        value = int(digits, 8 if len(digits) > 1 and digits[0] == "0" else 10)
        if len(digits) > 1 and digits[0] == "0":
            return f"0{value + 1:o}{suffix}"
        return f"{value + 1}{suffix}"
    m = re.fullmatch(r"([0-9.]+(?:[eE][+-]?[0-9]+)?)([fFlL]?)", text)
    if m:
        try:
            value = float(m.group(1))
        except ValueError:
            return None
        new = 1.0 if value == 0 else (value + 1 if abs(value) < 100 else value * 2)
        return repr(float(new)) + m.group(2)
    return None


def _statement_end(toks, k):
    """Index of the ';' that ends a simple statement starting at k, or None."""
    depth = 0
    for j in range(k, len(toks)):
        t = toks[j].text
        if t in "([{":
            depth += 1
        elif t in ")]}":
            depth -= 1
            if depth < 0:
                return None
        elif t == ";" and depth == 0:
            return j
    return None


def _is_expression_statement(toks, k, e):
    """An assignment, increment or call: a statement whose removal still compiles."""
    first = toks[k]
    if first.text in ("break", "continue"):
        # One just before the closing brace changes nothing.
        return e == k + 1 and e + 1 < len(toks) and toks[e + 1].text != "}"
    if first.text in ("++", "--"):
        return toks[k + 1].kind == "id"
    if first.kind != "id" or (first.text in KEYWORDS and first.text != "this"):
        return False
    # A declaration starts with two names in a row (type, then variable) or a template type.
    j, depth = k, 0
    prev = None
    while j < e:
        t = toks[j]
        if t.text in "([":
            depth += 1
        elif t.text in ")]":
            depth -= 1
        elif depth == 0:
            if prev is not None and prev.kind == "id" and t.kind == "id":
                return False
            if t.text in ("<", "{") and not t.space_before:
                return False
            if t.text in ("*", "&") and prev is not None and prev.kind == "id" and not t.space_before:
                return False  # Type* name
            if t.text in ASSIGN or t.text in ("++", "--"):
                return True
        prev = t if depth == 0 else prev
        j += 1
    return toks[e - 1].text == ")"  # a call


def mutants_of(path, src):
    toks = lex(src)
    out = []

    def add(t_start, t_end, new, kind, line):
        out.append(Mutant(path, src, t_start, t_end, new, kind, line))

    for i, t in enumerate(toks):
        prev = toks[i - 1] if i > 0 else None
        nxt = toks[i + 1] if i + 1 < len(toks) else None
        if t.kind == "op":
            spaced = t.space_before and t.space_after and prev is not None and _ends_operand(prev)
            if t.text in SWAPS and t.text not in ("++", "--") and t.text in BINARY_SPACED and spaced:
                kind = ("relational" if t.text in ("<", "<=", ">", ">=", "==", "!=") else
                        "boolean" if t.text in ("&&", "||") else
                        "bitwise" if t.text in ("&", "|", "^") else "arithmetic")
                add(t.start, t.end, SWAPS[t.text], kind, t.line)
            elif t.text in ("++", "--"):
                add(t.start, t.end, SWAPS[t.text], "arithmetic", t.line)
            elif t.text == "-" and not t.space_after and (prev is None or not _ends_operand(prev)):
                add(t.start, t.end, "", "sign", t.line)  # -x becomes x
            elif t.text == "!" and nxt is not None and (prev is None or not _ends_operand(prev)):
                add(t.start, t.end, "", "boolean", t.line)  # !x becomes x
        elif t.kind == "id" and t.text in ("true", "false"):
            add(t.start, t.end, "false" if t.text == "true" else "true", "boolean", t.line)
        elif t.kind == "num":
            # Template arguments are left alone: they rarely compile changed.
            if prev is not None and prev.text == "<" and not prev.space_after and (
                    nxt is not None and nxt.text == ">"):
                continue
            new = _changed_number(t.text)
            if new is not None:
                add(t.start, t.end, new, "constant", t.line)
        # A whole statement removed: only where one may start.
        if prev is not None and prev.text in (";", "{", "}", ")", "else", ":") and (
                t.kind == "id" or t.text in ("++", "--")):
            if prev.text == ")" and not _closes_condition(toks, i - 1):
                continue
            if prev.text == ":" and not _ends_label(toks, i - 1):
                continue
            e = _statement_end(toks, i)
            if e is not None and _is_expression_statement(toks, i, e):
                removed = src[t.start:toks[e].end]
                add(t.start, toks[e].end, ";" + "\n" * removed.count("\n"), "statement", t.line)
    number_occurrences(out)
    return out


def _closes_condition(toks, j):
    """True when the ')' at j closes the condition of if/while/for."""
    depth = 0
    for k in range(j, -1, -1):
        if toks[k].text == ")":
            depth += 1
        elif toks[k].text == "(":
            depth -= 1
            if depth == 0:
                return k > 0 and toks[k - 1].text in ("if", "while", "for")
    return False


def _ends_label(toks, j):
    """True when the ':' at j ends a case or default label."""
    for k in range(j - 1, -1, -1):
        if toks[k].text in (";", "{", "}", ":"):
            return k + 1 < j and toks[k + 1].text in ("case", "default")
    return False


def number_occurrences(mutants):
    seen = defaultdict(int)
    for m in mutants:
        k = (m.path, m.line_text, m.change)
        seen[k] += 1
        m.occurrence = seen[k]


def list_file(path, expect=None):
    """Prints the mutants of one C++ file, or with `expect` compares them with that file's."""
    with open(path, encoding="utf-8") as f:
        lines = [f"{m.line}: {m.kind}: {m.change}" + (f" #{m.occurrence}" if m.occurrence > 1 else "")
                 for m in mutants_of(os.path.basename(path), f.read())]
    if not expect:
        print("\n".join(lines))
        return 0
    with open(expect, encoding="utf-8") as f:
        want = [l.rstrip("\n") for l in f if l.strip() and not l.startswith("#")]
    if lines == want:
        print(f"{len(lines)} mutants as expected")
        return 0
    print("\n".join(difflib.unified_diff(want, lines, "expected", "found", lineterm="")))
    return 1
