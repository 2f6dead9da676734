#!/usr/bin/env bash
# Hands a CSV of Shift-JIS records, converted to UTF-8 with a byte order mark, trimmed and with
# named columns, to LibreOffice Calc as a spreadsheet user would open it (no character set,
# separator or column type chosen beyond Calc's defaults), saves it as .xlsx, and prints cells
# read back from the workbook. Not run by CI: it needs LibreOffice.
#   tests/screen/spreadsheet_check.sh BUILD_DIR
# Needs libreoffice-calc-nogui (or libreoffice-calc) and unzip.
set -euo pipefail
batch=$(realpath "$1")/app/rivex-batch
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export HOME=$work  # a profile of its own

python3 -c '
rows = ["0001東京都　　　 092  ,x\"y", "0002大阪府　　　 100  ab", "0003北海道　　　 007  c"]
open("in.txt", "wb").write(("\r\n".join(rows) + "\r\n").encode("cp932"))'
"$batch" --source in.txt --output out.csv --all --fields \
  --field 1 4 "" "" --field-name 番号 --field 5 16 "" "" --field-name 名前 \
  --field 17 21 "" "" --field-name 値 --field 22 30 "" "" --field-name 備考 \
  --format csv --trim --output-encoding utf8-bom > /dev/null
# Comma and quote as the import dialog offers them, the character set left as it comes.
soffice --headless --infilter="CSV:44,34,,1" --convert-to xlsx out.csv > /dev/null 2>&1
unzip -q out.xlsx -d book
python3 - << 'EOF'
import re
strings = [re.sub("<[^>]+>", "", s).replace("&quot;", '"')
           for s in re.findall(r"<si>(.*?)</si>", open("book/xl/sharedStrings.xml").read())]
sheet = open("book/xl/worksheets/sheet1.xml").read()
for ref in ["A1", "B1", "B2", "D2", "B4", "C2"]:
    attributes, value = re.search(r'<c r="%s"([^>]*)><v>([^<]*)</v>' % ref, sheet).groups()
    print(ref, strings[int(value)] if 't="s"' in attributes else "number " + value)
EOF
