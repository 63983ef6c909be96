#!/usr/bin/env python3
"""Start-up time, memory and idle CPU of the real executable.

Each run copies the executable into a fresh directory (with no task file, or with a file of
1 000 tasks), starts it on an Xvfb of its own, and measures the time until its main window
"Murvane" is mapped, then its resident set size about a second later. Runs are strictly one
after another: only one copy may run per user, and each copy is killed (SIGKILL, which the
kernel turns into a released lock) and reaped before the next starts. A last run with 100
open tasks measures the CPU the program uses while it sits idle.

Usage: bench/startup.py [EXECUTABLE] [--runs N] [--idle-seconds S] [--no-tray]
Standard library only.
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_EXE = os.path.join(os.path.dirname(HERE), "build", "murvane")
WINDOW_TIMEOUT = 10.0
CLK_TCK = os.sysconf("SC_CLK_TCK")

# The X server, tray and file formats of the end-to-end tests.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "tests", "e2e"))
import formats  # noqa: E402
from harness import Display  # noqa: E402


def task_file(count, open_count=None):
    """%Global% and count tasks, the first open_count of them open."""
    if open_count is None:
        open_count = count
    tasks = [formats.Task("%Global%", start=46000.5, done=46002.0)]
    for i in range(count):
        tasks.append(formats.Task("Задание номер %d" % i, id=i + 1, start=46000.5,
                                  done=46000.5 + (i % 977) / 3000.0, activ=i < open_count))
    return formats.task_file(tasks)


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return None


def cpu_seconds(pid):
    """utime + stime of the process, in seconds (clock-tick resolution)."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    # After the command name: state is field 3, utime 14 and stime 15 (1-based).
    return (int(fields[11]) + int(fields[12])) / CLK_TCK


def run_seconds(pid):
    """CPU time of the live threads in seconds, to the nanosecond (schedstat), or None."""
    total = 0
    try:
        for tid in os.listdir("/proc/%d/task" % pid):
            with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as f:
                total += int(f.read().split()[0])
    except (OSError, ValueError):
        return None
    return total / 1e9


class LockHeld(RuntimeError):
    pass


class Copy:
    """The executable in a fresh directory with the given files, started on the display."""

    def __init__(self, exe, display, files):
        self.dir = tempfile.mkdtemp(prefix="murvane-bench-")
        self.exe = os.path.join(self.dir, "murvane")
        shutil.copy2(exe, self.exe)
        for name, data in files.items():
            with open(os.path.join(self.dir, name), "wb") as f:
                f.write(data)
        self.display = display
        self.proc = None

    def start(self):
        self.started = time.monotonic()
        self.proc = subprocess.Popen([self.exe], cwd=self.dir, env=self.display.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.proc.pid

    def wait_window(self):
        """Seconds from the start until the main window is mapped."""
        deadline = self.started + WINDOW_TIMEOUT
        while time.monotonic() < deadline:
            if self.display.windows("^Murvane$", self.proc.pid):
                return time.monotonic() - self.started
            if self.display.windows("^Ошибка$", self.proc.pid):
                raise LockHeld("another copy of this user is running")
            if self.proc.poll() is not None:
                raise RuntimeError("the program ended with %s before its window appeared" % self.proc.returncode)
        raise LockHeld("no window 'Murvane' within %.0f s (is another copy running for this user?)"
                       % WINDOW_TIMEOUT)

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGKILL)
        if self.proc:
            self.proc.wait()
        shutil.rmtree(self.dir, ignore_errors=True)


def snapshot(source, directory, tries=20):
    """A private copy of the executable, taken once it is complete (a link may be writing it)."""
    target = os.path.join(directory, "murvane")
    for _ in range(tries):
        if os.access(source, os.X_OK):
            before = os.stat(source)
            shutil.copy2(source, target)
            after = os.stat(source)
            if (before.st_size, before.st_mtime_ns) == (after.st_size, after.st_mtime_ns) and \
                    os.access(target, os.X_OK):
                return target
        time.sleep(1)
    sys.exit("no complete executable at %s" % source)


