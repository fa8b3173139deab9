"""The Python module against the Linux library on a demo installation written by the tool.

QUORVANE_LIBRARY names the library, QUORVANE_TOOL the tool (default: the tool of the library's
build tree). The expected times follow by hand from the demo's bookings and its models.
"""

import datetime as dt
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

import quorvane

lib = None
folder = None


def setUpModule():
    global lib, folder
    library = quorvane.find_library()
    tool = os.environ.get("QUORVANE_TOOL") or os.path.join(
        os.path.dirname(library), "tools", "quorvane", "quorvane")
    folder = tempfile.mkdtemp(prefix="qrv_python_")
    data = os.path.join(folder, "daten")
    subprocess.run([tool, "demo", data, "--persons", "8", "--date", "2025-03-15"], check=True,
                   stderr=subprocess.DEVNULL)
    # The library reads its installation once, when it is loaded.
    os.environ["QUORVANE_REGISTRY_DIR"] = os.path.join(data, "REGISTRY")
    lib = quorvane.Library(library)


def tearDownModule():
    shutil.rmtree(folder, ignore_errors=True)


def hm(hours, minutes):
    return dt.timedelta(hours=hours, minutes=minutes)


def at(day, hour, minute):
    return dt.datetime(2025, 2, day, hour, minute)


class DateTimeValues(unittest.TestCase):
    def test_days_since_1899_12_30(self):
        cases = [
            (dt.datetime(1899, 12, 30), 0.0),
            (dt.datetime(1899, 12, 30, 6), 0.25),
            # Before the epoch the time still counts forward from the day's midnight.
            (dt.datetime(1899, 12, 29, 6), -1.25),
            (dt.datetime(2025, 1, 1, 18), 45658.75),
            (dt.date(2025, 2, 10), 45698.0),
        ]
        for moment, value in cases:
            with self.subTest(moment=moment):
                self.assertAlmostEqual(quorvane.to_datetime_value(moment), value, places=9)
                if isinstance(moment, dt.datetime):
                    self.assertEqual(quorvane.from_datetime_value(value), moment)
        # A minute computed in floating point comes back as the minute.
        self.assertEqual(quorvane.from_datetime_value(45698 + (7 * 60 + 28) / 1440), at(10, 7, 28))
        with self.assertRaises(TypeError):
            quorvane.to_datetime_value("2025-02-10")


