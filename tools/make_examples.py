#!/usr/bin/env python3
"""Writes the sample class of examples/ from the description in examples.txt.

Each student line becomes one 128-byte result file; Progi.txt gets the default
grade thresholds. Run from anywhere: python3 tools/make_examples.py
"""

import datetime
import pathlib
import struct
import sys

TOOLS = pathlib.Path(__file__).resolve().parent
DESCRIPTION = TOOLS / "examples.txt"
OUTPUT = TOOLS.parent / "examples"

RECORD_SIZE = 128
EPOCH = datetime.datetime(1899, 12, 30)
THRESHOLDS = b"Dp=50\r\nDst=60\r\nDb=75\r\nBdb=85\r\ncel=95\r\n"


def day_count(moment):
    """Days since 1899-12-30, the fraction being the time of day."""
    delta = moment - EPOCH
    return delta.days + delta.seconds / 86400


def string_field(text, capacity):
    data = text.encode("cp1250")
    if len(data) > capacity:
        raise ValueError(f"{text!r} is longer than {capacity} characters")
    return bytes([len(data)]) + data + bytes(capacity - len(data))


def record(surname, first_name, answers, test_name, questions, start, end):
    if len(answers) != questions:
        raise ValueError(f"{surname}: {len(answers)} answers for {questions} questions")
    out = bytearray()
    out += string_field(surname, 20)
    out += string_field(first_name, 20)
    out += bytes(answers) + bytes(30 - len(answers))
    out += string_field(test_name, 30)
    out += bytes(1)
    out += struct.pack("<i", questions)
    out += bytes(4)
    out += struct.pack("<d", day_count(start))
    out += struct.pack("<d", day_count(end))
    assert len(out) == RECORD_SIZE
    return bytes(out)


def parse(lines):
    """Yields (file path in examples/, record bytes) for every student line and folder."""
    day = None
    test = None
    folders = ["."]
    for number, raw in enumerate(lines, 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        try:
            if line.startswith("folders "):
                folders = line[8:].split()
            elif line.startswith("date "):
                day = datetime.date.fromisoformat(line[5:].strip())
            elif line.startswith("["):
                name, count = line.strip("[]").split("|")
                test = (name.strip(), int(count))
            else:
                if day is None or test is None:
                    raise ValueError("a student before the date and the test")
                fields = [f.strip() for f in line.split("|")]
                file_name, surname, first_name, answers, start, end = fields
                bits = [int(c) for c in answers if not c.isspace()]
                if any(b not in (0, 1) for b in bits):
                    raise ValueError("answers must be 0 or 1")
                times = [
                    datetime.datetime.combine(day, datetime.time.fromisoformat(t))
                    for t in (start, end)
                ]
                data = record(surname, first_name, bits, test[0], test[1], *times)
                for folder in folders:
                    yield str(pathlib.PurePosixPath(folder) / file_name), data
        except ValueError as error:
            sys.exit(f"{DESCRIPTION.name}:{number}: {error}")


def main():
    OUTPUT.mkdir(exist_ok=True)
    files = list(parse(DESCRIPTION.read_text(encoding="utf-8").splitlines()))
    for file_name, data in files:
        (OUTPUT / file_name).parent.mkdir(parents=True, exist_ok=True)
        (OUTPUT / file_name).write_bytes(data)
    (OUTPUT / "Progi.txt").write_bytes(THRESHOLDS)
    print(f"{len(files)} result files and Progi.txt written to {OUTPUT}")


if __name__ == "__main__":
    main()
