"""Units of measure for structural design: display text, reading and validation of
lengths, angles, weights, forces, moments and stresses.

Values are in the host's internal units: millimetres (and their powers), degrees,
grams, kilonewtons, kilonewton-metres and newtons per square millimetre.

    >>> import pelunits
    >>> unit = pelunits.Unit("feet-inch-fraction", precision=16)
    >>> unit.display(1689.1, separator="-")
    '5\\'-6 1/2"'

A unit is used by one thread at a time; units may be made on any thread, and a
copy (copy.copy, pickle) is an independent unit for another thread or process.
display_many and read_many convert a whole column in one call into the library per
chunk, without holding the interpreter's lock while the library works.
"""

import array
import ctypes
import enum
import itertools

from . import _native
from . import codes
from ._native import lib as _lib

__all__ = ["Unit", "codes", "ReadError", "ReadStatus", "Quantity", "units", "set_locale", "set_regional_format", "library_version"]

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
_NUL_AFTER_EACH = 0x200
_FORMAT_PLUS_SIGN = 0x400
_FORMAT_TYPOGRAPHIC = 0x800
_FORMAT_INEXACT_MARKER = 0x1000

_ROUNDING = {"nearest": 0, "up": 1, "down": 2}
_ANGLE_STYLE = {"plain": 0, "bearing": 1, "azimuth": 2}
_ANGLE_ZERO = {"east": 0, "north": 1, "west": 2, "south": 3}
_ANGLE_SENSE = {"counterclockwise": 0, "clockwise": 1}


