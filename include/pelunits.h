/* pelunits.h: the C interface of PelUnitsTransform.
 *
 * A stable interface for any compiler and language: opaque handles, UTF-8 and UTF-16
 * text, buffers owned by the caller (no memory crosses from the library's heap to the
 * caller's), status codes and a run-time version. Functions are only ever added, never
 * changed or removed. Valid C99 and C++; needs only <stddef.h>, <stdint.h> and the
 * factory codes' names in PelUnitsCodes.h.
 *
 * Values are in the host's internal units: millimetres (and their powers for areas,
 * volumes and fourth powers), degrees, grams, kilonewtons, kilonewton-metres and
 * newtons per square millimetre.
 *
 * Threads: the functions that make units (pelunits_unit_new, pelunits_unit_from_name,
 * pelunits_unit_clone) and the functions without a unit may be called from several
 * threads at once. One unit is used by one thread at a time; different units may be
 * used on different threads at the same time.
 *
 * No call lets an exception or a crash out. A NULL handle, a NULL text or malformed
 * UTF-8 or UTF-16 gives PELUNITS_BAD_ARGUMENT, or, for the functions that return no
 * status, the neutral answer documented beside them.
 */
#ifndef PELUNITS_H
#define PELUNITS_H

#include <stddef.h>
#include <stdint.h>

#include "PelUnitsCodes.h"

#if defined(_WIN32) || defined(__CYGWIN__)
#if defined(PELUNITS_BUILDING)
#define PELUNITS_C_API __declspec(dllexport)
#else
#define PELUNITS_C_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define PELUNITS_C_API __attribute__((visibility("default")))
#else
#define PELUNITS_C_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* "MAJOR.MINOR.PATCH" of the library that is loaded, the same as its CMake package. */
PELUNITS_C_API const char* pelunits_version(void);

/* A status; int32_t rather than an enum, so that codes added later pass through any
 * compiler unchanged. */
typedef int32_t pelunits_status;
enum {
  PELUNITS_OK = 0,
  PELUNITS_INCOMPLETE = 1,       /* the text is the start of a quantity ("5' 6 1/") */
  PELUNITS_INVALID = 2,          /* no continuation makes the text a quantity */
  PELUNITS_BUFFER_TOO_SMALL = 3, /* *length holds the size needed, without the NUL */
  PELUNITS_BAD_ARGUMENT = 4,     /* NULL handle or text, malformed text, unknown flag */
  PELUNITS_NO_MEMORY = 5,
  PELUNITS_INTERNAL_ERROR = 6
};

/* A short lowercase English text for the status; "unknown status" for other values. */
PELUNITS_C_API const char* pelunits_status_message(pelunits_status status);

/* Chooses the regional locale of every unit whose regional flag is set, for the whole
 * process, from any thread (also while others display): a POSIX name such as
 * "de_DE.UTF-8", on Windows a name such as "de-DE". NULL or "" returns to the
 * environment's locale (LC_ALL, LC_NUMERIC, LANG), on Windows to the user's default.
 * Changing the environment while other threads call the library is undefined in
 * POSIX: choose the locale here instead. */
PELUNITS_C_API void pelunits_set_locale(const char* name);

/* 1 when the number settings of the locale in force can be read, 0 for a locale that
 * is named but not installed (regional texts then stay neutral). */
PELUNITS_C_API int pelunits_locale_available(void);

/* A number format given by the host, for every unit whose regional flag is set. */
typedef struct pelunits_number_format {
  size_t struct_size;            /* sizeof(pelunits_number_format): lets the struct grow */
  const char* decimal_separator; /* UTF-8, 1 to 3 characters */
  const char* group_separator;   /* UTF-8, 0 to 3 characters; "" for no grouping */
  uint32_t grouping;             /* digits per group, 0 to 9; 0 for none */
  int32_t negative_form;         /* 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -" */
  int32_t leading_zero;          /* 1 for "0.5", 0 for ".5" */
} pelunits_number_format;

/* Sets the number format of every regional display and reading, process-wide, from any
 * thread (as pelunits_set_locale); it takes precedence over the chosen locale and the
 * environment's. NULL returns to the system's (pelunits_set_locale, else the
 * environment's locale). PELUNITS_BAD_ARGUMENT, changing nothing, for an invalid
 * record: a struct_size this library does not know, a NULL or empty decimal separator,
 * a NULL group separator, malformed UTF-8, a separator of more than 3 characters or
 * holding a digit, '+', '-', a parenthesis, a control character or a character beyond
 * U+FFFF, a group separator that starts with the decimal separator's first character,
 * or a number out of its range. */