class StartUp(unittest.TestCase):
    def test_no_installation_is_a_clear_error(self):
        # In a process of its own: the library starts once per process.
        with tempfile.TemporaryDirectory() as empty:
            env = dict(os.environ, QUORVANE_REGISTRY_DIR=empty, QUORVANE_LIBRARY=lib.path)
            run = subprocess.run(
                [sys.executable, "-B", "-c", "import quorvane\n"
                 "try:\n quorvane.Library()\n"
                 "except quorvane.LibraryNotStarted as e:\n print('not started:', e)"],
                cwd=os.path.dirname(os.path.abspath(quorvane.__file__)), env=env,
                capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("not started:", run.stdout)
        self.assertIn("QUORVANE_REGISTRY_DIR", run.stdout)
        with self.assertRaises(quorvane.LibraryNotFound):
            quorvane.Library(os.path.join(folder, "no-such-library.so"))


class Settings(unittest.TestCase):
    def test_settings_of_the_demo(self):
        self.assertEqual(lib.data_path(), os.path.join(folder, "daten") + "/")
        self.assertEqual(lib.pers_frei(4), "Geb\u00e4ude")  # stored in code page 1252
        self.assertEqual(lib.pers_frei(20), "")
        self.assertEqual(lib.ausw_offset(), 10000)
        self.assertEqual(lib.auf_offset(), 500000)
        for bad in (0, 21):
            with self.assertRaises(ValueError):
                lib.pers_frei(bad)


# Person 3 works model 2 (no rounding, break windows 09:30-09:45 and 12:00-12:30, an automatic
# break of 0:30 from 6:00 of presence) and booked 07:28-16:11 on Monday 2025-02-10 and
# 07:27-16:11 on the Tuesday; the Sunday before is free.
class Calculations(unittest.TestCase):
    def test_calc_of_a_morning(self):
        t = lib.calc(3, at(10, 8, 0), at(10, 12, 0))
        # The window holds 4:00 of presence, the days walked 8:43 + 8:44; the two days' break
        # windows (2 x 0:45) go into every sum.
        self.assertEqual(t, quorvane.Times(hm(2, 30), hm(2, 30), hm(15, 57), hm(15, 57)))

    def test_items_of_the_day(self):
        with lib.day_items(3, dt.date(2025, 2, 10), mode=1) as items:
            got = [(i.kind, i.kind_name, i.start, i.end, i.value, i.text) for i in items]
            self.assertEqual(len(items), len(got))
        self.assertEqual(got, [
            (2, "Modell", None, None, hm(0, 0), "0002 Festzeit B\u00fcro"),
            (3, "Soll", None, None, hm(8, 0), ""),
            (7, "Netto", at(10, 7, 28), at(10, 16, 11), hm(7, 28), ""),
            (9, "Pause", at(10, 9, 30), at(10, 9, 45), hm(0, 15), ""),
            (9, "Pause", at(10, 12, 0), at(10, 12, 30), hm(0, 30), ""),
            (0, "Spanne", at(10, 7, 28), at(10, 16, 11), hm(8, 43), ""),
            (1, "Paar", at(10, 7, 28), at(10, 16, 11), hm(8, 43), ""),
            (15, "Stueck", at(10, 7, 28), at(10, 9, 30), hm(2, 2), ""),
            (15, "Stueck", at(10, 9, 45), at(10, 12, 0), hm(2, 15), ""),
            (15, "Stueck", at(10, 12, 30), at(10, 16, 11), hm(3, 41), ""),
        ])
        with lib.day_items(3, dt.date(2025, 2, 9)) as items:
            self.assertEqual(list(items), [])

    def test_enumeration_is_one_at_a_time(self):
        with lib.day_items(3, dt.date(2025, 2, 10)) as items:
            with self.assertRaises(quorvane.EnumerationError):
                with lib.day_items(2, dt.date(2025, 2, 5)):
                    pass
            self.assertEqual(items[-1].kind, 15)  # the open one is still there
        with self.assertRaises(quorvane.EnumerationError):
            items[0]

    def test_span(self):
        cases = [
            (3, dt.date(2025, 2, 10), 0, at(10, 7, 28), at(10, 16, 11)),
            # Person 2 booked 08:25-12:20 and 12:55-16:48; mode 1 leaves them unrounded.
            (2, dt.date(2025, 2, 5), 1, at(5, 8, 25), at(5, 16, 48)),
            # Person 7's night shift from 21:50 to 06:06 of the next day.
            (7, dt.date(2025, 2, 3), 1, at(3, 21, 50), at(4, 6, 6)),
            (3, dt.date(2025, 2, 9), 0, at(9, 0, 0), at(10, 0, 0)),
        ]
        for person, day, mode, start, end in cases:
            with self.subTest(person=person, day=day):
                self.assertEqual(lib.span(person, day, mode), (start, end))

    def test_failures(self):
        with self.assertRaises(quorvane.CalculationError):
            lib.calc(77, at(10, 8, 0), at(10, 12, 0))
        with self.assertRaises(quorvane.CalculationError):  # before time recording starts
            lib.calc(3, dt.datetime(2019, 2, 10, 8), dt.datetime(2019, 2, 10, 12))
        with self.assertRaises(quorvane.CalculationError):  # ends before it starts
            lib.calc(3, at(10, 12, 0), at(10, 8, 0))
        self.assertTrue(issubclass(quorvane.CalculationError, quorvane.QuorvaneError))
        with self.assertRaises(ValueError):
            lib.span(3, dt.date(2025, 2, 10), 3)
        with self.assertRaises(ValueError):
            lib.day_items(0, dt.date(2025, 2, 10))
        with self.assertRaises(TypeError):
            lib.calc("3", at(10, 8, 0), at(10, 12, 0))


if __name__ == "__main__":
    unittest.main()
