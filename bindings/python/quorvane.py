"""The time-and-attendance library's C interface for Python (standard library ctypes only).

    import quorvane
    lib = quorvane.Library()                      # libquorvane.so, or Quorvane.dll on Windows
    times = lib.calc(3, datetime(2025, 2, 10, 8), datetime(2025, 2, 10, 12))
    with lib.day_items(3, date(2025, 2, 10)) as items:
        for item in items:
            print(item.kind_name, item.start, item.end, item.value, item.text)

The library reads its installation when it is loaded: on Linux through the registry store
(QUORVANE_REGISTRY_DIR=D with D/user.reg naming the data folder), on Windows through the real
registry. Set the environment before the first Library() of a process: the library starts once
per process and keeps its installation until the process ends.

Dates go in and come out as datetime (a date is taken as its midnight), durations come out as
timedelta. Texts are the installation's Windows ANSI text (code page 1252), decoded here. The
library works on process-wide objects: call it from one thread at a time.
"""

import ctypes
import datetime as _dt
import glob
import os
import sys
from dataclasses import dataclass
from typing import List, Optional, Tuple, Union

__all__ = [
    "Library", "QuorvaneError", "LibraryNotFound", "LibraryNotStarted", "CalculationError",
    "EnumerationError", "Times", "Item", "KIND_NAMES", "to_datetime_value", "from_datetime_value",
]

ENCODING = "cp1252"

# The library writes a text with no size given; its longest texts (a data path, the remarks of a
# day, one per line) stay far below this.
_BUFFER_SIZE = 64 * 1024

_EPOCH = _dt.datetime(1899, 12, 30)
_MS_PER_DAY = 86_400_000

KIND_NAMES = {
    0: "Spanne", 1: "Paar", 2: "Modell", 3: "Soll", 4: "Rahmen", 5: "Rundung", 6: "RundFrei",
    7: "Netto", 8: "Luecke", 9: "Pause", 10: "TagKonto1", 11: "TagKonto2", 12: "TagKonto3",
    13: "TagKonto4", 14: "TagKonto5", 15: "Stueck", 18: "Bemerkung",
}


class QuorvaneError(Exception):
    """Every failure this module reports."""


class LibraryNotFound(QuorvaneError):
    """The library file is missing or cannot be loaded into this Python."""


class LibraryNotStarted(QuorvaneError):
    """The library loaded but its start-up failed (no installation, invalid data path...)."""


class CalculationError(QuorvaneError):
    """CalcZeit answered false: unknown person, range before the start of time recording or
    outside the permitted years, a file that could not be read."""


class EnumerationError(QuorvaneError):
    """The order-day enumeration could not be begun, read or ended as asked."""


@dataclass(frozen=True)
class Times:
    """CalcZeit's four answers, each with the break windows' deduction."""

    presence: _dt.timedelta          # Zeit1: presence in the range before rounding
    presence_rounded: _dt.timedelta  # Zeit2: presence in the range after rounding
    worked: _dt.timedelta            # Zeit3: worked time of the days walked before rounding
    worked_rounded: _dt.timedelta    # Zeit4: worked time of the days walked after rounding


@dataclass(frozen=True)
class Item:
    """One item of a day's enumeration; start and end are None where the kind has none."""

    kind: int
    kind_name: str
    start: Optional[_dt.datetime]
    end: Optional[_dt.datetime]
    value: _dt.timedelta
    text: str


DateLike = Union[_dt.datetime, _dt.date]


def to_datetime_value(moment: DateLike) -> float:
    """Days since 30 December 1899, the fraction the time of day (before 1899 the fraction still
    counts forward from the day's midnight, as the library's date-times do)."""
    if not isinstance(moment, _dt.datetime):
        if not isinstance(moment, _dt.date):
            raise TypeError(f"a date or datetime, not {type(moment).__name__}")
        moment = _dt.datetime(moment.year, moment.month, moment.day)
    if moment.tzinfo is not None:
        raise ValueError("a local date-time without time zone")
    day = _dt.datetime(moment.year, moment.month, moment.day)
    days = (day - _EPOCH).days
    fraction = (moment - day) / _dt.timedelta(days=1)
    return days - fraction if days < 0 else days + fraction


