#!/bin/sh
# Makes the workbooks in this folder again; see README.md. Needs python3-openpyxl, LibreOffice
# (soffice), Gnumeric (ssconvert) and the Bulgarian locale's source (localedef, bg_BG).
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 price_list.py openpyxl.xlsx

# Both programs run in Bulgarian, with the decimal comma.
mkdir -p "$work/locale"
localedef -i bg_BG -f UTF-8 "$work/locale/bg_BG.UTF-8" 2>/dev/null || true
export LOCPATH="$work/locale" LC_ALL=bg_BG.UTF-8 LANG=bg_BG.UTF-8

# LibreOffice runs on a profile of its own, with the macro that saves with a password.
profile="$work/profile"
lo() {
    soffice -env:UserInstallation="file://$profile" --headless "$@" >/dev/null 2>&1
}
lo --terminate_after_init
cp SaveWithPassword.xba "$profile/user/basic/Standard/"
sed -i 's|<library:element library:name="Module1"/>|&<library:element library:name="SaveWithPassword"/>|' \
    "$profile/user/basic/Standard/script.xlb"
# A file only its password opens (before the locale below, with which the macro does not run).
lo "macro:///Standard.SaveWithPassword.SaveProtected(\"$PWD/openpyxl.xlsx\",\"$PWD/password.ods\",\"calc8\")"
cat >"$profile/user/registrymodifications.xcu" <<'XCU'
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>bg-BG</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooLocale" oor:op="fuse"><value>bg-BG</value></prop></item>
</oor:items>
XCU

# Each program opens openpyxl's list and saves it in its own way.
for format in ods xlsx xls; do
    lo --convert-to "$format" --outdir "$work/lo" openpyxl.xlsx
done
mv "$work/lo/openpyxl.ods" libreoffice.ods
mv "$work/lo/openpyxl.xlsx" libreoffice.xlsx
ssconvert openpyxl.xlsx gnumeric.xlsx 2>/dev/null
ssconvert openpyxl.xlsx gnumeric.ods 2>/dev/null

# Files the reader must refuse with a message of their own.
mv "$work/lo/openpyxl.xls" old-format.xls
cp old-format.xls old-format-renamed.xlsx
: >empty.xlsx
size=$(wc -c <libreoffice.xlsx)
head -c $((size / 2)) libreoffice.xlsx >truncated.xlsx
# The sheet's compressed data overwritten in its middle: the archive's directory is whole.
/usr/bin/python3 - <<'PY'
import zipfile
data = bytearray(open("libreoffice.xlsx", "rb").read())
info = zipfile.ZipFile("libreoffice.xlsx").getinfo("xl/worksheets/sheet1.xml")
start = info.header_offset + 30 + len(info.filename.encode()) + len(info.extra)
middle = start + info.compress_size // 2
data[middle:middle + 64] = b"\xff" * 64
open("damaged.xlsx", "wb").write(bytes(data))
PY
# An entry claiming four gigabytes in the archive's directory, as a damaged size field would.
/usr/bin/python3 - <<'PY'
data = bytearray(open("libreoffice.xlsx", "rb").read())
entry = data.find(b"PK\x01\x02")
data[entry + 24:entry + 28] = b"\x00\xff\xff\xff"
open("claimed-size.xlsx", "wb").write(bytes(data))
PY
