"""What the end-to-end tests share: a staged program folder, the running program seen through the
accessibility bus (AT-SPI) and the X server, real X input through xdotool, and waits on conditions."""

import os
import re
import shutil
import subprocess
import time
from pathlib import Path

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402

import pyatspi  # noqa: E402

PROGRAM = "zorvanta-test"
CLICK_SPACING = 0.6  # seconds; Qt's double-click interval is 0.4 s unless the desktop sets another
HEADER = "[ZorvantaBaseFile.2.0]"
SETTINGS = ("TIME", "QUESTIONTIME", "QUESTIONTEST", "FALSEANSWERS", "TRUEANSWERS", "num")

TESTS = {}


def test(screen="1280x1024", env=None):
    """Registers a test; it runs in a session of its own with that screen and program environment."""

    def register(function):
        TESTS[function.__name__] = {"run": function, "screen": screen, "env": env or {}}
        return function

    return register


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def pump():
    """Lets the accessibility library take in the events that arrived."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait(condition, what, timeout=10.0, interval=0.05):
    """Polls until condition() gives something true and returns it; fails naming what was awaited."""
    started = time.monotonic()
    deadline = started + timeout
    last_error = None
    while True:
        pump()
        try:
            value = condition()
            if value:
                if os.environ.get("ZT_E2E_TRACE"):
                    print(f"  waited {time.monotonic() - started:.2f} s for {what}", flush=True)
                return value
        except (GLib.Error, Failure, LookupError) as error:
            last_error = error  # a window going away or not yet there: look again
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}" + (f" ({last_error})" if last_error else ""))
        time.sleep(interval)


def holds(condition, what, duration):
    """Fails if condition() becomes false at any look within duration."""
    deadline = time.monotonic() + duration
    while time.monotonic() < deadline:
        pump()
        check(condition(), what)
        time.sleep(0.05)


# ---- files --------------------------------------------------------------------------------------


def cp1251(text):
    return text.encode("cp1251")


def crlf_lines(lines):
    return b"".join(cp1251(line) + b"\r\n" for line in lines)


def base_bytes(title, questions, test_time="00:00:00", question_time="00:00:00", show=None):
    """A test base: questions are (text, [four answers], right, help)."""
    lines = [HEADER, "  " + title, "        " + test_time, "               " + question_time]
    for text, answers, right, hint in questions:
        lines.append("[QUESTION]=" + text)
        lines += [f"ANSWER{k}={answer}" for k, answer in enumerate(answers, 1)]
        lines += [f"flag={right}", "HELP=" + hint]
    show = {**{setting: True for setting in SETTINGS}, **(show or {})}
    lines += [f"SHOW_{setting}={show[setting]}" for setting in SETTINGS]
    return crlf_lines(lines)


def numbered_questions(count, answers=("Один", "Два", "Три", "Четыре"), right=1):
    return [(f"Вопрос номер {n}", list(answers), right, f"Подсказка {n}") for n in range(1, count + 1)]


def result_line(name, given, right, wrong):
    return cp1251(name + "= " + "".join(f"  {g}" for g in given) + f"  True= {right}  False= {wrong}") + b"\r\n"


# ---- X server -----------------------------------------------------------------------------------


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def xdotool(*args):
    return run("xdotool", *[str(a) for a in args])


def key(*keys):
    xdotool("key", "--delay", "60", *keys)


def type_text(text):
    """Types text as from a keyboard that has a key for each of its characters. Keys are given to
    characters the keyboard lacks before typing starts: xdotool would otherwise remap a key between
    two characters, and a client that has not yet read the new map loses a character."""
    keymap = run("xmodmap", "-pke").splitlines()
    present = set(" ".join(keymap).split())
    spare = [int(line.split()[1]) for line in keymap if line.strip().endswith("=")]
    assignments = []
    for char in dict.fromkeys(text):
        keysym = f"U{ord(char):04X}"
        if char.isascii() or keysym in present:
            continue
        assignments.append(f"keycode {spare.pop()} = {keysym}")
    if assignments:
        run("xmodmap", *[arg for line in assignments for arg in ("-e", line)])
    xdotool("type", "--delay", "60", text)


def x_geometry(window):
    """The window's rectangle on the screen, as the X server has it (its client area)."""
    info = run("xwininfo", "-id", str(window))

    def field(name):
        return int(re.search(rf"{name}:\s+(-?\d+)", info).group(1))

    return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))


def frame_extents(window):
    """Left, right, top and bottom of the window manager's frame around the window."""
    out = run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS")
    numbers = re.findall(r"\d+", out.split("=", 1)[1]) if "=" in out else []
    return tuple(int(n) for n in numbers) if len(numbers) == 4 else (0, 0, 0, 0)


