"""Units of measure for structural design: display text, reading and validation of
lengths, angles, weights, forces, moments and stresses.

Values are in the host's internal units: millimetres (and their powers), degrees,
grams, kilonewtons, kilonewton-metres and newtons per square millimetre.

    >>> import pelunits
    >>> unit = pelunits.Unit("feet-inch-fraction", precision=16)
    >>> unit.display(1689.1, separator="-")
    '5\\'-6 1/2"'

A unit is used by one thread at a time; units may be made on any thread.
"""

import ctypes
import enum

from . import _native
from ._native import lib as _lib

__all__ = ["Unit", "ReadError", "ReadStatus", "Quantity", "units", "set_locale", "set_regional_format", "library_version"]

_OK = 0
_INCOMPLETE = 1
_INVALID = 2
_BUFFER_TOO_SMALL = 3
_BAD_ARGUMENT = 4
_NO_MEMORY = 5

_TRIM_TRAILING_ZEROS = 0x01
_TRIM_LEADING_ZERO = 0x02
_HIDE_ZERO_FEET = 0x04
_HIDE_ZERO_INCHES = 0x08
_WITH_UNITS = 0x10
_ARCH_INCH_MARK = 0x20
_ARCH_STACKED = 0x40
_ARCH_DASH_AFTER_FEET = 0x80
_ARCH_EXTRA = 0x100


class ReadStatus(enum.IntEnum):
    """What a typed text is for a unit."""

    COMPLETE = 0
    INCOMPLETE = 1
    INVALID = 2


class Quantity(enum.IntEnum):
    """The quantity of a unit, and so the internal unit of its values."""

    LENGTH = 0  # millimetres raised to the unit's power
    ANGLE = 1  # degrees
    WEIGHT = 2  # grams
    FORCE = 3  # kilonewtons
    MOMENT = 4  # kilonewton-metres
    STRESS = 5  # newtons per square millimetre


class ReadError(ValueError):
    """A text that the exact reader does not take as a whole quantity.

    position: where reading stopped, in characters of the text; incomplete: True when
    the text is the start of a quantity ("5' 6 1/"), False when nothing can complete it.
    """

    def __init__(self, text, position, incomplete, message):
        self.text = text
        self.position = position
        self.incomplete = incomplete
        self.message = message
        super().__init__("%s at position %d of %r" % (message, position, text))


def _message(status):
    return _lib.pelunits_status_message(status).decode("utf-8")


def _encode(text):
    if not isinstance(text, str):
        raise TypeError("text must be str, not %s" % type(text).__name__)
    try:
        return text.encode("utf-8")
    except UnicodeEncodeError as error:
        raise ValueError("text is not valid Unicode: %s" % error) from None


def _text_out(call):
    """Runs a C display call twice at most: into a buffer of 64 bytes, then into one
    of the size it asked for."""
    length = ctypes.c_size_t(0)
    buffer = ctypes.create_string_buffer(64)
    status = call(buffer, len(buffer), ctypes.byref(length))
    if status == _BUFFER_TOO_SMALL:
        buffer = ctypes.create_string_buffer(length.value + 1)
        status = call(buffer, len(buffer), ctypes.byref(length))
    if status == _NO_MEMORY:
        raise MemoryError()
    if status != _OK:
        raise ValueError(_message(status))
    return buffer.raw[: length.value].decode("utf-8")


def _separator(separator):
    if isinstance(separator, int):
        return separator
    if not isinstance(separator, str) or len(separator) != 1:
        raise ValueError("separator must be one character")
    return ord(separator)


def units():
    """The unit names that Unit() takes, in the order `pelunits units` lists them."""
    count = _lib.pelunits_named_unit_count()
    return [_lib.pelunits_named_unit_name(i).decode("utf-8") for i in range(count)]


def set_locale(name=None):
    """Chooses the regional locale for the whole process ("de_DE.UTF-8"; "de-DE" on
    Windows); None or "" returns to the environment's. Returns whether it can be read."""
    _lib.pelunits_set_locale(name.encode("utf-8") if name else None)
    return _lib.pelunits_locale_available() != 0