PELUNITS_C_API pelunits_status pelunits_set_number_format(const pelunits_number_format* format);

/* A configured display unit. */
typedef struct pelunits_unit pelunits_unit;

/* A unit from the factory codes (PelUnitsCodes.h: PELUNITS_CODE_LENGTH, ...). Codes
 * without a class of their own give the factory's fallback, as in C++. NULL when no
 * memory is left, and where the C++ factory has no unit either: the metric volume and
 * fourth-power codes with a representation of no class of theirs. */
PELUNITS_C_API pelunits_unit* pelunits_unit_new(int32_t system_units, int32_t representation);
/* A unit by the names of `pelunits units` ("feet-inch-fraction", "metres", ...), with
 * the settings the tool gives it. NULL for an unknown name, a NULL name or no memory. */
PELUNITS_C_API pelunits_unit* pelunits_unit_from_name(const char* name);
/* An independent copy with the same settings. NULL for NULL or when no memory is left. */
PELUNITS_C_API pelunits_unit* pelunits_unit_clone(const pelunits_unit* unit);
/* Releases the unit; NULL is allowed. */
PELUNITS_C_API void pelunits_unit_free(pelunits_unit* unit);

/* The named units, in the order `pelunits units` lists them: names and one-line
 * descriptions of index 0 to count - 1 (static UTF-8 text); NULL past the end. */
PELUNITS_C_API size_t pelunits_named_unit_count(void);
PELUNITS_C_API const char* pelunits_named_unit_name(size_t index);
PELUNITS_C_API const char* pelunits_named_unit_description(size_t index);

/* The codes the unit was made with; the representation is the one the factory chose
 * (its fallback when it had no class for the one asked for). 0 for NULL. */
PELUNITS_C_API int32_t pelunits_unit_system_units(const pelunits_unit* unit);
PELUNITS_C_API int32_t pelunits_unit_representation(const pelunits_unit* unit);

/* The quantity of the unit, and so the internal unit of its values. -1 for NULL. */
enum {
  PELUNITS_LENGTH = 0, /* millimetres raised to the unit's power */
  PELUNITS_ANGLE = 1,  /* degrees */
  PELUNITS_WEIGHT = 2, /* grams */
  PELUNITS_FORCE = 3,  /* kilonewtons */
  PELUNITS_MOMENT = 4, /* kilonewton-metres */
  PELUNITS_STRESS = 5  /* newtons per square millimetre */
};
PELUNITS_C_API int pelunits_unit_quantity(const pelunits_unit* unit);

/* Settings, as the C++ setters take them: precision in the unit's own form (100 for two
 * decimals, 16 for sixteenths, 3600 for seconds), factor in internal units per display
 * unit (the full circle for decimal angles), power 1 to 4, regional 0 or 1 (the user's
 * number format). The setters return PELUNITS_BAD_ARGUMENT for NULL and change nothing
 * then; the getters answer 0 for NULL. */
PELUNITS_C_API pelunits_status pelunits_unit_set_precision(pelunits_unit* unit, int precision);
PELUNITS_C_API int pelunits_unit_get_precision(const pelunits_unit* unit);
PELUNITS_C_API pelunits_status pelunits_unit_set_factor(pelunits_unit* unit, double factor);
PELUNITS_C_API double pelunits_unit_get_factor(const pelunits_unit* unit);
PELUNITS_C_API pelunits_status pelunits_unit_set_power(pelunits_unit* unit, int power);
PELUNITS_C_API int pelunits_unit_get_power(const pelunits_unit* unit);
PELUNITS_C_API pelunits_status pelunits_unit_set_regional(pelunits_unit* unit, int regional);
PELUNITS_C_API int pelunits_unit_get_regional(const pelunits_unit* unit);
/* One step finer precision (one more decimal, the next power of two of a fraction);
 * 1 when something changed, 0 when not or for NULL. */
PELUNITS_C_API int pelunits_unit_increment_precision(pelunits_unit* unit);
/* 1 when the number displays show no decimals whatever the precision (a precision
 * below 10 of a decimal unit); 0 otherwise and for NULL. */
