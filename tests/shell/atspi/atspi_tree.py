"""Reads the running program through AT-SPI: the students' names must be cells
of a table, the five menu titles menus with an action, and Tab must put the
grid's cell cursor on a student's name. Then walks to a chart and through the
chart window by key presses alone, checking what has the focus at each step,
as a screen reader announces it."""
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


KEY_TAB = 0xFF09
KEY_RETURN = 0xFF0D
KEY_ESCAPE = 0xFF1B
KEY_LEFT = 0xFF51
KEY_RIGHT = 0xFF53
KEY_DOWN = 0xFF54
KEY_F10 = 0xFFC7


def press(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def focused_nodes(app):
    found = []
    for node in walk(app):
        try:
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                found.append((node.name or "", node.getRoleName()))
        except Exception:
            continue
    return found


def expect_focus(app, step, wanted, timeout=15):
    """Waits until a focused object is `wanted` (name, role); False otherwise."""
    deadline = time.time() + timeout
    nodes = []
    while time.time() < deadline:
        nodes = focused_nodes(app)
        if any(name == wanted[0] and role == wanted[1] for name, role in nodes):
            print("focus after", step + ":", wanted)
            return True
        time.sleep(0.3)
    print("FAIL: after", step, "the focus is on", nodes, "not on", wanted)
    return False


def expect_focus_role(app, step, role_name, timeout=15):
    deadline = time.time() + timeout
    nodes = []
    while time.time() < deadline:
        nodes = focused_nodes(app)
        for name, role in nodes:
            if role == role_name and name:
                print("focus after", step + ":", (name, role))
                return name
        time.sleep(0.3)
    print("FAIL: after", step, "no named", role_name, "has the focus:", nodes)
    return None


def walk_chart_window(app):
    """From the grid: the menu to "Wykresy", a bar chart, the chart window's
    menu, the appearance dialog and back, all by keys."""
    press(KEY_F10)
    if not expect_focus(app, "F10", ("Wczytaj wyniki testu ...", "menu item")):
        return False
    for _ in range(3):
        press(KEY_RIGHT)
    if not expect_focus(app, "Right x3", ("Wykres słupkowy", "menu item")):
        return False
    press(KEY_RETURN)
    if not expect_focus_role(app, "Enter on the bar chart", "chart"):
        return False
    press(KEY_F10)
    if not expect_focus(app, "F10 in the chart window", ("Zapisz jako wzór...", "menu item")):
        return False
    press(KEY_DOWN)
    if not expect_focus(app, "Down", ("Wczytaj wzór formatu...", "menu item")):
        return False
    press(KEY_RIGHT)
    if not expect_focus(app, "Right", ("Kopiuj jako BMP", "menu item")):
        return False
    press(KEY_RIGHT)
    if not expect_focus(app, "Right", ("Formatuj", "push button")):
        return False
    press(KEY_RETURN)
    # The dialog comes with the keyboard on its page tabs; Tab walks to its
    # close button, which Enter presses.
    if not expect_focus(app, "Enter on Formatuj", ("Wykres", "page tab")):
        return False
    for _ in range(80):
        if ("Zamknij", "push button") in focused_nodes(app):
            break
        press(KEY_TAB)
        time.sleep(0.1)
    if not expect_focus(app, "Tab through the dialog", ("Zamknij", "push button")):
        return False
    press(KEY_RETURN)
    if not expect_focus_role(app, "closing the dialog", "chart"):
        return False
    press(KEY_ESCAPE)
    # The chart window goes; the keyboard is back on the table.
    return expect_focus_role(app, "Escape in the chart window", "table cell") is not None


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
        ok = walk_chart_window(find_app())
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