def set_regional_format(decimal=None, group=",", grouping=3, negative_form=1, leading_zero=True):
    """Gives the number format of every regional display and reading for the whole
    process, above the chosen locale and the environment's: the decimal and group
    separators (1 to 3 and 0 to 3 characters), digits per group (0 to 9), the negative
    form (0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -") and the leading zero of
    "0.5". With no decimal separator, returns to the system's format. Raises ValueError
    for a format the library refuses, which then changes nothing."""
    if decimal is None:
        _lib.pelunits_set_number_format(None)
        return
    if not isinstance(grouping, int) or not 0 <= grouping <= 9:
        raise ValueError("grouping must be 0 to 9")
    separators = [_encode(decimal), _encode(group)]
    if any(b"\0" in separator for separator in separators):
        raise ValueError("a separator must not hold NUL")
    record = _native.NumberFormat(
        ctypes.sizeof(_native.NumberFormat),
        separators[0],
        separators[1],
        grouping,
        negative_form,
        1 if leading_zero else 0,
    )
    status = _lib.pelunits_set_number_format(ctypes.byref(record))
    if status != 0:
        raise ValueError("invalid number format: %s" % _message(status))


def library_version():
    """The version of the loaded library, "MAJOR.MINOR.PATCH"."""
    return _lib.pelunits_version().decode("ascii")


__version__ = library_version()


