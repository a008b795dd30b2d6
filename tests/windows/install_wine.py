#!/usr/bin/env python3
"""The Windows installer as a player meets it, under Wine:

    install_wine.py SETUP.exe FOLDER VERSION

FOLDER holds the unpacked zip, whose files the installer must install byte for byte.
WINEPREFIX must name a booted prefix. Installs silently; checks the files, the Start-menu
entry's target and working folder, and the entry in "Apps"; plays the game started from that
entry (e2e_wine.py), which must save its board in %APPDATA%\\Zahlgarten; installs again over
it; uninstalls silently, which must leave the board and take the rest."""
import os
import shutil
import struct
import sys

sys.dont_write_bytecode = True  # no cache of e2e_wine.py in the source tree
import e2e_wine as e2e  # noqa: E402
from e2e_wine import fail, run, wait  # noqa: E402

setup, folder, version = sys.argv[1:4]
# Wine would copy the Start-menu entry into this machine's own menus.
e2e.env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zahlgarten"


def wine(*args):
    return run("wine", *args).decode("latin-1").strip()


def unix(path):
    return run("winepath", "-u", path).decode().strip()


def uninstall_entry():
    """The key's values by name, empty when the key is missing."""
    lines = wine("reg", "query", KEY).splitlines()[1:]
    return {f[0]: f[2] for f in (line.split(None, 2) for line in lines) if len(f) == 3}


def content(path):
    return open(path, "rb").read() if os.path.exists(path) else None


def read_link(path):
    """A shell link's target and working folder (the link format's header, target ID list,
    link info with the local path, then counted UTF-16 strings; Wine counts their NUL)."""
    data = open(path, "rb").read()
    flags, at, target = struct.unpack_from("<I", data, 0x14)[0], 0x4C, ""
    if flags & 0x01:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & 0x02:
        size, _, _, _, base = struct.unpack_from("<5I", data, at)
        target = data[at + base:data.index(b"\0", at + base)].decode("cp1252")
        at += size
    strings = {}
    for bit in (0x04, 0x08, 0x10, 0x20, 0x40):
        if flags & bit:
            n = struct.unpack_from("<H", data, at)[0]
            strings[bit] = data[at + 2:at + 2 + 2 * n].decode("utf-16-le").rstrip("\0")
            at += 2 + 2 * n
    return target, strings.get(0x10, "")


def main():
    run("wineserver", "-k")
    appdata, local = wine("cmd", "/c", "echo", "%APPDATA%"), wine("cmd", "/c", "echo",
                                                                   "%LOCALAPPDATA%")
    program, game = local + r"\Programs\Zahlgarten", appdata + r"\Zahlgarten"
    menu = unix(appdata + r"\Microsoft\Windows\Start Menu\Programs\Zahlgarten.lnk")
    desktop = unix(wine("cmd", "/c", "echo", "%USERPROFILE%") + r"\Desktop\Zahlgarten.lnk")
    program_dir, game_dir = unix(program), unix(game)
    # What an earlier failed run left.
    wine("reg", "delete", KEY, "/f")
    for path in (program_dir, game_dir):
        shutil.rmtree(path, ignore_errors=True)

    wine(setup, "/S")
    shipped = sorted(os.listdir(folder))
    if sorted(os.listdir(program_dir)) != sorted(shipped + ["Deinstallieren.exe"]):
        fail("installed: %s" % sorted(os.listdir(program_dir)))
    for name in shipped:
        if content(os.path.join(folder, name)) != content(os.path.join(program_dir, name)):
            fail("%s installed differs from the zip's" % name)
    if not os.path.isdir(game_dir) or os.listdir(game_dir):
        fail("the game folder is missing or not empty after the install")
    if os.path.exists(desktop):
        fail("a desktop link though that option is off by default")
    target, workdir = read_link(menu)
    if (target.lower(), workdir.lower()) != ((program + r"\Zahlgarten.exe").lower(), game.lower()):
        fail("the Start-menu entry runs %r in %r" % (target, workdir))
    entry = uninstall_entry()
    size = sum(os.path.getsize(os.path.join(program_dir, f)) for f in os.listdir(program_dir))
    expected = {"DisplayName": "Zahlgarten", "DisplayVersion": version,
                "DisplayIcon": program + r"\Zahlgarten.exe,0", "InstallLocation": program,
                "QuietUninstallString": '"%s\\Deinstallieren.exe" /S' % program}
    if {k: entry.get(k) for k in expected} != expected or not entry.get("Publisher") or abs(
            int(entry.get("EstimatedSize", "0"), 16) - size // 1024) > 2:
        fail("the entry in \"Apps\": %s" % entry)

    e2e.main(game_dir, ["wine", target])
    del e2e.env["DISPLAY"]  # that X server is gone
    board = content(os.path.join(game_dir, "brett.zgb"))

    wine(setup, "/S")  # over the installed version
    wine(entry["QuietUninstallString"].split('"')[1], "/S")
    wait("the uninstaller left the program folder or its entry in \"Apps\"",
         lambda: not os.path.exists(program_dir) and not uninstall_entry(), 60)
    if os.path.exists(menu):
        fail("the uninstaller left the Start-menu entry")
    if content(os.path.join(game_dir, "brett.zgb")) != board:
        fail("the saved board did not outlast a new install and the uninstall")
    shutil.rmtree(game_dir)
    run("wineserver", "-k")
    print("Windows installer: silent install, files, Start-menu entry, \"Apps\" entry, the game "
          "started from the entry saving in its folder, install over it, silent uninstall "
          "keeping the board: all as expected")


main()
