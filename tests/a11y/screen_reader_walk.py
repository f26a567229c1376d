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
        name, data = event.source.name, event.any_data
        if event.type.endswith("accessible-description") and not isinstance(data, str):
            data = event.source.description  # what it says now
    except Exception:  # the object may be gone already
        name = data = None
    events.append((event.type, name, data))


for kind in ("focus:", "object:state-changed:focused",
             "object:property-change:accessible-description"):
    pyatspi.Registry.registerEventListener(record, kind)


def xdotool(*args, wait=0.25):
    subprocess.run(["xdotool", *args], check=True)
    pump(wait)


def keys(*names):
    for name in names:
        xdotool("key", "--clearmodifiers", name)


def application(pid):
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        pump(0.1)
    return None


def tree(obj):
    found = [obj]
    for child in (obj.getChildAtIndex(i) for i in range(obj.childCount)):
        if child is not None:
            found.extend(tree(child))
    return found


def options(window):
    return [o for o in tree(window) if o.getRole() in (pyatspi.ROLE_PUSH_BUTTON,
                                                       pyatspi.ROLE_LIST_ITEM) and
            o.getState().contains(pyatspi.STATE_SHOWING)]


def focused_option(window):
    found = [o.name for o in options(window) if o.getState().contains(pyatspi.STATE_FOCUSED)]
    return found[0] if len(found) == 1 else found


def last_focus():
    names = [name for kind, name, _ in events if kind.startswith("focus")]
    return names[-1] if names else None


def window(title, captions=(), focused=None, timeout=10):
    """The window once it is active (without a window manager on Xvfb, the
    focus is given to it as one would); with `captions`, checks every
    focusable object is named, the options are there and `focused` is."""
    end, found = time.time() + timeout, None
    while found is None and time.time() < end:
        for w in app:
            if w is None or w.name != title:
                continue
            if w.getState().contains(pyatspi.STATE_ACTIVE):
                found = w
            else:
                subprocess.run(["xdotool", "search", "--name", f"^{title}$", "windowfocus"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pump(0.3 if found else 0.2)
    check(found is not None, f"{title}: the window is active")
    if found is None:
        print("windows:", [(w.name, w.getState().getStates()) for w in app if w is not None])
    elif captions:
        unnamed = [o.getRoleName() for o in tree(found)
                   if o.getState().contains(pyatspi.STATE_FOCUSABLE) and not o.name]
        check(not unnamed, f"{title}: no focusable object without a name {unnamed}")
        missing = [c for c in captions if c not in [o.name for o in options(found)]]
        check(not missing, f"{title}: options {missing or captions} exposed")
        check(focused_option(found) == focused,
              f"{title}: focused option {focused_option(found)!r} is {focused!r}")
    return found


def moves(w, *steps):
    for key, focused in steps:
        events.clear()
        keys(key)
        pump(0.3)
        now = focused_option(w) if w else None
        check(now == focused and last_focus() == focused,
              f"{key}: {focused!r} is focused and announced (state {now!r}, "
              f"event {last_focus()!r})")


def key_name(c):
    if c == " ":
        return "Space"
    if c.isalpha():
        return ("Shift, " if c.isupper() else "") + c.upper()
    return None  # punctuation: the caption the layout gives its key


def announced():
    return [data for kind, name, data in events
            if kind.endswith("accessible-description") and name == "Typing area"]


def labels(w):
    return {o.description for o in tree(w) if o.getRole() == pyatspi.ROLE_LABEL} if w else set()


process = subprocess.Popen([program])
try:
    app = application(process.pid)
    check(app is not None, "the program is on the AT-SPI bus")
    if app is None:
        sys.exit(1)

    MENU = "Tarvelo - Select your Options"
    rows = ["Typing Lessons", "Typing Practice", "Play Game", "View Stats", "Change Name",
            "Delete User", "Open Help File", "Edit Typing Text"]
    menu = window(MENU, ["Ada", "Bram", "Quit Program"] + rows, "Ada")
    moves(menu, ("Down", "Bram"), ("Up", "Ada"), ("Right", "Typing Lessons"),
          ("Down", "Typing Practice"), ("Up", "Typing Lessons"))

    keys("Return")
    window("Tarvelo - Welcome Ada", ["Begin", "Stop", "Main Menu"], "Begin")
    keys("Return")  # Begin: the first lesson is introduced
    window("Lesson Introduction", ["Begin", "Level 1"], "Begin")
    events.clear()
    keys("Return")
    session = window("Tarvelo - Welcome Ada")
    pump(0.5)
    line = [o for o in tree(session) if o.name == "Sentence to type"][0]
    text = line.queryText().getText(0, -1).rstrip(" ")
    check(len(text) > 3, f"the sentence to type is exposed as text: {text!r}")
    check(announced()[:1] and announced()[0].startswith(f"Type: {text}. Next: "),
          f"the line start is announced: {announced()[:1]}")
    start = len(announced())
    typed = text[:8]
    for c in typed:
        xdotool("type", "--delay", "0", c, wait=0.15)
    pump(0.5)
    heard = announced()[start:]
    expected = [key_name(c) for c in text[1:len(typed) + 1]]
    same = len(heard) == len(expected) and all(
        h.startswith("Next: ") and (e is None or h == "Next: " + e)
        for h, e in zip(heard, expected))
    check(same, f"each keystroke announces the next key in order: {heard} for {expected}")
    events.clear()
    wrong = "q" if text[len(typed)] != "q" else "z"
    xdotool("type", "--delay", "0", wrong, wait=0.5)
    check(announced()[-1:] and announced()[-1].startswith(f"Wrong: typed {wrong}. Next: "),
          f"a wrong key is announced: {announced()}")

    events.clear()
    keys("Escape")  # stop: the focus is back on the options
    pump(0.3)
    check(isinstance(focused_option(session), str) and last_focus() == focused_option(session),
          f"after stopping, option {last_focus()!r} has the focus")
    keys("Escape")  # back to the menu
    window(MENU)
    keys("Down", "Down", "Return")  # Play Game: the rules come first
    window("Game Help", ["Continue"], [])
    keys("Return")
    game = window("Dalmor's Typing Game - Welcome Ada", ["Begin", "Pause", "Scores", "Help"],
                  "Begin")
    check({"Score", "Level"} <= labels(game), f"the game's score and level are labelled: "
          f"{labels(game)}")
    playfield = [o for o in tree(game) if o.name == "Playfield"] if game else []
    check(playfield[:1] and playfield[0].description == "Not running",
          "the game's state is exposed")

    keys("Escape")
    window(MENU)
    keys("Down", "Return")  # View Stats
    stats = window("Statistics", ["Print", "Close"], "Close")
    check({"Time spent typing minutes", "Complete WPM"} <= labels(stats),
          f"the statistics figures are labelled: {sorted(labels(stats))}")

    keys("Escape")
    window(MENU)
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
