"""End-to-end tests of the real program under a private X server.

Usage: run_e2e.py PATH_TO_MURVANE"""
import os
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import Display, Program  # noqa: E402

TESTS = []


def e2e(fn):
    TESTS.append(fn)
    return fn


@e2e
def second_copy_is_refused_and_the_first_untouched(exe, display):
    first = Program(exe, display).start()
    second = Program(exe, display)
    try:
        first.main_window()
        before = sorted(os.listdir(first.dir))
        second.start()
        box = display.wait_window("^Ошибка$", second.proc.pid)
        assert not display.windows("^Murvane$", second.proc.pid), "the second copy showed its main window"
        display.xdotool("windowfocus", "--sync", box)
        display.xdotool("key", "Return")
        assert second.wait_exit() == 0, "the refused copy must end with exit code 0"
        assert first.proc.poll() is None, "the running copy must go on"
        assert sorted(os.listdir(first.dir)) == before
        assert sorted(os.listdir(second.dir)) == ["murvane"], "the refused copy must touch no file"
    finally:
        first.cleanup()
        second.cleanup()


def main():
    exe = os.path.abspath(sys.argv[1])
    display = Display()
    passed = failed = 0
    try:
        only = os.environ.get("MURVANE_E2E_ONLY")
        for test in TESTS:
            if only and only not in test.__name__:
                continue
            try:
                test(exe, display)
                passed += 1
                print("PASS", test.__name__, flush=True)
            except Exception:
                failed += 1
                print("FAIL", test.__name__, flush=True)
                traceback.print_exc()
    finally:
        display.close()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
