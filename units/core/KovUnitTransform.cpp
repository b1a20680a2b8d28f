#include "KovUnitTransform.h"

#include <cmath>

#include "UserLocale.h"
#include "units/core/NumberText.h"

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
  pelunits::NumberSettings settings;
  if (!pelunits::platform::readUserNumberSettings(settings)) return;
  pelunits::toRegionalNumber(text, settings, precision);
}

void KovUnitTransform::setInternationalNumberFormatBack(KovString& text) const {
  if (useRegionalSettings == 0) return;
  pelunits::NumberSettings settings;
  if (!pelunits::platform::readUserNumberSettings(settings)) return;
  text = pelunits::neutralNumber(text, settings);
}

int KovUnitTransform::getPrecision() const { return precision; }

void KovUnitTransform::setPrecision(int value) { precision = value < 0 ? 0 : value; }

double KovUnitTransform::getMillimeters(const KovString& text) const {
  pelunits::NumberSettings settings;
  if (useRegionalSettings == 0 || !pelunits::platform::readUserNumberSettings(settings)) {
    return text.toDouble();
  }
  return pelunits::neutralNumber(text, settings).toDouble();
}

KovString KovUnitTransform::getDisplayString(double value, int trimTrailingZeros,
                                             int trimLeadingZero, int /*hideZeroFeet*/,
                                             int /*hideZeroInches*/, wchar_t /*separator*/) const {
  KovString text;
  text.appendFixed(value, precision);
  pelunits::dropNegativeZeroSign(text);
  const bool hasSeparator = pelunits::holdsDecimalSeparator(text, KovString());
  if (trimTrailingZeros != 0) pelunits::removeTrailingZeros(text, KovString());
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