PELUNITS_C_API int pelunits_unit_get_no_decimals(const pelunits_unit* unit);
/* 1 or 0 as the C++ predicates answer; 0 for NULL. */
PELUNITS_C_API int pelunits_unit_is_metric(const pelunits_unit* unit);
PELUNITS_C_API int pelunits_unit_is_fractional(const pelunits_unit* unit);
PELUNITS_C_API int pelunits_unit_is_angle(const pelunits_unit* unit);

/* The symbol shown by PELUNITS_WITH_UNITS ("m", "kN"); NUL-terminated text. A text
 * that is not well-formed is refused with PELUNITS_BAD_ARGUMENT. */
PELUNITS_C_API pelunits_status pelunits_unit_set_symbol(pelunits_unit* unit, const char* utf8);
PELUNITS_C_API pelunits_status pelunits_unit_set_symbol_utf16(pelunits_unit* unit,
                                                              const uint16_t* utf16);
/* The symbol, written as the displays write their text (see pelunits_display). */
PELUNITS_C_API pelunits_status pelunits_unit_get_symbol(const pelunits_unit* unit, char* buffer,
                                                        size_t size, size_t* length);
PELUNITS_C_API pelunits_status pelunits_unit_get_symbol_utf16(const pelunits_unit* unit,
                                                              uint16_t* buffer, size_t size,
                                                              size_t* length);

/* Display flags. */
#define PELUNITS_TRIM_TRAILING_ZEROS 0x01u
#define PELUNITS_TRIM_LEADING_ZERO 0x02u
#define PELUNITS_HIDE_ZERO_FEET 0x04u
#define PELUNITS_HIDE_ZERO_INCHES 0x08u
/* The display, a blank and the symbol; of the other flags only the trimming of
 * trailing zeros applies, and the separator is not used. */
#define PELUNITS_WITH_UNITS 0x10u
/* Flags of the fraction markup display only (pelunits_display_arch). */
#define PELUNITS_ARCH_INCH_MARK 0x20u
#define PELUNITS_ARCH_STACKED 0x40u
#define PELUNITS_ARCH_DASH_AFTER_FEET 0x80u
#define PELUNITS_ARCH_EXTRA 0x100u

/* Batch calls only (pelunits_display_many and its twin): each text ends with a NUL,
 * counted in its span (offsets[i + 1] - offsets[i] is its length plus one), for callers
 * that split a column on NULs. */
#define PELUNITS_NUL_AFTER_EACH 0x200u

/* The display text of an internal value. `separator` is a Unicode code point (a blank
 * or '-' between feet and inches). The text is written as UTF-8 with a terminating NUL
 * and *length (which must not be NULL) receives its length in bytes without the NUL.
 * When `size` is too small nothing is written, PELUNITS_BUFFER_TOO_SMALL is returned
 * and *length is set, so that the call can be repeated with size *length + 1. `buffer`
 * may be NULL when `size` is 0. Unknown flag bits, a surrogate or a code point above
 * U+10FFFF as separator give PELUNITS_BAD_ARGUMENT. */
PELUNITS_C_API pelunits_status pelunits_display(const pelunits_unit* unit, double value,
                                                unsigned flags, uint32_t separator, char* buffer,
                                                size_t size, size_t* length);
/* The same text in UTF-16; `size` and *length count 16-bit code units. */
PELUNITS_C_API pelunits_status pelunits_display_utf16(const pelunits_unit* unit, double value,
                                                      unsigned flags, uint32_t separator,
                                                      uint16_t* buffer, size_t size,
                                                      size_t* length);
/* The display with fractions written as the markup "#fraction(r,l,s,p,n,d)":
 * `representation` and `line_arrangement` (any value) and `fraction_parameter` are
 * copied into the markup; `flags` takes the display flags except PELUNITS_WITH_UNITS,
 * and the PELUNITS_ARCH_ flags. Buffers as for pelunits_display. */
PELUNITS_C_API pelunits_status pelunits_display_arch(const pelunits_unit* unit, double value,
                                                     unsigned flags, int32_t representation,
                                                     int32_t line_arrangement,
                                                     double fraction_parameter, uint32_t separator,
                                                     char* buffer, size_t size, size_t* length);
PELUNITS_C_API pelunits_status pelunits_display_arch_utf16(const pelunits_unit* unit, double value,
                                                           unsigned flags, int32_t representation,
                                                           int32_t line_arrangement,
                                                           double fraction_parameter,
                                                           uint32_t separator, uint16_t* buffer,
                                                           size_t size, size_t* length);

