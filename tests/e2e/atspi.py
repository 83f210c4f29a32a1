#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the running window through AT-SPI as a screen reader does.

Walks every page (and each page of the Searcher's inner page control), counts
the interactive controls shown with no name or sharing a name with another
control of the page, checks that the Help page lists every Alt+letter, then
balances H2 + O2 = H2O through AT-SPI alone and turns to the Calculator with
the page keys.
Exit status 0 when every control is named uniquely and the balance shows.
"""
import subprocess
import sys
import time

import pyatspi

APPLICATION = "Quorvex"
INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_TABLE, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_LIST, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LINK,
    pyatspi.ROLE_PAGE_TAB,
}


def wait_for(what, probe, seconds=15):
    deadline = time.monotonic() + seconds
    while True:
        found = probe()
        if found is not None:
            return found
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: {what} within {seconds} s")
        time.sleep(0.1)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APPLICATION:
            return app
    return None


def shown(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def controls(node):
    """The shown interactive controls under `node`; a table's cells and a box's
    scroll bars belong to their control and are not walked."""
    out = []
    for child in node:
        if child is None or not shown(child):
            continue
        role = child.getRole()
        if role in INTERACTIVE:
            out.append(child)
        if role not in (pyatspi.ROLE_TABLE, pyatspi.ROLE_SCROLL_BAR):
            out.extend(controls(child))
    return out


def tab_lists(node):
    found = []
    for child in node:
        if child is None or not shown(child):
            continue
        if child.getRole() == pyatspi.ROLE_PAGE_TAB_LIST:
            found.append(child)
        else:
            found.extend(tab_lists(child))
    return found


def select(tab):
    tab.queryAction().doAction(0)
    # Qt marks the current tab as focused, not as selected.
    current = lambda: True if tab.getState().contains(pyatspi.STATE_FOCUSED) else None
    wait_for(f'page "{tab.name}" to show', current)
    time.sleep(0.3)


def check_view(app, title, problems, bindings):
    names = {}
    unnamed = 0
    found = controls(app)
    for c in found:
        if c.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON):
            key = c.queryAction().getKeyBinding(0)
            if key:
                bindings.append((title, key, c.name))
        name = c.name.strip()
        if not name:
            unnamed += 1
            problems.append(f"{title}: a {c.getRoleName()} has no name")
        else:
            names.setdefault(name, []).append(c.getRoleName())
    duplicated = sum(len(roles) for roles in names.values() if len(roles) > 1)
    for name, roles in names.items():
        if len(roles) > 1:
            problems.append(f'{title}: {len(roles)} controls are named "{name}" ({", ".join(roles)})')
    print(f"{title}: {len(found)} controls, {unnamed} unnamed, {duplicated} duplicated")


def named(app, role, name):
    for c in controls(app):
        if c.getRole() == role and c.name == name:
            return c
    return None


def main():
    app = wait_for(f'the application "{APPLICATION}" on the AT-SPI bus', application)
    outer = wait_for("the page tabs", lambda: (tab_lists(app) or [None])[0])
    pages = [t for t in outer if t.getRole() == pyatspi.ROLE_PAGE_TAB]
    if [p.name for p in pages] != ["Balancer", "Searcher", "Calculator", "Report", "Periodic Table", "Help"]:
        sys.exit(f"FAIL: the page tabs are {[p.name for p in pages]}")
    problems = []
    bindings = []  # (page, Alt+letter, control name)
    for page in pages:
        select(page)
        inner = [t for t in tab_lists(app) if t != outer]
        if not inner:
            check_view(app, page.name, problems, bindings)
            continue
        subs = [t for t in inner[0] if t.getRole() == pyatspi.ROLE_PAGE_TAB]
        for sub in subs:
            select(sub)
            check_view(app, f"{page.name}/{sub.name}", problems, bindings)
        select(subs[0])

    # The Help page (the last one walked) lists each Alt+letter with its caption.
    help_box = named(app, pyatspi.ROLE_TEXT, "Help text")
    help_text = help_box.queryText().getText(0, -1) if help_box else ""
    if "Keyboard shortcuts" not in help_text or "Ctrl+PageDown" not in help_text:
        problems.append("the Help page does not list the keyboard shortcuts")
    for title, key, name in bindings:
        if f"{key} {name.split()[0]}".lower() not in help_text.lower():
            problems.append(f'{title}: the Help page does not list "{key} {name.split()[0]}"')

    select(pages[0])
    boxes = {}
    for name in ("Reactant 1", "Reactant 2", "Product 1"):
        box = named(app, pyatspi.ROLE_TEXT, name)
        if box is None:
            problems.append(f'no box named "{name}"')
        boxes[name] = box
    balance = named(app, pyatspi.ROLE_PUSH_BUTTON, "Balance")
    board = named(app, pyatspi.ROLE_TEXT, "Balanced equations")
    if None in boxes.values() or balance is None or board is None:
        problems.append('the "Balance" button or the "Balanced equations" list is not found by name')
    else:
        for name, text in (("Reactant 1", "H2"), ("Reactant 2", "O2"), ("Product 1", "H2O")):
            boxes[name].queryEditableText().setTextContents(text)
        balance.queryAction().doAction(0)
        def balanced():
            text = board.queryText().getText(0, -1)
            return text if "2H2+O2 = 2H2O" in text else None
        text = wait_for('"2H2+O2 = 2H2O" in "Balanced equations"', balanced, 5)
        print(f'"Balanced equations" reads: {text!r}')

        # Real key presses from here: the page keys turn to the Calculator,
        # whose entry picks the equation just balanced.
        subprocess.run(["xdotool", "search", "--name", "^Quorvex v2.11$", "windowfocus", "--sync"], check=True)
        for keys, page in (("ctrl+Next ctrl+Next", 2), ("ctrl+shift+Tab", 1), ("ctrl+Tab", 2)):
            subprocess.run(["xdotool", "key", "--delay", "100", *keys.split()], check=True)
            current = lambda: True if pages[page].getState().contains(pyatspi.STATE_FOCUSED) else None
            wait_for(f'{keys} to show page "{pages[page].name}"', current, 5)
        picked = named(app, pyatspi.ROLE_TEXT, "Selected equation")
        if picked is None or "2H2+O2 = 2H2O" not in picked.queryText().getText(0, -1):
            problems.append("the Calculator entered from the keyboard did not pick the balanced equation")

    for p in problems:
        print("FAIL:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
