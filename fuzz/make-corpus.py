#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.

The seeds are the texts and values that the tests and the unit documentation
name, laid out as each target reads its input (see FuzzInput.h). Run it again
after changing a layout; the fuzzers grow their own corpus from these seeds."""

import math
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Mirrors of the tables in FuzzInput.h (only the positions matter here).
UNIT_CODES = [(20, 1), (20, 5), (20, 5006), (20, 3), (1009, 0), (1010, 0), (2000, 2005),
              (2000, 2007), (2000, 2008), (2000, 0), (3005, 3004), (3005, 0), (3020, 3001),
              (3020, 3005), (3020, 0), (3101, 0), (3102, 0), (3201, 0), (3202, 0), (3300, 0),
              (3301, 0), (5003, 4003), (5003, 4004), (5003, 4001), (5004, 4001), (5004, 4005),
              (5004, 0), (5103, 5003), (5103, 5004), (5103, 5001), (5104, 5001), (5104, 5005),
              (5104, 0), (7, 4), (7, 2006), (7, 1)]
FACTORS = [1.0, 0.0, -1.0, 25.4, 1000.0, 1e6, 645.16, 360.0, 400.0, 2 * math.pi, 0.001,
           90000.0, 90000.5, -360.0, 1e308, -1e308, 4.9e-324, 1e-300, math.inf, -math.inf, 0.3]
PRECISIONS = [-1, 0, 1, 2, 3, 4, 5, 8, 9, 10, 16, 32, 50, 60, 64, 100, 128, 999, 1000, 3600,
              7199, 7200, 10000, 10001, 36000, 431999, 432000, 1000000, 25919999, 25920000,
              360000000, 1000000000, 1555200000, 2**31 - 1, -2**31, -2**31 + 1]


def unit_prefix(unit, power=0, factor=None, precision=None, increments=0, regional=0,
                locale=0, symbol=0):
    """The 32-byte unit prefix; power is the index into kPowers (0 keeps it)."""
    choice = UNIT_CODES.index(unit)
    factor_choice = 0 if factor is None else FACTORS.index(factor) + 1
    precision_choice = 0 if precision is None else PRECISIONS.index(precision) + 1
    out = struct.pack('<Biib', choice, 0, 0, power)
    out += struct.pack('<Bd', factor_choice, 0.0)
    out += struct.pack('<Bi', precision_choice, 0)
    out += bytes([increments, regional + 4 * locale, symbol])
    return out.ljust(32, b'\0')


def utf8_text(text):
    return b'\0' + text.encode('utf-8')


TEXTS = [
    '', ' ', '0', '12.5', '-12,5', '.5', '5.', '-', '-.5', '1.2.3', '1 3/4', '1-3/4', '-1 3/4',
    '-1-3/4', '-3/4', '3/-4', '  12 /4 ', '2.5/4', '1,5/2', '/4', '3/0', '3/x', '- 3/4', '12a',
    'x.', '-5.', '+5', '12 \u00b2', '123', '1e3', '12abc', '  7 ', 'abc', '1e400', '-1e400',
    'nan', 'inf', '-inf', 'infinity', '0x1.8p3', '\u0661\u0662\u0663', '\uff11\uff12',
    '1.234,5', '1,234.5', '1\u202f234,5', '1\u2019234.5',
    '5\' 6 1/2"', '5\'-6-1/2"', '5\'', '5\'6', '5\' 1/2', '1 1/2\'', '1 1/2\' 3"', '5.5\'',
    '5.5\' 3"', '-5\' 6"', '-6"', '-6 1/2', '-0\' 6"', '\'6"', '/2', '5.5\' 1/2"', '1/2\' 6"',
    '5\' x"', '5,5\'', '144"', '1.5\'', '5\' 6.5"', '5\'6"', '5\'-6"', '6.5"', '-6', '0"',
    '\'', '5x\' 6"', '5\' 6" \u00b2', '6"5\'', '5\'6\'', '6" 1/2', '/2"', '5\' 6/"', '5\' 6 /2"',
    '+5"', '5x\'', '6-1/2"', '5.5.5"', '1/2\'', '5 1/2\'', '1/2/3"', '6 1/2 3/4"', '--6"',
    '5\'--6"', '6 1/-2"', '-6 -1/2"', '5\'6"abc', '"', '3 1/2', '-3 1/2', '12/16', '3 1/',
    '3 1/x', '3\'6', '3"', '3 5', '10\u00b030\'', '10d30\'15"', '30\'15', '370\u00b0',
    '-10\u00b030\'', '\u00b010', '10\u00b030', '1 rad', '1.5 grad', '1r', '3.14159r', 'r1',
    '100g', '1.5708', '90\u00b0', '90d', '-7', '-370', '400', '10\u00b020\'30.5"',
    '20\'10\u00b0', '\u00b020\'', '10\u00b0x\'', '10d20\'', '2 lb 3 oz', '1.5 lb', '2 lb 3',
    '8 oz 1 lb', 'lb 3 oz', '1 lb 8oz', '1 lb 8.00 oz', '2lb', '8 oz', '-1 lb 8 oz',
    '99999999999999999999\'', '-2147483649\' 6"', '2147483648 1/2', '1 2147483648/3',
    '1/99999999999', '--', '\'\'\'', '//', '\t5\'\n6"\r',
    # Forms of the exact reader: marks, vulgar fractions, unit words and arithmetic.
    '5\u2032 6\u00bd\u2033', '6\u215c"', '3\u20444"', '\u22125\' 6"', '5 ft 6 in',
    '5 feet 6 inches', '1.5 m', '2 sq ft', '1 m\u00b2', '10\u00ba30\u203215\u2033',
    '100 gon', '2 kg', '1500 N', '2 kN\u00b7m', '355 N/mm\u00b2', '1000 psi',
    '5\'6" + 3 1/4"', '8\'-6" - 3/4"', '3 * 5\'', '10\' / 4', '2.5 m - 300 mm', '5\' 6 1/',
    '0\' -3 1/2"', '0\'-0 -1/2"', '1 lb 8.00 oz (680.39)', '1e', '5 f', '12.3',
]

VALUES = [
    0.0, -0.0, 0.1, -0.1, 0.5, -0.5, 0.03, 2.9, 3.25, -3.25, 5.3, 7.0, 12.6, 45.25, 45.5, 45.7,
    90.0, 100.0, 152.4, 180.0, 304.79, 304.8, 360.0, 370.0, -370.0, 370.25, 450.0, 540.0, -0.001,
    -0.0004, 10.5, -10.5, 10.6, -0.4, 10.999, 10.504166666666666, 10.99999, 28.34952, 453.5,
    453.59232, 680.38848, 907.0, 1000.0, 1234.5, 1500.0, 1524.0, 1689.1, -1689.1, 1828.673,
    -1828.673, 92903.04, 125161.04, 100644.96, 63.5 * 25.4, 11.99 * 25.4, -71.99 * 25.4,
    -3.99 * 25.4, -0.99 * 25.4, 2000000.0, 1e7, -1e7, 1e9, 1e-3, 2147483648.0 * 304.8,
    -2147483649.0 * 304.8, 2147483648.0 * 360, 1e15, 1e300, 1e308, -1e308, 5e-324,
    float('nan'), -float('nan'), math.inf, -math.inf,
]


def write(target, name, data):
    folder = os.path.join(HERE, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def main():
    for target in ('KovStringFuzzer', 'RegionalFormatFuzzer', 'UnitTextFuzzer',
                   'UnitDisplayFuzzer', 'CInterfaceFuzzer'):
        shutil.rmtree(os.path.join(HERE, 'corpus', target), ignore_errors=True)

    # Settings that make each family show its own forms: fractions in sixteenths,
    # seconds, areas, regional formats.
    settings = [dict(), dict(precision=16), dict(precision=3600), dict(power=2),
                dict(regional=1, locale=2), dict(factor=1000.0, precision=1000),
                dict(factor=360.0), dict(factor=400.0), dict(precision=1, increments=3)]
    for i, text in enumerate(TEXTS):
        unit = UNIT_CODES[i % len(UNIT_CODES)]
        extra = settings[i % len(settings)]
        write('UnitTextFuzzer', 'text-%03d' % i, unit_prefix(unit, **extra) + utf8_text(text))
        write('KovStringFuzzer', 'text-%03d' % i,
              struct.pack('<iiHBid', i - 5, 3, ord('/'), 2, 2 + i % 12, 1.5 * i) + utf8_text(
                  '/ ' + text))
        write('RegionalFormatFuzzer', 'text-%03d' % i,
              bytes([i % 10, 1, 0, 1, 1, 0, i % 20, 2]) + struct.pack('<d', 1234.5) +
              utf8_text(text))
    # The C interface: display arguments (flags, separator, value, buffer size, markup
    # codes and parameter), then the text as raw bytes; malformed UTF-8 and lone
    # UTF-16 surrogates among them.
    malformed = [b'1\x80', b'12\xc3', b'\xc0\xaf', b'5 \xed\xa0\x80', b'\xf4\x90\x80\x80',
                 b'5\x00\xd8"\x00', b'\x00\xdc']
    raw_texts = [text.encode('utf-8') for text in TEXTS] + malformed
    for i, text in enumerate(raw_texts):
        unit = UNIT_CODES[i % len(UNIT_CODES)]
        extra = settings[i % len(settings)]
        value = VALUES[i % len(VALUES)]
        flags = (i * 5) % 32 | (0x40000000 if i % 7 == 0 else 0)
        args = struct.pack('<IIdBiid', flags, ord('-') if i % 3 else 0x20, value, i % 48, 0, 1, 1.0)
        write('CInterfaceFuzzer', 'text-%03d' % i, unit_prefix(unit, **extra) + args + text)
    for i, value in enumerate(VALUES):
        for j, unit in enumerate(UNIT_CODES):
            if (i + j) % 8:
                continue
            extra = settings[(i + j) % len(settings)]
            args = struct.pack('<dBBHiid', value, (i * 7 + j) & 0xFF, 0, ord('-' if j % 2 else ' '),
                               j % 3, i % 2, 0.8)
            write('UnitDisplayFuzzer', 'value-%03d-%02d' % (i, j), unit_prefix(unit, **extra) + args)
        number = ('%.6f' % value) if math.isfinite(value) else 'x'
        write('RegionalFormatFuzzer', 'value-%03d' % i,
              bytes([2, 1, 0, 1, 1, 0, 4 + i % 20, 2]) + struct.pack('<d', value) + utf8_text(number))
    write_format_seeds()


# format() with options: the value, the step as a number, rounding, digits, flags,
# separator and the step text's choice (FormatFuzzer.cpp), then a raw step text.
FORMAT_INCREMENTS = 17


def write_format_seeds():
    shutil.rmtree(os.path.join(HERE, 'corpus', 'FormatFuzzer'), ignore_errors=True)
    settings = [dict(), dict(precision=16), dict(precision=3600), dict(power=2),
                dict(regional=1, locale=2), dict(factor=1000.0, precision=1000)]
    for i, value in enumerate(VALUES):
        for j, unit in enumerate(UNIT_CODES):
            if (i + j) % 10:
                continue
            extra = settings[(i + j) % len(settings)]
            increment = (i + 2 * j) % FORMAT_INCREMENTS
            args = struct.pack('<ddBBBHB', value, 0.25 if j % 5 == 0 else 0.0, i % 3,
                               (3 if i % 4 == 0 else 0), (i * 7 + j) & 0x3F,
                               ord('-' if j % 2 else ' '), increment)
            write('FormatFuzzer', 'value-%03d-%02d' % (i, j),
                  unit_prefix(unit, **extra) + args + utf8_text('1/8"'))


if __name__ == '__main__':
    main()
