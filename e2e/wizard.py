"""Drives the real wizard under Wine and Xvfb, as a user would, for the end-to-end tests.

    with Wizard() as w:           # lays out the install folder, starts Xvfb and the wizard
        w.controls()              # every window: design name, class, text, rectangle, visible (via probe.exe)
        w.control("按钮_导入")     # one control, by its name in the window's design
        w.key("Escape")           # a real key press through the X server (xdotool)
        w.screenshot("name")      # kept in build/e2e-artifacts/name.png

    with StandInIde("/wizard") as ide:   # the stand-in IDE e.exe, which starts the wizard
        ide.requests()            # what the wizard sent it, byte for byte

    Wizard(dpi=144)               # on a display of 144 pixels per inch (a Wine prefix of its own)

Controls are found by design name: each control's ID is its index in the design table,
and probe.exe names it from the very table the wizard is built with.

Environment: WIZARD_BUILD (default build/) holds windows/ (the cross build), native/ (whose
examples/ holds the examples database) and wineprefix/.
"""
import glob
import json
import os
import shutil
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.environ.get("WIZARD_BUILD", os.path.join(ROOT, "build"))
WINDOWS = os.path.join(BUILD, "windows")
NATIVE = os.path.join(BUILD, "native")
EXAMPLES_DATABASE = [os.path.join(NATIVE, "examples", name) for name in ("API例程.edb", "API例程.EDT")]
ARTIFACTS = os.path.join(BUILD, "e2e-artifacts")
PROBE = os.path.join(WINDOWS, "e2e", "probe.exe")


def lay_out_install(wizard_dir, examples=True):
    """The wizard's folder as the IDE's install has it: the program and, beside it, the
    examples database and its auxiliary file (left out with examples=False)."""
    os.makedirs(wizard_dir, exist_ok=True)
    shutil.copy(os.path.join(WINDOWS, "app", "win32", "apiwizard.exe"), wizard_dir)
    for path in EXAMPLES_DATABASE:
        target = os.path.join(wizard_dir, os.path.basename(path))
        if examples:
            shutil.copy(path, target)
        elif os.path.exists(target):
            os.remove(target)


def kept_state_file(dpi=96):
    """The file in which the wizard keeps the user's choices between runs, in the Wine
    prefix's user profile."""
    users = os.path.join(wine_prefix(dpi), "drive_c", "users")
    user = os.environ.get("USER") or "root"
    if not os.path.isdir(os.path.join(users, user)):
        user = next((u for u in sorted(os.listdir(users)) if u != "Public"), user)
    return os.path.join(users, user, "AppData", "Roaming", "Kelvane", "API向导", "state.txt")


def forget_kept_state(dpi=96):
    """A first run: whatever an earlier test left kept is gone."""
    try:
        os.remove(kept_state_file(dpi))
    except FileNotFoundError:
        pass


def wine_env(display, dpi=96):
    env = dict(os.environ)
    env.update(WINEPREFIX=wine_prefix(dpi), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=display)
    return env


def prefix_markers(prefix):
    """The markers that scripts/common.sh leaves in a prefix it has made (their names change
    when the prefix's making does)."""
    if not os.path.isdir(prefix):
        return []
    return sorted(name for name in os.listdir(prefix) if name.startswith(".prefix-ready"))


def wine_prefix(dpi=96):
    """The Wine prefix whose screen has `dpi` pixels per inch: the build's own at 96; for
    another, a copy of it with the display setting changed, made once and again whenever
    the build's own is made anew."""
    base = os.path.join(BUILD, "wineprefix")
    if dpi == 96:
        return base
    prefix = f"{base}-{dpi}dpi"
    ready = os.path.join(prefix, ".dpi-ready")
    if not os.path.exists(ready) or prefix_markers(prefix) != prefix_markers(base):
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.copytree(base, prefix, symlinks=True)
        env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all")
        subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", str(dpi), "/f"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       check=True, timeout=300)
        subprocess.run(["wineserver", "-w"], env=env, timeout=300)
        open(ready, "w").close()
    return prefix


