#!/usr/bin/python3
# Writes shotview-like.xlsx with openpyxl: two sheets in the layout of ShotView's Android
# workbook export (every cell text, German decimal commas, made-up shots); make.sh converts it
# to the Excel 97 file the .xls importer test reads.
import sys
from openpyxl import Workbook

HEADER = ["#", "Tempo (MPS)", "\u0394 DURCHSCHNITT (MPS)", "KE (J)", "Leistungsfaktor (N\u22c5s)",
          "Zeit", "\u00d6lschuss", "Erstschuss", "Schussnotizen"]

def sheet(ws, title, speeds, date):
    ws.append([title])
    ws.append(HEADER)
    for i, v in enumerate(speeds, 1):
        ws.append([str(i), v, "", "", "", "17:%02d:00" % i, "", "", ""])
    ws.append(["-"])
    ws.append(["AVERAGE SPEED", "323,4"])
    ws.append(["STANDARDABWEICHUNG", "2,0"])
    ws.append(["Trainingsnotiz", "40,0 gr N320"])
    ws.append(["Datum", date])

wb = Workbook()
sheet(wb.active, "Gewehrpatrone, 40,0 gr", ["322,6", "321,5", "326,2"], "JULI 02, 2024 17:25")
wb.active.title = "Gewehrpatrone_2024-07-02_17-25"
sheet(wb.create_sheet("Zweite_2024-07-03_10-00"), "Zweite", ["310,0", "311,5"], "JULI 03, 2024 10:00")
wb.save(sys.argv[1] if len(sys.argv) > 1 else "shotview-like.xlsx")