def _angle_reading(angle_style, angle_zero, angle_sense):
    """The C codes of an angle style and convention, checked."""
    for name, value, codes in (("angle_style", angle_style, _ANGLE_STYLE),
                               ("angle_zero", angle_zero, _ANGLE_ZERO),
                               ("angle_sense", angle_sense, _ANGLE_SENSE)):
        if value not in codes:
            raise ValueError("%s must be one of %s" % (name, ", ".join(codes)))
    return _ANGLE_STYLE[angle_style], _ANGLE_ZERO[angle_zero], _ANGLE_SENSE[angle_sense]


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
    the text is the start of a quantity ("5' 6 1/"), False when nothing can complete it;
    index: the item of read_many's texts, None for read.
    """

    def __init__(self, text, position, incomplete, message, index=None):
        self.text = text
        self.position = position
        self.incomplete = incomplete
        self.message = message
        self.index = index
        where = "" if index is None else "item %d: " % index
        super().__init__("%s%s at position %d of %r" % (where, message, position, text))


# Columns travel to the library in chunks of this many items: one call each, with
# buffers that stay in the cache and offsets far below the 32-bit limit.
_CHUNK = 1 << 15
_MOST_OFFSET = (1 << 31) - 1
if array.array("i").itemsize != 4:
    raise ImportError("pelunits needs a 32-bit C int for its column offsets")


def _doubles(values):
    """The values as C doubles: a float64 buffer (array.array('d'), NumPy) is used
    where it lies; anything else is converted. Returns the buffer and its length."""
    try:
        view = memoryview(values)
    except TypeError:
        view = None
    if view is not None and view.ndim == 1 and view.format == "d" and view.c_contiguous:
        kind = ctypes.c_double * len(view)
        if view.readonly:
            return kind.from_buffer_copy(view), len(view)
        return kind.from_buffer(view), len(view)
    converted = array.array("d", values)
    return converted, len(converted)


def _packed_column(values, call):
    """The texts of a batch call over the values, in chunks, each text ended by a NUL:
    call(pointer, count, buffer, size, offsets, length) is the C call on one chunk."""
    data, count = _doubles(values)
    base = _address(data)
    offsets = (ctypes.c_int32 * (min(count, _CHUNK) + 1))()
    buffer = ctypes.create_string_buffer(min(count, _CHUNK) * 16 + 64)
    length = ctypes.c_size_t(0)
    texts = []
    for start in range(0, count, _CHUNK):
        n = min(_CHUNK, count - start)
        pointer = base + 8 * start
        status = call(pointer, n, buffer, len(buffer), offsets, ctypes.byref(length))
        if status == _BUFFER_TOO_SMALL:
            buffer = ctypes.create_string_buffer(length.value + length.value // 4)
            status = call(pointer, n, buffer, len(buffer), offsets, ctypes.byref(length))
        if status == _NO_MEMORY:
            raise MemoryError()
        if status != _OK:
            raise ValueError(_message(status))
        texts += _texts_of_chunk(ctypes.string_at(buffer, length.value), n)
    return texts


def _address(data):
    if isinstance(data, array.array):
        return data.buffer_info()[0]
    return ctypes.addressof(data)


def _texts_of_chunk(raw, count):
    """The texts of a chunk displayed with a NUL after each: one split, several times
    faster than slicing by offsets. The texts themselves hold no NUL (a symbol cannot,
    and a NUL separator is not asked for this way)."""
    texts = raw[:-1].decode("utf-8").split("\0")
    if len(texts) != count:
        raise ValueError("a display text holds a NUL")
    return texts


def _packed(texts):
    """The texts packed as UTF-8 with their offsets; None when they pass the offsets'
    limit. Lone surrogates pass through, for the library to refuse."""
    try:
        joined = "".join(texts)
    except TypeError:
        for index, text in enumerate(texts):
            if not isinstance(text, str):
                raise TypeError("item %d: text must be str, not %s"
                                % (index, type(text).__name__)) from None
        raise
    if joined.isascii():
        data = joined.encode("ascii")
        lengths = map(len, texts)
    else:
        encoded = [text.encode("utf-8", "surrogatepass") for text in texts]
        data = b"".join(encoded)
        lengths = map(len, encoded)
    if len(data) > _MOST_OFFSET:
        return None
    return data, array.array("i", itertools.accumulate(lengths, initial=0))


def _restore(name, codes, settings):
    """A unit from what pickle kept of one."""
    if name is not None:
        return Unit(name, **settings)
    return Unit(codes=codes, **settings)


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


def _setting(name, to_c, from_c=None, doc=None):
    """A unit setting read by pelunits_unit_get_<name> and written by pelunits_unit_set_<name>."""
    get = getattr(_lib, "pelunits_unit_get_" + name)
    put = getattr(_lib, "pelunits_unit_set_" + name)

    def read(unit):
        kept = get(unit._h())
        return from_c(kept) if from_c is not None else kept

    def write(unit, value):
        put(unit._h(), to_c(value))

    return property(read, write, doc=doc)


def _whether(function):
    """A yes-or-no of the unit, read by the C function of that name."""
    ask = getattr(_lib, function)
    return property(lambda unit: ask(unit._h()) != 0)


class Unit:
    """A display unit: by name, Unit("metres"), or by the factory codes,
    Unit(codes=(codes.LENGTH, codes.FRACTIONAL_INCH)); keyword settings are applied after the name's own."""

    def __init__(self, name=None, *, codes=None, precision=None, factor=None, power=None,
                 regional=None, symbol=None):
        self._handle = None
        self._name = name
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
    def _wrap(cls, handle, name):
        unit = cls.__new__(cls)
        unit._handle = handle
        unit._name = name
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
        return Unit._wrap(handle, self._name)

    def __copy__(self):
        return self.copy()

    def __deepcopy__(self, memo):
        return self.copy()

    def __reduce__(self):
        # By name or codes, then every setting: the same unit in another process.
        settings = {"factor": self.factor, "precision": self.precision, "power": self.power,
                    "regional": self.regional, "symbol": self.symbol}
        return _restore, (self._name, self.codes, settings)

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

    precision = _setting(
        "precision", int,
        doc="In the unit's own form: 100 for two decimals, 16 for sixteenths, 3600 for seconds.")

    def increment_precision(self):
        """One step finer; True when something changed."""
        return _lib.pelunits_unit_increment_precision(self._h()) != 0

    no_decimals = _whether("pelunits_unit_get_no_decimals")
    factor = _setting("factor", float)
    power = _setting("power", int)
    regional = _setting("regional", lambda on: 1 if on else 0, lambda kept: kept != 0)

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

    is_metric = _whether("pelunits_unit_is_metric")
    is_fractional = _whether("pelunits_unit_is_fractional")
    is_angle = _whether("pelunits_unit_is_angle")

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

    def display_many(self, values, trim_trailing_zeros=False, trim_leading_zero=False,
                     hide_zero_feet=False, hide_zero_inches=False, separator=" ",
                     with_units=False):
        """display() of every value, as a list: any sequence of numbers, or a float64
        buffer (array.array('d'), a NumPy array) read where it lies."""
        flags = self._flags(trim_trailing_zeros, trim_leading_zero, hide_zero_feet,
                            hide_zero_inches) | (_WITH_UNITS if with_units else 0)
        h, sep = self._h(), _separator(separator)
        if sep == 0:
            return [self.display(value, trim_trailing_zeros, trim_leading_zero, hide_zero_feet,
                                 hide_zero_inches, separator, with_units) for value in values]
        flags |= _NUL_AFTER_EACH
        return _packed_column(values, lambda pointer, n, buffer, size, offsets, length:
                              _lib.pelunits_display_many(h, pointer, n, flags, sep, buffer, size,
                                                         offsets, length))

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

    @staticmethod
    def _format_options(increment=None, rounding="nearest", significant_digits=None,
                        plus_sign=False, typographic=False, inexact_marker=False,
                        trim_trailing_zeros=False, hide_zero_feet=True, hide_zero_inches=False,
                        separator=" ", with_symbol=False, angle_style="plain",
                        angle_zero="east", angle_sense="counterclockwise"):
        record = _native.FormatOptions()
        # The whole record: the unsized init writes only the fields of its first version.
        _lib.pelunits_format_options_init_size(ctypes.byref(record), ctypes.sizeof(record))
        if isinstance(increment, str):
            data = _encode(increment)
            if b"\0" in data:
                raise ValueError("increment must not hold NUL")
            record.increment = data
        elif increment is not None:
            record.increment_value = float(increment)
        if rounding not in _ROUNDING:
            raise ValueError('rounding must be "nearest", "up" or "down"')
        record.rounding = _ROUNDING[rounding]
        record.significant_digits = int(significant_digits or 0)
        record.flags = (Unit._flags(trim_trailing_zeros, False, hide_zero_feet, hide_zero_inches)
                        | (_FORMAT_PLUS_SIGN if plus_sign else 0)
                        | (_FORMAT_TYPOGRAPHIC if typographic else 0)
                        | (_FORMAT_INEXACT_MARKER if inexact_marker else 0)
                        | (_WITH_UNITS if with_symbol else 0))
        record.separator = _separator(separator)
        record.angle_style, record.angle_zero, record.angle_sense = _angle_reading(
            angle_style, angle_zero, angle_sense)
        return record

    def format(self, value, increment=None, rounding="nearest", significant_digits=None,
               plus_sign=False, typographic=False, inexact_marker=False,
               trim_trailing_zeros=False, hide_zero_feet=True, hide_zero_inches=False,
               separator=" ", with_symbol=False, angle_style="plain", angle_zero="east",
               angle_sense="counterclockwise"):
        """The text of an internal value with formatting options: increment (a text the
        exact reader reads, "5 mm", or a number in the display unit), rounding
        ("nearest", "up" toward +infinity, "down" toward -infinity), significant_digits
        (1 to 17, decimal forms), plus_sign ("+3.250", "\u00b10.000"), typographic
        (prime marks, U+2212, vulgar fractions), inexact_marker ("~" when the text is
        not the value), the display's trimming and hiding flags and separator,
        with_symbol, and for angle units angle_style ("plain", "bearing": "N 45\u00b030' E",
        "azimuth": from north, clockwise) with the host's convention, angle_zero ("east",
        "north", "west", "south") and angle_sense ("counterclockwise", "clockwise"). Every
        text reads back through read() with the same angle keywords."""
        record = self._format_options(
            increment=increment, rounding=rounding, significant_digits=significant_digits,
            plus_sign=plus_sign, typographic=typographic, inexact_marker=inexact_marker,
            trim_trailing_zeros=trim_trailing_zeros, hide_zero_feet=hide_zero_feet,
            hide_zero_inches=hide_zero_inches, separator=separator, with_symbol=with_symbol,
            angle_style=angle_style, angle_zero=angle_zero, angle_sense=angle_sense)
        h, pointer, v = self._h(), ctypes.byref(record), float(value)
        return _text_out(lambda b, n, l: _lib.pelunits_format(h, v, pointer, b, n, l))

    def format_many(self, values, **options):
        """format() of every value, with the same options, as a list: any sequence of
        numbers, or a float64 buffer read where it lies."""
        record = self._format_options(**options)
        h = self._h()
        if record.separator == 0:
            return [self.format(value, **options) for value in values]
        record.flags |= _NUL_AFTER_EACH
        pointer = ctypes.byref(record)
        return _packed_column(values, lambda at, n, buffer, size, offsets, length:
                              _lib.pelunits_format_many(h, at, n, pointer, buffer, size,
                                                        offsets, length))

    # Reading.
    def _read(self, text, angle=None):
        data = _encode(text)
        value = ctypes.c_double(0.0)
        offset = ctypes.c_size_t(0)
        message = ctypes.c_char_p()
        outputs = (ctypes.byref(value), ctypes.byref(offset), ctypes.byref(message))
        if angle is None:
            status = _lib.pelunits_read_ex(self._h(), data, len(data), *outputs)
        else:
            status = _lib.pelunits_read_angle(self._h(), data, len(data), *angle, *outputs)
        if status == _NO_MEMORY:
            raise MemoryError()
        if status not in (_OK, _INCOMPLETE, _INVALID):
            raise ValueError(_message(status))
        return status, value.value, data, offset.value, message.value

    def read(self, text, angle_style=None, angle_zero="east", angle_sense="counterclockwise"):
        """The exact reader: the quantity when all of the text is one, else ReadError.
        The value is the double nearest to the text's exact value. With angle_style (and
        the convention's angle_zero and angle_sense, as format() takes them) an angle
        unit reads what format() writes with them: bearings, and azimuths for
        "azimuth"."""
        angle = None
        if angle_style is not None:
            angle = _angle_reading(angle_style, angle_zero, angle_sense)
        status, value, data, offset, message = self._read(text, angle)
        if status != _OK:
            position = len(data[:offset].decode("utf-8", "replace"))
            raise ReadError(text, position, status == _INCOMPLETE,
                            (message or b"").decode("utf-8", "replace"))
        return value

    def read_many(self, texts, errors="raise", as_array=False, with_status=False):
        """read() of every text of a sequence, in one call into the library per chunk.

        errors="raise" raises ReadError for the first text that does not read, naming
        its index; errors="nan" gives nan for such texts. as_array returns a NumPy
        float64 array (an array.array('d') without NumPy) instead of a list.
        with_status returns (values, statuses) and raises nothing: a status per text,
        0 complete, 1 incomplete, 2 invalid, 4 not valid Unicode, its value nan unless
        complete."""
        if errors not in ("raise", "nan"):
            raise ValueError("errors must be 'raise' or 'nan'")
        h = self._h()
        texts = texts if isinstance(texts, list) else list(texts)
        count = len(texts)
        values = array.array("d", [0.0]) * count
        statuses = array.array("i", [0]) * count
        values_at, statuses_at = values.buffer_info()[0], statuses.buffer_info()[0]
        failed = []
        for start in range(0, count, _CHUNK):
            chunk = texts[start:start + _CHUNK]
            packed = _packed(chunk)
            if packed is None:
                for index, text in enumerate(chunk, start):
                    statuses[index], values[index] = self._read(text)[:2]
                status = max(statuses[start:start + len(chunk)])
            else:
                data, offsets = packed
                status = _lib.pelunits_read_many(h, data, offsets.buffer_info()[0], len(chunk),
                                                 values_at + 8 * start, statuses_at + 4 * start,
                                                 None)
            if status == _NO_MEMORY:
                raise MemoryError()
            if status != _OK:
                failed += [index for index in range(start, start + len(chunk))
                           if statuses[index] != _OK]
                if errors == "raise" and not with_status:
                    self._raise_for(texts[failed[0]], failed[0])
        nan = float("nan")
        for index in failed:
            values[index] = nan
        if as_array:
            try:
                import numpy
            except ImportError:
                result = values
                status_result = statuses
            else:
                result = numpy.frombuffer(values, dtype=numpy.float64)
                status_result = numpy.frombuffer(statuses, dtype=numpy.int32)
        else:
            result = values.tolist()
            status_result = statuses.tolist()
        return (result, status_result) if with_status else result

    def _raise_for(self, text, index):
        try:
            status, _, data, offset, message = self._read(text)
        except ValueError as error:
            raise ValueError("item %d: %s" % (index, error)) from None
        position = len(data[:offset].decode("utf-8", "replace"))
        raise ReadError(text, position, status == _INCOMPLETE,
                        (message or b"").decode("utf-8", "replace"), index)

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
