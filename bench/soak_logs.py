#!/usr/bin/env python3
"""The number work of bench/soak.sh: the chat lines it sends, the figures it
prints, and the check of the logs Vorlane wrote.

  soak_logs.py lines FOLDER TENTHS PER_TENTH     writes FOLDER/tenth-01.txt ...
  soak_logs.py warm-up FILE COUNT              COUNT more such lines, numbered apart
  soak_logs.py history FILE...                 UTF-16 bytes the lines add to the history
  soak_logs.py ticks TRACE SKIP                lateness of the ticks after the first SKIP
  soak_logs.py check PROGRAM_FOLDER FILE...    the logs against the lines sent
"""

import glob
import os
import random
import re
import sys

# Every character here round-trips through code page 932 unchanged, so a log
# line decodes to exactly the line that was sent.
WORDS = (
    "CQ 73 QSL QRZ QTH rig antenna repeater node conference signal report band "
    "good evening from the shack tonight strong weak copy roger over "
    "こんにちは こんばんは 今晩は 日本語 無線 交信 天気 晴れ 雨 東京 大阪 札幌 "
    "ありがとう よろしく お願いします 了解 ｶﾀｶﾅ ﾃｽﾄ ＡＢＣ １２３ ①② 髙橋 "
    "<b> &amp; & < > \"quoted\" 'single' \\ ~ # % $ @ ! ? ， 。 ・ ★ ♪"
).split()
CALLS = ["JA1ABC", "JH3XYZ", "JR6QRP", "K1ABC", "N0CALL-R", "VK2DEF", "G4GHI-L", "7K4JKL"]


def line_length(rnd):
    """Mixed lengths: mostly short chat, some paragraphs, a few walls of text."""
    roll = rnd.random()
    if roll < 0.60:
        return rnd.randint(2, 60)
    if roll < 0.90:
        return rnd.randint(60, 250)
    if roll < 0.99:
        return rnd.randint(250, 1000)
    return rnd.randint(1000, 3000)


def chat_line(rnd, number, mark=""):
    head = "%s>#%s%07d " % (rnd.choice(CALLS), mark, number)
    want = line_length(rnd)
    words = []
    size = len(head)
    while size < want:
        word = rnd.choice(WORDS)
        words.append(word)
        size += len(word) + 1
    return head + " ".join(words)


def write_lines(folder, tenths, per_tenth):
    rnd = random.Random(20061014)
    number = 0
    for tenth in range(1, tenths + 1):
        with open(os.path.join(folder, "tenth-%02d.txt" % tenth), "w", encoding="utf-8") as out:
            for _ in range(per_tenth):
                number += 1
                out.write(chat_line(rnd, number) + "\n")


def write_warm_up(name, count):
    """Lines of the same kinds as the tenths', numbered #w0000001 on."""
    rnd = random.Random(73)
    with open(name, "w", encoding="utf-8") as out:
        for number in range(1, count + 1):
            out.write(chat_line(rnd, number, "w") + "\n")


def read_sent(files):
    lines = []
    for name in files:
        with open(name, encoding="utf-8") as f:
            lines += f.read().split("\n")[:-1]
    return lines


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


def history_bytes(files):
    """Each entry is CR LF CR LF, "[HH:MM:SS]" and the line (Time on, Date off)."""
    return sum(2 * (4 + 10 + utf16_units(line)) for line in read_sent(files))


