#!/usr/bin/env python3
"""The Windows game as a screen reader meets it through MSAA, under Wine on its own Xvfb: in a
new game, CLIENT (msaa_client.exe, a process of its own) reads the table, is told the focus as
arrow keys move the cursor from cell to cell and the new name of the first open cell of row 1
and of the status once a given of the row is typed there, and presses "Abbruch" through its
default action.

    msaa_e2e.py FOLDER CLIENT

FOLDER holds Zahlgarten.exe and the collections. WINEPREFIX must name a booted prefix."""
import os
import queue
import subprocess
import sys
import threading
import time

import e2e_wine as x


def main(folder, client_exe):
    x.run("wineserver", "-k")
    x.run("wineserver", "-w")
    xvfb = x.start_xvfb()
    game = client = None
    try:
        game = subprocess.Popen(["wine", "Zahlgarten.exe"], cwd=folder, env=x.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = x.wait("no game window", lambda: x.run("xdotool", "search", "--name",
                                                        "^Zahlgarten V5").split())[0]
        x.origin = x.wait("the start screen never showed its board", x.find_origin)
        x.run("xdotool", "windowactivate", "--sync", window)
        x.key("alt+z")  # "&Zahlgarten"
        x.key("n", 2)  # "&Neues Spiel"
        client = subprocess.Popen(["wine", os.path.abspath(client_exe)], env=x.env,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  encoding="utf-8")
        lines = queue.Queue()
        threading.Thread(target=lambda: [lines.put(s.rstrip("\n")) for s in client.stdout],
                         daemon=True).start()

        def told(*prefixes, seconds=60):  # all of them, in any order: the rest of the last line
            wanted, end = set(prefixes), time.time() + seconds
            while time.time() < end:
                try:
                    line = lines.get(timeout=0.25)
                except queue.Empty:
                    continue
                if line.startswith("FAIL"):
                    x.fail("the client says " + line)
                for prefix in [p for p in wanted if line.startswith(p)]:
                    wanted.discard(prefix)
                    if not wanted:
                        return line[len(prefix):]
            x.fail("the client was never told %r" % sorted(wanted))

        table = told("table ")
        if not table.startswith("36 Zeile 1, Spalte 1: "):
            x.fail("the table says %r" % table)
        told("ready")
        x.click(700, 450)  # without a window manager a click gives the window the keyboard
        # Along the first row (the first arrow key shows the cursor on (1, 1)), back to its first
        # open cell; a given of the row typed there renames the cell and the status.
        row = []
        for column in range(1, 7):
            x.key("Right", 0)
            row.append(told("focus Zeile 1, Spalte %d: " % column))
        column = row.index("leer") + 1 if "leer" in row else x.fail("no open cell in row 1")
        digit = next((n[0] for n in row if n.endswith(", vorgegeben")), None)
        if not digit:
            x.fail("no given in the first row: %r" % row)
        back = [("Left", c) for c in range(5, column - 1, -1)] or [("Left", 5), ("Right", 6)]
        for key, at in back:
            x.key(key, 0)
            told("focus Zeile 1, Spalte %d: " % at)
        x.key(digit, 0)
        told("name Zeile 1, Spalte %d: %s" % (column, digit), "name Statusmeldung: Falsche Zahl!")
        told("pressed Abbruch")
        if client.wait(20) != 0:
            x.fail("the client ended with %d" % client.returncode)
        print("MSAA: table of 36 cells, the focus from cell to cell, cell (1, %d) renamed, the "
              "status told, Abbruch pressed" % column)
    finally:
        for p in (client, game):
            if p and p.poll() is None:
                p.kill()
        x.run("wineserver", "-k")
        xvfb.kill()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
