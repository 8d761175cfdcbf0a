#!/usr/bin/env python3
"""Prints a text as a C++ string literal of its GBK bytes, for constants that
must compile without charset options: tools/gbk_literal.py '当前：'"""
import sys

def literal(text: str) -> str:
    out, escaped = [], False
    for byte in text.encode("gbk"):
        ch = chr(byte)
        if byte >= 0x80:
            out.append("\\x%02X" % byte)
            escaped = True
            continue
        # A hex escape swallows every hex digit after it: start a new literal.
        if escaped and ch in "0123456789abcdefABCDEF":
            out.append('" "')
        escaped = False
        out.append({"\r": "\\r", "\n": "\\n", "\\": "\\\\", '"': '\\"'}.get(ch, ch))
    return '"' + "".join(out) + '"'

if __name__ == "__main__":
    for arg in sys.argv[1:]:
        print(literal(arg.replace("\\r\\n", "\r\n")) + "  // " + arg)
