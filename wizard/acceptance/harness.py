"""Drives the built wizard from outside, as a user would: the real program under
the project's Wine set-up on the test display, real mouse clicks and keys with
xdotool, files checked on disk."""

import os
import pwd
import shutil
import subprocess
import time
import unittest

BUILD = os.environ["TAVRIMO_BUILD_DIR"]
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WINE_RUN = os.path.join(SOURCE, "scripts", "wine-run.sh")
# Acceptance tests have a Wine world of their own: what they install stays out of the unit tests' way.
WINE_ROOT = os.path.join(BUILD, "wine-acceptance")
WIZARD_EXE = os.path.join(BUILD, "wizard", "Tavrimo - 安装向导.exe")
PEEK_EXE = os.path.join(BUILD, "wizard", "acceptance", "peek.exe")
ARTEFACTS = os.path.join(BUILD, "artefacts")

TITLE = "Tavrimo1.1 - 安装向导"
DESKTOP = os.path.join(WINE_ROOT, "home")
DRIVE_C = os.path.join(WINE_ROOT, "prefix", "drive_c")
STAGING = os.path.join(DRIVE_C, "Program Files", "Tavrimo")
DOWNLOAD = os.path.join(DRIVE_C, "Program Files", "Tavrimo - 安装向导.zip")
PREFIX = os.path.join(WINE_ROOT, "prefix")
PRODUCTS = os.path.join(BUILD, "products")
# The desktop as the wizard names it: Wine calls the user's folders after the Unix user.
DESKTOP_PATH = "C:\\users\\%s\\Desktop" % pwd.getpwuid(os.getuid()).pw_name
# Wine's folder chooser in the Chinese locale, and two items of its tree.
CHOOSER_TITLE = "选择文件夹"
MY_COMPUTER = "我的电脑"
DRIVE_C_ITEM = " (C:)"

# Places in the window's client area (the window has no frame).
SERVER_TILE = (125, 144)
CLIENT_TILE = (355, 144)
BROWSE_BUTTON = (445, 250)
SHORTCUT_OPTION = (20, 302)
LEXICON_OPTION = (210, 302)
INSTALL_BUTTON = (389, 301)
BANNER = (130, 40)
CLOSE_BUTTON = (454, 17)
MINIMIZE_BUTTON = (407, 17)
PAGE_BACKGROUND = (240, 320)
RUN_SERVER_OPTION = (45, 112)
RUN_CLIENT_OPTION = (275, 112)
FINISH_BUTTON = (239, 171)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True).stdout.strip()


def wine(*args, **kwargs):
    return subprocess.run([WINE_RUN, "--wine-root", WINE_ROOT, *args], capture_output=True, **kwargs)


def wait_for(condition, timeout=20.0, step=0.2):
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


def windows_titled(title):
    return [w for w in xdotool("search", "--onlyvisible", "--name", f"^{title}$").split() if w]


def geometry(window):
    """(left, top, width, height) of an X window."""
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def screen_size():
    width, height = xdotool("getdisplaygeometry").split()
    return int(width), int(height)


def message_box(title, timeout=20.0):
    """The texts of the message box titled `title` once it shows, else None."""
    def read():
        result = wine(PEEK_EXE, title)
        return result.stdout.decode("gbk", "replace").splitlines() if result.returncode == 0 else None
    return wait_for(read, timeout)


def answer_box(title, button):
    """Presses a button of the message box titled `title` (1 OK, 6 Yes, 7 No) and waits until
    the box is gone, hidden ones included: under Wine without a window manager an answered box
    takes about 2 s to go, and the wizard's window takes no input until then."""
    return (wine(PEEK_EXE, title, "--press", str(button)).returncode == 0
            and bool(wait_for(lambda: not xdotool("search", "--name", f"^{title}$"))))


def path_box():
    """The text of the wizard's install path box, else None."""
    lines = wine(PEEK_EXE, TITLE, "--edit").stdout.decode("gbk").splitlines()
    return lines[0] if lines else None


# Items whose names type-ahead cannot find (it takes neither Chinese nor spaces), by
# their place: My Computer is the last item of the top level (folders on the desktop,
# with ASCII names, sort before it), drive C the first item inside it.
TREE_PLACES = {MY_COMPUTER: "End", DRIVE_C_ITEM: "Right"}


def tree_keys(*names):
    """Keys that select an item in the folder chooser's tree, as a user does with the
    keyboard (Wine's chooser has no edit field): from the root, the desktop, each
    name in turn is opened with Right and then found among the items shown, by
    type-ahead on its first word or by its place."""
    keys = ["Home"]
    for depth, name in enumerate(names):
        if depth:
            keys.append("Right")
        keys.append(TREE_PLACES.get(name) or ("type", name.split(" ")[0]))
    return keys


