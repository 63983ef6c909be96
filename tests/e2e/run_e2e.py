"""End-to-end tests of the real program under a private X server.

Usage: run_e2e.py PATH_TO_MURVANE"""
import os
import signal
import sys
import time
import traceback

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from formats import (CATALOGUE, GLOBAL, RECORD_SIZE, Task, fresh_ini_lines, ini_entries, ini_lines,  # noqa: E402
                     now_as_datetime_value, pulse_file, read_pulse, read_tasks, task_file)
from harness import Display, Program  # noqa: E402

TESTS = []


def e2e(fn, name=None):
    TESTS.append((name or fn.__name__, fn))
    return fn


def table(cases):
    """One test per named case: the function gets the case's values after (exe, display)."""
    def register(fn):
        for case in cases:
            e2e(lambda exe, display, fn=fn, case=case: fn(exe, display, *case[1:]),
                "%s[%s]" % (fn.__name__, case[0]))
        return fn
    return register


def ran(program):
    """How long the program ran, in days, with a margin for scheduling."""
    return (program.ran_for + 0.5) / 86400.0


def check_fresh_global(task, before, after):
    assert task.text == GLOBAL and task.id == 0 and task.timer == 0 and task.activ, task
    assert before - 2 / 86400.0 <= task.start <= after + 2 / 86400.0, \
        "StartTime %r is not the time of the run (%r to %r)" % (task.start, before, after)
    # With no other task open the big clock never moves.
    assert task.done == task.start, task


@table([
    ("hot key 3", "hot key 3", False),
    ("SIGTERM", "SIGTERM", False),
    ("SIGINT", "SIGINT", False),
    ("SIGHUP", "SIGHUP", False),
    # A quit while the add dialog waits for its text saves all the same, without the text.
    ("hot key 3, add dialog open", "hot key 3", True),
    ("SIGTERM, add dialog open", "SIGTERM", True),
])
def first_start_without_files_saves_defaults_and_the_global_task(exe, display, how, dialog_open):
    with Program(exe, display) as p:
        before = now_as_datetime_value()
        w = p.launch()
        height = display.geometry(w)[3]
        assert p.listing() == ["murvane"], "starting wrote files: %r" % p.listing()
        if dialog_open:
            display.key("ctrl+alt+c")
            display.answer(display.wait_window("^Новое задание$", p.proc.pid), "ctrl+a")
            display.xdotool("type", "unfinished")
        assert p.quit(how) == 0
        after = now_as_datetime_value()
        assert p.listing() == ["Options.ini", "Tasks.murvane", "murvane"], \
            "no sample was taken, so no pulse file may exist: %r" % p.listing()
        assert height == 220, "the window starts %d pixels high" % height
        assert ini_lines(p.read("Options.ini")) == fresh_ini_lines({"FormHeight": str(height)})
        data = p.read("Tasks.murvane")
        assert len(data) == RECORD_SIZE, "task file of %d bytes" % len(data)
        check_fresh_global(read_tasks(data)[0], before, after)


# Every printable Windows-1251 character (0x98 stands for none), filled up to the longest text.
LONG_TEXT = bytes(b for b in range(0x20, 0x100) if b != 0x98) + b"x" * 32
assert len(LONG_TEXT) == 255
ACTIVE_UP_FILE = [
    Task("%Global%", id=0, start=45000.5, done=45000.75),
    Task("Write report", id=1, timer=0xDEADBEEF, start=45001.0, done=45001.5),
    Task("Call Bob", id=2, timer=7, start=45002.0, done=45002.25, activ=False),
    Task(LONG_TEXT, id=3, start=45003.0),
    Task("Fix bike", id=4, start=45004.0, done=45010.0, activ=False),
    Task("Купить молоко", id=9, timer=1, start=45005.0, done=45005.125),
]
ALPHA_TEXTS = ["b", "Жук", "x y", "A", "zeta", "%Global%", " lead", "Ёж", "9", "a", "x\ty", "Еда", "!x",
               "B", "abc", "abc "]
