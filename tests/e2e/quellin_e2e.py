"""Harness for driving the real Quellin.exe under Wine in the virtual desktop.

It does what a person does (pointer moves and clicks on the tray icon, keys in the
settings window, a second start) and reads the results from outside: the registry with
`wine reg`, window states and control texts through the probe program, the tray icon's
pixels from the X server, the system colours from a fresh process, played sounds and
tones from Wine's traces. Every failed check names what it expected and what it saw and
leaves a screenshot in the artifacts folder.
"""

import argparse
import atexit
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from Xlib import X, display as xdisplay
from Xlib.protocol import event as xevent

SETTINGS_KEY = r"HKCU\Software\KTX\Quellin"
# The sound events with their labels and default sounds, as the register pass leaves them.
EVENTS = {
    "QN_ChangeToAmber": ("Amber: One minute left", "chimes.wav"),
    "QN_ChangeToRed": ("Red: Quellin!", "chord.wav"),
    "QN_ChangeToGreen": ("Green: Back to work", "chimes.wav"),
    "QN_RedEventMinor": ("Stop!", "ding.wav"),
    "QN_RedEventMajor": ("Stop!!!", "chord.wav"),
    "QN_FiveMinsOk": ("5 Minute extension granted", "chimes.wav"),
    "QN_FiveMinsDenied": ("5 Minute extension denied", "chord.wav"),
}
LABELS = r"HKCU\AppEvents\EventLabels"
APPS = r"HKCU\AppEvents\Schemes\Apps"
RELAY_FUNCTIONS = ("winmm.PlaySoundA;kernel32.Beep;advapi32.RegSetValueExA;"
                   "kernelbase.RegSetValueExA")


def common_arguments(description):
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--exe", required=True, help="the built Quellin.exe")
    parser.add_argument("--probe", required=True, help="the probe program")
    parser.add_argument("--strings", required=True, help="the string table source")
    parser.add_argument("--work", required=True, help="folder for prefixes and copies")
    parser.add_argument("--artifacts", required=True, help="folder for screenshots")
    return parser


def load_texts(strings_inc):
    """The program's texts by symbol, from the one source of the string table."""
    texts = {}
    pattern = re.compile(r'QUELLIN_TEXT\((\w+),\s*"((?:[^"\\]|\\.)*)"\)')
    with open(strings_inc, encoding="latin-1") as source:
        for name, text in pattern.findall(source.read()):
            texts[name] = text.encode("latin-1").decode("unicode_escape")
    return texts


def format_text(text, *values):
    """The %N!d! inserts of a message text."""
    return re.sub(r"%(\d)!d!", lambda m: str(values[int(m.group(1)) - 1]), text)


class Checks:
    """Collects check results; a failure records expected and seen values and a screenshot."""

    def __init__(self, scenario, artifacts, desktop=None):
        self.scenario = scenario
        self.artifacts = artifacts
        self.desktop = desktop
        self.failures = []
        self.passed = 0
        self.started = time.monotonic()
        os.makedirs(artifacts, exist_ok=True)
        # Screenshots of an earlier run would look like failures of this one.
        for name in os.listdir(artifacts):
            if name.startswith(f"{scenario}-") and name.endswith(".png"):
                os.remove(os.path.join(artifacts, name))

    def log(self, message):
        print(f"[{time.monotonic() - self.started:7.1f}s] {message}", flush=True)

    def check(self, ok, what, expected, seen):
        if ok:
            self.passed += 1
            self.log(f"ok   {what}")
            return True
        shot = os.path.join(self.artifacts,
                            f"{self.scenario}-{len(self.failures) + 1:02d}.png")
        if self.desktop:
            self.desktop.screenshot(shot)
        message = f"FAIL {what}: expected {expected}, saw {seen} (screenshot {shot})"
        self.failures.append(message)
        self.log(message)
        return False

    def equal(self, what, expected, seen):
        return self.check(expected == seen, what, repr(expected), repr(seen))

    def finish(self):
        self.log(f"{self.passed} checks passed, {len(self.failures)} failed")
        for failure in self.failures:
            print(failure, flush=True)
        return 1 if self.failures else 0


