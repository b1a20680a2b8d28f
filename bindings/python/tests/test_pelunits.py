"""The Python binding against the library it loads (standard library unittest)."""

import math
import os
import re
import threading
import unittest

import pelunits


def exact_reader_ready():
    try:
        pelunits.Unit("metres").read("1")
        return True
    except pelunits.ReadError as error:
        return error.message != "not implemented"


class UnitTest(unittest.TestCase):
    def test_version_is_the_package_version(self):
        expected = os.environ.get("PELUNITS_EXPECTED_VERSION")
        self.assertRegex(pelunits.__version__, r"^\d+\.\d+\.\d+$")
        if expected:
            self.assertEqual(pelunits.library_version(), expected)

    def test_displays(self):
        cases = [
            # (unit, settings, value, display options, shows)
            ("feet-inch-fraction", {"precision": 16}, 1689.1, {}, "5' 6 1/2\""),
            ("feet-inch-fraction", {}, 1689.1, {"separator": "-"}, "5'-6 1/2\""),
            ("feet-inch-fraction", {}, -88.9, {"separator": "-", "hide_zero_feet": True},
             "-3 1/2\""),
            ("metres", {}, 1500, {"trim_trailing_zeros": True, "with_units": True}, "1.5 m"),
            ("square-metres", {}, 1e6, {"with_units": True}, "1.00 m\u00b2"),
            ("degrees-minutes-seconds", {}, 10.504166666666666, {}, "10\u00b030'15\""),
            ("pounds-ounces", {}, 1000, {}, "2 lb 3.27 oz"),
            ("metres", {"precision": 1}, 1234.5, {}, "1"),
            ("kilograms", {"factor": 1e6, "symbol": "t"}, 2e6, {"with_units": True}, "2.00 t"),
            ("metres", {"symbol": "\U0001d45a"}, 1000, {"with_units": True}, "1.000 \U0001d45a"),
        ]
        for name, settings, value, options, shows in cases:
            with self.subTest(unit=name, value=value, options=options):
                self.assertEqual(pelunits.Unit(name, **settings).display(value, **options), shows)

    def test_formats_with_options(self):
        inch = 25.4
        cases = [
            # (unit, value, format options, shows)
            ("millimetres", -12.4, {"increment": "5 mm", "rounding": "up"}, "-10"),
            ("millimetres", -12.4, {"increment": "5 mm", "rounding": "down"}, "-15"),
            ("millimetres", 12.3, {"increment": 0.25}, "12.25"),
            ("degrees-minutes-seconds", 10.2, {"increment": "15'"}, "10\u00b015'"),
            ("kilonewtons", 12345.0, {"significant_digits": 3}, "12300"),
            ("metres", -0.0001, {"plus_sign": True}, "\u00b10.000"),
            ("feet-inch-fraction", -3.5 * inch, {"typographic": True}, "\u22123\u00bd\u2033"),
            ("millimetres", 12.3456, {"inexact_marker": True}, "~12.35"),
            ("feet-inch-fraction", 6.5 * inch, {"hide_zero_feet": False}, "0' 6 1/2\""),
            ("feet-inch-fraction", 11.99 * inch, {"hide_zero_inches": True}, "1'"),
            ("feet-inch-fraction", 66.5 * inch, {"separator": "-"}, "5'-6 1/2\""),
            ("metres", 1500, {"with_symbol": True, "trim_trailing_zeros": True}, "1.5 m"),
            ("degrees-minutes-seconds", 44.5, {"angle_style": "bearing"}, "N 45\u00b030'0\" E"),
            ("degrees", 30.0, {"angle_style": "azimuth", "angle_zero": "north",
                               "angle_sense": "clockwise"}, "30.00"),
        ]
        for name, value, options, shows in cases:
            with self.subTest(unit=name, value=value, options=options):
                unit = pelunits.Unit(name)
                self.assertEqual(unit.format(value, **options), shows)
                self.assertEqual(unit.format_many([value, value], **options), [shows, shows])
        unit = pelunits.Unit("degrees")
        self.assertEqual(unit.read("S 30\u00b0 W"), 240.0)
        self.assertEqual(unit.read("45.00", angle_style="azimuth"), 45.0)
        unit = pelunits.Unit("millimetres")
        for options in ({"rounding": "ceil"}, {"angle_style": "compass"}, {"separator": 0xD800}, {"increment": "1\0"}):
            with self.subTest(options=options), self.assertRaises(ValueError):
                unit.format(1.0, **options)

    def test_codes_give_the_same_unit_as_the_name(self):
        by_codes = pelunits.Unit(codes=(20, 1), precision=16)
        by_name = pelunits.Unit("feet-inch-fraction")
        self.assertEqual(by_codes.codes, (20, 1))
        values = [0.0, -12.7, 1689.1, 304.546, 1e7, float("inf")]
        self.assertEqual(by_codes.display_many(values, separator="-"),
                         by_name.display_many(values, separator="-"))

    def test_code_names_are_those_of_the_c_header(self):
        header = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir,
                              os.pardir, "include", "PelUnitsCodes.h")
        with open(header, encoding="utf-8") as f:
            defined = {name: int(number) for name, number in
                       re.findall(r"#define PELUNITS_CODE_(\w+) (\d+)", f.read())}
        named = {name: value for name, value in vars(pelunits.codes).items() if name.isupper()}
        self.assertEqual(named, defined)

    def test_long_display_takes_the_second_buffer(self):
        unit = pelunits.Unit("millimetres", precision=10 ** 9)
        text = unit.display(1e300)
        self.assertGreater(len(text), 64)
        self.assertTrue(text.startswith("1000000000000000052504760255204420248704468581108"))

    def test_settings_and_copy(self):
        unit = pelunits.Unit("metres")
        self.assertEqual((unit.precision, unit.factor, unit.symbol), (1000, 1000.0, "m"))
        self.assertEqual(unit.quantity, pelunits.Quantity.LENGTH)
        unit.precision = 1
        self.assertTrue(unit.no_decimals)
        self.assertTrue(unit.increment_precision())
        copy = unit.copy()
        unit.power = 2
        self.assertEqual((copy.power, copy.precision), (1, 10))
        self.assertEqual(pelunits.Unit("gon").quantity, pelunits.Quantity.ANGLE)
        self.assertTrue(pelunits.Unit("gon").is_angle)

    def test_locale_chosen_by_the_host(self):
        unit = pelunits.Unit("metres", regional=True)
        try:
            self.assertTrue(pelunits.set_locale("de_DE.UTF-8"))
            self.assertEqual(unit.display(1234567), "1.234,567")
            self.assertFalse(pelunits.set_locale("xx_YY.UTF-8"))  # not installed: neutral
            self.assertEqual(unit.display(1234567), "1234.567")
        finally:
            pelunits.set_locale(None)

    def test_regional_format_given_by_the_host(self):
        unit = pelunits.Unit("metres", regional=True)
        cases = [
            # (format, value, shows)
            ({"decimal": ",", "group": "."}, 1234567, "1.234,567"),
            ({"decimal": ",", "group": ".", "negative_form": 3}, -1234567, "1.234,567-"),
            ({"decimal": "\u066b", "group": "\u066c"}, 1234567, "1\u066c234\u066b567"),
            ({"decimal": ".", "group": "", "leading_zero": False}, 500, ".500"),
        ]
        try:
            pelunits.set_locale("xx_YY.UTF-8")  # not installed: the format still holds
            for format, value, shows in cases:
                with self.subTest(format=format):
                    pelunits.set_regional_format(**format)
                    self.assertEqual(unit.display(value), shows)
            pelunits.set_regional_format(decimal=",", group=".")
            self.assertEqual(unit.read("1.234,5"), 1234500.0)
            pelunits.set_regional_format(decimal="\u066b", group="\u066c")
            for bad in [{"decimal": ""}, {"decimal": ".", "group": "."},
                        {"decimal": "a\0b"}, {"decimal": ".", "grouping": 10},
                        {"decimal": ".", "negative_form": 7}]:
                with self.subTest(bad=bad):
                    with self.assertRaises(ValueError):
                        pelunits.set_regional_format(**bad)
                    self.assertEqual(unit.display(1234567), "1\u066c234\u066b567")
            pelunits.set_regional_format()
            self.assertEqual(unit.display(1234567), "1234.567")
        finally:
            pelunits.set_regional_format()
            pelunits.set_locale(None)

    def test_unit_names(self):
        names = pelunits.units()
        self.assertIn("feet-inch-fraction", names)
        for name in names:
            with self.subTest(name=name):
                pelunits.Unit(name).display(1.0)
        with self.assertRaises(ValueError):
            pelunits.Unit("furlongs")
        with self.assertRaises(TypeError):
            pelunits.Unit()
        with self.assertRaises(ValueError):
            pelunits.Unit(codes=(5003, 9999))  # no class for it in the factory

    def test_read_as_typed_and_validate(self):
        cases = [
            ("feet-inch-fraction", "5' 7 1/4\"", 67.25 * 25.4, True),
            ("feet-inch-fraction", "6-1/2\"", 165.1, False),
            ("degrees-minutes-seconds", "10d30'15\"", 10.504166666666666, True),
            ("pounds-ounces", "2 lb 3 oz", 35 * 28.34952, True),
            ("metres", "abc", 0.0, False),
            ("metres", "1\0", 1000.0, False),  # a NUL is a character like any other
        ]
        for name, text, value, valid in cases:
            with self.subTest(unit=name, text=text):
                unit = pelunits.Unit(name)
                self.assertAlmostEqual(unit.read_as_typed(text), value, places=9)
                self.assertEqual(unit.is_valid(text), valid)

    def test_bad_arguments(self):
        unit = pelunits.Unit("metres")
        with self.assertRaises(ValueError):
            unit.display(1.0, separator="--")
        with self.assertRaises(ValueError):
            unit.display(1.0, separator=0xD800)
        with self.assertRaises(ValueError):
            unit.read("\ud800")  # a lone surrogate is no Unicode text
        with self.assertRaises(TypeError):
            unit.read(b"1")
        unit.close()
        with self.assertRaises(ValueError):
            unit.display(1.0)
        unit.close()

    def test_units_on_several_threads(self):
        results = []

        def work():
            unit = pelunits.Unit("feet-inch-fraction")
            results.append(unit.display_many([1689.1] * 200, separator="-"))

        threads = [threading.Thread(target=work) for _ in range(4)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(results, [["5'-6 1/2\""] * 200] * 4)


@unittest.skipUnless(exact_reader_ready(), "the library's exact reader is not implemented")
class ExactReaderTest(unittest.TestCase):
    def test_reads_whole_quantities(self):
        unit = pelunits.Unit("feet-inch-fraction")
        self.assertAlmostEqual(unit.read("5' 7 1/4\""), 1708.15, places=9)
        self.assertEqual(unit.status("5' 7 1/4\""), pelunits.ReadStatus.COMPLETE)
        self.assertEqual(unit.read_many(["5'", "x"], errors="nan")[0], 1524.0)
        self.assertTrue(math.isnan(unit.read_many(["5'", "x"], errors="nan")[1]))

    def test_errors_tell_where_and_why(self):
        unit = pelunits.Unit("feet-inch-fraction")
        with self.assertRaises(pelunits.ReadError) as caught:
            unit.read("5' x\"")
        self.assertEqual(caught.exception.position, 3)
        self.assertFalse(caught.exception.incomplete)
        self.assertTrue(caught.exception.message)
        with self.assertRaises(pelunits.ReadError) as caught:
            unit.read("5' 6 1/")
        self.assertTrue(caught.exception.incomplete)
        self.assertEqual(unit.status("5' 6 1/"), pelunits.ReadStatus.INCOMPLETE)

    def test_positions_count_characters(self):
        unit = pelunits.Unit("degrees")
        with self.assertRaises(pelunits.ReadError) as caught:
            unit.read("\u00b0\u00b0x")
        self.assertLessEqual(caught.exception.position, 3)


if __name__ == "__main__":
    unittest.main()
