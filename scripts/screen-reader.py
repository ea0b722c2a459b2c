#!/usr/bin/python3
"""Reads Tillora's window the way a screen reader does, through AT-SPI: the tab captions, the
current table's column titles and its first rows of cells, and the status bar. Exits non-zero
when the window cannot be found or the cells do not hold what the table file says.

Usage: screen-reader.py TABLE_FILE   (the file the window was started with, Windows-1251)
"""
import sys
import time

import pyatspi


# A table's cells are its children: thousands of calls on the bus, and never what is looked for.
LEAVES = (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_MENU_BAR)


def find(node, role, depth=0):
    """The first accessible of the role under node, depth first over a bounded depth."""
    if node is None or depth > 12:
        return None
    if node.getRole() == role:
        return node
    if node.getRole() in LEAVES:
        return None
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), role, depth + 1)
        if found is not None:
            return found
    return None


def all_of(node, role, depth=0, found=None):
    found = [] if found is None else found
    if node is None or depth > 12:
        return found
    if node.getRole() == role:
        found.append(node)
    if node.getRole() in LEAVES:
        return found
    for i in range(node.childCount):
        all_of(node.getChildAtIndex(i), role, depth + 1, found)
    return found


def tillora_app(seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower().startswith("tillora"):
                frame = find(app, pyatspi.ROLE_FRAME)
                if frame is not None and find(frame, pyatspi.ROLE_TABLE) is not None:
                    return app
        time.sleep(0.5)
    return None


def expected_rows(path, count):
    """The first rows of the table file: a line per row, the row number then the cells."""
    rows = []
    with open(path, encoding="cp1251") as table_file:
        for line in table_file:
            cells = line.rstrip("\r\n").split("\t")
            if len(cells) > 1 and cells[0].isdigit():
                rows.append(cells[1:])
            if len(rows) == count:
                break
    return rows


def main():
    app = tillora_app(30)
    if app is None:
        print("Tillora's window is not on the accessibility bus")
        return 1
    tabs = [tab.name for tab in all_of(app, pyatspi.ROLE_PAGE_TAB)]
    print("Tabs:", " | ".join(tabs))
    table = find(app, pyatspi.ROLE_TABLE)
    cells = table.queryTable()
    titles = [cells.getColumnDescription(c) for c in range(cells.nColumns)]
    print(f'Table "{table.name}": {cells.nRows} rows, {cells.nColumns} columns')
    print("Columns:", " | ".join(titles))
    status = 0
    for r, wanted in enumerate(expected_rows(sys.argv[1], 5)):
        read = [cells.getAccessibleAt(r, c).name for c in range(cells.nColumns)]
        print(f"Row {r + 1}:", " | ".join(read))
        wanted = (wanted + [""] * cells.nColumns)[: cells.nColumns]
        if read != wanted:
            print(f"  the file holds: {' | '.join(wanted)}")
            status = 1
    bar = find(app, pyatspi.ROLE_STATUS_BAR)
    shown = [bar.getChildAtIndex(i) for i in range(bar.childCount)] if bar else []
    panes = [p.name for p in shown if p.getState().contains(pyatspi.STATE_SHOWING)]
    print("Status bar:", " | ".join(p for p in panes if p.strip()))
    return status


if __name__ == "__main__":
    sys.exit(main())
