"""The exact reader returns the double nearest to the exact value of the text: texts
made from parts whose exact value is known, against Python's own exact rationals
(fractions.Fraction, whose float() rounds correctly). 0 units in the last place."""

import math
import random
import unittest
from fractions import Fraction as F

import pelunits

INCH = F("25.4")
FOOT = 12 * INCH
OUNCE = F("28.34952")  # the pound-and-ounce field's own ounce
POUND = F("453.59237")  # the legal pound, everywhere else
POUND_FORCE = F("4.4482216152605")  # N
KIP = POUND_FORCE  # kN
FULL_CIRCLE_RADIANS = F(2 * math.pi)  # the double nearest to 2π, exactly


def decimal(rng, whole_digits=5, fraction_digits=4):
    whole = rng.randrange(10 ** rng.randint(0, whole_digits))
    places = rng.randint(0, fraction_digits)
    if places == 0:
        return str(whole), F(whole)
    fraction = rng.randrange(10 ** places)
    text = "%d.%0*d" % (whole, places, fraction)
    return text, F(text)


def fraction_part(rng):
    denominator = rng.choice([2, 4, 8, 16, 32, 64])
    numerator = rng.randrange(1, denominator)
    return "%d/%d" % (numerator, denominator), F(numerator, denominator)


def feet_inch(rng):
    feet, inches = rng.randrange(1000), rng.randrange(12)
    text, part = fraction_part(rng)
    return "%d' %d %s\"" % (feet, inches, text), (feet * 12 + inches + part) * INCH


def feet_only(rng):
    text, value = rng.choice([decimal(rng, 3, 3), fraction_part(rng)])
    return text + "'", value * FOOT


def inches_words(rng):
    text, value = decimal(rng, 4, 4)
    word, size = rng.choice([(" in", INCH), (" ft", FOOT), (" yd", 3 * FOOT), (" mm", 1),
                             (" cm", 10), (" m", 1000)])
    return text + word, value * size


def sum_of_lengths(rng):
    a, va = feet_inch(rng)
    b, vb = inches_words(rng)
    sign = rng.choice([" + ", " - "])
    return a + sign + b, va + vb if sign == " + " else va - vb


def product(rng):
    factor = rng.randint(2, 9)
    a, va = feet_inch(rng)
    if rng.random() < 0.5:
        return "%d * %s" % (factor, a), factor * va
    return "%s / %d" % (a, factor), va / factor


def grouped(rng):
    """A sum in parentheses, scaled: "(5' 6 1/2\" + 3.25 in) / 3", "2 × (...)"."""
    inner, value = sum_of_lengths(rng)
    factor = rng.randint(2, 9)
    if rng.random() < 0.5:
        return "%d %s (%s)" % (factor, rng.choice("*\u00d7"), inner), factor * value
    return "(%s) / %d" % (inner, factor), value / factor


def plain(scale):
    def make(rng):
        text, value = decimal(rng)
        return text, value * scale
    return make


def dms(rng):
    degrees, minutes = rng.randrange(360), rng.randrange(60)
    seconds, exact_seconds = decimal(rng, 2, 2)
    if exact_seconds >= 60:
        seconds, exact_seconds = "59", F(59)
    return ("%d\u00b0%d'%s\"" % (degrees, minutes, seconds),
            degrees + F(minutes, 60) + exact_seconds / 3600)


def pounds_ounces(rng):
    pounds, ounces = rng.randrange(1000), rng.randrange(16)
    return "%d lb %d oz" % (pounds, ounces), (16 * pounds + ounces) * OUNCE


def with_word(word, size):
    def make(rng):
        text, value = decimal(rng)
        return text + word, value * size
    return make


def one_of_words(words):
    """A decimal with one of the words, each a way of writing the same unit."""
    def make(rng):
        text, value = decimal(rng, 4, 3)
        word, size = rng.choice(words)
        return text + " " + word, value * size
    return make


GRAVITY = F("9.80665")  # N per kilogram-force
KIP_FOOT = KIP * F("0.3048")  # kN·m
KIP_INCH = KIP * F("0.0254")
MOMENT_WORDS = [(w, KIP_FOOT) for w in ("k-ft", "kip-ft", "ft-kip", "ft-kips", "ft\u00b7kip",
                                         "kip*ft", "kip\u00d7ft", "ftkip")]