def x_windows(pid):
    """The program's viewable X windows: id -> name."""
    try:
        ids = xdotool("search", "--all", "--onlyvisible", "--pid", pid, "--name", ".").split()
    except subprocess.CalledProcessError:
        return {}
    windows = {}
    for window in ids:
        try:
            windows[int(window)] = xdotool("getwindowname", window).rstrip("\n")
        except subprocess.CalledProcessError:
            pass  # gone meanwhile
    return windows


def x_window_ids(pid):
    """The program's viewable X windows, named or not (menus, lists and hints have no names)."""
    try:
        return set(int(w) for w in xdotool("search", "--onlyvisible", "--pid", pid, "").split())
    except subprocess.CalledProcessError:
        return set()


def screen_size():
    out = run("xdpyinfo")
    width, height = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", out).groups()
    return int(width), int(height)


# ---- the program --------------------------------------------------------------------------------


def role(acc):
    return acc.getRoleName()


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def descendants(acc):
    for child in children(acc):
        if child is None:
            continue
        yield child
        yield from descendants(child)


def extents(acc, coords=pyatspi.DESKTOP_COORDS):
    box = acc.queryComponent().getExtents(coords)
    return (box.x, box.y, box.width, box.height)


def text_of(acc):
    try:
        text = acc.queryText()
    except NotImplementedError:
        return acc.name
    return text.getText(0, -1)


def describe(acc, depth=0):
    """The accessible tree as text, for the failure report."""
    lines = []
    try:
        state = "showing" if showing(acc) else "hidden"
        lines.append(f"{'  ' * depth}{role(acc)} {acc.name!r} [{acc.description!r}] {state} "
                     f"{extents(acc, pyatspi.DESKTOP_COORDS) if depth else ''}")
        for child in children(acc):
            lines += describe(child, depth + 1)
    except (GLib.Error, NotImplementedError) as error:
        lines.append(f"{'  ' * depth}<{error}>")
    return lines


class Session:
    """One test's world: its program folder and the runs of the program in it."""

    def __init__(self, root, source):
        self.root = Path(root)
        self.folder = self.root / "program"
        self.source = Path(source)
        self.env = {}
        self.program = None
        self.stage()

    def stage(self):
        """A copy of the built program folder, with no bases, results or About text of the build."""
        self.folder.mkdir()
        for entry in self.source.iterdir():
            if entry.name in ("Tests", "Results", "Result.res", "AboutTest.txt"):
                continue
            target = self.folder / entry.name
            if entry.is_dir():
                shutil.copytree(entry, target, symlinks=True)
            else:
                shutil.copy2(entry, target)
        (self.folder / "Tests").mkdir()
        self.about_text = "Проверочный текст окна «О программе».\r\nВторая строка."
        (self.folder / "AboutTest.txt").write_bytes(cp1251(self.about_text))

    def base(self, file_name, data):
        (self.folder / "Tests" / file_name).write_bytes(data)

    @property
    def result_file(self):
        return self.folder / "Result.res"

    def result_bytes(self):
        return self.result_file.read_bytes() if self.result_file.exists() else None

    def start(self, *args, env=None, as_examinee=False):
        """Starts the program. as_examinee: without root's right to write where the folder's mode
        forbids it, as an examinee runs it."""
        if self.program is not None:
            self.program.stop()
        command = [str(self.folder / PROGRAM), *args]
        if as_examinee and os.geteuid() == 0:
            command = ["setpriv", "--bounding-set=-dac_override,-dac_read_search,-fowner", *command]
        self.program = Program(self, command, {**self.env, **(env or {})})
        return self.program

    def stop(self):
        if self.program is not None:
            self.program.stop()
            self.program = None


