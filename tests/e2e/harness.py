"""End-to-end harness: a private X server, a tray, and copies of the program in fresh
directories, driven with xdotool. Standard library only."""
import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

_libc = ctypes.CDLL(None, use_errno=True)


def _die_with_parent():
    # A test run that is killed must not leave a copy holding the one-copy lock, or an X server.
    _libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


class Display:
    """An Xvfb of its own on a free display number, with an XEmbed tray when asked."""

    def __init__(self, tray=True):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_die_with_parent)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as r:
            while not number.endswith(b"\n"):
                chunk = r.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.name = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name, QT_QPA_PLATFORM="xcb")
        self.env.pop("WAYLAND_DISPLAY", None)
        self.tray = None
        if tray and shutil.which("trayer"):
            self.tray = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right", "--widthtype",
                                          "request", "--height", "24"], env=self.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                         preexec_fn=_die_with_parent)
            # A tray icon made before the tray exists is never embedded.
            self.wait_until(lambda: self.visible_windows(self.tray.pid), 10, "the tray to appear")

    @staticmethod
    def wait_until(condition, timeout, what):
        deadline = time.monotonic() + timeout
        while True:
            result = condition()
            if result:
                return result
            if time.monotonic() >= deadline:
                raise AssertionError("timed out waiting for " + what)
            time.sleep(0.05)

    def xdotool(self, *args, check=True, timeout=20):
        r = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True, timeout=timeout)
        if check and r.returncode != 0:
            raise AssertionError("xdotool %s failed: %s" % (" ".join(args), r.stderr.strip()))
        return r.stdout.strip()

    def windows(self, name, pid=None, visible=True):
        args = ["search", "--all"]
        if visible:
            args.append("--onlyvisible")
        if pid is not None:
            args += ["--pid", str(pid)]
        args += ["--name", name]
        out = self.xdotool(*args, check=False)
        return [w for w in out.split() if w]

    def wait_window(self, name, pid=None, timeout=10.0, visible=True):
        return self.wait_until(lambda: self.windows(name, pid, visible), timeout,
                               "a window named %r" % name)[0]

    def visible_windows(self, pid):
        out = self.xdotool("search", "--all", "--onlyvisible", "--pid", str(pid), "--name", "", check=False)
        return [w for w in out.split() if w]

    def geometry(self, window):
        """(x, y, width, height) of a window, or None once it is gone."""
        out = self.xdotool("getwindowgeometry", "--shell", window, check=False)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        try:
            return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        except KeyError:
            return None

    def window_name(self, window):
        return self.xdotool("getwindowname", window, check=False)

    def key(self, keys):
        self.xdotool("key", "--clearmodifiers", keys)

    def type_line(self, text, layout="us"):
        """Type a text and Return. Letters that the keyboard layout lacks make xdotool remap a
        key for each of them, and the program reads some with the map already changed back;
        so Russian text is typed with the Russian layout in force."""
        if layout != "us":
            self.set_layout(layout)
        try:
            self.xdotool("type", "--delay", "10", text)
            self.key("Return")
        finally:
            if layout != "us":
                self.set_layout("us")

    def set_layout(self, layout):
        subprocess.run(["setxkbmap", "-layout", layout], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.2)  # for the program to take the new keyboard map

    def answer(self, window, *keys):
        """Give a dialog the keyboard and press keys in it."""
        self.xdotool("windowfocus", "--sync", window)
        for k in keys:
            self.key(k)

    def close(self):
        for p in (self.tray, self.xvfb):
            if p and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()


class Program:
    """A copy of the executable in a fresh directory, with the files a test prepares."""

    def __init__(self, exe, display, files=None):
        self.display = display
        self.dir = tempfile.mkdtemp(prefix="murvane-e2e-")
        self.exe = os.path.join(self.dir, "murvane")
        shutil.copy2(exe, self.exe)
        for name, data in (files or {}).items():
            with open(self.path(name), "wb") as f:
                f.write(data)
        self.proc = None

    def path(self, name):
        return os.path.join(self.dir, name)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def exists(self, name):
        return os.path.exists(self.path(name))

    def start(self):
        self.proc = subprocess.Popen([self.exe], cwd=self.dir, env=self.display.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     preexec_fn=_die_with_parent)
        self.started = time.monotonic()
        return self

    def launch(self, timeout=60.0):
        """Start the program and wait for its main window. One copy runs per user: while a copy
        that is not ours holds the lock, ours is refused; answer that and try again."""
        deadline = time.monotonic() + timeout
        while True:
            self.start()
            refused = self.display.wait_until(
                lambda: self.shown_main_window() or self.display.windows("^Ошибка$", self.proc.pid),
                10, "the main window")
            if self.shown_main_window():
                return self.shown_main_window()
            if time.monotonic() >= deadline:
                raise AssertionError("another copy of the program keeps running")
            self.display.answer(refused[0], "Return")
            self.wait_exit()
            time.sleep(1.0)

    def shown_main_window(self):
        """The main window when it is on screen. The tray icon is a window of the program too,
        but a small one."""
        for w in self.display.windows("^Murvane$", self.proc.pid):
            g = self.display.geometry(w)
            if g and g[2] > 64:
                return w
        return None

    def main_window(self, timeout=10.0):
        return self.display.wait_until(self.shown_main_window, timeout, "the main window to show")

    def wait_main_hidden(self, timeout=5.0):
        self.display.wait_until(lambda: not self.shown_main_window(), timeout, "the main window to hide")

    def tray_icon(self):
        """A visible small window of the program: its icon embedded in the tray."""
        for w in self.display.visible_windows(self.proc.pid):
            g = self.display.geometry(w)
            if g and g[2] <= 64 and g[3] <= 64:
                return w
        return None

    def wait_exit(self, timeout=10.0):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            shown = [self.display.window_name(w) for w in self.display.visible_windows(self.proc.pid)]
            raise AssertionError("the program did not end; its windows on screen: %r" % shown)

    def quit(self, how="hot key 3"):
        """End the program with the quit hot key or a signal; answers its exit code."""
        if how == "hot key 3":
            self.display.key("ctrl+alt+e")
        else:
            self.proc.send_signal(getattr(signal, how))
        code = self.wait_exit()
        self.ran_for = time.monotonic() - self.started
        return code

    def listing(self):
        return sorted(os.listdir(self.dir))

    def stop(self, sig=signal.SIGKILL):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(sig)
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.cleanup()

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.dir, ignore_errors=True)