class Wine:
    """One 32-bit prefix with a persistent wine server."""

    def __init__(self, prefix):
        self.prefix = os.path.abspath(prefix)
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=self.prefix, WINEARCH="win32", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")

    def start_server(self, fresh=False):
        # Nothing that Wine starts in the background may hold the test's output pipes:
        # CTest would wait for them to close.
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                     stderr=subprocess.DEVNULL, env=self.env)
        if fresh and os.path.isdir(self.prefix):
            self.stop_server()
            shutil.rmtree(self.prefix)
        if not os.path.isfile(os.path.join(self.prefix, "system.reg")):
            os.makedirs(os.path.dirname(self.prefix), exist_ok=True)
            subprocess.run(["wine", "wineboot", "-i"], timeout=180, **quiet)
            subprocess.run(["wineserver", "-w"], timeout=120, **quiet)
        # A server that runs already (status 2) is as good as a new one.
        subprocess.run(["wineserver", "-p"], **quiet)
        # The prefix's programs must not outlive the test, nor the desktop they draw on.
        atexit.register(self.stop_server)
        self.reg_add(r"HKCU\Software\Wine\Debug", "RelayInclude", "REG_SZ", RELAY_FUNCTIONS)

    def stop_server(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def run(self, args, timeout=60, debug=None):
        """Runs a program to its end; its output goes through a file, not a pipe, since a
        process that Wine starts on the side (the desktop's explorer) inherits it."""
        env = dict(self.env)
        if debug:
            env["WINEDEBUG"] = debug
        with tempfile.TemporaryFile() as output:
            process = subprocess.run(["wine"] + list(args), env=env, stdin=subprocess.DEVNULL,
                                     stdout=output, stderr=subprocess.DEVNULL, timeout=timeout)
            output.seek(0)
            process.stdout = output.read().decode("latin-1")
        return process

    def start(self, args, log_path=None, debug=None):
        env = dict(self.env)
        if debug:
            env["WINEDEBUG"] = debug
        log = open(log_path, "w") if log_path else subprocess.DEVNULL
        try:
            return subprocess.Popen(["wine"] + list(args), env=env, stdin=subprocess.DEVNULL,
                                    stdout=subprocess.DEVNULL, stderr=log)
        finally:
            if log_path:
                log.close()

    def windows_path(self, path):
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def unix_path(self, windows_path):
        with tempfile.TemporaryFile() as output:
            subprocess.run(["winepath", "-u", windows_path], env=self.env,
                           stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.DEVNULL,
                           timeout=60)
            output.seek(0)
            return output.read().decode("latin-1").strip()

    def reg_values(self, key):
        """The values of a key as {name: (type, data)}, or None when the key is missing."""
        result = self.run(["reg", "query", key])
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.replace("\r", "").split("\n"):
            parts = re.split(r" {4}", line.strip())
            if len(parts) >= 2 and parts[1].startswith("REG_"):
                values[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
        return values

    def reg_default(self, key):
        values = self.reg_values(key)
        if values is None:
            return None
        return values.get("(Default)", ("", None))[1]

    def key_exists(self, key):
        return self.run(["reg", "query", key]).returncode == 0

    def reg_add(self, key, name, kind, data):
        self.run(["reg", "add", key, "/v", name, "/t", kind, "/d", str(data), "/f"])

    def reg_delete_values(self, key):
        self.run(["reg", "delete", key, "/va", "/f"])

    def reg_delete_key(self, key):
        self.run(["reg", "delete", key, "/f"])

    def seed_settings(self, **values):
        self.reg_delete_key(SETTINGS_KEY)
        for name, value in values.items():
            self.reg_add(SETTINGS_KEY, name, "REG_DWORD", f"0x{value:x}")


def sound_events(wine):
    """The registered events as {name: (label, default sound)}, read back from the store."""
    found = {}
    for name in EVENTS:
        label = wine.reg_default(rf"{LABELS}\{name}")
        sound = wine.reg_default(rf"{APPS}\Quellin\{name}\.Current")
        if label is not None or sound is not None:
            found[name] = (label, sound)
    return found


class Probe:
    """The Win32 probe, run as a fresh process for every question."""

    def __init__(self, wine, exe):
        self.wine = wine
        self.exe = exe

    def ask(self, *args, timeout=30):
        result = self.wine.run([self.exe] + [str(a) for a in args], timeout=timeout)
        answer = {}
        for line in result.stdout.replace("\r", "").split("\n"):
            if "=" in line:
                key, value = line.split("=", 1)
                if key in answer:
                    answer[key] = answer[key] + "\n" + value
                else:
                    answer[key] = value
        return answer

    def window(self):
        return self.ask("window")

    def visible(self):
        answer = self.window()
        return answer.get("hwnd", "0") != "0" and answer.get("visible") == "1"

    def controls(self):
        return self.ask("controls")

    def colors(self):
        answer = self.ask("colors")
        return tuple(int(answer.get(f"color.{e}", "-1"), 16) for e in (10, 2, 3))

    def boxes(self):
        answer = self.ask("boxes")
        texts = answer.get("box.text", "")
        return int(answer.get("boxes", "0")), texts.split("\n") if texts else []

    def tooltips(self):
        tips = self.ask("tooltips").get("tip", "")
        return [t for t in tips.split("\n") if t]


def pixel_kind(r, g, b):
    """Which of the icon set's pure colours a screen pixel shows, if any."""
    if g > 200 and r < 60 and b < 60:
        return "green"
    if r > 200 and g > 200 and b < 60:
        return "yellow"
    if r > 200 and g < 60 and b < 60:
        return "red"
    if r < 40 and g < 40 and b < 40:
        return "black"
    return "other"


class IconLook:
    """What a picture of the tray icon shows: its dominant square colour and its digit."""

    def __init__(self, pixels):
        counts = {}
        for pixel in pixels:
            kind = pixel_kind(*pixel)
            counts[kind] = counts.get(kind, 0) + 1
        total = max(1, len(pixels))
        self.fractions = {k: v / total for k, v in counts.items()}
        squares = {k: self.fractions.get(k, 0) for k in ("green", "yellow", "red")}
        best = max(squares, key=squares.get)
        # The tray host may show the 32-pixel picture smaller and inside a margin.
        self.colour = best if squares[best] > 0.15 else "empty"
        drawn = squares[best] + self.fractions.get("black", 0.0)
        self.black = self.fractions.get("black", 0.0) / drawn if drawn else 0.0
        self.has_digit = self.colour != "empty" and self.black > 0.05

    def __repr__(self):
        shown = ", ".join(f"{k} {v:.0%}" for k, v in sorted(self.fractions.items()))
        return f"<{self.colour}{' with digit' if self.has_digit else ''}: {shown}>"


class Desktop:
    """The X side: the virtual display of tools/with-desktop.sh with its tray host."""

    def __init__(self):
        if not os.environ.get("DISPLAY"):
            raise SystemExit("no DISPLAY: run the end-to-end tests through tools/with-desktop.sh")
        self.display = xdisplay.Display()
        self.root = self.display.screen().root
        self.xembed = self.display.intern_atom("_XEMBED_INFO")
        self.pointer = threading.Lock()
        self.wm_pid = self.display.intern_atom("_NET_WM_PID")
        self.prefix = None
        self.prefix_of_pid = {}
        # An icon added before the tray host owns its selection lands in a stand-in window.
        tray = self.display.intern_atom(f"_NET_SYSTEM_TRAY_S{self.display.get_default_screen()}")
        deadline = time.monotonic() + 10
        while self.display.get_selection_owner(tray) == X.NONE and time.monotonic() < deadline:
            time.sleep(0.2)

    def _walk(self, window):
        try:
            children = window.query_tree().children
        except Exception:
            return
        for child in children:
            yield child
            yield from self._walk(child)

    def _of_this_prefix(self, window):
        """Whether the window's process runs in the prefix under test: other tests of the
        same desktop have tray hosts of their own."""
        if self.prefix is None:
            return True
        answer = window.get_full_property(self.wm_pid, X.AnyPropertyType)
        if answer is None or not len(answer.value):
            return False
        pid = int(answer.value[0])
        if pid not in self.prefix_of_pid:
            try:
                with open(f"/proc/{pid}/environ", "rb") as environ:
                    variables = environ.read().split(b"\0")
                prefix = next((v[len(b"WINEPREFIX="):].decode() for v in variables
                               if v.startswith(b"WINEPREFIX=")), "")
            except OSError:
                prefix = ""
            self.prefix_of_pid[pid] = os.path.abspath(prefix) if prefix else ""
        return self.prefix_of_pid[pid] == self.prefix

    def tray_icons(self):
        """Docked tray icons of the prefix's programs, as (x, y, width, height) on the
        screen."""
        icons = []
        for window in self._walk(self.root):
            try:
                if window.get_full_property(self.xembed, X.AnyPropertyType) is None:
                    continue
                wm_class = window.get_wm_class() or ()
                if not any("explorer" in c.lower() for c in wm_class):
                    continue
                if not self._of_this_prefix(window):
                    continue
                attributes = window.get_attributes()
                if attributes.map_state != X.IsViewable:
                    continue
                geometry = window.get_geometry()
                origin = window.translate_coords(self.root, 0, 0)
                icons.append((-origin.x, -origin.y, geometry.width, geometry.height))
            except Exception:
                continue
        return icons

    def wait_tray_icons(self, count, timeout):
        deadline = time.monotonic() + timeout
        icons = self.tray_icons()
        while len(icons) != count and time.monotonic() < deadline:
            time.sleep(0.2)
            icons = self.tray_icons()
        return icons

    def pixels(self, x, y, width, height):
        image = self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
        data = image.data
        step = len(data) // max(1, width * height)
        # 24-bit visuals deliver blue, green, red and a pad byte per pixel.
        return [(data[i + 2], data[i + 1], data[i]) for i in range(0, width * height * step, step)]

    def icon_look(self, icon):
        x, y, width, height = icon
        return IconLook(self.pixels(x, y, width, height))

    def icon_looks(self, icon, seconds, interval=0.2):
        looks = []
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            looks.append(self.icon_look(icon))
            time.sleep(interval)
        return looks

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], capture_output=True, timeout=30)

    def xdotool(self, *args):
        return subprocess.run(["xdotool"] + [str(a) for a in args], capture_output=True,
                              text=True, timeout=30)

    def move(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)

    def click_icon(self, icon, button):
        x, y, width, height = icon
        with self.pointer:
            # Wine ignores the first motion into the icon: arrive, then move inside it.
            self.move(x + width // 2 - 3, y + height // 2 - 3)
            self.move(x + width // 2, y + height // 2)
            time.sleep(0.2)
            self.xdotool("click", button)

    def hover_tip(self, icon, probe, wanted=None, timeout=8):
        """Rests the pointer on the icon until its tooltip shows; returns the tips seen."""
        x, y, width, height = icon
        with self.pointer:
            self.move(x + width // 2 - 4, y + height // 2 - 4)
            self.move(x + width // 2, y + height // 2)
            deadline = time.monotonic() + timeout
            tips = []
            while time.monotonic() < deadline:
                time.sleep(0.5)
                tips = probe.tooltips()
                if tips and (wanted is None or wanted in tips):
                    break
            self.move(40, 40)
        return tips

    def x_window(self, title):
        found = self.xdotool("search", "--onlyvisible", "--name", f"^{re.escape(title)}$")
        ids = found.stdout.split()
        return ids[0] if ids else None

    def activate(self, xid):
        self.xdotool("windowactivate", "--sync", xid)

    def key(self, xid, *keys):
        self.activate(xid)
        time.sleep(0.2)
        self.xdotool("key", "--clearmodifiers", *keys)

    def close_box(self, xid):
        """Asks the window manager to close the window, as its close box does."""
        window = self.display.create_resource_object("window", int(xid))
        atom = self.display.intern_atom("_NET_CLOSE_WINDOW")
        message = xevent.ClientMessage(window=window, client_type=atom,
                                       data=(32, [int(time.time()) & 0xFFFFFFFF, 2, 0, 0, 0]))
        self.root.send_event(message, event_mask=X.SubstructureRedirectMask |
                             X.SubstructureNotifyMask)
        self.display.flush()


class Activity:
    """A user at the mouse: while switched on, the pointer walks along a row of places 40
    pixels apart, away from the tray and the settings window. The sampler compares the
    pointer once a second with where it was a second before, so the walk must not come
    back to the same place after a whole number of seconds: ten places, a step every 0.3 s,
    are three or four steps, never ten, apart."""

    PLACES = 10
    STEP_SECONDS = 0.3

    def __init__(self, desktop, x=40, y=300):
        self.desktop = desktop
        self.position = (x, y)
        self.active = threading.Event()
        self.ending = threading.Event()
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()

    def _run(self):
        place = 0
        while not self.ending.is_set():
            if self.active.is_set():
                with self.desktop.pointer:
                    place = (place + 1) % self.PLACES
                    self.desktop.move(self.position[0] + 40 * place, self.position[1])
            time.sleep(self.STEP_SECONDS)

    def on(self):
        self.active.set()

    def off(self):
        self.active.clear()
        # A move under way finishes before the caller counts idle time.
        with self.desktop.pointer:
            pass

    def stop(self):
        self.ending.set()
        self.thread.join(timeout=5)


def sound_names(log_path):
    """Names of the sounds played, in order, from a +winmm trace."""
    with open(log_path, errors="replace") as log:
        return re.findall(r'proc_PlaySound SoundName=L"([^"]*)"', log.read())


def beeps(log_path):
    """Tones sounded with Beep, as (frequency, milliseconds), from a relay trace."""
    with open(log_path, errors="replace") as log:
        return [(int(f, 16), int(d, 16)) for f, d in
                re.findall(r"Call KERNEL32\.Beep\(([0-9a-fA-F]+),([0-9a-fA-F]+)\)", log.read())]


def registry_writes(log_path):
    """Names of the values written with RegSetValueExA, in order, from a relay trace."""
    with open(log_path, errors="replace") as log:
        return re.findall(r'Call (?:advapi32|kernelbase)\.RegSetValueExA\([0-9a-f]+,[0-9a-f]+ "([^"]*)"',
                          log.read())


def collapse(names):
    """Runs of one name counted once: the order of events without the repeats."""
    result = []
    for name in names:
        if not result or result[-1] != name:
            result.append(name)
    return result


def program_copy(exe, folder, with_hook=True, with_help=True, with_readme=True):
    """A copy of the program folder with the chosen documents, so that each scenario sees
    exactly the files it needs beside the program."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    source = os.path.dirname(exe)
    wanted = ["Quellin.exe"]
    if with_hook:
        wanted.append("Tapline.dll")
    if with_help:
        wanted.append("quellin.chm")
    if with_readme:
        wanted.append("readme.htm")
    for name in wanted:
        if os.path.exists(os.path.join(source, name)):
            shutil.copy2(os.path.join(source, name), folder)
    return os.path.join(folder, "Quellin.exe")


def wait_until(condition, timeout, interval=0.2):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def wait_exit(process, timeout):
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


def main_guard(function):
    try:
        sys.exit(function())
    except subprocess.TimeoutExpired as error:
        print(f"FAIL a Wine command did not finish: {error}", flush=True)
        sys.exit(1)