/* Formatting with options: the display rounded to a step, with significant digits,
 * level signs, typographic marks and an inexact marker, as the C++ pelunits::format
 * (PelUnitsFormat.h) writes it; every text reads back through pelunits_read. */
enum {
  PELUNITS_ROUND_NEAREST = 0, /* ties away from zero */
  PELUNITS_ROUND_UP = 1,      /* toward +infinity: -2.4 mm at 1 mm gives -2 mm */
  PELUNITS_ROUND_DOWN = 2     /* toward -infinity: -2.4 mm at 1 mm gives -3 mm */
};
/* Flags of pelunits_format_options beside the display flags PELUNITS_TRIM_TRAILING_ZEROS,
 * PELUNITS_HIDE_ZERO_FEET, PELUNITS_HIDE_ZERO_INCHES and PELUNITS_WITH_UNITS (the symbol
 * after the decimal forms' number). */
#define PELUNITS_FORMAT_PLUS_SIGN 0x400u       /* "+3.250"; U+00B1 before a zero */
#define PELUNITS_FORMAT_TYPOGRAPHIC 0x800u     /* prime marks, U+2212, vulgar fractions */
#define PELUNITS_FORMAT_INEXACT_MARKER 0x1000u /* '~' when the text is not the value */
/* Angle styles, and the host's angle convention: where internal angles start and which
 * way they grow (PelUnitsAngles.h). */
enum {
  PELUNITS_ANGLE_PLAIN = 0,   /* the angle itself */
  PELUNITS_ANGLE_BEARING = 1, /* "N 45°30' E" */
  PELUNITS_ANGLE_AZIMUTH = 2  /* from north, clockwise, 0 up to a turn */
};
enum {
  PELUNITS_ZERO_EAST = 0,
  PELUNITS_ZERO_NORTH = 1,
  PELUNITS_ZERO_WEST = 2,
  PELUNITS_ZERO_SOUTH = 3
};
enum { PELUNITS_COUNTERCLOCKWISE = 0, PELUNITS_CLOCKWISE = 1 };

/* The options; pelunits_format_options_init gives the defaults, which leave the unit's
 * own form. Fields are only ever added at the end, and struct_size tells the library
 * which of them the caller knows: a record that ends before angle_style (the size of the
 * first version) has the default angle fields. */
typedef struct pelunits_format_options {
  size_t struct_size;         /* sizeof(pelunits_format_options): lets the struct grow */
  const char* increment;      /* the step as UTF-8 text the exact reader reads ("5 mm",
                                 "1/2\""); NULL or "" for none */
  double increment_value;     /* the step in the display unit when `increment` gives none;
                                 0 for none */
  int32_t rounding;           /* PELUNITS_ROUND_ */
  int32_t significant_digits; /* 1 to 17 for the decimal forms; 0 for none */
  uint32_t flags;             /* the flags above; PELUNITS_HIDE_ZERO_FEET by default */
  uint32_t separator;         /* code point between feet and inches; ' ' by default */
  int32_t angle_style;        /* PELUNITS_ANGLE_, for angle units; plain by default */
  int32_t angle_zero;         /* PELUNITS_ZERO_: the direction of the internal 0; east */
  int32_t angle_sense;        /* PELUNITS_COUNTERCLOCKWISE (default) or PELUNITS_CLOCKWISE */
} pelunits_format_options;

/* Fill a record with the defaults, struct_size included; a null pointer writes nothing.
 * pelunits_format_options_init writes the first version's record (the fields before
 * angle_style, struct_size its size), all that a program built against that version has
 * room for. pelunits_format_options_init_size writes the fields that fit in `size`
 * bytes, struct_size `size` (at most this version's sizeof); below the first version's
 * size it writes nothing. The macro below makes every call to
 * pelunits_format_options_init fill the whole record of this header's version; it takes
 * a pointer to the record (a bare NULL has no record type for its sizeof). */
PELUNITS_C_API void pelunits_format_options_init(pelunits_format_options* options);
PELUNITS_C_API void pelunits_format_options_init_size(pelunits_format_options* options,
                                                      size_t size);
#define pelunits_format_options_init(options) \
  pelunits_format_options_init_size((options), sizeof *(options))
