#!/usr/bin/python3
"""The rows bench_workbook writes, written with openpyxl for comparison.

Usage: bench_workbook_openpyxl.py SHOTS OUT.xlsx
Same sheet names, header pairs every 40 shots, values, formulas, fonts and number formats.
openpyxl stores formulas without results.
"""
import sys

from openpyxl import Workbook
from openpyxl.styles import Alignment, Font

shots = int(sys.argv[1])
out = sys.argv[2]

wb = Workbook()
wb.active.title = "String"
for name in ("Folder", "eDisk", "CFile", "Capture", "iSetup", "iPad"):
    wb.create_sheet(name)
setup = wb["iSetup"]
setup["D4"] = 0.06479891
setup["D5"] = 1 / 0.06479891
setup["D6"] = 0.3048
ws = wb["Capture"]

center = Alignment(horizontal="center")
BLUE, RED = "FF0000FF", "FFFF0000"


def style(size, bold, color, number=None):
    return {"font": Font(size=size, bold=bold, color=color), "number_format": number or "General"}


seq = style(8, False, BLUE, "0")
ident = style(8, False, BLUE)
big = style(10, True, None)
velocity = style(10, True, None, "0.00")
plain = style(8, False, None)
stat = style(8, False, BLUE, "0.00")
weight = style(8, True, None, "0.00")
power = style(8, False, RED)
names = ["Sequence", "Folder", "String", "Shot", "Velocity", "", "Time", "", "Temp", "", "BLK", "Min", "Max",
         "Average", "Spread", "Std Dev", "Dev %", "Bullet", "Energy", "Momentum", "Power F."]
units = ["(Shot #)", "(#)", "(#)", "(#)", "(f/s)", "", "(sec)", "", "(fah)", "", "BLK", "(f/s)", "(f/s)", "(f/s)",
         "(f/s)", "(f/s)", "(%)", "(grains)", "(J)", "(g m/s)", "(PF)"]


def put(row, col, value, st):
    c = ws.cell(row=row, column=col, value=value)
    c.font = st["font"]
    c.number_format = st["number_format"]
    c.alignment = center


noise = 12345
row = start = 5
for shot in range(shots):
    n = shot % 40 + 1
    if n == 1:
        for col, text in enumerate(names, 1):
            put(row, col, text, stat)
        for col, text in enumerate(units, 1):
            put(row + 1, col, text, ident)
        row += 2
        start = row
    noise = (noise * 1103515245 + 12345) & 0xFFFFFFFF
    v = 2800 + ((noise >> 16) % 2000) / 100.0
    r, s = row, start
    put(r, 1, shot + 1, seq)
    put(r, 2, 1, ident)
    put(r, 3, shot // 40 + 1, ident)
    put(r, 4, n, big)
    put(r, 5, v, velocity)
    put(r, 6, "f/s", plain)
    put(r, 7, 0.0021 + n * 1e-6, big)
    put(r, 8, "sec", plain)
    put(r, 9, 68.0, big)
    put(r, 10, "fah", plain)
    put(r, 11, n, ident)
    put(r, 12, f"=MIN(E{s}:E{r})", stat)
    put(r, 13, f"=MAX(E{s}:E{r})", ident)
    put(r, 14, f"=AVERAGE(E{s}:E{r})", ident)
    put(r, 15, f"=(M{r}-L{r})", ident)
    if n < 2:
        put(r, 16, 0, ident)
        put(r, 17, 0, ident)
    else:
        put(r, 16, f"=STDEV(E{s}:E{r})", ident)
        put(r, 17, f"=(P{r}* 100)/N{r}", ident)
    put(r, 18, 150.0, weight)
    put(r, 19, f"=($E{r}*iSetup!$D$6*$E{r}*iSetup!$D$6 * ($R{r}*iSetup!$D$4/2000))", power)
    put(r, 20, f"=($E{r}*iSetup!$D$6*$R{r}*iSetup!$D$4)", power)
    put(r, 21, f"=($E{r}*$R{r}/1000)", power)
    row += 1

wb.save(out)
