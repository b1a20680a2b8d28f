// Property: whatever a unit displays reads back through the exact reader as
// complete, within half a display step of the value and with its sign, for every
// unit, precision, power, factor, display flag, separator and regional setting,
// under several user locales.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ExactTolerance.h"
#include "KovString.h"
#include "KovUnitTransform.h"
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

}  // namespace