/* The formatted text of an internal value, written as pelunits_display writes its text;
 * NULL options are the defaults. PELUNITS_BAD_ARGUMENT, writing nothing, as for
 * pelunits_display, and for a struct_size this library does not know, a rounding or a
 * flag it does not know, malformed UTF-8 in `increment` or a bad separator. An increment
 * that reads as no step is no step, as in C++. */
PELUNITS_C_API pelunits_status pelunits_format(const pelunits_unit* unit, double value,
                                               const pelunits_format_options* options, char* buffer,
                                               size_t size, size_t* length);
/* The same text in UTF-16; `size` and *length count 16-bit code units. `increment` is
 * UTF-8 here too. */
PELUNITS_C_API pelunits_status pelunits_format_utf16(const pelunits_unit* unit, double value,
                                                     const pelunits_format_options* options,
                                                     uint16_t* buffer, size_t size, size_t* length);

/* The exact reader: PELUNITS_OK with *value the quantity in internal units (the double
 * nearest to the text's exact value, as the C++ ReadResult::value says) when all of
 * the NUL-terminated text is one; PELUNITS_INCOMPLETE for the start of one ("", "5' 6
 * 1/"); PELUNITS_INVALID when no continuation makes one. *value is 0 unless the text is
 * complete; *error_offset is where reading stopped (0 when complete), in bytes. Either
 * output pointer may be NULL. Malformed UTF-8 gives PELUNITS_BAD_ARGUMENT with the
 * offset of the first malformed byte. */
PELUNITS_C_API pelunits_status pelunits_read(const pelunits_unit* unit, const char* utf8,
                                             double* value, size_t* error_offset);
/* The same for NUL-terminated UTF-16; the offset counts code units. */
PELUNITS_C_API pelunits_status pelunits_read_utf16(const pelunits_unit* unit, const uint16_t* utf16,
                                                   double* value, size_t* error_offset);
/* The exact reader on `length` bytes (a NUL among them is a character like any other),
 * also giving the reason in *message: short lowercase English, static, "" when the text
 * is complete. Any output pointer may be NULL. */
PELUNITS_C_API pelunits_status pelunits_read_ex(const pelunits_unit* unit, const char* utf8,
                                                size_t length, double* value, size_t* error_offset,
                                                const char** message);
PELUNITS_C_API pelunits_status pelunits_read_utf16_ex(const pelunits_unit* unit,
                                                      const uint16_t* utf16, size_t length,
                                                      double* value, size_t* error_offset,
                                                      const char** message);
/* pelunits_read_ex for the texts pelunits_format writes with an angle style under an
 * angle convention (PELUNITS_ANGLE_, PELUNITS_ZERO_, PELUNITS_CLOCKWISE or
 * PELUNITS_COUNTERCLOCKWISE): bearings under the convention, a plain angle as an azimuth
 * with PELUNITS_ANGLE_AZIMUTH, both as 0 up to 360 degrees; units of other quantities
 * read as pelunits_read_ex reads them. PELUNITS_BAD_ARGUMENT for a style, zero or sense
 * this library does not know. The _utf16 twin reads UTF-16 as pelunits_read_utf16_ex. */
PELUNITS_C_API pelunits_status pelunits_read_angle(const pelunits_unit* unit, const char* utf8,
                                                   size_t length, int32_t angle_style,
                                                   int32_t angle_zero, int32_t angle_sense,
                                                   double* value, size_t* error_offset,
                                                   const char** message);
PELUNITS_C_API pelunits_status pelunits_read_angle_utf16(const pelunits_unit* unit,
                                                         const uint16_t* utf16, size_t length,
                                                         int32_t angle_style, int32_t angle_zero,
                                                         int32_t angle_sense, double* value,
                                                         size_t* error_offset,
                                                         const char** message);