def from_datetime_value(value: float) -> _dt.datetime:
    """The datetime of a library date-time, to the millisecond."""
    days = int(value)  # towards zero, as the library splits its date-times
    ms = round(abs(value - days) * _MS_PER_DAY)
    return _EPOCH + _dt.timedelta(days=days, milliseconds=ms)


def _duration(value: float) -> _dt.timedelta:
    return _dt.timedelta(milliseconds=round(value * _MS_PER_DAY))


def _library_names() -> List[str]:
    if sys.platform == "win32":
        return ["Quorvane.dll"]
    return ["libquorvane.so", "libquorvane.so.1"]


def find_library() -> str:
    """QUORVANE_LIBRARY, else the library next to this module, else one in the source tree's
    build folders (release before debug)."""
    named = os.environ.get("QUORVANE_LIBRARY")
    if named:
        return named
    here = os.path.dirname(os.path.abspath(__file__))
    candidates = [os.path.join(here, n) for n in _library_names()]
    build = os.path.join(here, os.pardir, os.pardir, "build")
    for preset in ["linux-release", "linux-debug", "linux-clang", "windows-i686", "*"]:
        for n in _library_names():
            candidates += sorted(glob.glob(os.path.join(build, preset, n)))
    for c in candidates:
        if os.path.isfile(c):
            return os.path.normpath(c)
    raise LibraryNotFound("no " + " or ".join(_library_names()) + " next to " + here +
                          " or in its build folders; name it with QUORVANE_LIBRARY")


def _load(path: str) -> ctypes.CDLL:
    try:
        if sys.platform == "win32":
            return ctypes.WinDLL(path)  # stdcall exports
        return ctypes.CDLL(path)
    except OSError as e:
        hint = ""
        if sys.platform == "win32" and ctypes.sizeof(ctypes.c_void_p) == 8:
            hint = " (the 32-bit Quorvane.dll needs a 32-bit Python)"
        raise LibraryNotFound(f"cannot load {path}: {e}{hint}") from e


_D = ctypes.c_double
_PD = ctypes.POINTER(ctypes.c_double)
_I = ctypes.c_int32
_B = ctypes.c_ubyte
_S = ctypes.c_char_p

_PROTOTYPES = {
    "GetDataPath": (None, [_S]),
    "GetPersFrei": (None, [_I, _S]),
    "GetAuswOffset": (_I, []),
    "GetAufOffset": (_I, []),
    "CalcZeit": (_B, [_I, _D, _D, _PD, _PD, _PD, _PD]),
    "QRVBeginAufTag": (_I, [_I, _D, _B]),
    "QRVGetAufTagData": (_B, [_I, ctypes.POINTER(_I), _PD, _PD, _PD, _S]),
    "QRVEndAufTag": (_B, []),
    "QRVGetTagVonBis": (_B, [_I, _PD, _PD, _B]),
}

# One open enumeration per process, whatever Library objects there are: the library keeps its
# state in process-wide variables.
_open_enumeration = None


