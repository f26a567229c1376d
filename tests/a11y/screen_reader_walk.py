#!/usr/bin/python3
"""Drives the program with real keys (xdotool) and reads it through AT-SPI
as a screen reader does: names and roles of every window's objects, the
focus as the highlight moves, and what is announced while a line is typed."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

program = sys.argv[1]
failures = []
events = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what, flush=True)
    if not ok:
        failures.append(what)


def pump(seconds=0.3):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def record(event):
    try:
        name = event.source.name
        data = event.any_data
        if event.type.endswith("accessible-description") and not isinstance(data, str):
            data = event.source.description  # what it says now
    except Exception:  # the object may be gone already
        name = data = None
    events.append((event.type, name, data))


for kind in ("focus:", "object:state-changed:focused",
             "object:property-change:accessible-description"):
    pyatspi.Registry.registerEventListener(record, kind)


def keys(*names):
    for name in names:
        subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)
        pump(0.25)


def application(pid):
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        pump(0.1)
    return None


def active_window(app, title, timeout=10):
    """The window once it is active; without a window manager on Xvfb, the
    focus is given to it as one would."""
    end = time.time() + timeout
    while time.time() < end:
        for window in app:
            if window is None or window.name != title:
                continue
            if window.getState().contains(pyatspi.STATE_ACTIVE):
                pump(0.3)
                return window
            subprocess.run(["xdotool", "search", "--name", f"^{title}$", "windowfocus"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pump(0.2)
    print("windows:", [(w.name, w.getState().getStates()) for w in app if w is not None])
    return None


def tree(obj):
    found = [obj]
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            found.extend(tree(child))
    return found


OPTION_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LIST_ITEM)


def options(window):
    return [o for o in tree(window) if o.getRole() in OPTION_ROLES and
            o.getState().contains(pyatspi.STATE_SHOWING)]


def focused_option(window):
    found = [o.name for o in options(window) if o.getState().contains(pyatspi.STATE_FOCUSED)]
    return found[0] if len(found) == 1 else found


def last_focus():
    names = [name for kind, name, _ in events if kind.startswith("focus")]
    return names[-1] if names else None


def walk(window, title, captions, focused):
    """Every focusable object named, every option there with its caption,
    the highlighted one focused."""
    check(window is not None, f"{title}: the window is active")
    if window is None:
        return
    objects = tree(window)
    unnamed = [o.getRoleName() for o in objects
               if o.getState().contains(pyatspi.STATE_FOCUSABLE) and not o.name]
    check(not unnamed, f"{title}: no focusable object without a name {unnamed}")
    names = [o.name for o in options(window)]
    missing = [c for c in captions if c not in names]
    check(not missing, f"{title}: options {missing or captions} exposed")
    check(focused_option(window) == focused,
          f"{title}: focused option {focused_option(window)!r} is {focused!r}")


def moves(window, key, focused):
    if window is None:
        return check(False, f"{key}: no window")
    events.clear()
    keys(key)
    pump(0.3)
    check(focused_option(window) == focused and last_focus() == focused,
          f"{key}: {focused!r} is focused and announced (state "
          f"{focused_option(window)!r}, event {last_focus()!r})")


def key_name(c):
    if c == " ":
        return "Space"
    if c.isalpha():
        return ("Shift, " if c.isupper() else "") + c.upper()
    return None  # punctuation: the caption the layout gives its key


def announced():
    return [data for kind, name, data in events
            if kind.endswith("accessible-description") and name == "Typing area"]


process = subprocess.Popen([program])
try:
    app = application(process.pid)
    check(app is not None, "the program is on the AT-SPI bus")
    if app is None:
        sys.exit(1)

    menu_title = "Tarvelo - Select your Options"
    menu = active_window(app, menu_title)
    rows = ["Typing Lessons", "Typing Practice", "Play Game", "View Stats", "Change Name",
            "Delete User", "Open Help File", "Edit Typing Text"]
    walk(menu, "main menu", ["Ada", "Bram", "Quit Program"] + rows, "Ada")
    moves(menu, "Down", "Bram")
    moves(menu, "Up", "Ada")
    moves(menu, "Right", "Typing Lessons")
    moves(menu, "Down", "Typing Practice")
    moves(menu, "Up", "Typing Lessons")

    keys("Return")
    session = active_window(app, "Tarvelo - Welcome Ada")
    walk(session, "session window", ["Begin", "Stop", "Main Menu"], "Begin")

    keys("Return")  # Begin: the first lesson is introduced
    guide = active_window(app, "Lesson Introduction")
    walk(guide, "lesson guidance", ["Begin", "Level 1"], "Begin")
    events.clear()
    keys("Return")
    session = active_window(app, "Tarvelo - Welcome Ada")
    pump(0.5)
    line = [o for o in tree(session) if o.name == "Sentence to type"][0]
    text = line.queryText().getText(0, -1).rstrip(" ")
    check(len(text) > 3, f"the sentence to type is exposed as text: {text!r}")
    check(bool(announced()) and announced()[0].startswith(f"Type: {text}. Next: "),
          f"the line start is announced: {announced()[:1]}")
    start = len(announced())
    typed = text[:8]
    for c in typed:
        subprocess.run(["xdotool", "type", "--delay", "0", c], check=True)
        pump(0.15)
    pump(0.5)
    heard = announced()[start:]
    expected = [key_name(c) for c in text[1:len(typed) + 1]]
    same = len(heard) == len(expected) and all(
        h.startswith("Next: ") and (e is None or h == "Next: " + e)
        for h, e in zip(heard, expected))
    check(same, f"each keystroke announces the next key in order: {heard} for {expected}")
    events.clear()
    wrong = "q" if text[len(typed)] != "q" else "z"
    subprocess.run(["xdotool", "type", "--delay", "0", wrong], check=True)
    pump(0.5)
    check(announced()[-1:] and announced()[-1].startswith(f"Wrong: typed {wrong}. Next: "),
          f"a wrong key is announced: {announced()}")

    events.clear()
    keys("Escape")  # stop: the focus is back on the options
    pump(0.3)
    check(isinstance(focused_option(session), str) and last_focus() == focused_option(session),
          f"after stopping, option {last_focus()!r} has the focus")
    keys("Escape")  # back to the menu
    menu = active_window(app, menu_title)
    keys("Down", "Down", "Return")  # Play Game: the rules come first
    rules = active_window(app, "Game Help")
    walk(rules, "game rules", ["Continue"], [])
    keys("Return")
    game = active_window(app, "Dalmor's Typing Game - Welcome Ada")
    walk(game, "game", ["Begin", "Pause", "Scores", "Help"], "Begin")
    if game is not None:
        labels = {o.name: o.description for o in tree(game)
                  if o.getRole() == pyatspi.ROLE_LABEL and o.description}
        check({"Score", "Level"} <= set(labels.values()),
              f"the game's score and level are labelled: {labels}")
        playfield = [o for o in tree(game) if o.name == "Playfield"]
        check(bool(playfield) and playfield[0].description == "Not running",
              "the game's state is exposed")

    keys("Escape")
    menu = active_window(app, menu_title)
    keys("Down", "Return")  # View Stats
    stats = active_window(app, "Statistics")
    walk(stats, "statistics", ["Print", "Close"], "Close")
    if stats is not None:
        labelled = {o.description for o in tree(stats) if o.getRole() == pyatspi.ROLE_LABEL}
        check({"Time spent typing minutes", "Complete WPM"} <= labelled,
              f"the statistics figures are labelled: {sorted(labelled)}")

    keys("Escape")
    active_window(app, menu_title)
    keys("Escape")  # ends the program: every window's accessible parts go cleanly
    try:
        check(process.wait(10) == 0, f"the program ends cleanly ({process.returncode})")
    except subprocess.TimeoutExpired:
        check(False, "the program ends on Escape")
finally:
    process.kill()
    process.wait()

print(f"{len(failures)} failure(s)")
sys.exit(1 if failures else 0)
