"""One full run of Quellin with a work period of 2 minutes and a rest of 1 minute.

Start, a second start, the settings window with wrong and good periods, then the cycle
as a user who keeps working sees it: the countdown in the tray, the blinking last minute,
the rest in red with the captions recoloured and the period controls locked, a key typed
during the rest that starts it again, a full idle minute that brings green back, the
sounds in their order, and Esc that ends the program.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import quellin_e2e as e2e  # noqa: E402

LOCKED = (1001, 1002, 1003, 1004, 1035)
NEVER_LOCKED = (1, 1028, 1029, 206, 208, 57670)
REST_COLOR = 0x4080C0
SEEDED = dict(WorkPeriod=2, RestPeriod=1, UseSounds=1, DisableChanges=1, UseColors=1,
              RestColor=REST_COLOR)
STORE_ORDER = ["RestPeriod", "WorkPeriod", "DisableChanges", "UseSounds", "UseColors",
               "RestColor"]


def half(colour):
    return sum(((colour >> shift) & 0xFF) >> 1 << shift for shift in (0, 8, 16))


def lamp(desktop, controls):
    """Which lamp of the status picture is lit: the only pure colour in it."""
    x, y, width, height = (int(v) for v in controls.get("status.rect", "0,0,1,1").split(","))
    look = e2e.IconLook(desktop.pixels(x, y, width, height))
    lit = [c for c in ("green", "yellow", "red") if look.fractions.get(c, 0) > 0.01]
    return lit[0] if len(lit) == 1 else f"{lit or 'none'} {look}"


def lock_state(controls):
    locked = tuple(controls.get(f"enabled.{i}") for i in LOCKED)
    free = tuple(controls.get(f"enabled.{i}") for i in NEVER_LOCKED)
    return locked, free


def blink(desktop, icon, seconds=3.0):
    looks = desktop.icon_looks(icon, seconds)
    return looks, sorted({look.colour for look in looks})


def scenario():
    args = e2e.common_arguments(__doc__).parse_args()
    texts = e2e.load_texts(args.strings)
    desktop = e2e.Desktop()
    checks = e2e.Checks("cycle", args.artifacts, desktop)
    wine = e2e.Wine(os.path.join(args.work, "wineprefix"))
    wine.start_server()
    desktop.prefix = wine.prefix
    probe = e2e.Probe(wine, args.probe)
    exe = e2e.program_copy(args.exe, os.path.join(args.work, "cycle"))
    trace = os.path.join(args.artifacts, "cycle-trace.log")

    if probe.window().get("hwnd", "0") != "0":
        return checks.check(False, "no copy running before the start", "none", "a window") or 1
    user_colours = probe.colors()
    wine.seed_settings(**SEEDED)
    activity = e2e.Activity(desktop)

    process = wine.start([exe], trace, debug="+winmm,+relay")
    started = time.monotonic()

    def at(second):
        time.sleep(max(0.0, started + second - time.monotonic()))

    icons = desktop.wait_tray_icons(1, 15)
    if not checks.equal("one tray icon after the start", 1, len(icons)):
        process.kill()
        return checks.finish()
    icon = icons[0]
    checks.check(wine.key_exists(e2e.SETTINGS_KEY), "the settings key exists", "the key",
                 "no key")
    # The tray host paints a new icon a moment after docking it.
    look = e2e.wait_until(lambda: (lambda seen: seen if seen.colour != "empty" else None)(
        desktop.icon_look(icon)), 5) or desktop.icon_look(icon)
    checks.equal("the tray icon is the green square", "green", look.colour)
    state = probe.window()
    checks.check(state.get("hwnd", "0") != "0" and state.get("visible") == "0",
                 "the settings window exists and is hidden", "hidden window", state)
    checks.equal("no visible settings window on the X display", None,
                 desktop.x_window(texts["IDS_TITLE"]))
    time.sleep(1.5)
    green_digit = desktop.icon_look(icon)
    checks.check(green_digit.colour == "green" and green_digit.has_digit,
                 "in the last five minutes the green square carries a digit",
                 "green with digit", green_digit)
    tips = desktop.hover_tip(icon, probe, e2e.format_text(texts["IDS_TIP_REST_IN"], 2))
    checks.check(e2e.format_text(texts["IDS_TIP_REST_IN"], 2) in tips, "tooltip at the start",
                 e2e.format_text(texts["IDS_TIP_REST_IN"], 2), tips)

    second = wine.run([exe], timeout=30)
    checks.equal("a second start ends with 0", 0, second.returncode)
    checks.check(e2e.wait_until(probe.visible, 5), "a second start shows the settings window",
                 "visible", probe.window())
    checks.equal("a second start adds no second icon", 1, len(desktop.tray_icons()))
    checks.equal("one settings window", "1", probe.window().get("count"))

    controls = probe.controls()
    shown = {k: controls.get(k) for k in ("text.1001", "text.1003", "checked.1028",
                                          "checked.1029", "checked.206", "checked.1035")}
    checks.equal("the controls show the stored settings",
                 {"text.1001": "2", "text.1003": "1", "checked.1028": "0", "checked.1029": "1",
                  "checked.206": "1", "checked.1035": "1"}, shown)
    checks.equal("the title line names the version", "Verrow's Quellin! 3.2a",
                 controls.get("text.1023", "").split("\\n")[0])

    xid = desktop.x_window(texts["IDS_TITLE"])
    work_message = e2e.format_text(texts["IDS_BAD_WORK_PERIOD"], 2, 240)
    rest_message = e2e.format_text(texts["IDS_BAD_REST_PERIOD"], 1, 60)
    for work, rest, expected, what in (("0", "0", work_message, "both periods wrong"),
                                       ("241", "1", work_message, "work period 241"),
                                       ("2", "61", rest_message, "rest period 61")):
        probe.ask("settext", 1001, work)
        probe.ask("settext", 1003, rest)
        desktop.key(xid, "Return")
        count, box_texts = e2e.wait_until(
            lambda: (lambda b: b if b[0] else None)(probe.boxes()), 5) or (0, [])
        checks.equal(f"OK with {what}: one message", (1, [expected]), (count, box_texts))
        probe.ask("dismiss")
        e2e.wait_until(lambda: probe.boxes()[0] == 0, 5)
        checks.check(probe.visible(), f"the window stays open after OK with {what}", "visible",
                     probe.window())

    wine.reg_delete_values(e2e.SETTINGS_KEY)
    probe.ask("settext", 1001, "2")
    probe.ask("settext", 1003, "1")
    desktop.key(xid, "Return")
    checks.check(e2e.wait_until(lambda: not probe.visible(), 5), "a good OK hides the window",
                 "hidden", probe.window())
    stored = wine.reg_values(e2e.SETTINGS_KEY) or {}
    checks.equal("a good OK stores the six values as REG_DWORD",
                 {name: ("REG_DWORD", f"0x{value:x}") for name, value in SEEDED.items()},
                 stored)
    writes = [w for w in e2e.registry_writes(trace) if w in STORE_ORDER]
    checks.equal("the six values are written in their order", STORE_ORDER, writes)

    desktop.click_icon(icon, 1)
    checks.check(e2e.wait_until(probe.visible, 5), "a left click shows the settings window",
                 "visible", probe.window())
    activity.on()
    controls = probe.controls()
    checks.equal("status picture while working", "green", lamp(desktop, controls))
    checks.equal("the period controls are free while working",
                 (("1",) * len(LOCKED), ("1",) * len(NEVER_LOCKED)), lock_state(controls))

    at(66)
    looks, colours = blink(desktop, icon)
    checks.equal("the last minute blinks yellow", ["empty", "yellow"], colours)
    yellow = [look for look in looks if look.colour == "yellow"]
    checks.check(yellow and all(look.has_digit for look in yellow)
                 and max(look.black for look in yellow) < green_digit.black,
                 "the yellow square carries the digit 1, the green one carried 2",
                 f"fewer black pixels than {green_digit}", yellow[:1])
    controls = probe.controls()
    checks.equal("status picture in the last minute", "yellow", lamp(desktop, controls))
    checks.equal("the lock greys out the five period controls in the last minute",
                 (("0",) * len(LOCKED), ("1",) * len(NEVER_LOCKED)), lock_state(controls))
    checks.equal("captions keep the user's colours in the last minute", user_colours,
                 probe.colors())

    at(125)
    rest_colours = (REST_COLOR, REST_COLOR, half(REST_COLOR))
    checks.equal("the rest recolours the captions", rest_colours, probe.colors())
    looks, colours = blink(desktop, icon)
    checks.equal("the rest blinks red", ["empty", "red"], colours)
    checks.check(all(look.has_digit for look in looks if look.colour == "red"),
                 "the red square counts down with a digit", "red with digit", looks[:3])
    controls = probe.controls()
    checks.equal("status picture in the rest", "red", lamp(desktop, controls))
    checks.equal("the lock greys out the five period controls in the rest",
                 (("0",) * len(LOCKED), ("1",) * len(NEVER_LOCKED)), lock_state(controls))
    resting = e2e.format_text(texts["IDS_TIP_RESTING"], 1)
    tips = desktop.hover_tip(icon, probe, resting)
    checks.check(resting in tips, "tooltip in the rest", resting, tips)

    activity.off()
    idle_from = time.monotonic()
    time.sleep(max(0.0, idle_from + 20 - time.monotonic()))
    desktop.key(xid, "shift")
    typed = time.monotonic()
    time.sleep(max(0.0, typed + 48 - time.monotonic()))
    checks.equal("a key typed during the rest starts it again: still resting",
                 rest_colours, probe.colors())
    looks, colours = blink(desktop, icon, 2)
    checks.check("red" in colours, "still red after 48 idle seconds", "red", colours)

    back = e2e.wait_until(lambda: desktop.icon_look(icon).colour == "green", 30, 0.25)
    green_after = time.monotonic() - typed
    checks.check(back and 55 <= green_after <= 75,
                 "a full idle minute after the key brings green back",
                 "green 55 to 75 s after the key", f"{'green' if back else 'no green'} "
                 f"after {green_after:.1f} s")
    time.sleep(1.5)
    checks.equal("the user's colours come back", user_colours, probe.colors())
    controls = probe.controls()
    checks.equal("status picture back at work", "green", lamp(desktop, controls))
    checks.equal("the period controls are free again",
                 (("1",) * len(LOCKED), ("1",) * len(NEVER_LOCKED)), lock_state(controls))

    names = e2e.sound_names(trace)
    checks.equal("the sounds in their order",
                 ["QN_ChangeToAmber", "QN_ChangeToRed", "QN_RedEventMinor", "QN_ChangeToGreen"],
                 e2e.collapse(names))
    checks.check(names.count("QN_RedEventMinor") >= 2,
                 "a minor alert for each active tick of the rest, the typed key included",
                 "at least 2", names.count("QN_RedEventMinor"))

    desktop.key(xid, "Escape")
    code = e2e.wait_exit(process, 10)
    checks.equal("Esc ends the program with 0", 0, code)
    checks.equal("the tray icon is gone", 0, len(desktop.wait_tray_icons(0, 5)))
    checks.equal("the user's colours after the end", user_colours, probe.colors())
    if code is None:
        process.kill()
    activity.stop()
    return checks.finish()


if __name__ == "__main__":
    e2e.main_guard(scenario)
