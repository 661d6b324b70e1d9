"""The installer and the portable archive under Wine, in a fresh prefix.

A silent install (files, log-on entry, installed-programs entry, Start-menu entry, sound
events as the register pass leaves them), the installed program started, an upgrade over
the running copy (closed through its close command, files replaced, one tray icon
afterwards), an upgrade while another process still holds the hook library (nothing
replaced now, everything at the next restart), and a silent uninstall (program ended,
sound events, files and entries gone, the settings kept).
"""

import filecmp
import os
import sys
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import quellin_e2e as e2e  # noqa: E402

FILES = ["Quellin.exe", "Tapline.dll", "quellin.chm", "readme.htm"]
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
APP_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellin"
PENDING_KEY = r"HKLM\System\CurrentControlSet\Control\Session Manager"
MARK = b"<!-- left by the version installed before -->"


def arguments():
    parser = e2e.common_arguments(__doc__)
    parser.add_argument("--setup", required=True)
    parser.add_argument("--archive", required=True)
    return parser.parse_args()


def check_archive(checks, archive, files_dir):
    with zipfile.ZipFile(archive) as packed:
        checks.equal("the archive holds the four files", sorted(FILES), sorted(packed.namelist()))
        same = [name for name in FILES if name in packed.namelist() and
                packed.read(name) == open(os.path.join(files_dir, name), "rb").read()]
        checks.equal("the archive's files are the built ones", FILES, same)


def folder_of(wine, variable):
    shown = wine.run(["cmd", "/c", f"echo %{variable}%"]).stdout.strip()
    return shown, wine.unix_path(shown)


def installed_state(wine, unix_dir):
    present = sorted(n for n in os.listdir(unix_dir)) if os.path.isdir(unix_dir) else []
    return present


def mark_readme(unix_dir):
    with open(os.path.join(unix_dir, "readme.htm"), "ab") as page:
        page.write(MARK)


def readme_marked(unix_dir):
    with open(os.path.join(unix_dir, "readme.htm"), "rb") as page:
        return MARK in page.read()


def running_pid(probe):
    window = probe.window()
    return window.get("pid") if window.get("hwnd", "0") != "0" else None


