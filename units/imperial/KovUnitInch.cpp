#include "units/imperial/KovUnitInch.h"

#include <cmath>

#include "TextRange.h"
#include "units/core/DisplayParts.h"

KovUnitInch::KovUnitInch() { factor = kMillimetresPerInch; }

KovUnitTransform* KovUnitInch::clone() const { return cloneUnit(*this); }

void KovUnitInch::setPrecision(int precisionPower) {
  const double shifted = static_cast<double>(precisionPower) + 0.001;
  // log10 of 0 or less has no meaning: such precisions get the one decimal minimum.
  const int decimals = shifted > 0.0 ? static_cast<int>(std::log10(shifted)) : 0;
  precision = decimals > 0 ? decimals : 1;
  noDecimals = 0;
}

namespace {

void appendFeet(KovString& text, long long feet) {
  text.appendInt(feet);
  text += L'\'';
}

}  // namespace

KovString KovUnitInch::getDisplayString(double value, int trimTrailingZeros,
                                        int /*trimLeadingZero*/, int hideZeroFeet,
                                        int hideZeroInches, wchar_t separator) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  const Scales s = scales();
  const double s12 = s.inchesPerFoot;
  double inches = value / s.millimetresPerInch;
  if (!std::isfinite(inches)) return pelunits::nonFiniteText(inches);  // only for absurd powers
  int feet = 0;
  normalizeFeetInches(feet, inches, s);
  const int decimals = displayDecimals();

  KovString text;
  if (feet != 0) {
    const double tolerance = 1.0 / getPrecision();
    if (std::fabs(inches) < tolerance) {
      appendFeet(text, feet);
    } else if (std::fabs(s12 - inches) < tolerance) {
      // The rest rounds to a whole foot: one foot more, away from zero.
      appendFeet(text, feet > 0 ? feet + 1LL : feet - 1LL);
    } else {
      appendFeet(text, feet);
      text += pelunits::partSeparator(separator);
      text.appendFixed(inches, decimals);
      text += L'"';
    }
  } else if (std::fabs(inches) > 0.001) {
    // Also the fallback for lengths whose feet do not fit an int: inches alone.
    text.appendFixed(inches, decimals);
    text += L'"';
    if (pelunits::numberTextIsZero(text)) {
      if (hideZeroFeet == 0) {
        text = L"0'";
        text += pelunits::partSeparator(separator);
        if (hideZeroInches == 0) text += L"0.0\"";
      } else {
        // A rest too small for the decimals with the feet hidden: the inches at the
        // chosen decimals, without a minus sign, as any other rest below one foot.
        pelunits::dropNegativeZeroSign(text);
      }
    }
  } else if (hideZeroFeet != 0) {
    text = hideZeroInches != 0 ? L"0\"" : L"0.0'";
  } else if (hideZeroInches != 0) {
    text = L"0'";
  } else {
    text = L"0.0'";
    text += pelunits::partSeparator(separator);
    text += L"0.0\"";
  }
  removeTrailingZeros(text, trimTrailingZeros);
  if (getPower() == 2) pelunits::appendAreaSuffix(text);
  return text;
}

int KovUnitInch::isValidString(const KovString& text) const {
  // Read in place between the outer blanks.
  const wchar_t* characters = text.getStringW();
  const pelunits::TextRange trimmed = pelunits::trimmedRange(text);
  int begin = trimmed.begin;
  int end = trimmed.end;
  if (getPower() == 2) end = pelunits::endWithoutAreaSuffix(begin, end);
  int feetMark = text.find(L'\'', begin);
  if (feetMark >= end) feetMark = -1;
  if (feetMark >= 0) {
    const int feetBegin = feetMark > begin && characters[begin] == L'-' ? begin + 1 : begin;
    // Feet are digits with at most one '.': ‹5.5' 6› passes, as the reader takes
    // decimal feet; signs, blanks and exponents inside the feet do not.
    if (feetMark > feetBegin && !pelunits::numericIn(text, feetBegin, feetMark)) return 0;
    begin = feetMark + 1;
  }
  if (end > begin && characters[end - 1] == L'"') --end;
  return pelunits::startsWithReal(text, begin, end) ? 1 : 0;
}