ALPHA_FILE = [Task(t, id=k, start=45100.0 + k, activ=t not in ("zeta", "Еда")) for k, t in enumerate(ALPHA_TEXTS)]
ALPHA_OPTIONS = b"[Tasks]\nSortType=AlphaDown\nColour=green\n[Mine]\nkeep=this value\n"


@table([
    # Completed first, ties in file order; a partial record at the end is no task.
    ("completion order", ACTIVE_UP_FILE, b"\x55" * 100, None,
     ["Call Bob", "Fix bike", "%Global%", "Write report", LONG_TEXT, "Купить молоко"]),
    # Marks, digits, Latin then Cyrillic letters, capital before small; blanks rank lowest;
    # "x y" and "x<tab>y" compare equal and keep their file order.
    ("alphabetical order", ALPHA_FILE, b"", ALPHA_OPTIONS,
     [" lead", "!x", "%Global%", "9", "A", "a", "abc ", "abc", "B", "b", "x y", "x\ty", "zeta", "Еда", "Ёж",
      "Жук"]),
])
def stored_tasks_come_back_sorted_with_every_meaningful_byte(exe, display, tasks, tail, options, order):
    files = {"Tasks.murvane": task_file(tasks, tail)}
    if options:
        files["Options.ini"] = options
    with Program(exe, display, files) as p:
        p.launch()
        time.sleep(1.0)  # long enough for the clock to move the open tasks
        assert p.quit() == 0
        saved = read_tasks(p.read("Tasks.murvane"))
        want = [t if isinstance(t, bytes) else t.encode("cp1251") for t in order]
        assert [t.text for t in saved] == want, "saved order %r" % [t.text for t in saved]
        stored = {t.text: t for t in tasks}
        grown = []
        for got in saved:
            old = stored[got.text]
            assert (got.id, got.timer, got.start, got.activ) == (old.id, old.timer, old.start, old.activ), \
                "%r came back as %r" % (old, got)
            if old.activ:
                grown.append(got.done - old.done)
                assert 0 < got.done - old.done <= ran(p), "open task's time grew wrongly: %r -> %r" % (old, got)
            else:
                assert got.done == old.done, "completed task's time moved: %r -> %r" % (old, got)
        # Every open task and the big clock grew by the same time, however many were open.
        assert max(grown) - min(grown) < 1e-8, "open tasks grew by different times: %r" % grown
        if options:
            check_options_kept(options, p.read("Options.ini"))


def check_options_kept(prepared, written):
    entries = ini_entries(written)
    given = {(s, k): v for s, k, v in ini_entries(prepared)}
    for section, key, default in CATALOGUE:
        values = [v for s, k, v in entries if (s, k) == (section, key)]
        assert values == [given.get((section, key), default)], "%s/%s written as %r" % (section, key, values)
    # Keys that are not the program's own stay where they were.
    lines = ini_lines(written)
    at = 0
    for line in ini_lines(prepared):
        assert line in lines[at:], "%r lost or moved in %r" % (line, lines)
        at = lines.index(line, at) + 1
    unknown = [(s, k) for s, k, _ in ini_entries(prepared) if (s, k) not in {(c[0], c[1]) for c in CATALOGUE}]
    assert len(entries) == len(CATALOGUE) + len(unknown), entries


