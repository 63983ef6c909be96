"""End-to-end harness: a private X server, a tray, and copies of the program in fresh
directories, driven with xdotool. Standard library only."""
import os
import shutil
import signal
import subprocess
import tempfile
import time


class Display:
    """An Xvfb of its own on a free display number, with an XEmbed tray when asked."""

    def __init__(self, tray=True):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

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
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.windows(name, pid, visible)
            if found:
                return found[0]
            time.sleep(0.05)
        raise AssertionError("no window named %r appeared" % name)

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
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        return self

    def main_window(self, timeout=10.0):
        return self.display.wait_window("^Murvane$", self.proc.pid, timeout)

    def wait_exit(self, timeout=10.0):
        return self.proc.wait(timeout)

    def stop(self, sig=signal.SIGKILL):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(sig)
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.dir, ignore_errors=True)
