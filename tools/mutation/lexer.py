"""Lexing: only code is mutated, never comments, strings, character literals or directives."""

import re

PUNCT = sorted("""
>>= <<= ... -> ->* ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= ::
+ - * / % < > = ! ~ & | ^ ? : ; , . ( ) [ ] { }
""".split(), key=len, reverse=True)
_IDENT = re.compile(r"[A-Za-z_][A-Za-z_0-9]*")
_NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|'[0-9A-Za-z]|[0-9A-Za-z_.])*")
_STRING_PREFIX = re.compile(r'(?:u8|u|U|L)?R?"|(?:u8|u|U|L)?\'')


class Token:
    __slots__ = ("kind", "text", "start", "end", "line", "space_before", "space_after")

    def __init__(self, kind, text, start, line):
        self.kind, self.text, self.start, self.end, self.line = kind, text, start, start + len(text), line
        self.space_before = self.space_after = False


def lex(src):
    """Tokens of the code (identifiers, numbers, punctuators); literals appear as 'lit'."""
    toks, i, n, line = [], 0, len(src), 1
    at_line_start = True
    while i < n:
        c = src[i]
        if c == "\n":
            line += 1
            at_line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if c == "#" and at_line_start:  # a directive, with its continuation lines
            while i < n and src[i] != "\n":
                if src[i] == "\\" and i + 1 < n and src[i + 1] == "\n":
                    line += 1
                    i += 1
                i += 1
            continue
        at_line_start = False
        if src.startswith("//", i):
            while i < n and src[i] != "\n":
                i += 1
            continue
        if src.startswith("/*", i):
            j = src.find("*/", i + 2)
            j = n if j < 0 else j + 2
            line += src.count("\n", i, j)
            i = j
            continue
        m = _STRING_PREFIX.match(src, i)
        if m:
            j = m.end()
            if m.group().endswith('R"'):
                d = src.index("(", j)
                close = ")" + src[j:d] + '"'
                j = src.index(close, d) + len(close)
            else:
                quote = m.group()[-1]
                while src[j] != quote:
                    j += 2 if src[j] == "\\" else 1
                j += 1
            toks.append(Token("lit", src[i:j], i, line))
            line += src.count("\n", i, j)
            i = j
            continue
        m = _NUMBER.match(src, i)
        if m:
            toks.append(Token("num", m.group(), i, line))
            i = m.end()
            continue
        m = _IDENT.match(src, i)
        if m:
            toks.append(Token("id", m.group(), i, line))
            i = m.end()
            continue
        for p in PUNCT:
            if src.startswith(p, i):
                toks.append(Token("op", p, i, line))
                i += len(p)
                break
        else:
            toks.append(Token("op", c, i, line))
            i += 1
    for t in toks:
        t.space_before = t.start > 0 and src[t.start - 1] in " \t\n"
        t.space_after = t.end < n and src[t.end] in " \t\n"
    return toks
