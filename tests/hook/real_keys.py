"""Real keys typed by X into a window of one Wine process, counted by the hook that a
second Wine process installed, read by a third, and seen by the activity sampler.

It runs in a Wine prefix of its own, whose server it ends before and after, so that
"fresh" means that no other process has the library loaded.

Usage: real_keys.py WINE_RUN ARCH PROBE PREFIX   (in a desktop with a window manager, xset r off)
"""

import os
import re
import subprocess
import sys
import tempfile
import threading
import time

TITLE = "Tapline key target"
failures = []


def check(condition, what, detail=""):
    print(("ok: " if condition else "FAIL: ") + what + (f" ({detail})" if detail and not condition else ""))
    if not condition:
        failures.append(what)


def fields(wine, probe):
    out = subprocess.run(wine + [probe, "fields"], capture_output=True, text=True, timeout=60).stdout
    match = re.search(r"HookHandle=(\d+) ModuleInstance=(\d+) InstallCount=(-?\d+) KeyCount=(\d+)", out)
    if not match:
        raise SystemExit(f"probe printed {out!r}")
    return dict(zip(("hook", "module", "installs", "keys"), map(int, match.groups())))


class Lines:
    """Collects a process's output lines as they come."""

    def __init__(self, process):
        self.lines = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, args=(process,), daemon=True).start()

    def _read(self, process):
        for line in process.stdout:
            with self.lock:
                self.lines.append(line.strip())

    def snapshot(self):
        with self.lock:
            return list(self.lines)

    def wait_for(self, text, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if text in self.snapshot():
                return True
            time.sleep(0.05)
        return False


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30).stdout.strip()


def samples(lines):
    return [(int(m.group(1)), m.group(2) == "1") for m in
            (re.match(r"count=(\d+) active=([01])", line) for line in lines) if m]


def main():
    wine = [sys.argv[1], "--arch", sys.argv[2]]
    probe = sys.argv[3]
    prefix = sys.argv[4]
    os.environ["QUELLIN_WINEPREFIX"] = prefix
    end_server(prefix)
    try:
        with tempfile.TemporaryDirectory() as work:
            run(wine, probe, work)
    finally:
        end_server(prefix)
    return 1 if failures else 0


def end_server(prefix):
    if os.path.exists(os.path.join(prefix, "system.reg")):
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix), timeout=60)


def run(wine, probe, work):
    fresh = fields(wine, probe)
    check(fresh["hook"] == 0 and fresh["installs"] == 0 and fresh["keys"] == 0,
          "a fresh shared section reads 0", str(fresh))

    xdotool("mousemove", "600", "500")
    stop_file = os.path.join(work, "stop")
    target = subprocess.Popen(wine + [probe, "window", TITLE, "150"], stdout=subprocess.PIPE, text=True)
    target_lines = Lines(target)
    # Wine sees the Unix file system as drive Z:.
    watcher = subprocess.Popen(wine + [probe, "watch", "150", "Z:" + stop_file.replace("/", "\\")],
                               stdout=subprocess.PIPE, text=True)
    watch_lines = Lines(watcher)
    try:
        check(target_lines.wait_for("window", 30), "the target window is up")
        check(watch_lines.wait_for("ready", 30), "the watcher installed the hook")
        window = xdotool("search", "--sync", "--name", TITLE).splitlines()
        check(bool(window), "the target window is found by X")
        # A new prefix's first processes may still take the focus away: type until the
        # target window gets the keys, then measure.
        warm = False
        for _ in range(20):
            if not window:
                break
            xdotool("windowactivate", "--sync", window[0])
            start = fields(wine, probe)["keys"]
            xdotool("key", "--delay", "50", "space")
            time.sleep(0.3)
            if fields(wine, probe)["keys"] != start:
                warm = True
                break
            time.sleep(1)
        check(warm, "the target window takes typed keys")
        time.sleep(1)

        before = fields(wine, probe)
        quiet_from = len(watch_lines.snapshot())
        time.sleep(1.5)
        quiet = samples(watch_lines.snapshot()[quiet_from:])
        check(quiet and not any(active for _, active in quiet), "no activity while nobody types", str(quiet))

        typed_from = len(watch_lines.snapshot())
        for _ in range(3):
            xdotool("key", "--delay", "50", "a")
            time.sleep(0.2)
        time.sleep(1)
        after = fields(wine, probe)
        check(after["keys"] == before["keys"] + 6, "three presses and releases count 6",
              f"{before['keys']} -> {after['keys']}")
        check(after["hook"] != 0 and after["installs"] == 1, "the watcher's hook is in the section", str(after))
        typed = samples(watch_lines.snapshot()[typed_from:])
        check(any(active for _, active in typed), "the sampler in the watcher sees the keys", str(typed))
        check(any(count == after["keys"] for count, _ in typed), "the watcher reads the same count", str(typed))

        open(stop_file, "w").close()
        watcher.wait(timeout=60)
        time.sleep(0.3)
        check("removed=1" in watch_lines.snapshot(), "the watcher's RemoveHooks returns 1")
        gone = fields(wine, probe)
        check(gone["hook"] == 0 and gone["installs"] == 0, "the hook is gone from the section", str(gone))
        still = gone["keys"]
        xdotool("key", "--delay", "50", "b")
        time.sleep(0.5)
        check(fields(wine, probe)["keys"] == still, "no hook, no count")
    finally:
        for process in (watcher, target):
            if process.poll() is None:
                process.kill()
                process.wait()


if __name__ == "__main__":
    sys.exit(main())
