"""Short runs of Quellin around its start and its end.

The registration switches (sound events written and removed, no tray icon), a start
without the hook library, the five-minute extension granted once and refused the second
time (heard as tones, since this run uses the internal speaker), Help by F1 and by the
Help button with and without the help file, and the close box that ends the program.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import quellin_e2e as e2e  # noqa: E402

EVENTS = e2e.EVENTS
LABELS = e2e.LABELS
APPS = e2e.APPS
GRANTED_TONES = [(600, 100), (1200, 100)]
DENIED_TONES = [(400, 200), (200, 200)]
sound_events = e2e.sound_events


def run_switch(wine, desktop, exe, switch):
    """Runs a registration pass, watching the tray while it runs."""
    process = wine.start([exe, switch])
    icons_seen = 0
    deadline = time.monotonic() + 20
    while process.poll() is None and time.monotonic() < deadline:
        icons_seen = max(icons_seen, len(desktop.tray_icons()))
        time.sleep(0.1)
    return e2e.wait_exit(process, 1), icons_seen


def registration(checks, wine, desktop, exe):
    wine.reg_delete_key(rf"{APPS}\Quellin")
    for name in EVENTS:
        wine.reg_delete_key(rf"{LABELS}\{name}")

    code, icons = run_switch(wine, desktop, exe, "/RegServer")
    checks.equal("/RegServer ends with 0", 0, code)
    checks.equal("/RegServer shows no tray icon", 0, icons)
    checks.equal("/RegServer writes the seven sound events", EVENTS, sound_events(wine))
    checks.equal("/RegServer names the program for the sound settings", "Quellin!",
                 wine.reg_default(rf"{APPS}\Quellin"))

    code, icons = run_switch(wine, desktop, exe, "-unregserver")
    checks.equal("-unregserver ends with 0", 0, code)
    checks.equal("-unregserver shows no tray icon", 0, icons)
    checks.equal("-unregserver removes the sound events", {}, sound_events(wine))
    checks.check(not wine.key_exists(rf"{APPS}\Quellin"), "-unregserver removes the scheme key",
                 "no key", "the key")
    checks.check(wine.key_exists(LABELS) and wine.key_exists(APPS),
                 "the shared AppEvents keys stay", "both keys", "a key missing")


def missing_hook(checks, wine, desktop, probe, exe, work):
    copy = e2e.program_copy(exe, os.path.join(work, "nohook"), with_hook=False)
    result = wine.run([copy], timeout=30)
    checks.equal("without Tapline.dll the program does not start", 53, result.returncode)
    checks.equal("without Tapline.dll no settings window", "0", probe.window().get("hwnd"))
    checks.equal("without Tapline.dll no tray icon", 0, len(desktop.tray_icons()))


def register_recorder(wine, probe_exe, record_file):
    """Makes the probe the program that opens web pages, so the test sees which file the
    program asked the shell to open."""
    command = (f'"{wine.windows_path(probe_exe)}" record "{wine.windows_path(record_file)}" '
               '"%1"')
    for extension in (".htm", ".html"):
        wine.reg_add(rf"HKCR\{extension}", "", "REG_SZ", "htmlfile")
    wine.reg_add(r"HKCR\htmlfile\shell\open\command", "", "REG_SZ", command)


def recorded(record_file):
    if not os.path.exists(record_file):
        return []
    with open(record_file, errors="replace") as records:
        return [line.strip() for line in records if line.strip()]


def start_and_show(checks, wine, desktop, probe, exe, trace=None, debug=None):
    process = wine.start([exe], trace, debug)
    icons = desktop.wait_tray_icons(1, 15)
    if not checks.equal("one tray icon after the start", 1, len(icons)):
        process.kill()
        return process, None, None
    desktop.click_icon(icons[0], 1)
    checks.check(e2e.wait_until(probe.visible, 5), "a left click shows the settings window",
                 "visible", probe.window())
    return process, icons[0], desktop.x_window("Verrow Quellin!")


def help_windows(probe, pid):
    """Visible top-level windows of the program other than its settings window."""
    windows = probe.ask("windows").get("window", "")
    mine = []
    for line in windows.split("\n"):
        parts = line.split("|", 2)
        if len(parts) == 3 and parts[0] == pid and parts[2] != "Verrow Quellin!":
            if parts[1] not in ("tooltips_class32",):
                mine.append(parts[1] + " " + parts[2])
    return mine


def extension_and_help(checks, wine, desktop, probe, args, user_colours):
    """Help with the help file present, the extension by right clicks, the close box."""
    exe = e2e.program_copy(args.exe, os.path.join(args.work, "withhelp"))
    record_file = os.path.join(args.work, "opened.txt")
    if os.path.exists(record_file):
        os.remove(record_file)
    register_recorder(wine, args.probe, record_file)
    wine.seed_settings(WorkPeriod=2, RestPeriod=1, UseSounds=0, UseColors=1)
    trace = os.path.join(args.artifacts, "lifecycle-tones.log")
    process, icon, xid = start_and_show(checks, wine, desktop, probe, exe, trace, "+relay")
    if icon is None:
        return
    pid = probe.window().get("pid")
    time.sleep(1.5)
    before = desktop.icon_look(icon)
    desktop.click_icon(icon, 3)
    time.sleep(2.5)
    after = desktop.icon_look(icon)
    checks.check(before.has_digit and after.colour == "green" and not after.has_digit,
                 "a right click grants five minutes: the digit goes",
                 "green with digit, then plain green", f"{before}, then {after}")
    checks.equal("the grant is heard as its tones", GRANTED_TONES, e2e.beeps(trace))
    desktop.click_icon(icon, 3)
    time.sleep(1.5)
    checks.equal("a second right click is refused, heard as its tones",
                 GRANTED_TONES + DENIED_TONES, e2e.beeps(trace))
    checks.check(not desktop.icon_look(icon).has_digit, "the refusal changes nothing",
                 "plain green", desktop.icon_look(icon))

    desktop.key(xid, "F1")
    viewer = e2e.wait_until(lambda: help_windows(probe, pid), 8)
    checks.log(f"help windows: {viewer}")
    checks.check(bool(viewer), "F1 opens the help file in the help viewer", "a viewer window",
                 "none")
    checks.equal("with the help file present the readme page is not opened", [],
                 recorded(record_file))

    desktop.close_box(xid)
    code = e2e.wait_exit(process, 10)
    checks.equal("the close box ends the program with 0", 0, code)
    if code is None:
        process.kill()
    checks.equal("the close box removes the tray icon", 0, len(desktop.wait_tray_icons(0, 5)))
    checks.equal("the user's colours after the close box", user_colours, probe.colors())


def help_without_file(checks, wine, desktop, probe, args):
    exe = e2e.program_copy(args.exe, os.path.join(args.work, "nohelp"), with_help=False)
    record_file = os.path.join(args.work, "opened.txt")
    if os.path.exists(record_file):
        os.remove(record_file)
    readme = wine.windows_path(os.path.join(os.path.dirname(exe), "readme.htm")).lower()
    process, icon, xid = start_and_show(checks, wine, desktop, probe, exe)
    if icon is None:
        return
    probe.ask("click", 57670)
    opened = e2e.wait_until(lambda: recorded(record_file), 8)
    checks.check(len(opened) == 1 and readme in opened[0].lower(),
                 "without the help file the Help button opens the readme page", readme, opened)
    desktop.key(xid, "F1")
    opened = e2e.wait_until(lambda: (lambda r: r if len(r) > 1 else None)(recorded(record_file)),
                            8) or recorded(record_file)
    checks.check(len(opened) == 2 and readme in opened[-1].lower(),
                 "without the help file F1 opens the readme page", readme, opened)
    desktop.key(xid, "Escape")
    code = e2e.wait_exit(process, 10)
    checks.equal("Esc ends the program with 0", 0, code)
    if code is None:
        process.kill()


def scenario():
    args = e2e.common_arguments(__doc__).parse_args()
    desktop = e2e.Desktop()
    checks = e2e.Checks("lifecycle", args.artifacts, desktop)
    wine = e2e.Wine(os.path.join(args.work, "wineprefix"))
    wine.start_server()
    desktop.prefix = wine.prefix
    probe = e2e.Probe(wine, args.probe)
    if probe.window().get("hwnd", "0") != "0":
        return checks.check(False, "no copy running before the start", "none", "a window") or 1
    user_colours = probe.colors()

    exe = e2e.program_copy(args.exe, os.path.join(args.work, "lifecycle"))
    registration(checks, wine, desktop, exe)
    missing_hook(checks, wine, desktop, probe, args.exe, args.work)
    extension_and_help(checks, wine, desktop, probe, args, user_colours)
    help_without_file(checks, wine, desktop, probe, args)
    return checks.finish()


if __name__ == "__main__":
    e2e.main_guard(scenario)
