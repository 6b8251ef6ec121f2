"""Reads the running program through AT-SPI: the students' names must be cells
of a table, the five menu titles menus with an action, and Tab must put the
grid's cell cursor on a student's name."""
import sys
import time

import pyatspi

MENU_TITLES = ["Plik", "Edycja", "Tabele", "Wykresy", "O programie"]


def expected_names(path):
    with open(path, "rb") as f:
        lines = f.read().decode("cp1250").splitlines()
    # The header row first; a student's row holds a name and answers.
    return {line.split("\t")[0].strip() for line in lines[1:] if line.count("\t") >= 3}


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and "zavevad" in (app.name or "").lower():
            return app
    return None


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    try:
        count = node.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1)


def read_tree(app):
    cells = []
    menus = {}
    for node in walk(app):
        role = node.getRole()
        if role == pyatspi.ROLE_TABLE_CELL:
            cells.append(node.name)
        elif node.name in MENU_TITLES and role in (pyatspi.ROLE_MENU, pyatspi.ROLE_POPUP_MENU):
            try:
                action = node.queryAction()
                menus[node.name] = [action.getName(i) for i in range(action.nActions)]
            except NotImplementedError:
                menus[node.name] = []
    return cells, menus


def focused_cell(app):
    for node in walk(app):
        try:
            if node.getRole() == pyatspi.ROLE_TABLE_CELL and node.getState().contains(
                    pyatspi.STATE_FOCUSED):
                return node.name
        except Exception:
            continue
    return None


def tab_into_grid(app):
    """Brings the window forward and presses Tab: the grid's cell cursor must
    land on a cell that the reader can name."""
    for child in app:
        if child is not None and child.getRole() == pyatspi.ROLE_FRAME:
            child.queryAction().doAction(0)
            break
    time.sleep(1)
    pyatspi.Registry.generateKeyboardEvent(0xFF09, None, pyatspi.KEY_SYM)  # Tab
    deadline = time.time() + 20
    while time.time() < deadline:
        name = focused_cell(app)
        if name:
            return name
        time.sleep(0.5)
    return None


def main():
    names = expected_names(sys.argv[1])
    if len(names) < 10:
        print("FAIL: the text export holds too few students:", names)
        return 1
    deadline = time.time() + 90
    cells, menus = [], {}
    while time.time() < deadline:
        app = find_app()
        if app is not None:
            cells, menus = read_tree(app)
            found = names.intersection(cells)
            if len(found) >= 10 and len(menus) == len(MENU_TITLES):
                break
        time.sleep(1)
    found = names.intersection(cells)
    ok = True
    if len(found) < 10:
        print("FAIL: students found as table cells:", sorted(found), "of", len(cells), "cells")
        ok = False
    if len(menus) < len(MENU_TITLES):
        app = find_app()
        print("objects named as titles:", [(n.name, n.getRoleName()) for n in walk(app)
                                           if n.name in MENU_TITLES])
    for title in MENU_TITLES:
        if not menus.get(title):
            print("FAIL: menu title without an action:", title, menus.get(title))
            ok = False
    if ok:
        cell = tab_into_grid(find_app())
        if cell not in names:
            print("FAIL: Tab did not put the cell cursor on a student:", cell)
            ok = False
    if ok:
        print("cell cursor on:", cell)
        print("students found as cells:", len(found), "; menus:", menus)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
