#!/bin/sh
# Makes shotview-like.xls: the workbook of make_shotview_xls.py saved as Excel 97 by LibreOffice.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
/usr/bin/python3 make_shotview_xls.py "$tmp/shotview-like.xlsx"
soffice --headless --convert-to xls --outdir . "$tmp/shotview-like.xlsx" >/dev/null
rm -rf "$tmp"
