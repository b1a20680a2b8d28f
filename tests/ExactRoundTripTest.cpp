// Property: whatever a unit displays reads back through the exact reader as
// complete, within half a display step of the value and with its sign, for every
// unit, precision, power, factor, display flag, separator and regional setting,
// under several user locales.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "ExactTolerance.h"
#include "KovString.h"
#include "KovUnitTransform.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsFormat.h"
#include "PelUnitsRead.h"
#include "RoundTripSetups.h"
#include "TestText.h"

namespace {

using roundtrip::Display;
using roundtrip::Kind;

TEST(ExactRoundTrip, EveryDisplayReadsBackCompleteWithinHalfAStep) {
  const auto every = [](const roundtrip::UnitSetup&, const char*) { return true; };
  const long checked = roundtrip::forEachDisplay(20261205, 200, every, [](const Display& d) {
    bool ok = true;
    for (const KovString& text : {d.text, d.unit.getDisplayStringWithUnits(d.value, d.trim)}) {
      const pelunits::ReadResult r = pelunits::readExact(d.unit, text);
      double expected = d.value;
      // The display writes no sign for angles between -1 and 0 degrees: "0°30'0"".
      if (d.setup.kind == Kind::dms && std::fmod(d.value, 360.0) > -1.0 && d.value < 0 &&
          text.find(L'-') < 0) {
        expected = -d.value;
      }
      // nan, inf and -inf read back as themselves.
      const bool same = r.value == expected || (std::isnan(r.value) && std::isnan(expected));
      const double error = same ? 0.0 : exacttest::difference(d.unit, r.value, expected);
      double allowed = std::isfinite(d.value) ? exacttest::tolerance(d.unit, d.value) : 0.0;
      // At the top of the range the display unit's number, or the value read
      // back, overflows: the sign and the infinity are what remains.
      if (std::isinf(r.value) && std::fabs(d.value) > 1e307 && (r.value < 0) == (d.value < 0)) {
        allowed = std::numeric_limits<double>::infinity();
      }
      if (r.status != pelunits::ReadStatus::complete || !(std::fabs(error) <= allowed)) {
        ok = false;
        ADD_FAILURE() << d.setup.name << " (precision " << d.unit.getPrecision() << ", "
                      << (d.locale ? d.locale : "regional off") << "): " << d.value << " shows \""
                      << narrow(text) << "\", read " << static_cast<int>(r.status) << " " << r.value
                      << " at " << r.position << " (" << r.message << "), off by " << error
                      << " (allowed " << allowed << ")";
      }
    }
    return ok;
  });
  EXPECT_GT(checked, 40000);
}

// Property: a bearing or an azimuth that format() writes reads back complete, with the
// style and the convention it was written with, to the value it came from up to whole
// turns: within half a step when rounding to the nearest, a step when up or down.
TEST(ExactRoundTrip, BearingsAndAzimuthsReadBackUnderTheirConvention) {
  struct AngleUnit {
    const char* name;
    double degreesPerStepUnit;  // a step of 1/precision display units, in degrees
    int precisions[3];
  };
  const AngleUnit units[] = {
      {"degrees-minutes-seconds", 1.0, {1, 60, 36000}},
      {"degrees", 1.0, {1, 100, 100000}},
      {"gon", 0.9, {1, 100, 10000}},
      {"radians", 180.0 / std::acos(-1.0), {1, 100, 10000}},
  };
  std::mt19937_64 random(20261207);
  for (int n = 0; n < 20000; ++n) {
    const AngleUnit& u = units[random() % std::size(units)];
    const pelunits::UnitPtr unit(pelunits::newNamedUnit(*pelunits::findNamedUnit(u.name)));
    const int precision = u.precisions[random() % 3];
    unit->setPrecision(precision);
    pelunits::FormatOptions options;
    options.angleStyle = static_cast<pelunits::AngleStyle>(1 + random() % 2);
    options.angleConvention.zero = static_cast<pelunits::AngleZero>(random() % 4);
    options.angleConvention.sense = static_cast<pelunits::AngleSense>(random() % 2);
    options.rounding = static_cast<pelunits::Rounding>(random() % 3);
    options.typographic = random() % 2 == 0;
    options.inexactMarker = random() % 2 == 0;
    options.withSymbol = random() % 2 == 0;
    options.trimTrailingZeros = random() % 2 == 0;
    // Every eighth value on a quarter, where the axes and the carries lie.
    double value = std::uniform_real_distribution<double>(-1000.0, 1000.0)(random);
    if (random() % 8 == 0) value = 90.0 * static_cast<double>(random() % 20) - 900.0;
    if (random() % 8 == 0) value += (random() % 2 == 0 ? 1e-9 : -1e-9);
    const KovString text = pelunits::format(*unit, value, options);
    const pelunits::ReadResult read =
        pelunits::readExact(*unit, text, options.angleStyle, options.angleConvention);
    double off = std::fmod(std::fabs(read.value - value), 360.0);
    off = std::fmin(off, 360.0 - off);
    const double step = u.degreesPerStepUnit / precision;
    const double allowed = (options.rounding == pelunits::Rounding::nearest ? 0.5 : 1.0) * step;
    EXPECT_TRUE(read.status == pelunits::ReadStatus::complete && off <= allowed * (1 + 1e-9) + 1e-9)
        << u.name << " at " << precision << ": " << value << " shows \"" << narrow(text)
        << "\", read " << static_cast<int>(read.status) << " " << read.value << " (" << read.message
        << ")";
    if (HasFailure()) return;
  }
}

}  // namespace
