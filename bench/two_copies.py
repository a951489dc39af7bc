#!/usr/bin/env python3
"""Two copies of the program learning on one Base at once.

Two console drivers on one working directory each type N new questions
(every one is answered «Не знаю.» from W1.Dat and learned three times over:
a W2.Dat line, a Words.Dat line and an alternative of the line НЕ ЗНАЮ.),
as fast as they can or one every INTERVAL milliseconds. Afterwards every
learning step is looked for in the files: a step that is missing was lost.

    bench/two_copies.py [--phrases N] [--interval MS] [--console PATH]
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(__file__))
from rtflines import read_lines  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def write_cp1251(path, lines):
    with open(path, "wb") as out:
        out.write("".join(line + "\r\n" for line in lines).encode("cp1251"))


def make_base(work):
    base = os.path.join(work, "Base")
    os.makedirs(base)
    files = {
        "Words.Dat": ["База фраз", "НЕ ЗНАЮ.^"],
        "W1.Dat": ["Не знаю."], "W2.Dat": ["Понятно."], "Povtor.Dat": ["Опять?"],
        "X.Dat": ["Не ругайся."], "Collection.Dat": [], "BigString.Dat": ["Длинно."],
        "AI.dat": ["Заголовок", "Кстати."], "Begin.dat": ["Привет."],
        "Pause.Dat": ["Ты здесь?"], "Log.Brisol": [],
    }
    for name, lines in files.items():
        write_cp1251(os.path.join(base, name), lines)


def phrases(copy, count):
    # The first phrase of a run is never learned (there is no previous answer).
    return ["начнём?"] + [f"слово {copy}{i}?" for i in range(count)]


def run_copy(console, work, lines, interval, errors):
    proc = subprocess.Popen([console, "--dir", work, "--no-follow-ups"], stdin=subprocess.PIPE,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def feed():
        for line in lines:
            proc.stdin.write((line + "\n").encode())
            proc.stdin.flush()
            if interval:
                time.sleep(interval / 1000)
        proc.stdin.close()

    feeder = threading.Thread(target=feed)
    feeder.start()
    err = proc.stderr.read().decode("utf-8", "replace")
    feeder.join()
    proc.wait()
    errors.append(err)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--phrases", type=int, default=300)
    parser.add_argument("--interval", type=int, default=0)
    parser.add_argument("--console", default=os.path.join(ROOT, "build/bin/talkbase-console"))
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="talkbase-two-copies-")
    try:
        make_base(work)
        errors = []
        start = time.monotonic()
        threads = [threading.Thread(target=run_copy,
                                    args=(args.console, work, phrases(c, args.phrases),
                                          args.interval, errors)) for c in "ab"]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        took = time.monotonic() - start

        words = read_lines(os.path.join(work, "Base/Words.Dat"))
        w2 = read_lines(os.path.join(work, "Base/W2.Dat"))
        answered = next((l for l in words if l.startswith("НЕ ЗНАЮ.^")), "")
        alternatives = answered.split("^", 1)[1].split(";") if "^" in answered else []
        lost = {"Words.Dat lines": 0, "W2.Dat lines": 0, "attachments": 0}
        steps = 0
        for copy in "ab":
            for phrase in phrases(copy, args.phrases)[1:]:
                shown = phrase[0].upper() + phrase[1:]
                steps += 3
                lost["Words.Dat lines"] += (shown.upper() + "^") not in words
                lost["W2.Dat lines"] += shown not in w2
                lost["attachments"] += shown not in alternatives
        unreadable = sum(e.count("Cannot open file") for e in errors)
        other = sum(e.count("Cannot create file") for e in errors)
        total_lost = sum(lost.values())
        print(f"{2 * args.phrases} phrases, interval {args.interval} ms, {took:.1f} s")
        print(f"lost learning steps: {total_lost} of {steps} ({100 * total_lost / steps:.1f} %): "
              + ", ".join(f"{k} {v}" for k, v in lost.items()))
        print(f"unreadable reads: {unreadable}, failed saves: {other}")
        leftovers = [n for n in os.listdir(os.path.join(work, "Base")) if n.startswith(".") and "~" in n]
        print(f"temporary files left: {len(leftovers)}")
        return 1 if total_lost or unreadable else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
