#!/usr/bin/env python3
"""CSV and TSV written by rivex-batch, read back with Python's csv module: every value must be
the fixed cut of its record, converted and trimmed, and every header as the columns' names."""
import csv
import io
import os
import subprocess
import sys
import tempfile

BATCH = sys.argv[1]
# (left, right) byte columns and names; the third repeats at a pitch of 6.
FIELDS = [(1, 4, "番号"), (5, 16, "名前"), (17, 22, ""), (23, 28, "")]
NAMES = ["番号", "名前", "17-22", "値_1", "値_2"]


def records():
    names = ["東京都", "大阪府", "北海道", "a,b", 'x"y', "　", ""]
    rows = []
    for i in range(300):
        name = names[i % len(names)].encode("cp932")
        rows.append(b"%04d" % i + name.ljust(12, b" ")[:12] + b"%6s" % b"092"
                    + b"%-6d" % (i * 7) + b"%6s" % (b"  x " if i % 3 else b""))
    rows.append(b"")
    rows.append(b"0300\x93\x8c")  # short: the later columns are empty
    return rows


def expected(rows, trim, sep_blanks):
    out = []
    for r in rows:
        values = []
        for left, right in [(1, 4), (5, 16), (17, 22), (23, 28), (29, 34)]:
            text = r[left - 1:right].decode("cp932")
            if trim:
                text = text.strip(" \u3000")
            if sep_blanks:
                text = text.replace("\t", " ").replace("\r", " ").replace("\n", " ")
            values.append(text)
        out.append(values)
    return out


def run(args, env=None):
    result = subprocess.run([BATCH] + args, capture_output=True,
                            env=dict(os.environ, LANGUAGE="ja"))
    if result.returncode != 0:
        sys.exit("rivex-batch failed: %r\n%s" % (args, result.stderr.decode()))
    return result


def field_args():
    args = ["--fields"]
    args += ["--field", "1", "4", "", "", "--field-name", "番号"]
    args += ["--field", "5", "16", "", "", "--field-name", "名前"]
    args += ["--field", "17", "22", "", ""]
    args += ["--field", "23", "28", "29", "29", "--field-name", "値"]
    return args


def check(name, got, want):
    if got != want:
        sys.exit("%s: got %r, want %r" % (name, got[:3], want[:3]))


def main():
    rows = records()
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "in.txt")
        with open(source, "wb") as f:
            f.write(b"\r\n".join(rows) + b"\r\n")
        for fmt, encoding, trim in [("csv", "utf8-bom", True), ("tsv", "utf8", False),
                                    ("csv", "same", False)]:
            output = os.path.join(tmp, "out." + fmt)
            run(["--source", source, "--output", output, "--all", "--format", fmt,
                 "--output-encoding", encoding] + (["--trim"] if trim else []) + field_args())
            data = open(output, "rb").read()
            text = (data.decode("utf-8-sig") if encoding.startswith("utf8")
                    else data.decode("cp932"))
            if encoding == "utf8-bom" and not data.startswith(b"\xef\xbb\xbf"):
                sys.exit("no byte order mark")
            reader = csv.reader(io.StringIO(text, newline=""),
                                delimiter="," if fmt == "csv" else "\t",
                                quoting=csv.QUOTE_MINIMAL if fmt == "csv" else csv.QUOTE_NONE)
            table = list(reader)
            check(fmt + " header", table[0], NAMES)
            check(fmt + " values", table[1:], expected(rows, trim, fmt == "tsv"))

        # A series into one output has one header; each output of "@" its own.
        for i in (1, 2):
            with open(os.path.join(tmp, "s%d.txt" % i), "wb") as f:
                f.write(b"r%d\r\n" % i)
        series = ["--source", os.path.join(tmp, "s@.txt"), "--at", "1", "2", "1", "--all",
                  "--whole", "--format", "csv"]
        run(series + ["--output", os.path.join(tmp, "one.csv")])
        check("series into one", open(os.path.join(tmp, "one.csv"), "rb").read(),
              b"1-*\r\nr1\r\nr2\r\n")
        run(series + ["--output", os.path.join(tmp, "o@.csv")])
        check("series apart", open(os.path.join(tmp, "o2.csv"), "rb").read(), b"1-*\r\nr2\r\n")

        # A field that cuts a character is counted and told.
        result = run(["--source", source, "--output", os.path.join(tmp, "cut.csv"), "--all",
                      "--fields", "--field", "6", "7", "", "", "--format", "csv",
                      "--output-encoding", "utf8", "--by-count", "--range", "1", "1"])
        if "変換できない文字が 2 個" not in result.stderr.decode():
            sys.exit("cut characters not told: " + result.stderr.decode())


main()
