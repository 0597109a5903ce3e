# Writes the openpyxl fixtures: the same cells in the 1900 and the 1904 date system.
import datetime
import sys

from openpyxl import Workbook
from openpyxl.utils.datetime import CALENDAR_MAC_1904


def build(path, epoch_1904):
    wb = Workbook()
    if epoch_1904:
        wb.epoch = CALENDAR_MAC_1904
    ws = wb.active
    ws.title = "Data"
    ws["A1"] = "velocity"
    ws["B1"] = 2801.5
    ws["A2"] = "checked"
    ws["B2"] = True
    ws["A3"] = "day"
    ws["B3"] = datetime.date(2024, 5, 1)
    ws["B3"].number_format = "yyyy-mm-dd"
    ws["A4"] = "when"
    ws["B4"] = datetime.datetime(2024, 5, 1, 18, 0, 0)
    ws["B4"].number_format = "yyyy-mm-dd hh:mm"
    ws["A5"] = "double"
    ws["B5"] = "=B1*2"          # written without a stored result
    ws["A6"] = "missing"
    ws["B6"] = "#N/A"           # an error value
    ws["A7"] = "plain"
    ws["B7"] = 42               # a number in a date workbook stays the number
    wb.save(path)


build(sys.argv[1] + "/openpyxl-1900.xlsx", False)
build(sys.argv[1] + "/openpyxl-1904.xlsx", True)
