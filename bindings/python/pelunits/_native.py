"""The C interface of PelUnitsTransform through ctypes: finding the library and
declaring its functions."""

import ctypes
import ctypes.util
import os
import sys

from . import _location

_HERE = os.path.dirname(os.path.abspath(__file__))

if sys.platform == "win32":
    _NAMES = ("libPelUnitsTransform.dll", "PelUnitsTransform.dll")
elif sys.platform == "darwin":
    _NAMES = ("libPelUnitsTransform.dylib",)
else:
    _NAMES = ("libPelUnitsTransform.so.1", "libPelUnitsTransform.so")


def _candidates():
    """Where the library may be, first match wins: the PELUNITS_LIBRARY environment
    variable, the library folder of the prefix this package was installed into, then
    the system's search."""
    explicit = os.environ.get("PELUNITS_LIBRARY")
    if explicit:
        yield explicit
        return
    for relative in _location.LIBRARY_DIRS:
        folder = os.path.normpath(os.path.join(_HERE, relative))
        for name in _NAMES:
            yield os.path.join(folder, name)
    found = ctypes.util.find_library("PelUnitsTransform")
    if found:
        yield found
    for name in _NAMES:
        yield name


def _load():
    errors = []
    for path in _candidates():
        if os.path.isabs(path) and not os.path.exists(path):
            continue
        try:
            return ctypes.CDLL(path)
        except OSError as error:
            errors.append("%s: %s" % (path, error))
    raise ImportError(
        "cannot load the PelUnitsTransform library; set PELUNITS_LIBRARY to its path\n"
        + "\n".join(errors)
    )


lib = _load()

_c = ctypes


class NumberFormat(_c.Structure):
    """pelunits_number_format."""

    _fields_ = [
        ("struct_size", _c.c_size_t),
        ("decimal_separator", _c.c_char_p),
        ("group_separator", _c.c_char_p),
        ("grouping", _c.c_uint32),
        ("negative_form", _c.c_int32),
        ("leading_zero", _c.c_int32),
    ]


class FormatOptions(_c.Structure):
    """pelunits_format_options."""

    _fields_ = [
        ("struct_size", _c.c_size_t),
        ("increment", _c.c_char_p),
        ("increment_value", _c.c_double),
        ("rounding", _c.c_int32),
        ("significant_digits", _c.c_int32),
        ("flags", _c.c_uint32),
        ("separator", _c.c_uint32),
        ("angle_style", _c.c_int32),
        ("angle_zero", _c.c_int32),
        ("angle_sense", _c.c_int32),
    ]


_unit = _c.c_void_p
_size_p = _c.POINTER(_c.c_size_t)

_SIGNATURES = {
    "pelunits_version": (_c.c_char_p, []),
    "pelunits_set_locale": (None, [_c.c_char_p]),
    "pelunits_locale_available": (_c.c_int, []),
    "pelunits_set_number_format": (_c.c_int32, [_c.POINTER(NumberFormat)]),
    "pelunits_status_message": (_c.c_char_p, [_c.c_int32]),
    "pelunits_unit_new": (_unit, [_c.c_int32, _c.c_int32]),
    "pelunits_unit_from_name": (_unit, [_c.c_char_p]),
    "pelunits_unit_clone": (_unit, [_unit]),
    "pelunits_unit_free": (None, [_unit]),
    "pelunits_named_unit_count": (_c.c_size_t, []),
    "pelunits_named_unit_name": (_c.c_char_p, [_c.c_size_t]),
    "pelunits_named_unit_description": (_c.c_char_p, [_c.c_size_t]),
    "pelunits_unit_system_units": (_c.c_int32, [_unit]),
    "pelunits_unit_representation": (_c.c_int32, [_unit]),
    "pelunits_unit_quantity": (_c.c_int, [_unit]),
    "pelunits_unit_set_precision": (_c.c_int32, [_unit, _c.c_int]),
    "pelunits_unit_get_precision": (_c.c_int, [_unit]),
    "pelunits_unit_set_factor": (_c.c_int32, [_unit, _c.c_double]),
    "pelunits_unit_get_factor": (_c.c_double, [_unit]),
    "pelunits_unit_set_power": (_c.c_int32, [_unit, _c.c_int]),
    "pelunits_unit_get_power": (_c.c_int, [_unit]),
    "pelunits_unit_set_regional": (_c.c_int32, [_unit, _c.c_int]),
    "pelunits_unit_get_regional": (_c.c_int, [_unit]),
    "pelunits_unit_increment_precision": (_c.c_int, [_unit]),
    "pelunits_unit_get_no_decimals": (_c.c_int, [_unit]),
    "pelunits_unit_is_metric": (_c.c_int, [_unit]),
    "pelunits_unit_is_fractional": (_c.c_int, [_unit]),
    "pelunits_unit_is_angle": (_c.c_int, [_unit]),
    "pelunits_unit_set_symbol": (_c.c_int32, [_unit, _c.c_char_p]),
    "pelunits_unit_get_symbol": (_c.c_int32, [_unit, _c.c_char_p, _c.c_size_t, _size_p]),
    "pelunits_display": (
        _c.c_int32,
        [_unit, _c.c_double, _c.c_uint, _c.c_uint32, _c.c_char_p, _c.c_size_t, _size_p],
    ),
    "pelunits_display_arch": (
        _c.c_int32,
        [_unit, _c.c_double, _c.c_uint, _c.c_int32, _c.c_int32, _c.c_double, _c.c_uint32,
         _c.c_char_p, _c.c_size_t, _size_p],
    ),
    "pelunits_format_options_init_size": (None, [_c.POINTER(FormatOptions), _c.c_size_t]),
    "pelunits_format": (
        _c.c_int32,
        [_unit, _c.c_double, _c.POINTER(FormatOptions), _c.c_char_p, _c.c_size_t, _size_p],
    ),
    "pelunits_read_ex": (
        _c.c_int32,
        [_unit, _c.c_char_p, _c.c_size_t, _c.POINTER(_c.c_double), _size_p,
         _c.POINTER(_c.c_char_p)],
    ),
    "pelunits_read_angle": (
        _c.c_int32,
        [_unit, _c.c_char_p, _c.c_size_t, _c.c_int32, _c.c_int32, _c.c_int32,
         _c.POINTER(_c.c_double), _size_p, _c.POINTER(_c.c_char_p)],
    ),
    "pelunits_display_many": (
        _c.c_int32,
        [_unit, _c.c_void_p, _c.c_size_t, _c.c_uint, _c.c_uint32, _c.c_void_p, _c.c_size_t,
         _c.c_void_p, _size_p],
    ),
    "pelunits_read_many": (
        _c.c_int32,
        [_unit, _c.c_char_p, _c.c_void_p, _c.c_size_t, _c.c_void_p, _c.c_void_p, _c.c_void_p],
    ),
    "pelunits_read_as_typed_ex": (_c.c_double, [_unit, _c.c_char_p, _c.c_size_t]),
    "pelunits_is_valid_ex": (_c.c_int, [_unit, _c.c_char_p, _c.c_size_t]),
}

for _name, (_restype, _argtypes) in _SIGNATURES.items():
    _function = getattr(lib, _name)
    _function.restype = _restype
    _function.argtypes = _argtypes