/* Batches: a whole column in one call, for bindings and exports. Texts travel packed,
 * as Apache Arrow lays out a string array: the texts one after another without NULs
 * in one buffer, and `count + 1` offsets, offsets[i] the start of text i and
 * offsets[count] the end of the last, so that text i is the offsets[i + 1] -
 * offsets[i] bytes (or code units) from offsets[i].
 *
 * pelunits_display_many displays `count` values, as pelunits_display does with the
 * same flags and separator, into `buffer` (`size` bytes) and writes the `count + 1`
 * offsets. *length receives the bytes all the texts need (no NUL is needed). When
 * `size` is smaller, PELUNITS_BUFFER_TOO_SMALL is returned, *length is still the room
 * needed, and the contents of `buffer` and `offsets` are unspecified: the call keeps no
 * state, so a repeated call with a larger buffer starts afresh. PELUNITS_BAD_ARGUMENT,
 * writing nothing, for a NULL unit, offsets or length, NULL values with a nonzero
 * count, a NULL buffer with a nonzero size, a count whose offsets do not fit in
 * memory, unknown flags or a bad separator; and when the texts together pass
 * INT32_MAX bytes, which the offsets cannot hold (split the column then). The flag
 * PELUNITS_NUL_AFTER_EACH ends each text with a NUL. The _utf16 twin counts 16-bit code
 * units instead of bytes.
 *
 * Threads: as for every call, one unit is used by one thread at a time, and different
 * units may be used by different threads at once (a clone per thread serves a column
 * split into chunks). */
PELUNITS_C_API pelunits_status pelunits_display_many(const pelunits_unit* unit,
                                                     const double* values, size_t count,
                                                     unsigned flags, uint32_t separator,
                                                     char* buffer, size_t size, int32_t* offsets,
                                                     size_t* length);
PELUNITS_C_API pelunits_status pelunits_display_many_utf16(const pelunits_unit* unit,
                                                           const double* values, size_t count,
                                                           unsigned flags, uint32_t separator,
                                                           uint16_t* buffer, size_t size,
                                                           int32_t* offsets, size_t* length);
/* pelunits_read_many reads the `count` packed UTF-8 texts of `buffer` with the exact
 * reader, each as pelunits_read_ex reads it: values[i] gets its value (0 unless it is
 * complete), statuses[i] its status (PELUNITS_BAD_ARGUMENT for a malformed text) and
 * positions[i] where reading stopped in it (0 when complete), in bytes from the start
 * of that text. `statuses` and `positions` may be NULL. Returns PELUNITS_OK when every
 * text is complete, else the status of the first one that is not; or
 * PELUNITS_BAD_ARGUMENT, reading and writing nothing, for a NULL unit or offsets, NULL
 * values with a nonzero count, a NULL buffer with texts that are not all empty, a
 * negative offsets[0], offsets that decrease, or a count whose offsets do not fit in
 * memory. `buffer` must hold offsets[count] bytes. The _utf16 twin reads UTF-16 and
 * counts code units. */
PELUNITS_C_API pelunits_status pelunits_read_many(const pelunits_unit* unit, const char* buffer,
                                                  const int32_t* offsets, size_t count,
                                                  double* values, pelunits_status* statuses,
                                                  size_t* positions);
PELUNITS_C_API pelunits_status pelunits_read_many_utf16(const pelunits_unit* unit,
                                                        const uint16_t* buffer,
                                                        const int32_t* offsets, size_t count,
                                                        double* values, pelunits_status* statuses,
                                                        size_t* positions);

/* The unit's own reader for its quantity (getMillimeters, getDegrees, getGrams,
 * getKiloNewton, getKiloNewtonMeter, getNewtonPerSquareMm), unchanged: what it cannot
 * read reads as 0. 0 for NULL or malformed text. */
PELUNITS_C_API double pelunits_read_as_typed(const pelunits_unit* unit, const char* utf8);
PELUNITS_C_API double pelunits_read_as_typed_utf16(const pelunits_unit* unit,
                                                   const uint16_t* utf16);
/* The unit's own validator: 1 acceptable, 0 not; 0 for NULL or malformed text. */
PELUNITS_C_API int pelunits_is_valid(const pelunits_unit* unit, const char* utf8);
PELUNITS_C_API int pelunits_is_valid_utf16(const pelunits_unit* unit, const uint16_t* utf16);
/* The same on `length` bytes or code units, a NUL among them being a character. */
PELUNITS_C_API double pelunits_read_as_typed_ex(const pelunits_unit* unit, const char* utf8,
                                                size_t length);
PELUNITS_C_API double pelunits_read_as_typed_utf16_ex(const pelunits_unit* unit,
                                                      const uint16_t* utf16, size_t length);
PELUNITS_C_API int pelunits_is_valid_ex(const pelunits_unit* unit, const char* utf8, size_t length);
PELUNITS_C_API int pelunits_is_valid_utf16_ex(const pelunits_unit* unit, const uint16_t* utf16,
                                              size_t length);

#ifdef __cplusplus
}
#endif

#endif /* PELUNITS_H */