class Library:
    """The loaded library with its nine exports as methods."""

    def __init__(self, path: Optional[str] = None):
        self.path = path or find_library()
        self._dll = _load(self.path)
        for name, (restype, argtypes) in _PROTOTYPES.items():
            try:
                f = getattr(self._dll, name)
            except AttributeError as e:
                raise LibraryNotFound(f"{self.path} has no export {name}") from e
            f.restype = restype
            f.argtypes = argtypes
        self._buffer = ctypes.create_string_buffer(_BUFFER_SIZE)
        # A library that started always has a data folder: its start-up refuses an invalid one.
        if not self.data_path():
            raise LibraryNotStarted(
                f"{self.path} did not start: no installation (on Linux set QUORVANE_REGISTRY_DIR "
                "to a folder whose user.reg names the data folder, before loading)")

    def _text(self) -> str:
        return self._buffer.value.decode(ENCODING)

    # Settings.
    def data_path(self) -> str:
        """The data folder, ending in the platform's separator."""
        self._buffer[0] = b"\0"
        self._dll.GetDataPath(self._buffer)
        return self._text()

    def pers_frei(self, index: int) -> str:
        """The caption of person free-text field index (1 to 20); empty when unset."""
        if not isinstance(index, int) or not 1 <= index <= 20:
            raise ValueError(f"free-text field 1 to 20, not {index!r}")
        self._buffer[0] = b"\0"
        self._dll.GetPersFrei(index, self._buffer)
        return self._text()

    def ausw_offset(self) -> int:
        """The badge number offset; -1 when the installation initialises badge numbers."""
        return self._dll.GetAuswOffset()

    def auf_offset(self) -> int:
        """The order offset; 0 when not set."""
        return self._dll.GetAufOffset()

    # Calculations.
    def calc(self, person: int, start: DateLike, end: DateLike) -> Times:
        """A person's presence and worked time between start and end (CalcZeit)."""
        out = [_D(0) for _ in range(4)]
        ok = self._dll.CalcZeit(_person(person), to_datetime_value(start), to_datetime_value(end),
                                *[ctypes.byref(o) for o in out])
        if not ok:
            raise CalculationError(
                f"CalcZeit failed for person {person} from {start} to {end}: no such person, a "
                "range before the start of time recording or outside the permitted years, or "
                "a data file that could not be read")
        return Times(*[_duration(o.value) for o in out])

    def day_items(self, person: int, day: DateLike, mode: int = 0) -> "DayItems":
        """The items of a person's day, as a context manager (QRVBeginAufTag ... QRVEndAufTag).
        mode 0 or 2 rounds comings and goings for the presence pieces, 1 leaves them."""
        return DayItems(self, _person(person), to_datetime_value(day), _mode(mode))

    def span(self, person: int, day: DateLike, mode: int = 0) -> Tuple[_dt.datetime, _dt.datetime]:
        """When the person's presence on the day began and ended (QRVGetTagVonBis): the day's
        midnight and the next one when there was none."""
        start = _D(to_datetime_value(day))
        end = _D(0)
        if not self._dll.QRVGetTagVonBis(_person(person), ctypes.byref(start), ctypes.byref(end),
                                         _mode(mode)):
            raise QuorvaneError(f"QRVGetTagVonBis failed for person {person} on {day}")
        return from_datetime_value(start.value), from_datetime_value(end.value)


def _person(person: int) -> int:
    if not isinstance(person, int) or isinstance(person, bool):
        raise TypeError(f"a person number, not {type(person).__name__}")
    if not 1 <= person <= 9999:
        raise ValueError(f"person number 1 to 9999, not {person}")
    return person


def _mode(mode: int) -> int:
    if mode not in (0, 1, 2):
        raise ValueError(f"mode 0, 1 or 2, not {mode!r}")
    return mode


class DayItems:
    """An open enumeration: a sequence of Item from entering to leaving the with block. The
    library answers no items both for a day without any and for a failure it swallows."""

    def __init__(self, lib: Library, person: int, day: float, mode: int):
        self._lib = lib
        self._args = (person, day, mode)
        self._count = 0
        self._open = False

    def __enter__(self) -> "DayItems":
        global _open_enumeration
        if _open_enumeration is not None:
            raise EnumerationError("an enumeration is open already: end it first")
        self._count = self._lib._dll.QRVBeginAufTag(*self._args)
        self._open = True
        _open_enumeration = self
        return self

    def __exit__(self, *exc) -> None:
        global _open_enumeration
        self._open = False
        _open_enumeration = None
        if not self._lib._dll.QRVEndAufTag() and exc[0] is None:
            raise EnumerationError("QRVEndAufTag failed")

    def __len__(self) -> int:
        return self._count

    def __getitem__(self, index: int) -> Item:
        if not self._open:
            raise EnumerationError("the enumeration is not open")
        if index < 0:
            index += self._count
        if not 0 <= index < self._count:
            raise IndexError(index)
        kind, start, end, value = _I(0), _D(0), _D(0), _D(0)
        buf = self._lib._buffer
        buf[0] = b"\0"
        if not self._lib._dll.QRVGetAufTagData(index, ctypes.byref(kind), ctypes.byref(start),
                                               ctypes.byref(end), ctypes.byref(value), buf):
            raise EnumerationError(f"QRVGetAufTagData refused item {index}")
        return Item(kind.value, KIND_NAMES.get(kind.value, "?"),
                    from_datetime_value(start.value) if start.value else None,
                    from_datetime_value(end.value) if end.value else None,
                    _duration(value.value), buf.value.decode(ENCODING))

    def __iter__(self):
        for i in range(self._count):
            yield self[i]