def scenario():
    args = arguments()
    desktop = e2e.Desktop()
    checks = e2e.Checks("installer", args.artifacts, desktop)
    files_dir = os.path.dirname(args.exe)
    check_archive(checks, args.archive, files_dir)

    wine = e2e.Wine(os.path.join(args.work, "wineprefix"))
    # No menu entries of the test prefix in the desktop of the user who runs the tests.
    wine.env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
    wine.start_server(fresh=True)
    desktop.prefix = wine.prefix
    probe = e2e.Probe(wine, args.probe)

    local, _ = folder_of(wine, "LOCALAPPDATA")
    install_dir = local + r"\Programs\Quellin"
    unix_dir = wine.unix_path(install_dir)
    _, unix_start_menu = folder_of(wine, "APPDATA")
    shortcut = os.path.join(unix_start_menu, "Microsoft", "Windows", "Start Menu", "Programs",
                            "Verrow Quellin!.lnk")
    exe = install_dir + r"\Quellin.exe"

    result = wine.run([args.setup, "/S"], timeout=120)
    checks.equal("the silent install ends with 0", 0, result.returncode)
    checks.equal("the files are in place", sorted(FILES + ["uninstall.exe"]),
                 installed_state(wine, unix_dir))
    checks.equal("the installed files are the built ones", FILES,
                 [n for n in FILES if os.path.exists(os.path.join(unix_dir, n)) and
                  filecmp.cmp(os.path.join(files_dir, n), os.path.join(unix_dir, n), False)])
    checks.equal("the program starts at log-on", ("REG_SZ", f'"{exe}"'),
                 (wine.reg_values(RUN_KEY) or {}).get("Quellin"))
    entry = wine.reg_values(APP_KEY) or {}
    shown = {k: entry.get(k, ("", None))[1] for k in
             ("DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "UninstallString")}
    checks.equal("the installed-programs entry",
                 {"DisplayName": "Verrow Quellin!", "DisplayVersion": "3.2a", "Publisher": "KTX",
                  "DisplayIcon": exe + ",0",
                  "UninstallString": f'"{install_dir}\\uninstall.exe"'}, shown)
    size = entry.get("EstimatedSize", ("", "0x0"))
    checks.check(size[0] == "REG_DWORD" and int(size[1], 16) > 0,
                 "the entry gives the size", "a nonzero REG_DWORD", size)
    checks.check(os.path.exists(shortcut), "the Start-menu entry exists", shortcut, "no file")
    checks.equal("the sound events are registered", e2e.EVENTS, e2e.sound_events(wine))

    old = wine.start([exe])
    icons = desktop.wait_tray_icons(1, 15)
    checks.equal("the installed program shows its tray icon", 1, len(icons))
    old_pid = running_pid(probe)

    mark_readme(unix_dir)
    result = wine.run([args.setup, "/S"], timeout=120)
    checks.equal("the upgrade ends with 0", 0, result.returncode)
    checks.equal("the upgrade closes the running copy, which ends with 0", 0,
                 e2e.wait_exit(old, 20))
    checks.check(not readme_marked(unix_dir), "the upgrade replaces the files",
                 "the new readme page", "the old one")
    checks.equal("no file is left half installed", sorted(FILES + ["uninstall.exe"]),
                 installed_state(wine, unix_dir))
    restarted = e2e.wait_until(lambda: (lambda p: p if p and p != old_pid else None)(
        running_pid(probe)), 15)
    checks.check(restarted, "the upgraded program runs again", "a new copy", restarted)
    checks.equal("one tray icon after the upgrade", 1, len(desktop.wait_tray_icons(1, 10)))

    # A process that keeps the hook library open: nothing may be replaced now.
    mark_readme(unix_dir)
    holder = wine.start([args.probe, "hold", install_dir + r"\Tapline.dll", "40"])
    time.sleep(2)
    result = wine.run([args.setup, "/S"], timeout=120)
    checks.equal("the upgrade with the hook library held ends with 0", 0, result.returncode)
    checks.check(e2e.wait_until(lambda: running_pid(probe) is None, 10),
                 "the running copy was closed", "no copy", running_pid(probe))
    checks.check(readme_marked(unix_dir),
                 "with the hook library held no file is replaced now", "the old readme page",
                 "the new one")
    pending = (wine.reg_values(PENDING_KEY) or {}).get("PendingFileRenameOperations", ("", ""))
    checks.check(all(f"{name}.new" in pending[1] for name in FILES),
                 "all four files are replaced at the next restart", "the four files pending",
                 pending)
    checks.equal("nothing is started while the old files stay", None, running_pid(probe))
    holder.kill()
    holder.wait()
    wine.run(["reg", "delete", PENDING_KEY, "/v", "PendingFileRenameOperations", "/f"])
    result = wine.run([args.setup, "/S"], timeout=120)
    checks.check(result.returncode == 0 and not readme_marked(unix_dir),
                 "once the library is free an upgrade replaces the files", "the new files",
                 "the old ones")

    wine.start([exe])
    checks.equal("the program runs before the uninstall", 1, len(desktop.wait_tray_icons(1, 15)))
    wine.seed_settings(WorkPeriod=45)
    result = wine.run([install_dir + r"\uninstall.exe", "/S"], timeout=60)
    # The uninstaller runs on from a copy of itself: wait for its work to show.
    gone = e2e.wait_until(lambda: not os.path.exists(unix_dir), 30)
    checks.check(gone, "the uninstall removes the program folder", "no folder",
                 installed_state(wine, unix_dir))
    checks.equal("the uninstall ends the program", None, running_pid(probe))
    checks.equal("no tray icon after the uninstall", 0, len(desktop.wait_tray_icons(0, 5)))
    checks.equal("the sound events are removed", {}, e2e.sound_events(wine))
    checks.check(not wine.key_exists(e2e.APPS + r"\Quellin"), "the scheme key is removed",
                 "no key", "the key")
    checks.equal("the log-on entry is removed", None,
                 (wine.reg_values(RUN_KEY) or {}).get("Quellin"))
    checks.check(not wine.key_exists(APP_KEY), "the installed-programs entry is removed",
                 "no key", "the key")
    checks.check(not os.path.exists(shortcut), "the Start-menu entry is removed", "no file",
                 shortcut)
    checks.equal("the settings are kept", ("REG_DWORD", "0x2d"),
                 (wine.reg_values(e2e.SETTINGS_KEY) or {}).get("WorkPeriod"))

    # The two choices, as a silent install and uninstall take them from the command line.
    result = wine.run([args.setup, "/S", "/NOAUTOSTART"], timeout=120)
    checks.check(result.returncode == 0 and os.path.exists(os.path.join(unix_dir, "Quellin.exe")),
                 "an install without the log-on entry installs", "the files", "none")
    checks.equal("/NOAUTOSTART leaves out the log-on entry", None,
                 (wine.reg_values(RUN_KEY) or {}).get("Quellin"))
    wine.run([install_dir + r"\uninstall.exe", "/S", "/REMOVESETTINGS"], timeout=60)
    e2e.wait_until(lambda: not os.path.exists(unix_dir), 30)
    checks.check(not wine.key_exists(e2e.SETTINGS_KEY), "/REMOVESETTINGS removes the settings",
                 "no key", wine.reg_values(e2e.SETTINGS_KEY))
    wine.stop_server()
    return checks.finish()


if __name__ == "__main__":
    e2e.main_guard(scenario)
