#!/usr/bin/env python3
"""The Windows game as a player meets it: started under Wine on its own Xvfb from a folder
holding only the unpacked package, driven with xdotool.

    e2e_wine.py FOLDER [SCREENSHOT.png]

FOLDER holds Zahlgarten.exe and the collections. WINEPREFIX must name a booted prefix. Plays
"&Neues Spiel", an entry through the chooser, "Sichern" (which must write brett.zgb there),
"Abbruch", the close box answered "&NEIN", then "&JA", which must end the program. The
installer's test plays the installed game the same way, through main()."""
import os
import subprocess
import sys
import time

shot = None
env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
W, H, RED, WHITE = 1280, 1024, (255, 0, 0), (255, 255, 255)
origin = None  # the client area's top-left on the screen


def run(*args):
    return subprocess.run(args, env=env, capture_output=True).stdout


def fail(what):
    print("FAIL:", what, file=sys.stderr)
    if shot and "DISPLAY" in env:  # what the screen showed then, beside the screenshot
        run("import", "-window", "root", shot.replace(".png", ".failed.png"))
    sys.exit(1)


def wait(what, test, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        got = test()
        if got:
            return got
        time.sleep(0.25)
    fail(what)


def grab():
    """The screen's RGB rows: a PPM at 8 bits is its header, then exactly these bytes."""
    return run("import", "-window", "root", "-depth", "8", "ppm:-")[-3 * W * H:]


def pixel(screen, x, y):  # at (x, y) of the client area
    i = 3 * ((origin[1] + y) * W + origin[0] + x)
    return tuple(screen[i:i + 3])


def find_origin():
    """From the board's red frame, at (28, 44) of the client area: 4 red pixels in a row."""
    screen, i = grab(), -1
    while (i := screen.find(bytes(RED * 4), i + 1)) >= 0:
        if i % 3 == 0 and i // 3 % W <= W - 4:
            return i // 3 % W - 28, i // 3 // W - 44


def key(name, pause=0.5):
    run("xdotool", "key", name)
    time.sleep(pause)


def click(x, y):
    run("xdotool", "mousemove", str(origin[0] + x), str(origin[1] + y))
    time.sleep(0.2)
    run("xdotool", "click", "1")
    time.sleep(0.5)


def start_xvfb():
    """An X server of its own, with a free display number, made the one of env."""
    r, w = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "%dx%dx24" % (W, H),
                             "-nolisten", "tcp"], pass_fds=[w], stderr=subprocess.DEVNULL)
    os.close(w)
    with os.fdopen(r) as f:
        env["DISPLAY"] = ":" + f.readline().strip()
    return xvfb


def main(folder, command=("wine", "Zahlgarten.exe")):
    """Plays the game that command starts in folder, where its saves must land."""
    global origin
    # A Wine session of this prefix begun without this display could not open the window.
    run("wineserver", "-k")
    run("wineserver", "-w")
    xvfb = start_xvfb()
    game = None
    try:
        game = subprocess.Popen(command, cwd=folder, env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait("no game window", lambda: run("xdotool", "search", "--name",
                                                    "^Zahlgarten V5").split())[0]
        origin = wait("the start screen never showed its board", find_origin)
        if shot:
            run("import", "-window", "root", shot)
        run("xdotool", "windowactivate", "--sync", window)
        key("alt+z")  # "&Zahlgarten"
        key("n", 2)  # "&Neues Spiel"
        # An open cell is white; the chooser's first square holds 1 (or A).
        screen = grab()
        open_cells = [(59 + 60 * c, 75 + 60 * r) for r in range(6) for c in range(6)
                      if pixel(screen, 59 + 60 * c, 75 + 60 * r) == WHITE]
        if not open_cells:
            fail("no open cell after \"&Neues Spiel\"")
        x, y = open_cells[0]
        click(x, y)
        click(x - 31, y - 15)  # the square of 1
        screen = grab()
        if all(pixel(screen, x + d, y) == WHITE for d in range(-12, 12)):
            fail("the chooser's entry left the cell empty")
        # "Sichern" twice: the slot dialog, OK with Enter. The second save replaces the file
        # (its filler is drawn anew); nothing else is left in the folder.
        saved = os.path.join(folder, "brett.zgb")
        before = set(os.listdir(folder))
        for turn in range(2):
            old = open(saved, "rb").read() if turn else b""
            click(175, 430)
            time.sleep(1)
            key("Return", 0)
            wait("\"Sichern\" did not write brett.zgb", lambda: os.path.exists(saved)
                 and open(saved, "rb").read() != old, 20)
            if os.path.getsize(saved) != 4000:
                fail("brett.zgb is not 4000 bytes")
        # The saves' lock file stays, so that copies of the game always take turns on one file.
        if set(os.listdir(folder)) != before | {"brett.zgb", ".zahlgarten.lock"}:
            fail("files left beside brett.zgb: %s" % sorted(set(os.listdir(folder)) - before))
        click(340, 430)  # "Abbruch"
        for answer, ends in (("alt+n", False), ("alt+j", True)):  # "&NEIN", then "&JA"
            run("xdotool", "windowactivate", "--sync", window)
            key("alt+F4", 1.5)  # the close box: "Spiel beenden?"
            key(answer, 0)
            try:
                game.wait(20 if ends else 1.5)
            except subprocess.TimeoutExpired:
                pass
            if (game.poll() is not None) != ends:
                fail("\"%s\" %s the program" % (answer, "did not end" if ends else "ended"))
        print("Windows game: start screen, new game, chooser entry, two saves, Abbruch, close box "
              "with NEIN then JA: all as expected")
    finally:
        if game and game.poll() is None:
            game.kill()
        run("wineserver", "-k")
        xvfb.kill()


if __name__ == "__main__":
    shot = sys.argv[2] if len(sys.argv) > 2 else None
    main(sys.argv[1])
