#!/usr/bin/env python3
"""Writes the example table files next to this script.

The files are in the program's own table-file form: Windows-1251, no byte-order mark, one line per
filled row, the row label first, TAB between fields, no TAB after the last field, CR LF after
every line. Run it again after changing the data below; it checks the limits the register sets
before it writes anything.
"""

from pathlib import Path

HERE = Path(__file__).resolve().parent

# The tightest name and line widths of all register models, so that every row can be sent.
NAME_WIDTH = 12
HEADER_LINE_WIDTH = 20
PRICE_WIDTH = 9
STOCK_WIDTH = 10


def ean13(first_twelve: str) -> str:
    """The twelve digits with their EAN-13 check digit."""
    assert len(first_twelve) == 12 and first_twelve.isdigit()
    total = sum(int(d) * (3 if i % 2 else 1) for i, d in enumerate(first_twelve))
    return first_twelve + str((10 - total % 10) % 10)


def eik(first_eight: str) -> str:
    """A nine-digit ЕИК (BULSTAT) with its check digit."""
    digits = [int(d) for d in first_eight]
    check = sum(d * w for d, w in zip(digits, range(1, 9))) % 11
    if check == 10:
        check = sum(d * w for d, w in zip(digits, range(3, 11))) % 11
        if check == 10:
            check = 0
    return first_eight + str(check)


# Subgroups, file rows 0 to 9: name, price, tax group.
SUBGROUPS = [
    ("Хляб/тестени", "", "Б"),
    ("Млечни", "", "Б"),
    ("Месни", "", "Б"),
    ("Напитки", "", "Б"),
    ("Алкохол", "", "В"),
    ("Плод/зеленч.", "", "Б"),
    ("Сладкарски", "", "Б"),
    ("Консерви", "", "Б"),
    ("Битова химия", "0.00", "Б"),
    ("Други", "0.00", "Б"),
]

# Articles: row, name, first twelve barcode digits (None for goods sold by weight without one),
# price, tax group, subgroup, payment type, stock. Rows 20 and 33 are left free on purpose.
ARTICLES = [
    (1, "Хляб бял", "380012100001", 1.20, "А", 0, 0, 48),
    (2, "Хляб ръжен", "380012100002", 1.85, "Б", 0, 0, 22),
    (3, "Баница", None, 2.40, "Б", 0, 0, 15),
    (4, "Брашно 1кг", "380047200315", 1.69, "Б", 0, 0, 40),
    (5, "Прясно мляко", "380023400011", 2.59, "А", 1, 0, 36),
    (6, "Кисело мляко", "380023400028", 1.29, "Б", 1, 0, 64),
    (7, "Сирене", None, 12.90, "Б", 1, 0, 18.45),
    (8, "Кашкавал", None, 18.50, "Б", 1, 0, 9.73),
    (9, "Масло 125г", "380023400097", 3.79, "Б", 1, 0, 24),
    (10, "Яйца 10бр", "380061500104", 3.99, "Б", 1, 0, 30),
    (11, "Луканка", None, 29.90, "Б", 2, 0, 4.215),
    (12, "Кренвирши", "380055800212", 8.90, "Б", 2, 0, 6.38),
    (13, "Пилешко филе", None, 11.80, "Б", 2, 0, 7.64),
    (14, "Вода 1,5л", "380010500150", 0.99, "Б", 3, 0, 120),
    (15, "Кафе 200г", "380078900200", 6.49, "Б", 3, 0, 28),
    (16, "Чай билков", "380078900316", 2.29, "Б", 3, 0, 19),
    (17, "Сок портокал", "380010500471", 3.19, "Б", 3, 0, 26),
    (18, "Бира 0,5л", "380034100050", 1.79, "В", 4, 0, 96),
    (19, "Вино червено", "380034107502", 8.90, "В", 4, 0, 18),
    (21, "Ракия 0,7л", "380034107007", 14.50, "В", 4, 0, 12),
    (22, "Ябълки", None, 2.49, "Б", 5, 0, 35.6),
    (23, "Домати", None, 3.99, "Б", 5, 0, 22.15),
    (24, "Краставици", None, 3.29, "Б", 5, 0, 14.8),
    (25, "Картофи", None, 1.39, "Б", 5, 0, 60.25),
    (26, "Лук", None, 1.19, "Б", 5, 0, 25.5),
    (27, "Шоколад 100г", "380092600100", 2.79, "Б", 6, 0, 44),
    (28, "Вафла", "380092600407", 0.89, "Б", 6, 0, 80),
    (29, "Лютеница", "380047200612", 3.49, "Б", 7, 0, 27),
    (30, "Боб 1кг", "380047200520", 4.20, "Б", 9, 0, 16),
    (31, "Олио 1л", "380066300100", 3.69, "Б", 9, 0, 42),
    (32, "Захар 1кг", "380066300209", 2.19, "Б", 9, 0, 38),
    (34, "Ориз 1кг", "380047200418", 3.29, "Б", 9, 0, 29),
    (35, "Сапун", "380088100037", 1.49, "Б", 8, 0, 20),
]