MOMENT_WORDS += [(w, KIP_INCH) for w in ("kip-in", "in-kip", "in-kips", "in\u00b7kips")]
MOMENT_WORDS += [(w, KIP_FOOT / 1000) for w in ("lb-ft", "ft-lb", "ft-lbs", "lbf-ft")]
MOMENT_WORDS += [(w, KIP_INCH / 1000) for w in ("lb-in", "in-lb", "in-lbs")]
MOMENT_WORDS += [(w, 1) for w in ("kN*m", "kN\u00b7m", "kNm")]
MOMENT_WORDS += [("tf\u00b7m", GRAVITY), ("kgf\u00b7m", GRAVITY / 1000)]
FORCE_WORDS = [("k", KIP), ("kips", KIP), ("tf", GRAVITY), ("kgf", GRAVITY / 1000),
               ("lb", KIP / 1000), ("lbs", KIP / 1000), ("N", F(1, 1000))]
WEIGHT_WORDS = [("lb", POUND), ("lbs", POUND), ("oz", POUND / 16), ("ounces", POUND / 16),
                ("kg", 1000), ("t", 10 ** 6)]
STRESS_WORDS = [("psf", POUND_FORCE / FOOT ** 2), ("ksf", 1000 * POUND_FORCE / FOOT ** 2),
                ("kgf/cm\u00b2", GRAVITY / 100), ("bar", F(1, 10)), ("psi", POUND_FORCE / INCH ** 2),
                ("lb/in\u00b2", POUND_FORCE / INCH ** 2)]

# (unit, generator): each generator gives a text and its exact value in internal units.
CASES = [
    ("feet-inch-fraction", feet_inch),
    ("feet-inch-fraction", feet_only),
    ("feet-inch-fraction", inches_words),
    ("feet-inch-fraction", sum_of_lengths),
    ("feet-inch-fraction", product),
    ("feet-inch-fraction", grouped),
    ("feet-decimal-inch", feet_inch),
    ("centimetres", plain(10)),
    ("metres", plain(1000)),
    ("decimal-feet", plain(FOOT)),
    ("fractional-decimal", plain(INCH)),
    ("square-metres", plain(10 ** 6)),
    ("square-inches", plain(INCH ** 2)),
    ("cubic-feet", plain(FOOT ** 3)),
    ("degrees-minutes-seconds", dms),
    ("gon", plain(F(9, 10))),
    ("radians", plain(360 / FULL_CIRCLE_RADIANS)),
    ("pounds-ounces", pounds_ounces),
    ("kilograms", plain(1000)),
    ("kilograms", one_of_words(WEIGHT_WORDS)),
    ("kips", plain(KIP)),
    ("pounds-force", plain(KIP / 1000)),
    ("kip-feet", plain(KIP * F("0.3048"))),
    ("psi", with_word(" psi", POUND_FORCE / INCH ** 2)),
    ("ksi", plain(1000 * POUND_FORCE / INCH ** 2)),
    ("newtons-per-square-mm", with_word(" kN/m2", F(1, 1000))),
    ("kilonewton-metres", one_of_words(MOMENT_WORDS)),
    ("kilonewtons", one_of_words(FORCE_WORDS)),
    ("newtons-per-square-mm", one_of_words(STRESS_WORDS)),
]


class NearestDoubleTest(unittest.TestCase):
    def test_every_generated_text_reads_to_the_nearest_double(self):
        rng = random.Random(20261207)
        per_case = 100_000 // len(CASES) + 1
        total = 0
        for name, make in CASES:
            unit = pelunits.Unit(name)
            pairs = [make(rng) for _ in range(per_case)]
            texts = [text for text, _ in pairs]
            values, statuses = unit.read_many(texts, with_status=True)
            off = [(text, got, float(exact)) for (text, exact), got, status
                   in zip(pairs, values, statuses) if status != 0 or got != float(exact)]
            total += len(pairs)
            with self.subTest(unit=name, generator=make.__name__):
                self.assertEqual(off[:5], [], "%d of %d off" % (len(off), len(pairs)))
        self.assertGreaterEqual(total, 100_000)

    def test_inexact_fallback_stays_within_a_few_ulps(self):
        # Beyond the exact integers (more than 19 digits, huge exponents) the double
        # arithmetic answers: within 4 units in the last place here.
        unit = pelunits.Unit("feet-inch-fraction")
        for text, exact in [("1234567890.1234567890123' 6\"", F("1234567890.1234567890123") * FOOT
                             + 6 * INCH),
                            ("1e200 in", F(10) ** 200 * INCH),
                            ("3.14159265358979323846264 ft", F("3.14159265358979323846264") * FOOT)]:
            with self.subTest(text=text):
                got = unit.read(text)
                nearest = float(exact)
                self.assertLessEqual(abs(got - nearest), 4 * math.ulp(nearest))


if __name__ == "__main__":
    unittest.main()
