#!/usr/bin/python3
"""Writes the price list the workbooks here are made from, with openpyxl, the way pandas and
many exporters write workbooks: text cells as inline strings, a formula without its result."""
import datetime
import sys

from openpyxl import Workbook

book = Workbook()
prices = book.active
prices.title = "Цени"
prices["A1"] = "Ценова листа на магазин „Роза“"
prices.merge_cells("A1:F1")
prices.append(["№", "Наименование", "Баркод", "Цена", "Дан. група", "Бележка"])
prices.append([1, "Хляб „Добруджа“", 3800121000012, 1.2, "Б", datetime.date(2026, 12, 1)])
# A barcode kept as text keeps its leading zeros; a price typed as text in a decimal-comma
# locale keeps its comma.
prices.append([2, "Мляко 3%", "0000000123", "2,59", "В", "внос"])
prices.append([])
prices.append([5, "Сирене краве", 3800000000017, "=D3*2", "Б"])
prices.append([2600, "Сол йодирана", "3800121000029", 0.89, "А"])
for row in range(3, 8):
    prices.cell(row=row, column=3).number_format = "0"
    prices.cell(row=row, column=4).number_format = '#,##0.00 "лв."'
prices["F3"].number_format = "DD.MM.YYYY"
stock = book.create_sheet("Склад")
stock["A1"] = "друго"
stock["B2"] = 7
book.save(sys.argv[1])
