"""The program's files as the tests prepare and read them: task records, pulse records, the
options file and the catalogue of its keys. Standard library only."""
import datetime
import struct

RECORD_SIZE = 288
# id, text length, text area, Timer, StartTime, DoTime, Activ, padding.
_RECORD = struct.Struct("<iB255sIddB7s")
assert _RECORD.size == RECORD_SIZE

GLOBAL = b"%Global%"


class Task:
    """The meaningful fields of one task record."""

    def __init__(self, text, id=0, timer=0, start=45000.25, done=None, activ=True):
        self.text = text if isinstance(text, bytes) else text.encode("cp1251")
        self.id, self.timer, self.start, self.activ = id, timer, start, activ
        self.done = start if done is None else done

    def pack(self, junk=0):
        """The record, with junk in the bytes that carry no meaning (seeded by junk, 0 = none)."""
        area = self.text + bytes((junk * 37 + i * 11) & 0xFF for i in range(255 - len(self.text)))
        pad = bytes((junk * 53 + i * 29 + 1) & 0xFF for i in range(7))
        if not junk:
            area, pad = self.text.ljust(255, b"\0"), bytes(7)
        return _RECORD.pack(self.id, len(self.text), area, self.timer, self.start, self.done,
                            1 if self.activ else 0, pad)

    def __repr__(self):
        return "Task(%r, id=%d, timer=%d, start=%r, done=%r, activ=%r)" % (
            self.text, self.id, self.timer, self.start, self.done, self.activ)


def task_file(tasks, tail=b""):
    return b"".join(t.pack(junk=k + 1) for k, t in enumerate(tasks)) + tail


def read_tasks(data):
    """The records of a task file; its size must be a whole number of records."""
    assert len(data) % RECORD_SIZE == 0, "task file of %d bytes is no whole number of records" % len(data)
    tasks = []
    for at in range(0, len(data), RECORD_SIZE):
        id_, length, area, timer, start, done, activ, _ = _RECORD.unpack_from(data, at)
        assert activ in (0, 1), "Activ byte %d in record %d" % (activ, at // RECORD_SIZE)
        tasks.append(Task(area[:length], id_, timer, start, done, activ == 1))
    return tasks


def now_as_datetime_value():
    """Local date and time as days since 30 December 1899, the way task times are stored."""
    return (datetime.datetime.now() - datetime.datetime(1899, 12, 30)).total_seconds() / 86400.0


def pulse_file(points):
    return b"".join(struct.pack("<ii", x, y) for x, y in points)


def read_pulse(data):
    assert len(data) % 8 == 0, "pulse file of %d bytes is no whole number of records" % len(data)
    return [struct.unpack_from("<ii", data, at) for at in range(0, len(data), 8)]


# The 18 settings in catalogue order: section, key, default text.
CATALOGUE = [
    ("Value", "ChartTimer", "60000"),
    ("Value", "FloatWindow", "Tasks"),
    ("Value", "FormHeight", "220"),
    ("Tasks", "AutoHide", "true"),
    ("Tasks", "SortType", "ActiveUp"),
    ("Tasks", "TaskOperation", "AutoHide"),
    ("Tasks", "FloatHide", "True"),
    ("Tasks", "FloatTimer", "3000"),
    ("Tasks", "RemoveTaskCompleted", "False"),
    ("Tasks", "rtc_Event", "close"),
    ("Tasks", "rtc_TimePeriod", "day"),
    ("Tasks", "rtc_TimeCount", "1"),
    ("Effects", "AlphaBlend", "true"),
    ("Effects", "AlphaBlendInc", "50"),
    ("HotKeys", "HK_Show_Hide", "Ctrl+Alt+Z"),
    ("HotKeys", "HK_AddTask", "Ctrl+Alt+C"),
    ("HotKeys", "HK_Exit", "Ctrl+Alt+E"),
    ("Value", "Autorun", "False"),
]


def ini_lines(data):
    """The non-blank lines of an INI file, without their line ends."""
    text = data.decode("utf-8")
    return [line.rstrip("\r") for line in text.split("\n") if line.strip()]


def ini_entries(data):
    """(section, key, value) for every key line, in file order."""
    entries, section = [], None
    for line in ini_lines(data):
        if line.startswith("["):
            section = line[1:line.index("]")]
        elif "=" in line and not line.startswith(";"):
            key, value = line.split("=", 1)
            entries.append((section, key, value))
    return entries


def fresh_ini_lines(values):
    """The lines an options file written from scratch holds: one section per name in the order
    the catalogue first names it, its keys in catalogue order, with the given texts."""
    lines, sections = [], []
    for section, _, _ in CATALOGUE:
        if section not in sections:
            sections.append(section)
    for section in sections:
        lines.append("[%s]" % section)
        lines += ["%s=%s" % (key, values.get(key, default)) for s, key, default in CATALOGUE if s == section]
    return lines
