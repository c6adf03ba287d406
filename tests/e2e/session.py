"""Runs one end-to-end test in a world of its own: a fresh folder with the staged program, a runtime
folder and a home, an X server (Xvfb) with openbox, and a session bus (dbus-run-session) on which the
accessibility bus starts on demand.

    session.py --list [FILTER]    names of the tests whose name contains FILTER
    session.py NAME               runs one test; exit status 0 when it passed
"""

import os
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parents[1]


def load_tests():
    sys.path.insert(0, str(HERE))
    import zt
    import test_roads  # noqa: F401  (registers its tests)
    import test_faults  # noqa: F401

    return zt.TESTS


def start_x(screen, log):
    """Xvfb choosing a free display itself (so no two runs on this machine can collide), then openbox.
    Tried afresh a few times: on a busy machine a display can go away under a window manager starting."""
    for _ in range(3):
        started = try_x(screen, log)
        if started:
            return started
    raise RuntimeError("no X server with a window manager could be started")


def try_x(screen, log):
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", screen + "x24", "-nolisten", "tcp"],
                              pass_fds=[write], stdout=log, stderr=log)
    os.close(write)
    with os.fdopen(read) as pipe:
        number = pipe.readline().strip()
    if not number:
        stop([server])
        return None
    display = ":" + number
    env = dict(os.environ, DISPLAY=display)
    wm = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=log, stderr=log)
    deadline = time.monotonic() + 30
    while wm.poll() is None and server.poll() is None and time.monotonic() < deadline:
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env, capture_output=True, text=True)
        if "window id" in out.stdout:
            return display, server, wm
        time.sleep(0.05)
    stop([wm, server])
    return None


def stop(processes):
    for process in processes:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def outer(name):
    tests = load_tests()
    spec = tests[name]
    root = Path(tempfile.mkdtemp(prefix=f"zt-e2e-{name}-"))
    runtime = root / "runtime"
    runtime.mkdir(mode=0o700)
    home = root / "home"
    home.mkdir()
    started = time.monotonic()
    with open(root / "x.log", "wb") as log:
        try:
            display, server, wm = start_x(spec["screen"], log)
        except RuntimeError as error:
            print(f"FAIL {name}: {error}; logs in {root}", flush=True)
            return 1
        try:
            env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=str(runtime), HOME=str(home),
                       ZT_E2E_ROOT=str(root), LANG="C.UTF-8", PYTHONDONTWRITEBYTECODE="1")
            for variable in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                             "XDG_CACHE_HOME", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR"):
                env.pop(variable, None)
            with open(root / "test.log", "wb") as output:
                status = subprocess.run(["dbus-run-session", "--", sys.executable, __file__, "--inner", name],
                                        env=env, stdout=output, stderr=subprocess.STDOUT).returncode
        finally:
            stop([wm, server])
    seconds = time.monotonic() - started
    if status == 0 and os.environ.get("ZT_E2E_TRACE"):
        print((root / "test.log").read_text(errors="replace"))
    if status == 0:
        subprocess.run(["rm", "-rf", str(root)])
        print(f"PASS {name} ({seconds:.1f} s)", flush=True)
    else:
        report = [line for line in (root / "test.log").read_text(errors="replace").splitlines()
                  if not line.startswith(("dbus-daemon[", "SpiRegistry"))]
        print("\n".join("    " + line for line in report[-40:]))
        print(f"FAIL {name} ({seconds:.1f} s); screenshot, accessible tree and logs in {root}", flush=True)
    return status


def inner(name):
    import zt

    tests = load_tests()
    spec = tests[name]
    root = Path(os.environ["ZT_E2E_ROOT"])
    session = zt.Session(root, Path(os.environ.get("ZT_E2E_PROGRAM", ROOT / "build" / "bin")))
    session.env = spec["env"]
    try:
        spec["run"](session)
        return 0
    except Exception:  # noqa: BLE001  every failure is reported the same way
        traceback.print_exc()
        subprocess.run(["import", "-window", "root", str(root / "failure.png")])
        print(f"  screenshot: {root / 'failure.png'}", file=sys.stderr)
        if session.program is not None:
            try:
                (root / "tree.txt").write_text("\n".join(zt.describe(session.program.app)))
            except Exception:  # noqa: BLE001  the program may be gone
                pass
        return 1
    finally:
        session.stop()


def main():
    if sys.argv[1] == "--list":
        wanted = sys.argv[2] if len(sys.argv) > 2 else ""
        print("\n".join(name for name in load_tests() if wanted in name))
        return 0
    if sys.argv[1] == "--inner":
        return inner(sys.argv[2])
    return outer(sys.argv[1])


if __name__ == "__main__":
    sys.exit(main())