class Unit:
    """A display unit: by name, Unit("metres"), or by the factory codes,
    Unit(codes=(20, 1)); keyword settings are applied after the name's own."""

    def __init__(self, name=None, *, codes=None, precision=None, factor=None, power=None,
                 regional=None, symbol=None):
        self._handle = None
        if (name is None) == (codes is None):
            raise TypeError("give either a unit name or codes=(system_units, representation)")
        if name is not None:
            handle = _lib.pelunits_unit_from_name(_encode(name))
            if not handle:
                raise ValueError("unknown unit %r; pelunits.units() lists the names" % name)
        else:
            system_units, representation = codes
            handle = _lib.pelunits_unit_new(int(system_units), int(representation))
            if not handle:
                raise ValueError("the factory has no unit for codes %r" % (tuple(codes),))
        self._handle = handle
        if factor is not None:
            self.factor = factor
        if precision is not None:
            self.precision = precision
        if power is not None:
            self.power = power
        if regional is not None:
            self.regional = regional
        if symbol is not None:
            self.symbol = symbol

    @classmethod
    def _wrap(cls, handle):
        unit = cls.__new__(cls)
        unit._handle = handle
        return unit

    def close(self):
        """Releases the unit now rather than when it is collected."""
        handle, self._handle = self._handle, None
        if handle:
            _lib.pelunits_unit_free(handle)

    def __del__(self):
        if getattr(self, "_handle", None):
            self.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _h(self):
        if not self._handle:
            raise ValueError("the unit is closed")
        return self._handle

    def copy(self):
        """An independent unit with the same settings."""
        handle = _lib.pelunits_unit_clone(self._h())
        if not handle:
            raise MemoryError()
        return Unit._wrap(handle)

    def __repr__(self):
        if not self._handle:
            return "<pelunits.Unit closed>"
        return "<pelunits.Unit codes=(%d, %d) precision=%d>" % (
            self.codes + (self.precision,))

    # Settings, as the C++ setters take and correct them.
    @property
    def codes(self):
        h = self._h()
        return (_lib.pelunits_unit_system_units(h), _lib.pelunits_unit_representation(h))

    @property
    def quantity(self):
        return Quantity(_lib.pelunits_unit_quantity(self._h()))

    @property
    def precision(self):
        """In the unit's own form: 100 for two decimals, 16 for sixteenths, 3600 for seconds."""
        return _lib.pelunits_unit_get_precision(self._h())

    @precision.setter
    def precision(self, value):
        _lib.pelunits_unit_set_precision(self._h(), int(value))

    def increment_precision(self):
        """One step finer; True when something changed."""
        return _lib.pelunits_unit_increment_precision(self._h()) != 0

    @property
    def no_decimals(self):
        return _lib.pelunits_unit_get_no_decimals(self._h()) != 0

    @property
    def factor(self):
        return _lib.pelunits_unit_get_factor(self._h())

    @factor.setter
    def factor(self, value):
        _lib.pelunits_unit_set_factor(self._h(), float(value))

    @property
    def power(self):
        return _lib.pelunits_unit_get_power(self._h())

    @power.setter
    def power(self, value):
        _lib.pelunits_unit_set_power(self._h(), int(value))

    @property
    def regional(self):
        return _lib.pelunits_unit_get_regional(self._h()) != 0

    @regional.setter
    def regional(self, value):
        _lib.pelunits_unit_set_regional(self._h(), 1 if value else 0)

    @property
    def symbol(self):
        h = self._h()
        return _text_out(lambda b, n, l: _lib.pelunits_unit_get_symbol(h, b, n, l))

    @symbol.setter
    def symbol(self, value):
        if "\0" in value:
            raise ValueError("a symbol cannot hold NUL")
        status = _lib.pelunits_unit_set_symbol(self._h(), _encode(value))
        if status != _OK:
            raise ValueError(_message(status))

    @property
    def is_metric(self):
        return _lib.pelunits_unit_is_metric(self._h()) != 0

    @property
    def is_fractional(self):
        return _lib.pelunits_unit_is_fractional(self._h()) != 0

    @property
    def is_angle(self):
        return _lib.pelunits_unit_is_angle(self._h()) != 0

    # Display.
    @staticmethod
    def _flags(trim_trailing_zeros, trim_leading_zero, hide_zero_feet, hide_zero_inches):
        return ((_TRIM_TRAILING_ZEROS if trim_trailing_zeros else 0)
                | (_TRIM_LEADING_ZERO if trim_leading_zero else 0)
                | (_HIDE_ZERO_FEET if hide_zero_feet else 0)
                | (_HIDE_ZERO_INCHES if hide_zero_inches else 0))

    def display(self, value, trim_trailing_zeros=False, trim_leading_zero=False,
                hide_zero_feet=False, hide_zero_inches=False, separator=" ", with_units=False):
        """The display text of an internal value. with_units adds a blank and the symbol
        (of the other options only trim_trailing_zeros applies then)."""
        flags = self._flags(trim_trailing_zeros, trim_leading_zero, hide_zero_feet,
                            hide_zero_inches) | (_WITH_UNITS if with_units else 0)
        h, sep, v = self._h(), _separator(separator), float(value)
        return _text_out(lambda b, n, l: _lib.pelunits_display(h, v, flags, sep, b, n, l))

    def display_many(self, values, **options):
        """display() of every value, as a list."""
        return [self.display(value, **options) for value in values]

    def display_arch(self, value, trim_trailing_zeros=False, representation=0,
                     line_arrangement=0, fraction_parameter=1.0, inch_mark=False,
                     stacked=False, dash_after_feet=False, extra=False, trim_leading_zero=False,
                     hide_zero_feet=False, hide_zero_inches=False, separator=" "):
        """The display with fractions as the markup "#fraction(r,l,s,p,n,d)"."""
        flags = (self._flags(trim_trailing_zeros, trim_leading_zero, hide_zero_feet,
                             hide_zero_inches)
                 | (_ARCH_INCH_MARK if inch_mark else 0) | (_ARCH_STACKED if stacked else 0)
                 | (_ARCH_DASH_AFTER_FEET if dash_after_feet else 0)
                 | (_ARCH_EXTRA if extra else 0))
        h, sep, v = self._h(), _separator(separator), float(value)
        r, a, p = int(representation), int(line_arrangement), float(fraction_parameter)
        return _text_out(
            lambda b, n, l: _lib.pelunits_display_arch(h, v, flags, r, a, p, sep, b, n, l))

    # Reading.
    def _read(self, text):
        data = _encode(text)
        value = ctypes.c_double(0.0)
        offset = ctypes.c_size_t(0)
        message = ctypes.c_char_p()
        status = _lib.pelunits_read_ex(self._h(), data, len(data), ctypes.byref(value),
                                       ctypes.byref(offset), ctypes.byref(message))
        if status == _NO_MEMORY:
            raise MemoryError()
        if status not in (_OK, _INCOMPLETE, _INVALID):
            raise ValueError(_message(status))
        return status, value.value, data, offset.value, message.value

    def read(self, text):
        """The exact reader: the quantity when all of the text is one, else ReadError."""
        status, value, data, offset, message = self._read(text)
        if status != _OK:
            position = len(data[:offset].decode("utf-8", "replace"))
            raise ReadError(text, position, status == _INCOMPLETE,
                            (message or b"").decode("utf-8", "replace"))
        return value

    def read_many(self, texts, errors="raise"):
        """read() of every text, as a list; errors="nan" gives nan for the texts that
        do not read instead of raising."""
        if errors not in ("raise", "nan"):
            raise ValueError("errors must be 'raise' or 'nan'")
        values = []
        for text in texts:
            status, value, _, _, _ = self._read(text)
            if status != _OK:
                if errors == "raise":
                    self.read(text)
                value = float("nan")
            values.append(value)
        return values

    def status(self, text):
        """ReadStatus of the text: COMPLETE, INCOMPLETE or INVALID."""
        return ReadStatus(self._read(text)[0])

    def read_as_typed(self, text):
        """The unit's own reader for its quantity: what it cannot read reads as 0."""
        data = _encode(text)
        return _lib.pelunits_read_as_typed_ex(self._h(), data, len(data))

    def is_valid(self, text):
        """The unit's own validator."""
        data = _encode(text)
        return _lib.pelunits_is_valid_ex(self._h(), data, len(data)) != 0