def start_up_runs(exe, display, files, runs, attempts=30):
    times, rss = [], []
    for _ in range(runs):
        for attempt in range(attempts):
            copy = Copy(exe, display, files)
            try:
                pid = copy.start()
                times.append(copy.wait_window())
                time.sleep(1.0)
                rss.append(rss_kib(pid))
                break
            except LockHeld as e:
                # Another copy (not ours to end) holds the lock: wait for it to go away.
                if attempt + 1 == attempts:
                    raise
                print("  (retrying: %s)" % e, file=sys.stderr)
                time.sleep(3)
            finally:
                copy.kill()
    return times, rss


def idle_cpu(exe, display, settle, seconds):
    for attempt in range(30):
        copy = Copy(exe, display, {"Tasks.murvane": task_file(100)})
        try:
            pid = copy.start()
            copy.wait_window()
            break
        except LockHeld as e:
            copy.kill()
            print("  (retrying: %s)" % e, file=sys.stderr)
            time.sleep(3)
        except BaseException:
            copy.kill()
            raise
    else:
        raise RuntimeError("the lock stayed held")
    try:
        time.sleep(settle)
        t0, c0, r0 = time.monotonic(), cpu_seconds(pid), run_seconds(pid)
        time.sleep(seconds)
        t1, c1, r1 = time.monotonic(), cpu_seconds(pid), run_seconds(pid)
        precise = None if r0 is None or r1 is None else 100.0 * (r1 - r0) / (t1 - t0)
        return 100.0 * (c1 - c0) / (t1 - t0), c1 - c0, precise, rss_kib(pid)
    finally:
        copy.kill()


def main():
    sys.stdout.reconfigure(line_buffering=True)
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("exe", nargs="?", default=DEFAULT_EXE)
    ap.add_argument("--runs", type=int, default=7)
    ap.add_argument("--idle-seconds", type=float, default=10.0)
    ap.add_argument("--no-tray", action="store_true")
    args = ap.parse_args()
    source = os.path.abspath(args.exe)
    snapshot_dir = tempfile.mkdtemp(prefix="murvane-bench-exe-")
    # Every run starts the same file even if a build rewrites the original meanwhile.
    exe = snapshot(source, snapshot_dir)

    display = Display(tray=not args.no_tray)
    try:
        print("executable: %s" % source)
        print("display %s, tray %s, %d runs each" % (display.name, "yes" if display.tray else "no", args.runs))
        print()
        print("%-22s %10s %10s %10s %12s" % ("case", "median ms", "min ms", "max ms", "VmRSS MiB"))
        cases = [("no task file", {}), ("1 000 tasks", {"Tasks.murvane": task_file(1000, open_count=700)})]
        worst = 0.0
        for label, files in cases:
            times, rss = start_up_runs(exe, display, files, args.runs)
            med = statistics.median(times) * 1000
            worst = max(worst, med)
            print("%-22s %10.1f %10.1f %10.1f %12.1f" % (label, med, min(times) * 1000, max(times) * 1000,
                                                         statistics.median(rss) / 1024))
        print("goal: window mapped in under 300 ms -> %s" % ("met" if worst < 300 else "MISSED"))
        print()
        pct, used, precise, rss = idle_cpu(exe, display, 2.0, args.idle_seconds)
        print("idle, 100 open tasks: %.2f %% of one core (utime+stime %.2f s in %.0f s), VmRSS %.1f MiB"
              % (pct, used, args.idle_seconds, rss / 1024))
        if precise is not None:
            print("  by schedstat: %.3f %% of one core" % precise)
        print("goal: near 0 %")
    finally:
        display.close()
        shutil.rmtree(snapshot_dir, ignore_errors=True)


if __name__ == "__main__":
    main()