OPERATORS = [
    (1, "Иван Петров"),
    (2, "Мария Колева"),
    (3, "Георги Димов"),
    (4, "Елена Стоева"),
    (5, "Стоян Илиев"),
]

# Receipt header lines: text and the "B" flag.
COMPANY = [
    ("ЕТ Вихра-Петрова", "1"),
    ("Магазин Зорница", "0"),
    ("гр. Пловдив", "0"),
    ("ул. Марица 14", "0"),
    ("ЕИК " + eik("16001234"), "0"),
    ("Благодарим Ви!", "0"),
]


def checked_name(text: str, width: int) -> str:
    assert len(text.encode("cp1251")) <= width, f"{text!r} is longer than {width}"
    return text


def price(value: float) -> str:
    text = f"{value:.2f}"
    assert len(text) <= PRICE_WIDTH
    return text


def stock(value: float) -> str:
    text = f"{value:.3f}"
    assert len(text) <= STOCK_WIDTH
    return text


def article_lines():
    rows = [a[0] for a in ARTICLES]
    assert rows == sorted(set(rows)) and 1 <= rows[0] and rows[-1] <= 2600
    barcodes = [a[2] for a in ARTICLES if a[2]]
    assert len(barcodes) == len(set(barcodes))
    for row, name, barcode, cost, tax, subgroup, payment, onhand in ARTICLES:
        assert tax in "АБВ" and 0 <= subgroup < len(SUBGROUPS) and 0 <= payment <= 9
        yield [str(row), checked_name(name, NAME_WIDTH), ean13(barcode) if barcode else "",
               price(cost), tax, str(subgroup), str(payment), stock(onhand)]


def operator_lines():
    for row, name in OPERATORS:
        assert 1 <= row <= 9
        yield [str(row), checked_name(name, NAME_WIDTH)]


def subgroup_lines():
    for label, (name, cost, tax) in enumerate(SUBGROUPS):
        yield [str(label), checked_name(name, NAME_WIDTH), cost, tax]


def company_lines():
    assert len(COMPANY) == 6
    for row, (text, flag) in enumerate(COMPANY, start=1):
        assert flag in ("0", "1")
        yield [str(row), checked_name(text, HEADER_LINE_WIDTH), flag]


def write_table(name: str, lines) -> None:
    text = "".join("\t".join(fields) + "\r\n" for fields in lines)
    # newline="" keeps the CR LF as written; cp1251 fails loudly on a character it cannot hold.
    with open(HERE / name, "w", encoding="cp1251", newline="") as out:
        out.write(text)


def main() -> None:
    tables = {
        "articles.txt": list(article_lines()),
        "operators.txt": list(operator_lines()),
        "subgroups.txt": list(subgroup_lines()),
        "company.txt": list(company_lines()),
    }
    for name, lines in tables.items():
        write_table(name, lines)
        print(f"{name}: {len(lines)} lines")


if __name__ == "__main__":
    main()