@table([
    ("Latin, window hidden", "Buy milk", "us", True),
    ("Cyrillic, window hidden", "Купить хлеб и ёлку", "ru", True),
    # The hidden task's text is taken: the program says so and asks again, and cancelling
    # that adds nothing.
    ("taken text then cancel, window shown", None, "us", False),
])
def hot_key_2_adds_a_task_through_its_dialog(exe, display, text, layout, hide_first):
    with Program(exe, display) as p:
        p.launch()
        if hide_first:
            display.key("ctrl+alt+z")
            p.wait_main_hidden()
        display.key("ctrl+alt+c")
        dialog = display.wait_window("^Новое задание$", p.proc.pid)
        # The dialog takes the user away from the main window, which therefore hides.
        p.wait_main_hidden()
        display.answer(dialog, "ctrl+a")
        before = now_as_datetime_value()
        display.type_line(text or "%Global%", layout)
        if text is None:
            display.answer(display.wait_window("^Повторяться не стоит$", p.proc.pid), "Return")
            display.answer(display.wait_window("^Новое задание$", p.proc.pid), "Escape")
        display.wait_until(lambda: not display.windows("^Новое задание$", p.proc.pid), 5, "the dialog to close")
        after = now_as_datetime_value()
        assert not p.shown_main_window(), "the add command showed the main window"
        assert p.quit() == 0
        saved = read_tasks(p.read("Tasks.murvane"))
        assert [t.text for t in saved] == [GLOBAL] + ([text.encode("cp1251")] if text else []), saved
        if text:
            new = saved[1]
            assert new.id == 1 and new.timer == 0 and new.activ, new
            assert before - 2 / 86400.0 <= new.start <= after + 2 / 86400.0, new
            assert 0 <= new.done - new.start <= ran(p), new


@e2e
def second_copy_is_refused_and_the_first_untouched(exe, display):
    first = Program(exe, display)
    second = Program(exe, display)
    try:
        first.launch()
        before = first.listing()
        second.start()
        box = display.wait_window("^Ошибка$", second.proc.pid)
        assert not second.shown_main_window(), "the second copy showed its main window"
        display.answer(box, "Return")
        assert second.wait_exit() == 0, "the refused copy must end with exit code 0"
        assert first.proc.poll() is None, "the running copy must go on"
        assert first.listing() == before
        assert second.listing() == ["murvane"], "the refused copy must touch no file"
    finally:
        first.cleanup()
        second.cleanup()


PULSE_TASKS = [Task("%Global%"), Task("one", id=1), Task("two", id=2, activ=False), Task("three", id=3)]


@table([
    ("fresh", {}, "hot key 3"),
    # Points of an earlier run come first; new ones number on from them.
    ("continued", {"Chart.p1": pulse_file([(0, 9), (1, 8)]), "Chart.p2": pulse_file([(0, 2), (1, 3)])},
     "SIGTERM"),
])
def pulse_samples_every_period_and_are_saved(exe, display, earlier, how):
    files = {"Options.ini": b"[Value]\nChartTimer=1000\n", "Tasks.murvane": task_file(PULSE_TASKS)}
    files.update(earlier)
    with Program(exe, display, files) as p:
        p.launch()
        shown = time.monotonic()
        time.sleep(3.5)
        quitting = time.monotonic()
        assert p.quit(how) == 0
        tasks, done = read_pulse(p.read("Chart.p1")), read_pulse(p.read("Chart.p2"))
        old1, old2 = read_pulse(earlier.get("Chart.p1", b"")), read_pulse(earlier.get("Chart.p2", b""))
        assert tasks[:len(old1)] == old1 and done[:len(old2)] == old2, (tasks, done)
        new1, new2 = tasks[len(old1):], done[len(old2):]
        assert len(new1) == len(new2), (tasks, done)
        low, high = int(quitting - shown) - 1, int(p.ran_for) + 1
        assert low <= len(new1) <= high, "%d samples in %.1f s" % (len(new1), quitting - shown)
        xs = list(range(len(old1), len(old1) + len(new1)))
        assert new1 == [(x, 4) for x in xs], new1
        assert new2 == [(x, 1) for x in xs], new2


