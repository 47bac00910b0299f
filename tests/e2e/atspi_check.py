#!/usr/bin/python3
"""What a screen reader finds of the running program on the accessibility (AT-SPI) bus.

Run with Debian's /usr/bin/python3 (python3-pyatspi), inside the program's D-Bus session.
Usage: atspi_check.py screen-reader PROGRAM_NAME BROWSER_LOG
       atspi_check.py exit PROGRAM_NAME   (leaves through the exit screen, whose hidden box is not there)
Prints PASS:/FAIL: lines like the shell scripts; the exit status is the number of failures.
Every wait is for a condition with a generous limit (E2E_TIMEOUT seconds).
"""

import os
import sys
import time

import pyatspi

TIMEOUT = float(os.environ.get("E2E_TIMEOUT", "30"))
# The captions and the report's first line, kept once in lib.sh, which passes them on.
MAIN_CAPTION = os.environ["E2E_MAIN_CAPTION"]
EXIT_CAPTION = os.environ["E2E_EXIT_CAPTION"]
SPONSOR_LINE = "The Most Popular Online Zorvic Discussion Board."
# The two advertisements and the page that each one opens.
ADVERTISEMENTS = {"Co-brand this software": "page=co-brand", "Home Business Opportunity.": "page=fully-branded"}
REPORT_START = os.environ["E2E_REPORT_FIRST_LINE"]

failures = 0


def check(ok, what):
    global failures
    print(("PASS: " if ok else "FAIL: ") + what, flush=True)
    if not ok:
        failures += 1
    return ok


def wait_for(condition):
    """The first true value of condition() within the time limit, or None."""
    deadline = time.monotonic() + TIMEOUT
    while True:
        try:
            value = condition()
        except Exception:  # objects come and go while windows open and close
            value = None
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.1)


def walk(node):
    """The node and everything below it; the entries of drop-down lists are left out."""
    yield node
    if node.getRoleName() == "list":
        return
    for child in node:
        if child is not None:
            yield from walk(child)


def has_state(node, state):
    return node.getState().contains(state)


def showing(node):
    return has_state(node, pyatspi.STATE_SHOWING)


def action_names(node):
    try:
        actions = node.queryAction()
    except NotImplementedError:
        return []
    return [actions.getName(i) for i in range(actions.nActions)]


def do_action(node, name):
    actions = node.queryAction()
    index = [actions.getName(i) for i in range(actions.nActions)].index(name)
    return actions.doAction(index)


def find(root, role, name_start=""):
    for node in walk(root):
        if node.getRoleName() == role and (node.name or "").startswith(name_start):
            return node
    return None


def application(program_name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == program_name:
            return app
    return None


def shown_window(app, role, caption):
    for window in app:
        if window is not None and window.getRoleName() == role and window.name == caption and showing(window):
            return window
    return None


def wait_for_window(app, role, caption):
    window = wait_for(lambda: shown_window(app, role, caption))
    check(window is not None, f"a shown {role} '{caption}' is on the bus")
    return window


def is_link_to_press(node):
    return node.getRoleName() == "link" and showing(node) and "Press" in action_names(node)


def check_links(main):
    sponsor = find(main, "link", SPONSOR_LINE)
    check(sponsor is not None and is_link_to_press(sponsor), "the sponsor line is a showing link with Press")
    shown = [n for n in walk(main) if n.getRoleName() == "link" and showing(n) and n != sponsor]
    check(len(shown) == 1 and is_link_to_press(shown[0]) and any(shown[0].name.startswith(a) for a in ADVERTISEMENTS),
          f"exactly one advertisement is showing, a link with Press: {[n.name[:30] for n in shown]}")
    covered = [n for n in walk(main) if n.getRoleName() == "link" and not showing(n)]
    check(len(covered) == 1 and not has_state(covered[0], pyatspi.STATE_FOCUSABLE),
          "the covered advertisement is neither showing nor focusable")
    return shown[0] if shown else None


def check_press_opens_one_page(advertisement, browser_log):
    page = next(p for a, p in ADVERTISEMENTS.items() if advertisement.name.startswith(a))
    do_action(advertisement, "Press")
    wait_for(lambda: open(browser_log).read().splitlines())
    time.sleep(0.5)  # a second page, if one were opened, would come right after the first
    opened = open(browser_log).read().splitlines()
    check(len(opened) == 1 and opened[0].endswith(page), f"Press on the advertisement opens one page: {opened}")


def check_no_nested_frame(app):
    nested = []
    for window in app:
        for node in walk(window):
            if has_state(node, pyatspi.STATE_FOCUSABLE):
                parent = node.parent
                while parent is not None and parent != window:
                    if parent.getRoleName() == "frame":
                        nested.append(node)
                    parent = parent.parent
    check(not nested, f"no focusable control lies inside a nested frame: {[n.name for n in nested]}")


def check_about_box(app, main):
    about = find(main, "menu item", "About Software")
    started = time.monotonic()
    do_action(about, "Press")
    check(time.monotonic() - started < TIMEOUT, "Help, About Software through the bus returns")
    box = wait_for_window(app, "dialog", MAIN_CAPTION)
    if box is None:
        return
    check(has_state(box, pyatspi.STATE_MODAL), "the About box is a modal dialog")
    do_action(find(box, "push button", "OK"), "Press")
    check(wait_for(lambda: shown_window(app, "dialog", MAIN_CAPTION) is None), "OK through the bus closes it")


def check_report(app, main):
    for field, name in (("First Name", "john"), ("Last Name", "smith")):
        find(main, "text", field).queryEditableText().setTextContents(name)
    do_action(find(main, "push button", "Next"), "Press")
    report = wait_for(lambda: next((
        t for w in app if w is not None and w.getRoleName() == "frame" and showing(w)
        for t in walk(w) if t.getRoleName() == "text" and t.queryText().getText(0, -1).startswith(REPORT_START)),
        None))
    check(report is not None, f"names typed and Next pressed through the bus give a report: '{REPORT_START}'")


def program_at_main_window(program_name):
    """The program on the bus and its shown main window, or None twice."""
    app = wait_for(lambda: application(program_name))
    if not check(app is not None, f"the program '{program_name}' is on the accessibility bus"):
        return None, None
    return app, wait_for_window(app, "frame", MAIN_CAPTION)


def screen_reader(program_name, browser_log):
    app, main = program_at_main_window(program_name)
    if main is None:
        return
    advertisement = check_links(main)
    check_no_nested_frame(app)
    if advertisement is not None:
        check_press_opens_one_page(advertisement, browser_log)
    check_about_box(app, main)
    check_report(app, main)
    check_no_nested_frame(app)  # now on the result window


def leave_by_exit(program_name):
    app, main = program_at_main_window(program_name)
    if main is None:
        return
    do_action(find(find(main, "menu item", "File"), "menu item", "Exit"), "Press")
    exit_screen = wait_for_window(app, "frame", EXIT_CAPTION)
    if exit_screen is not None:
        check(find(exit_screen, "text", "Your Message") is None, "the hidden message box is not on the bus")
        do_action(find(exit_screen, "push button", "Exit"), "Press")


if __name__ == "__main__":
    if sys.argv[1] == "screen-reader":
        screen_reader(sys.argv[2], sys.argv[3])
    else:
        leave_by_exit(sys.argv[2])
    sys.exit(min(failures, 100))
