#!/usr/bin/env python3
"""Kills during saves of a big Words.Dat.

A console driver learns on a Words.Dat of LINES main lines (one learning turn
saves the whole file twice) and is killed with SIGKILL at a random moment,
KILLS times. After every kill Words.Dat must be whole (a complete document)
and hold every line it held before. At the end one ordinary turn runs, after
which Base must hold only its own files.

    bench/kill_saves.py [--kills N] [--lines N] [--console PATH]
"""

import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from rtflines import read_lines, well_formed  # noqa: E402
from two_copies import make_base, ROOT  # noqa: E402


def temporaries(base):
    return [n for n in os.listdir(base) if n.startswith(".") and n != ".talkbase-lock"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kills", type=int, default=30)
    parser.add_argument("--lines", type=int, default=30000)
    parser.add_argument("--console", default=os.path.join(ROOT, "build/bin/talkbase-console"))
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="talkbase-kills-")
    base = os.path.join(work, "Base")
    try:
        make_base(work)
        with open(os.path.join(base, "Words.Dat"), "wb") as out:
            lines = ["База фраз", "НЕ ЗНАЮ.^"] + [
                f"ФРАЗА НОМЕР {i}.^Ответ {i}.;Другой ответ.;" for i in range(args.lines)]
            out.write("".join(l + "\r\n" for l in lines).encode("cp1251"))
        known = set(read_lines(os.path.join(base, "Words.Dat")))
        torn = lost = 0
        rng = random.Random(7)
        for kill in range(args.kills):
            proc = subprocess.Popen([args.console, "--dir", work, "--no-follow-ups"],
                                    stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL)
            proc.stdin.write("начнём?\n".encode())
            for i in range(50):
                proc.stdin.write(f"слово {kill}x{i}?\n".encode())
            proc.stdin.flush()
            time.sleep(rng.uniform(0.05, 1.5))
            proc.send_signal(signal.SIGKILL)
            proc.wait()
            words = os.path.join(base, "Words.Dat")
            if not well_formed(words):
                torn += 1
                continue
            now = read_lines(words)
            phrases = {l.split("^", 1)[0] for l in now}
            # A line that received an answer moves and grows; its phrase stays.
            lost += sum(1 for l in known if l.split("^", 1)[0] not in phrases)
            known = set(now)
        stray = temporaries(base)
        stray_bytes = sum(os.path.getsize(os.path.join(base, n)) for n in stray)
        subprocess.run([args.console, "--dir", work, "--no-follow-ups"], input="ещё слово?\nи ещё?\n".encode(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        after = temporaries(base)
        print(f"{args.kills} kills during saves of a {args.lines}-line Words.Dat")
        print(f"torn files: {torn}, lost lines: {lost}")
        print(f"temporary files after the kills: {len(stray)} ({stray_bytes / 1e6:.1f} MB); "
              f"after one more turn: {len(after)}")
        return 1 if torn or lost or after else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
