"""The lines of a knowledge-base file as the stress scripts need them: the
program's own RTF (or plain text), in Windows-1251, decoded to str."""

import re

_ESCAPE = re.compile(rb"\\'([0-9a-fA-F]{2})|\\([\\{}])")


def read_lines(path):
    data = open(path, "rb").read()
    if not data.lstrip().startswith(b"{\\rtf"):
        return data.decode("cp1251", "replace").splitlines()
    body_start = data.find(b"\\fs20 ")
    if body_start < 0 or not data.rstrip().endswith(b"}"):
        raise ValueError("not a whole document written by the program")
    body = data[body_start + len(b"\\fs20 "):data.rstrip().rfind(b"}")]
    lines = body.split(b"\\par\r\n")
    if lines and lines[-1] == b"":
        lines.pop()

    def unescape(match):
        if match.group(1):
            return bytes([int(match.group(1), 16)])
        return match.group(2)

    return [_ESCAPE.sub(unescape, line).decode("cp1251") for line in lines]


def well_formed(path):
    """A whole file: an RTF document the program wrote, complete, or a plain
    text file (as shipped, before the program's first save) ending in CR LF."""
    data = open(path, "rb").read()
    if data.startswith(b"{\\rtf"):
        return data.endswith(b"}\r\n")
    return data.endswith(b"\r\n")
