#include "KovUnitTransform.h"

#include <cmath>

#include "UserLocale.h"
#include "units/core/KovUnitBase.h"

namespace {

constexpr int kLowestPower = 1;   // lengths
constexpr int kHighestPower = 4;  // fourth powers

}  // namespace

KovUnitTransform::KovUnitTransform()
    : useRegionalSettings(0), power(1), symbol(), precision(2), factor(1.0) {}

KovUnitTransform::KovUnitTransform(const KovUnitTransform& other)
    : useRegionalSettings(other.useRegionalSettings),
      power(other.power),
      symbol(other.symbol),
      precision(other.precision),
      factor(other.factor) {}

const KovUnitTransform& KovUnitTransform::operator=(const KovUnitTransform& other) {
  if (this != &other) {
    useRegionalSettings = other.useRegionalSettings;
    power = other.power;
    symbol = other.symbol;
    precision = other.precision;
    factor = other.factor;
  }
  return *this;
}

KovUnitTransform::~KovUnitTransform() = default;

int KovUnitTransform::operator==(const KovUnitTransform& other) const {
  return isMetric() == other.isMetric() && isFractional() == other.isFractional() &&
                 isAngle() == other.isAngle()
             ? 1
             : 0;
}

void KovUnitTransform::setFactor(double value) {
  // A factor is a size: a non-finite or negative one would turn every display into
  // "nan" or flip its sign, so the unit keeps the factor it has.
  if (!std::isfinite(value) || value < 0.0) return;
  factor = value == 0.0 ? 1.0 : value;
}

void KovUnitTransform::setSymbol(const KovString& value) { symbol = value; }

void KovUnitTransform::setUseRegionalSettings(int value) { useRegionalSettings = value; }

void KovUnitTransform::setInternationalNumberFormat(KovString& text) const {
  if (useRegionalSettings == 0) return;
  pelunits::platform::UserNumberSettings settings;
  if (!pelunits::platform::readUserNumberSettings(settings)) return;
  pelunits::platform::NumberFormatRecord record;
  record.numDigits = precision;
  record.leadingZero = settings.leadingZero;
  record.grouping = settings.grouping;
  record.decimalSeparator = settings.decimalSeparator.getStringW();
  record.thousandSeparator = settings.thousandSeparator.getStringW();
  record.negativeOrder = settings.negativeOrder;
  // Formatted in place: the formatter reads the neutral text before it writes.
  pelunits::platform::formatUserNumber(text.getStringW(), record, text);
}

void KovUnitTransform::setInternationalNumberFormatBack(KovString& text) const {
  if (useRegionalSettings == 0) return;
  KovString decimalSeparator;
  KovString thousandSeparator;
  if (!pelunits::platform::readUserSeparators(decimalSeparator, thousandSeparator)) return;
  // Thousands first: "1.234,5" becomes "1234,5", then "1234.5".
  if (!thousandSeparator.isEmpty()) text.removeAll(thousandSeparator[0]);
  if (!decimalSeparator.isEmpty()) text.replace(decimalSeparator, KovString(L"."));
}

int KovUnitTransform::getPrecision() const { return precision; }

void KovUnitTransform::setPrecision(int value) { precision = value < 0 ? 0 : value; }

double KovUnitTransform::getMillimeters(const KovString& text) const {
  KovString neutral(text);
  setInternationalNumberFormatBack(neutral);
  return neutral.toDouble();
}

KovString KovUnitTransform::getDisplayString(double value, int trimTrailingZeros,
                                             int trimLeadingZero, int /*hideZeroFeet*/,
                                             int /*hideZeroInches*/, wchar_t /*separator*/) const {
  KovString text;
  text.appendFixed(value, precision);
  dropNegativeZeroSign(text);
  const bool hasSeparator = text.find(L'.') >= 0 || text.find(L',') >= 0;
  if (trimTrailingZeros != 0 && hasSeparator) {
    text.TrimRight(KovString(L"0"));
    text.TrimRight(KovString(L".,"));
  }
  if (trimLeadingZero != 0 && hasSeparator) text.TrimLeft(KovString(L"0"));
  return text;
}

KovString KovUnitTransform::getDisplayStringArch(
    double value, int trimTrailingZeros, eFractionRepresentation /*representation*/,
    eFractionLineArrangement /*lineArrangement*/, double /*fractionParameter*/,
    bool /*showInchMark*/, bool /*stackedFlag*/, bool /*dashAfterFeet*/, bool /*extraFlag*/,
    int trimLeadingZero, int hideZeroFeet, int hideZeroInches, wchar_t /*separator*/) const {
  return getDisplayString(value, trimTrailingZeros, trimLeadingZero, hideZeroFeet, hideZeroInches,
                          L' ');
}

KovString KovUnitTransform::getDisplayStringWithUnits(double value, int trimTrailingZeros) const {
  KovString text = getDisplayString(value, trimTrailingZeros, 0, 1, 1, L' ');
  if (symbol.length() < 1) return text;
  text += L' ';
  text += symbol;
  return text;
}

int KovUnitTransform::getPower() const { return power; }

void KovUnitTransform::setPower(int value) {
  // The displays serve lengths, areas, volumes and fourth powers: anything below is a
  // length and anything above a fourth power.
  power = value < kLowestPower ? kLowestPower : (value > kHighestPower ? kHighestPower : value);
}

int KovUnitTransform::isAngle() const { return 0; }

double KovUnitTransform::getDegrees(const KovString& text) const {
  return std::fmod(text.toDouble(), factor);
}

double KovUnitTransform::getGrams(const KovString& text) const { return text.toDouble(); }

int KovUnitTransform::incrementPrecision() { return 0; }

double KovUnitTransform::getKiloNewton(const KovString& text) const { return text.toDouble(); }

double KovUnitTransform::getKiloNewtonMeter(const KovString& text) const { return text.toDouble(); }

double KovUnitTransform::getNewtonPerSquareMm(const KovString& text) const {
  return text.toDouble();
}