def percentile(values, percent):
    if not values:
        return 0
    ordered = sorted(values)
    rank = max(1, -(-percent * len(ordered) // 100))
    return ordered[rank - 1]


def tick_lateness(trace, skip):
    """Lateness of each tick against 500 ms into its second, and the seconds
    that no tick fell in (counted between ticks, after the first SKIP)."""
    stamps = []
    with open(trace, encoding="utf-8", errors="replace") as f:
        for text in f:
            match = re.fullmatch(r"tick (\d+)\n?", text)
            if match:
                stamps.append(int(match.group(1)))
    stamps = stamps[skip:]
    late = [ms % 1000 - 500 for ms in stamps]
    lost = sum(max(0, b // 1000 - a // 1000 - 1) for a, b in zip(stamps, stamps[1:]))
    doubled = sum(1 for a, b in zip(stamps, stamps[1:]) if a // 1000 == b // 1000)
    return "%d %d %d %d %d %d %d" % (len(stamps), percentile(late, 50), percentile(late, 99),
                                     max(late, default=0), min(late, default=0), lost, doubled)


HTML_HEADER = [
    '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">',
    "<HTML>",
    "<HEAD>",
    "<TITLE>Echolink Logs</TITLE>",
    '<META HTTP-EQUIV="CONTENT-TYPE" CONTENT="text/html;CHARSET=Shift_JIS">',
    "</HEAD>",
    "<BODY>",
]


def log_lines(path, problems):
    """The lines of one log: code page 932, each ended by CR LF, nothing else."""
    with open(path, "rb") as f:
        data = f.read()
    name = os.path.basename(path)
    if data and not data.endswith(b"\r\n"):
        problems.append("%s does not end with CR LF" % name)
    pieces = data.split(b"\r\n")[:-1] if data.endswith(b"\r\n") else data.split(b"\r\n")
    lines = []
    for number, raw in enumerate(pieces, 1):
        if b"\r" in raw or b"\n" in raw:
            problems.append("%s line %d has a lone CR or LF" % (name, number))
        try:
            lines.append(raw.decode("cp932"))
        except UnicodeDecodeError as error:
            problems.append("%s line %d is not code page 932: %s" % (name, number, error))
            lines.append(raw.decode("cp932", errors="replace"))
    return lines


STAMP = re.compile(r"\[(\d\d):(\d\d):(\d\d)\](.*)", re.S)


def logged(paths, html, problems):
    """The chat lines of the logs in date order, stamps and <br> taken off."""
    lines = []
    for path in sorted(paths):
        body = log_lines(path, problems)
        if html:
            if body[:len(HTML_HEADER)] != HTML_HEADER:
                problems.append("%s does not begin with the HTML header" % os.path.basename(path))
            body = body[len(HTML_HEADER):]
        for text in body:
            match = STAMP.fullmatch(text)
            if not match or (html and not match.group(4).endswith("<br>")):
                problems.append("%s has a malformed line: %.60r" % (os.path.basename(path), text))
                continue
            lines.append(match.group(4)[:-4] if html else match.group(4))
    return lines


def compare(what, sent, got):
    """Prints the count line; returns whether every line is there once, in order."""
    print("%s: %d lines sent, %d logged" % (what, len(sent), len(got)))
    if got == sent:
        return True
    seen = {}
    for text in got:
        seen[text] = seen.get(text, 0) + 1
    lost = [text for text in sent if text not in seen]
    doubled = [text for text, count in seen.items() if count > 1]
    strange = len(set(seen) - set(sent))
    print("  %s: %d lost, %d doubled, %d not sent (cut or changed)%s" % (
        what, len(lost), len(doubled), strange,
        "" if lost or doubled or strange else ", out of order"))
    for text in (lost + doubled)[:3]:
        print("  e.g. %.80r" % text)
    return False


def check(folder, files):
    sent = read_sent(files)
    problems = []
    text_ok = compare("text log", sent, logged(glob.glob(os.path.join(folder, "Logs", "*.txt")), False, problems))
    html_ok = compare("HTML log", sent, logged(glob.glob(os.path.join(folder, "chat*.html")), True, problems))
    for problem in problems[:10]:
        print("  " + problem)
    return text_ok and html_ok and not problems


def main(argv):
    command = argv[1] if len(argv) > 1 else ""
    if command == "lines" and len(argv) == 5:
        write_lines(argv[2], int(argv[3]), int(argv[4]))
    elif command == "warm-up" and len(argv) == 4:
        write_warm_up(argv[2], int(argv[3]))
    elif command == "history" and len(argv) > 2:
        print(history_bytes(argv[2:]))
    elif command == "ticks" and len(argv) == 4:
        print(tick_lateness(argv[2], int(argv[3])))
    elif command == "check" and len(argv) > 3:
        return 0 if check(argv[2], argv[3:]) else 1
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