def by_name(controls):
    """The window and its controls by design name (the parts of controls have none)."""
    return {c["name"]: c for c in controls if c["name"]}


class Xvfb:
    """A private X server for one test run."""

    def __init__(self, width=1280, height=800):
        self.number = 90 + os.getpid() % 9
        while os.path.exists(f"/tmp/.X{self.number}-lock"):
            self.number += 1
        self.display = f":{self.number}"
        self.process = subprocess.Popen(["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(f"/tmp/.X11-unix/X{self.number}"):
                return
            time.sleep(0.05)
        raise RuntimeError("Xvfb did not start")

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Wizard:
    def __init__(self, install=None, examples=True, dpi=96, kept=False):
        """With `kept`, the wizard starts with what the last run kept (or a file that the
        test wrote in its place); otherwise as on its first run."""
        self.install = install or os.path.join(BUILD, "e2e-install")
        self.examples = examples
        self.dpi = dpi
        self.kept = kept

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        wizard_dir = self.lay_out()
        self.start_display()
        # The IDE starts the wizard in its own folder with no command line.
        self.launch("./apiwizard.exe", cwd=wizard_dir)
        self.wait_for_wizard()

    def launch(self, program, *arguments, cwd):
        """Starts `program` under Wine; what Wine and the program write to stderr goes to
        build/e2e-artifacts/<program>.stderr.txt, for the report of a start that failed."""
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.stderr_path = os.path.join(ARTIFACTS, os.path.basename(program) + ".stderr.txt")
        with open(self.stderr_path, "wb") as err:
            self.process = subprocess.Popen(["wine", program, *arguments], cwd=cwd, env=self.env,
                                            stdout=subprocess.DEVNULL, stderr=err)

    def lay_out(self):
        wizard_dir = os.path.join(self.install, "wizard")
        lay_out_install(wizard_dir, self.examples)
        if not self.kept:
            forget_kept_state(self.dpi)
        return wizard_dir

    def start_display(self):
        # The screen grows with the pixels per inch: the window keeps its room on it.
        self.xvfb = Xvfb(1280 * self.dpi // 96, 800 * self.dpi // 96)
        self.env = wine_env(self.xvfb.display, self.dpi)
        # One wineserver for the programs and the probes: started first, so that they do
        # not race to start it.
        subprocess.run(["wineserver", "-p"], env=self.env)

    def wait_for_wizard(self):
        self.wait_for_window("the wizard's window")

    def wait_for_window(self, what, window_class=None, tries=3):
        """Waits until the window shows. A probe that Wine could not start fails at once,
        not after its own minute of waiting: it is started again."""
        for _ in range(tries):
            began = time.time()
            done = self.probe("wait", timeout=90, window_class=window_class)
            if done.returncode == 0:
                return
            if self.process.poll() is not None or time.time() - began > 30:
                break
            time.sleep(0.5)
        ended = self.process.poll()
        with open(self.stderr_path, errors="replace") as err:
            last_lines = "".join(err.readlines()[-5:])
        raise RuntimeError(f"{what} did not appear (the probe ended with {done.returncode}; "
                           + ("the program still runs" if ended is None else f"the program ended with {ended}")
                           + f"); its stderr ends:\n{last_lines}")

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        self.xvfb.stop()

    def probe(self, *args, timeout=30, window_class=None):
        """Runs probe.exe on the wizard's window, or on the top-level window of
        `window_class`; its output goes through a file, since programs that Wine starts
        on the side (services) would hold a pipe open long after it ends."""
        env = dict(self.env, PROBE_WINDOW_CLASS=window_class or "")
        with tempfile.TemporaryFile("w+", encoding="utf-8") as out:
            done = subprocess.run(["wine", PROBE, *map(str, args)], env=env, stdout=out,
                                  stderr=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            done.stdout = out.read()
        return done

    def controls(self, window_class=None):
        """The window first, then every child window in creation order."""
        out = self.probe("list", window_class=window_class).stdout
        return [json.loads(line) for line in out.splitlines() if line.startswith("{")]

    def every_control(self, timeout=20):
        """controls() once the controls of the pages not on view, which the wizard makes one
        at a time when it is idle after its first paint, all exist: when two lists in a row
        hold as many windows."""
        deadline = time.time() + timeout
        seen = self.controls()
        while time.time() < deadline:
            again = self.controls()
            if len(again) == len(seen):
                return again
            seen = again
        return seen

    def boxes(self):
        """The wizard's message boxes, each followed by its children (the text, the buttons)."""
        out = self.probe("boxes").stdout
        return [json.loads(line) for line in out.splitlines() if line.startswith("{")]

    def popups(self, window_class):
        """The wizard's top-level windows of `window_class` on show: "tooltips_class32" for
        its tooltips, "#32768" for an open menu."""
        out = self.probe("popups", window_class).stdout
        return [json.loads(line) for line in out.splitlines() if line.startswith("{")]

    def control(self, name):
        """The control that the window's design calls `name`; the controls of a page are
        made when it is first shown, or while the wizard is idle, and may take a moment."""
        deadline = time.time() + 5
        while True:
            hits = [c for c in self.controls() if c["name"] == name]
            if hits:
                return hits[0]
            if time.time() > deadline:
                raise LookupError(f"no control named {name}")
            time.sleep(0.2)

    def resize(self, width, height):
        self.probe("resize", width, height)
        time.sleep(0.5)

    def click(self, name):
        """Clicks a button through its message (BM_CLICK), without the mouse."""
        return self.probe("click", name).returncode == 0

    def set_text(self, name, text):
        """Puts text into an edit box by WM_SETTEXT, as a paste would: for Chinese, which
        the test display's keyboard does not type."""
        return self.probe("settext", name.encode().hex(), text.encode().hex()).returncode == 0

    def xdotool(self, *args):
        with tempfile.TemporaryFile("w+") as out:
            done = subprocess.run(["xdotool", *map(str, args)], env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                                  timeout=30)
            out.seek(0)
            done.stdout = out.read()
        return done

    def focus(self, title="Kelvane"):
        """Gives the keyboard focus to the window whose title holds `title` (the wizard's
        by default): without a window manager the X server's focus stays where it was."""
        window = self.xdotool("search", "--name", title).stdout.split()
        if window:
            self.xdotool("windowfocus", "--sync", window[0])

    def key(self, name, title="Kelvane"):
        """A key press through the X server, into the window whose title holds `title`."""
        self.focus(title)
        self.xdotool("key", name)

    def click_at(self, x, y, double=False):
        """A mouse click (or double-click) at screen coordinates."""
        self.xdotool("mousemove", x, y, "click", *(["--repeat", "2", "--delay", "80"] if double else []), "1")
        time.sleep(0.4)

    def click_in(self, control, x=None, y=None, double=False):
        """A click inside a control (as listed by controls()), by default at its centre."""
        x = control["width"] // 2 if x is None else x
        y = control["height"] // 2 if y is None else y
        self.click_at(control["screenLeft"] + x, control["screenTop"] + y, double)

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)
        time.sleep(0.4)

    def press(self, *keys):
        for key in keys:
            self.xdotool("key", key)
            time.sleep(0.15)
        time.sleep(0.3)

    def show_page(self, tab_name, page):
        """Shows a page of a tab control, as a user would: a click on the first tab
        header, then the arrow keys."""
        self.click_in(self.control(tab_name), 12, 10)
        self.press(*["Right"] * page)

    def find_in_english_index(self, text):
        """Types into the index's find box, with English names chosen."""
        self.show_page("选择夹_目录区", 2)  # the index page
        self.click_in(self.control("单选框_英文索引"), 8)
        self.click_in(self.control("编辑框_索引"))
        self.type(text)

    def wait_exit(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def screenshot(self, name, around=(), window_class=None):
        """Saves the wizard's window (or the top-level window of `window_class`) as
        build/e2e-artifacts/<name>.png and returns the path; windows in `around` (as listed
        by controls() or boxes()) widen the picture to hold them."""
        os.makedirs(ARTIFACTS, exist_ok=True)
        shown = [self.controls(window_class)[0], *around]
        left = min(c["screenLeft"] for c in shown)
        top = min(c["screenTop"] for c in shown)
        right = max(c["screenLeft"] + c["width"] for c in shown)
        bottom = max(c["screenTop"] + c["height"] for c in shown)
        path = os.path.join(ARTIFACTS, f"{name}.png")
        full = path + ".full.png"
        subprocess.run(["import", "-display", self.xvfb.display, "-window", "root", full], check=True, timeout=60)
        geometry = f"{right - left}x{bottom - top}+{left}+{top}"
        subprocess.run(["convert", full, "-crop", geometry, "+repage", path], check=True, timeout=60)
        os.remove(full)
        return path


class StandInIde(Wizard):
    """The stand-in IDE e.exe in the install folder, above the wizard's folder, started with
    `arguments`. It keeps every request of the wizard, byte for byte, in `records`."""

    WINDOW_CLASS = "StandInIdeWindow"
    TITLE = "替身 IDE"

    def __init__(self, *arguments, install=None, examples=True, kept=False):
        super().__init__(install, examples, kept=kept)
        self.arguments = arguments
        self.records = os.path.join(self.install, "records")

    def start(self, opened=True):
        """Starts e.exe and waits for its window and, with `opened`, for the program file
        named on its command line to be open."""
        self.lay_out()
        shutil.copy(os.path.join(WINDOWS, "stand_in_ide", "win32", "e.exe"), self.install)
        shutil.rmtree(self.records, ignore_errors=True)
        os.makedirs(self.records)
        self.start_display()
        self.env["STAND_IN_IDE_RECORD"] = "Z:" + self.records.replace("/", "\\")
        self.launch("./e.exe", *self.arguments, cwd=self.install)
        try:
            self.wait_for_window("the stand-in IDE's window", self.WINDOW_CLASS)
        except RuntimeError:
            self.stop()
            raise
        if opened:
            self.wait_until_opened()

    def status(self):
        return next(c["text"] for c in self.ide_controls() if c["class"] == "msctls_statusbar32")

    def wait_until_opened(self, timeout=120):
        """The program file named on the command line is opened once the window is up."""
        deadline = time.time() + timeout
        while self.status().startswith("正在打开") and time.time() < deadline:
            time.sleep(0.1)

    def wait_for_wizard(self):
        super().wait_for_wizard()
        self.focus()  # as the user's first click on it would

    def ide_controls(self):
        return self.controls(self.WINDOW_CLASS)

    def source_text(self):
        """The program's source as the IDE's view shows it."""
        return next(c["text"] for c in self.ide_controls() if c["class"] == "Edit")

    def choose_menu(self, *mnemonics):
        """A menu item chosen by keyboard: Alt with the menu's letter, then the item's."""
        self.key(f"alt+{mnemonics[0]}", title=self.TITLE)
        time.sleep(0.3)
        self.press(*mnemonics[1:])

    def requests(self):
        """The requests recorded so far, in order, each as bytes."""
        paths = sorted(glob.glob(os.path.join(self.records, "request-*.bin")),
                       key=lambda p: int(p.rsplit("-", 1)[1].split(".")[0]))
        requests = []
        for path in paths:
            with open(path, "rb") as f:
                requests.append(f.read())
        return requests

    def wizard_exit_code(self, timeout=30):
        """The exit code of the wizard that the IDE started, once it has ended."""
        path = os.path.join(self.records, "wizard-exit-code.txt")
        for _ in range(int(timeout / 0.1)):
            if os.path.exists(path) and os.path.getsize(path) > 0:
                with open(path) as f:
                    return int(f.read())
            time.sleep(0.1)
        return None