def wine_processes(name):
    """Pids of the running processes of this Wine world whose command line holds `name`."""
    pids = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                command = f.read()
            with open(f"/proc/{pid}/environ", "rb") as f:
                environment = f.read().split(b"\0")
        except OSError:
            continue
        if name.encode() in command and f"WINEPREFIX={PREFIX}".encode() in environment:
            pids.append(int(pid))
    return pids


def listening_on(port, address=None):
    """True when something listens on this TCP port (at this address, when given)."""
    out = subprocess.run(["ss", "-ltnH"], capture_output=True, text=True).stdout
    local = [line.split()[3] for line in out.splitlines() if len(line.split()) > 3]
    return any(a == f"{address}:{port}" if address else a.endswith(f":{port}") for a in local)


class Wizard:
    """One run of the wizard executable."""

    def __init__(self, exe=WIZARD_EXE):
        # The chat server that the finish page starts listens on loopback only.
        self.process = subprocess.Popen([WINE_RUN, "--wine-root", WINE_ROOT, exe],
                                        env={**os.environ, "TAVRIMO_CHAT_LISTEN_ADDRESS": "127.0.0.1"},
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = wait_for(lambda: next(iter(windows_titled(TITLE)), None), timeout=60)
        if not self.window:
            self.stop()
            raise AssertionError("the wizard's window did not show")
        time.sleep(0.5)

    def geometry(self):
        return geometry(self.window)

    def point(self, place):
        left, top, _, _ = self.geometry()
        return left + place[0], top + place[1]

    def click(self, place, pause=0.5):
        x, y = self.point(place)
        xdotool("mousemove", "--sync", x, y)
        xdotool("click", "1")
        time.sleep(pause)

    def drag(self, place, by):
        x, y = self.point(place)
        xdotool("mousemove", "--sync", x, y)
        xdotool("mousedown", "1")
        for step in range(1, 6):
            xdotool("mousemove", "--sync", x + by[0] * step // 5, y + by[1] * step // 5)
            time.sleep(0.05)
        xdotool("mouseup", "1")
        time.sleep(0.5)

    def key(self, name):
        xdotool("windowfocus", "--sync", self.window)
        xdotool("key", name)
        time.sleep(0.5)

    def browse(self, keys, cancel=False):
        """Opens the folder chooser with the browse button, selects an item with `keys`
        (tree_keys) and presses OK with Enter, or clicks Cancel."""
        self.click(BROWSE_BUTTON, pause=0)
        chooser = wait_for(lambda: next(iter(windows_titled(CHOOSER_TITLE)), None))
        if not chooser:
            raise AssertionError("the folder chooser did not show")
        left, top, width, height = geometry(chooser)
        # Below the few items shown: the click gives the tree the keyboard and selects nothing.
        xdotool("mousemove", "--sync", left + width // 2, top + height - 100)
        xdotool("click", "1")
        for key in keys:
            if isinstance(key, tuple):
                xdotool("type", "--delay", "50", key[1])
            else:
                xdotool("key", key)
            time.sleep(0.3)
        if cancel:
            xdotool("mousemove", "--sync", left + width - 54, top + height - 26)
            xdotool("click", "1")
        else:
            xdotool("key", "Return")
        if not wait_for(lambda: not windows_titled(CHOOSER_TITLE)):
            raise AssertionError("the folder chooser did not close")
        time.sleep(0.3)

    def wait_exit(self, timeout=30):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def pixel(x, y):
    """(r, g, b) of a screen pixel."""
    out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                         capture_output=True, text=True).stdout
    values = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")
    return tuple(int(float(v)) for v in values[:3])


def stop_wine():
    subprocess.run(["wineserver", "-k"], env={**os.environ, "WINEPREFIX": os.path.join(WINE_ROOT, "prefix")},
                   capture_output=True)


def screenshot(name):
    os.makedirs(ARTEFACTS, exist_ok=True)
    path = os.path.join(ARTEFACTS, name)
    subprocess.run(["import", "-window", "root", path], check=False)
    return path


def clean_world():
    """Removes what earlier runs left on the desktop and under Program Files."""
    for path in (STAGING, DOWNLOAD):
        if os.path.isdir(path):
            shutil.rmtree(path)
        elif os.path.exists(path):
            os.remove(path)
    if os.path.isdir(DESKTOP):
        for name in os.listdir(DESKTOP):
            if not name.startswith("."):
                full = os.path.join(DESKTOP, name)
                shutil.rmtree(full) if os.path.isdir(full) and not os.path.islink(full) else os.remove(full)


class WizardTestCase(unittest.TestCase):
    """Starts each test from a clean desktop and staging folder; stops the wizard it started."""

    def setUp(self):
        clean_world()
        self.wizards = []

    def start(self, exe=WIZARD_EXE):
        wizard = Wizard(exe)
        self.wizards.append(wizard)
        return wizard

    def tearDown(self):
        for wizard in getattr(self, "wizards", []):
            wizard.stop()

    @classmethod
    def tearDownClass(cls):
        stop_wine()