@e2e
def hot_key_1_and_escape_hide_the_window_and_the_tray_icon_stays(exe, display):
    with Program(exe, display) as p:
        p.launch()
        assert p.tray_icon(), "no tray icon: %r" % [display.geometry(w) for w in display.visible_windows(p.proc.pid)]
        for _ in range(2):
            display.key("ctrl+alt+z")
            p.wait_main_hidden()
            assert p.tray_icon() and p.proc.poll() is None
            display.key("ctrl+alt+z")
            w = p.main_window()
        display.answer(w, "Escape")
        p.wait_main_hidden()
        assert p.tray_icon() and p.proc.poll() is None
        assert p.listing() == ["murvane"], "hiding wrote files: %r" % p.listing()
        assert p.quit() == 0


@e2e
def tray_icon_double_click_toggles_the_window_and_its_menu_quits(exe, display):
    with Program(exe, display) as p:
        p.launch()
        icon = p.tray_icon()
        assert icon, "no tray icon"
        display.xdotool("mousemove", "--window", icon, "5", "5")
        for shown in (False, True, False):
            display.xdotool("click", "--repeat", "2", "--delay", "50", "1")
            display.wait_until(lambda: bool(p.shown_main_window()) == shown, 5,
                               "the window to be %s" % ("shown" if shown else "hidden"))
        before = set(display.visible_windows(p.proc.pid))
        display.xdotool("click", "3")
        display.wait_until(lambda: set(display.visible_windows(p.proc.pid)) - before, 5, "the tray menu")
        # "Выход из программы" is the menu's last item.
        display.key("Up")
        display.key("Return")
        assert p.wait_exit() == 0
        assert p.listing() == ["Options.ini", "Tasks.murvane", "murvane"], p.listing()
        assert [t.text for t in read_tasks(p.read("Tasks.murvane"))] == [GLOBAL]


@e2e
def hot_keys_come_from_the_options(exe, display):
    keys = b"[HotKeys]\nHK_Show_Hide=F12\nHK_AddTask=Shift+Alt+Q\nHK_Exit=Shift+Ctrl+F5\n"
    with Program(exe, display, {"Options.ini": keys}) as p:
        p.launch()
        # The default combinations are free now; had any of them acted, F12 would not leave
        # the window hidden with no dialog and the program running.
        for k in ("ctrl+alt+z", "ctrl+alt+c", "ctrl+alt+e", "F12"):
            display.key(k)
        p.wait_main_hidden()
        time.sleep(0.3)  # a state on the way would not last
        assert not p.shown_main_window() and p.proc.poll() is None
        assert not display.windows("^Новое задание$", p.proc.pid)
        display.key("shift+alt+q")
        display.answer(display.wait_window("^Новое задание$", p.proc.pid), "Escape")
        display.wait_until(lambda: not display.windows("^Новое задание$", p.proc.pid), 5, "the dialog to close")
        display.key("ctrl+shift+F5")
        assert p.wait_exit() == 0
        check_options_kept(keys, p.read("Options.ini"))


@e2e
def window_height_comes_from_the_options_and_goes_back_at_quit(exe, display):
    with Program(exe, display, {"Options.ini": b"[Value]\nFormHeight=400\n"}) as p:
        w = p.launch()
        assert display.geometry(w)[2:] == (430, 400), display.geometry(w)
        display.xdotool("windowsize", "--sync", w, "430", "300")
        display.wait_until(lambda: display.geometry(w)[3] == 300, 5, "the window to take 300 pixels")
        assert p.quit() == 0
        assert ("Value", "FormHeight", "300") in ini_entries(p.read("Options.ini"))


def main():
    exe = os.path.abspath(sys.argv[1])
    # Killed from outside (a time-out), still end our copies and remove their directories.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    display = Display()
    passed = failed = 0
    try:
        only = os.environ.get("MURVANE_E2E_ONLY")
        for name, test in TESTS:
            if only and only not in name:
                continue
            began = time.monotonic()
            try:
                test(exe, display)
                passed += 1
                print("PASS %s (%.1f s)" % (name, time.monotonic() - began), flush=True)
            except Exception:
                failed += 1
                print("FAIL", name, flush=True)
                traceback.print_exc()
    finally:
        display.close()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