class Program:
    """The running program, found on the accessibility bus by its process id."""

    def __init__(self, session, command, env):
        self.session = session
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **env)
        self.log = session.root / f"program-{time.monotonic_ns()}.log"
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen(command, env=environment,
                                            stdout=log, stderr=subprocess.STDOUT, cwd=session.root)
        self.pid = self.process.pid
        self.last_click = 0.0
        self.app = wait(self.find_app, "the program on the accessibility bus", timeout=20)

    def find_app(self):
        check(self.process.poll() is None, f"the program ended with {self.process.returncode}")
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            try:
                if app is not None and app.get_process_id() == self.pid:
                    return app
            except GLib.Error:
                pass
        return None

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def ended(self, timeout=10):
        """Waits for the program to end by itself and returns its exit status."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {timeout} s") from None

    def refresh(self):
        self.app.clear_cache()

    # ---- windows and controls ----

    def windows(self):
        self.refresh()
        return [w for w in children(self.app) if w is not None and showing(w)]

    def window(self, title, timeout=10):
        """Waits for a top-level window whose title contains title to show and take the keyboard; by
        then the window manager has placed it, so clicks find their controls."""
        return self.active(title, timeout)

    def has_window(self, title):
        return any(title in w.name for w in self.windows())

    def gone(self, title, timeout=10):
        wait(lambda: not self.has_window(title), f"the window {title!r} to go", timeout)

    def message_box(self, timeout=10):
        """Waits for a message box and returns it with its text."""
        def found():
            for w in self.windows():
                if role(w) in ("dialog", "alert") and w.name == "Test":
                    texts = [c.name for c in descendants(w) if role(c) == "label" and c.name]
                    return w, " ".join(texts)
            return None

        return wait(found, "a message box", timeout)

    def find(self, within, role_name, name=None, predicate=None):
        for acc in descendants(within):
            if role(acc) == role_name and (name is None or acc.name == name) and (
                    predicate is None or predicate(acc)):
                return acc
        raise LookupError(f"no {role_name} {name!r} in {within.name!r}")

    def find_all(self, within, role_name, predicate=None):
        return [a for a in descendants(within) if role(a) == role_name and (predicate is None or predicate(a))]

    # ---- the X side ----

    def toplevel(self, acc):
        while True:
            parent = acc.parent
            if parent is None or role(parent) == "application":
                return acc
            acc = parent

    def x_window(self, top):
        """The X window that shows a top-level accessible window, found by its title."""
        title = top.name
        matches = [w for w, name in x_windows(self.pid).items() if name == title]
        if not matches:
            raise LookupError(f"no X window titled {title!r}")
        return matches[0]

    def screen_rect(self, acc):
        """Where the control lies on the screen: its window's place on the X server plus its place in
        the window. Independent of the program's own idea of where its window stands, and of its scale
        (the bus speaks in the program's own pixels)."""
        top = self.toplevel(acc)
        wx, wy, ww, _ = x_geometry(self.x_window(top))
        x, y, w, h = extents(acc)
        tx, ty, tw, _ = extents(top)
        scale = ww / tw if tw else 1
        return (wx + round((x - tx) * scale), wy + round((y - ty) * scale), round(w * scale), round(h * scale))

    def click(self, acc, repeat=1, delay=120):
        """Clicks the middle of the control. Separate clicks are spaced like a person's, further apart
        than the double-click interval: closer ones make a double click, which the program may rightly
        take as one."""
        x, y, w, h = self.screen_rect(acc)
        time.sleep(max(0.0, self.last_click + CLICK_SPACING - time.monotonic()))
        self.last_click = time.monotonic()
        xdotool("mousemove", x + w // 2, y + h // 2, "click", "--repeat", repeat, "--delay", delay, 1)

    def hover(self, acc):
        x, y, w, h = self.screen_rect(acc)
        xdotool("mousemove", x + w // 2, y + h // 2)

    def active(self, title, timeout=10):
        """Waits until the window has the keyboard: typing goes there from then on."""
        return wait(lambda: next((w for w in self.windows() if title in w.name
                                  and w.getState().contains(pyatspi.STATE_ACTIVE)), None),
                    f"the window {title!r} to be active", timeout)

    def focused(self):
        for w in self.windows():
            for acc in descendants(w):
                if acc.getState().contains(pyatspi.STATE_FOCUSED):
                    return acc
        return None


# ---- the windows of the program, as the examinee meets them ---------------------------------------

CHOSE = "Выбор темы"
RESULTS = "Результаты"
ABOUT = "About"


def question_number(program, window):
    """The number of the question on screen, from the frame '№'."""
    frame = program.find(window, "panel", "№")
    labels = [a for a in program.find_all(frame, "label") if re.fullmatch(r"\d+", a.name or "")]
    check(labels, "no question number shown")
    return int(labels[0].name)


def question_text(program, window):
    return text_of(program.find(window, "text", "Вопрос"))


def value_beside(program, window, caption):
    """The value label on the same row as a caption label of the results window."""
    label = program.find(window, "label", caption)
    _, y, _, h = extents(label)
    middle = y + h / 2
    for acc in program.find_all(window, "label", lambda a: a.name != caption):
        ax, ay, aw, ah = extents(acc)
        if ay <= middle <= ay + ah and ax > extents(label)[0]:
            return acc
    raise LookupError(f"no value beside {caption!r}")


def accept(program, name=None, topic_steps=0):
    """On the selection window: types the name (the old one is selected, so it is replaced), moves down
    the topic list and accepts with the button. Returns the question window."""
    chose = program.active(CHOSE)
    if name is not None:
        name_box = program.find(chose, "text", "Имя тестируемого")
        wait(lambda: name_box.getState().contains(pyatspi.STATE_FOCUSED), "focus in the name box")
        type_text(name)
    if topic_steps:
        key("Tab")
        combo = program.find(chose, "combo box")
        wait(lambda: combo.getState().contains(pyatspi.STATE_FOCUSED), "focus on the topic list")
        key(*["Down"] * topic_steps)
    program.click(program.find(chose, "push button", "Принять"))
    program.gone(CHOSE)


def finish_results(program):
    """Closes the results window with its exit button; the program ends."""
    results = program.window(RESULTS)
    program.click(program.find(results, "push button", "Выход"))
    check(program.ended() == 0, "the program did not end cleanly")
