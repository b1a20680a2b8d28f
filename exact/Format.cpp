#include <cmath>
#include <cstdint>
#include <utility>

#include "Bearing.h"
#include "FieldOfUnit.h"
#include "FormatDecimal.h"
#include "FormatDigits.h"
#include "FormatIncrement.h"
#include "FormatParts.h"
#include "FormatStep.h"
#include "PelUnitsFormat.h"
#include "PowersOfTen.h"
#include "UnitKind.h"
#include "UserLocale.h"
#include "units/angle/KovUnitDegreeBase.h"
#include "units/core/NumberText.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace pelunits {

namespace {

using exact::asksSignificantDigits;
using exact::exceedsTolerance;
using exact::PartCount;
using exact::significantStep;
using exact::Step;
using exact::UnitKind;

enum class Form {
  decimal,
  wholeAndFraction,
  feetInches,
  feetDecimalInches,
  degreesMinutesSeconds,
  poundsOunces
};

constexpr double kSecondsPerDegree = 3600.0;
using exact::kDegreesPerQuarter;
using exact::kDegreesPerTurn;
constexpr double kTwo53 = 9007199254740992.0;

Form formOf(UnitKind kind, const KovUnitTransform& unit) {
  switch (kind) {
    case UnitKind::feetInch:
      // Areas and volumes show their inch units: the foot of a square foot is 144 of them.
      if (unit.getPower() != 1) return Form::decimal;
      return unit.isFractional() != 0 ? Form::feetInches : Form::feetDecimalInches;
    case UnitKind::fractionalDecimal:
      return Form::wholeAndFraction;
    case UnitKind::degreesMinutesSeconds:
      return Form::degreesMinutesSeconds;
    case UnitKind::poundsOunces:
      return unit.getFactor() > KovUnitLbsOunces::kDecimalDisplayThreshold ? Form::decimal
                                                                           : Form::poundsOunces;
    default:
      return Form::decimal;
  }
}

bool isFractionForm(Form form) {
  return form == Form::feetInches || form == Form::wholeAndFraction;
}

// The smallest shown parts in one display unit: seconds in a degree, else 1.
double partsPerDisplayUnit(Form form) {
  return form == Form::degreesMinutesSeconds ? kSecondsPerDegree : 1.0;
}

// The value in the smallest part the form shows, reduced by a turn where the unit's
// display reduces it.
double partsOf(double value, UnitKind kind, Form form, const KovUnitTransform& unit,
               double displaySize) {
  switch (kind) {
    case UnitKind::degrees:
      return pelunits::remainderOf(value, unit.getFactor()) / displaySize;
    case UnitKind::gon:
      return pelunits::remainderOf(std::fmod(value, kDegreesPerTurn) / displaySize,
                                   unit.getFactor());
    case UnitKind::degreesMinutesSeconds:
      return pelunits::remainderOf(value, kDegreesPerTurn) * kSecondsPerDegree;
    default:
      // A division by 1 is left out, the same double at no cost.
      return (displaySize == 1.0 ? value : value / displaySize) * partsPerDisplayUnit(form);
  }
}

// The decimals of a power-of-ten precision (100: 2), 0 to 9.
int decimalsOf(int precision) {
  if (precision <= 1) return 0;
  const int decimals = static_cast<int>(std::lround(std::log10(static_cast<double>(precision))));
  return decimals > 9 ? 9 : decimals;
}

Step stepOfSizeKept(double size, bool fraction);

// The step the unit's precision gives.
Step unitStep(Form form, const KovUnitTransform& unit) {
  const int precision = unit.getPrecision();
  switch (form) {
    case Form::feetInches:
    case Form::wholeAndFraction:
      return Step{1, static_cast<std::uint64_t>(precision < 1 ? 1 : precision), 0};
    case Form::feetDecimalInches:
      // The feet-and-decimal-inch unit shows one decimal at least.
      return exact::powerOfTen(decimalsOf(precision) < 1 ? -1 : -decimalsOf(precision));
    case Form::degreesMinutesSeconds:
      // The denominator is the step in parts of a degree: 60 minutes, 36000 tenths of seconds.
      return precision <= 1 ? Step{3600, 1, 0}
                            : stepOfSizeKept(kSecondsPerDegree / precision, false);
    default:
      return exact::powerOfTen(-decimalsOf(precision));
  }
}

// The step the options ask for, in the smallest part; 0 when they ask for none.
double requestedStep(const KovUnitTransform& unit, const FormatOptions& options, Form form,
                     double displaySize) {
  double step = 0.0;
  if (options.increment != nullptr && options.increment[0] != 0) {
    const double size = exact::readIncrementKept(unit, options.increment);
    step = displaySize == 1.0 ? size : size / displaySize;
  }
  if (!(step > 0.0 && std::isfinite(step))) step = options.incrementValue;
  step *= partsPerDisplayUnit(form);
  return step > 0.0 && std::isfinite(step) ? step : 0.0;
}

// The step of a requested size, decimal or a fraction.
Step stepOfSize(double size, bool fraction) {
  return fraction ? exact::fractionStep(size) : exact::decimalStep(size);
}

// The same through the answer this thread kept for the last size: a column formats with
// one increment, and finding its step costs a quarter of a decimal format(). Plain data,
// which a thread finds without a guard for its first use.
struct StepKey {
  double size;
  bool fraction;
  Step step;
};
thread_local StepKey tLastStep;

// `size` is positive, which the unused key's 0 never equals.
Step stepOfSizeKept(double size, bool fraction) {
  StepKey& key = tLastStep;
  if (key.size == size && key.fraction == fraction) return key.step;
  key.step = stepOfSize(size, fraction);
  key.size = size;
  key.fraction = fraction;
  return key.step;
}

// What a form shows: its digits and marks without the sign, and what decides the sign
// and the marker.
struct Shown {
  KovString body;
  bool negative = false;
  bool zero = false;
  bool inexact = false;
};

void roundDecimal(double parts, const exact::DecimalRounding& rounded, const FormatOptions& options,
                  bool userStyle, Shown& shown) {
  const Step& step = rounded.step;
  if (rounded.counted) {
    const double steps = rounded.steps;
    exact::appendMultiple(shown.body, steps, step.units, step.exponent10);
    shown.negative = steps < 0;
    shown.zero = steps == 0;
    shown.inexact = options.inexactMarker && exceedsTolerance(step.times(steps), parts);
  } else {
    // A step far below the value's own resolution: the value's own digits.
    shown.body.appendFixed(std::fabs(parts), step.decimals());
    shown.zero = pelunits::numberTextIsZero(shown.body);
    shown.negative = parts < 0;
  }
  const pelunits::NumberSettings* settings =
      userStyle ? pelunits::platform::userNumberSettings() : nullptr;
  if (settings != nullptr) pelunits::toRegionalNumber(shown.body, *settings, step.decimals());
  if (options.trimTrailingZeros && step.decimals() > 0) {
    pelunits::removeTrailingZeros(shown.body,
                                  settings != nullptr ? settings->decimalSeparator : KovString());
  }
}

// |steps| steps of `step` as whole parts and a rest; false when they pass 64 bits.
bool partCountOf(double steps, const Step& step, bool fraction, PartCount& count,
                 std::uint64_t& wholeStep) {
  const double magnitude = std::fabs(steps);
  if (!(magnitude < kTwo53) || step.exponent10 > 18 || step.decimals() > 18) return false;
  std::uint64_t units = step.units;
  if (step.exponent10 > 0) {
    const std::uint64_t power = pelunits::kPowersOfTen[step.exponent10];
    if (units > UINT64_MAX / power) return false;
    units *= power;
  }
  const auto n = static_cast<std::uint64_t>(magnitude);
  if (units == 0 || (n != 0 && units > (UINT64_MAX >> 1) / n)) return false;
  const std::uint64_t scale =
      step.isDecimal() ? pelunits::kPowersOfTen[step.decimals()] : step.denominator;
  const std::uint64_t total = n * units;
  count.whole = total / scale;
  count.rest = total % scale;
  count.scale = scale;
  count.decimals = step.isDecimal() ? step.decimals() : 0;
  count.fraction = fraction;
  wholeStep = scale == 1 ? units : 0;
  return true;
}

// The mark after a compound form's smallest part standing alone.
const wchar_t* smallestMark(Form form, const FormatOptions& options) {
  switch (form) {
    case Form::feetInches:
    case Form::feetDecimalInches:
    case Form::degreesMinutesSeconds:
      return options.typographic ? L"\u2033" : L"\"";
    case Form::poundsOunces:
      return KovUnitLbsOunces::kOuncesMark;
    default:
      return L"";
  }
}

// A compound form's text of `steps`, the parts rounded on `step` (whole parts when the
// count of steps was not finite).
void showCompound(Form form, double parts, double steps, bool counted, const Step& step,
                  const FormatOptions& options, Shown& shown) {
  const Step shownStep = counted ? step : exact::powerOfTen(0);
  shown.negative = steps < 0;
  shown.zero = steps == 0;
  shown.inexact = exceedsTolerance(shownStep.times(steps), parts);
  PartCount partCount;
  std::uint64_t wholeStep = 0;
  if (!partCountOf(steps, shownStep, isFractionForm(form), partCount, wholeStep)) {
    // Past 2^53 steps the smallest part stands alone: exactly when the step is decimal,
    // else in whole parts.
    if (shownStep.isDecimal()) {
      exact::appendMultiple(shown.body, steps, shownStep.units, shownStep.exponent10);
    } else {
      const double whole = std::round(shownStep.times(steps));
      shown.body.appendFixed(std::fabs(whole), 0);
      shown.zero = whole == 0;
      shown.inexact = exceedsTolerance(whole, parts);
    }
    shown.body += smallestMark(form, options);
    return;
  }
  switch (form) {
    case Form::feetInches:
    case Form::feetDecimalInches:
      exact::appendFeetInches(shown.body, partCount, wholeStep, options);
      break;
    case Form::degreesMinutesSeconds:
      exact::appendDegreesMinutesSeconds(shown.body, partCount, wholeStep, options);
      break;
    case Form::poundsOunces:
      exact::appendPoundsOunces(shown.body, partCount, wholeStep, options);
      break;
    default:
      exact::appendWholeAndFraction(shown.body, partCount, options);
      break;
  }
}

void roundCompound(Form form, double parts, const Step& step, const FormatOptions& options,
                   Shown& shown) {
  const double count = step.count(parts);
  const bool counted = std::isfinite(count);
  const double steps = counted ? exact::roundSteps(count, options.rounding) : std::round(parts);
  showCompound(form, parts, steps, counted, step, options, shown);
}

Shown shownParts(Form form, double parts, const Step& step, const FormatOptions& options,
                 bool userStyle) {
  Shown shown;
  if (form == Form::decimal) {
    roundDecimal(parts, exact::roundDecimalSteps(parts, step, options), options, userStyle, shown);
  } else {
    roundCompound(form, parts, step, options, shown);
  }
  return shown;
}

// An angle as a bearing or an azimuth (PelUnitsFormat.h has the forms).
KovString direction(double value, UnitKind kind, Form form, const Step& step, double displaySize,
                    bool userStyle, const KovUnitTransform& unit, const FormatOptions& options) {
  const double partsPerDegree = partsPerDisplayUnit(form) / displaySize;
  const bool bearing = options.angleStyle == AngleStyle::bearing;
  const double azimuth = exact::azimuthOf(value, options.angleConvention);
  const exact::Quadrant quadrant = exact::quadrantOf(azimuth);
  const double parts = (bearing ? quadrant.angle : azimuth) * partsPerDegree;
  // A right angle for a bearing, a turn for an azimuth: where the shown angle ends.
  const double limit = (bearing ? kDegreesPerQuarter : kDegreesPerTurn) * partsPerDegree;
  const Step shownStep = form == Form::decimal && asksSignificantDigits(options)
                             ? significantStep(parts, options.significantDigits)
                             : step;
  const double count = shownStep.count(parts);
  const bool counted = std::isfinite(count);
  const double steps = counted ? exact::roundSteps(count, options.rounding) : parts;
  const double shownValue = counted ? shownStep.times(steps) : parts;
  const bool atZero = steps == 0.0;
  // The limit in steps, within the roundings of its size (a right angle in radians).
  const bool atLimit = counted ? steps >= shownStep.count(limit) * (1.0 - 1e-12) : parts >= limit;

  KovString text;
  Shown shown;
  if (bearing && (atZero || atLimit)) {
    shown.body += atZero ? quadrant.from : quadrant.toward;
    shown.inexact = exceedsTolerance(atZero ? 0.0 : limit, parts);
  } else if (form != Form::decimal && !atLimit) {
    // The steps rounded above are the compound form's own: they are not rounded again.
    showCompound(form, parts, counted ? steps : std::round(parts), counted, step, options, shown);
  } else {
    shown = shownParts(form, atLimit ? 0.0 : parts, step, options, userStyle);
    if (atLimit) shown.inexact = exceedsTolerance(shownValue, parts);
  }
  if (options.inexactMarker && shown.inexact) text += L'~';
  const bool quadrantForm = bearing && !atZero && !atLimit;
  if (quadrantForm) {
    text += quadrant.from;
    text += L' ';
  }
  text += shown.body;
  if (quadrantForm && form == Form::decimal && kind == UnitKind::degrees) {
    text += KovUnitDegreeBase::kDegreeMark;
  } else if (options.withSymbol && form == Form::decimal && !unit.getSymbol().isEmpty() &&
             (!bearing || quadrantForm)) {
    text += L' ';
    text += unit.getSymbol();
  }
  if (quadrantForm) {
    text += L' ';
    text += quadrant.toward;
  }
  return text;
}

// The longest symbol decimalInOneBuffer holds after the number; longer ones take the
// general route.
constexpr int kSymbolRoom = 16;

// The decimal form's whole text, marks, digits and symbol (null for none), written in
// one buffer and appended to `text` once, where the general route builds the body, the
// marks and the symbol in texts of their own and copies each. It takes a counted
// rounding in the neutral number form whose digits the short multiple writes and a
// symbol of a few characters, which is nearly every display, and returns false, writing
// nothing, for anything else.
bool decimalInOneBuffer(double parts, const exact::DecimalRounding& rounded,
                        const FormatOptions& options, const KovString* symbol, KovString& text) {
  const int symbolLength = symbol != nullptr ? symbol->length() : 0;
  if (!rounded.counted || symbolLength > kSymbolRoom) return false;
  // The marks, the digits right-aligned before `digitsEnd`, and the blank and the symbol.
  wchar_t buffer[exact::kMostMarks + exact::kShortMultipleRoom + 1 + kSymbolRoom];
  wchar_t* const digitsEnd = buffer + exact::kMostMarks + exact::kShortMultipleRoom;
  const Step& step = rounded.step;
  wchar_t* first = exact::writeShortMultiple(digitsEnd, rounded.steps, step.units, step.exponent10);
  if (first == nullptr) return false;
  wchar_t* last = digitsEnd;
  if (options.trimTrailingZeros && step.decimals() > 0) {
    // The decimals hold a point, where the zeros end.
    while (last[-1] == L'0') --last;
    if (last[-1] == L'.') --last;
  }
  const bool inexact = options.inexactMarker && exceedsTolerance(step.times(rounded.steps), parts);
  wchar_t marks[exact::kMostMarks];
  const int markCount =
      exact::writeMarks(marks, inexact, rounded.steps < 0, rounded.steps == 0, options);
  first -= markCount;
  for (int i = 0; i < markCount; ++i) first[i] = marks[i];
  if (symbolLength > 0) {
    *last++ = L' ';
    const wchar_t* symbolText = symbol->getStringW();
    for (int i = 0; i < symbolLength; ++i) *last++ = symbolText[i];
  }
  text.append(first, static_cast<int>(last - first));
  return true;
}

// The marks, the body and the symbol of a shown value, as `text`.
void assemble(Shown& shown, const FormatOptions& options, const KovString* symbol,
              KovString& text) {
  wchar_t marks[exact::kMostMarks];
  const int markCount =
      exact::writeMarks(marks, shown.inexact, shown.negative, shown.zero, options);
  if (markCount == 0 && symbol == nullptr) {
    text = std::move(shown.body);
    return;
  }
  text.append(marks, markCount);
  text += shown.body;
  if (symbol != nullptr) {
    text += L' ';
    text += *symbol;
  }
}

// format(), by the one-buffer route where it applies when `oneBuffer` is on, else by the
// general route; into `text`, empty on entry, so that both return one object.
void formatInto(const KovUnitTransform& unit, double internalValue, const FormatOptions& options,
                bool oneBuffer, KovString& text) {
  if (!std::isfinite(internalValue)) {
    text = pelunits::nonFiniteText(internalValue);
    return;
  }
  // The field's facts are all that format() needs of the field but the number form, which
  // only a unit with its regional flag on takes from the user; they cost no copy.
  const exact::Field& facts = exact::fieldFactsOf(unit);
  const double displaySize = facts.displaySize;
  const UnitKind kind = facts.kind;
  const Form form = formOf(kind, unit);
  const double requested = requestedStep(unit, options, form, displaySize);
  Step step;
  if (requested > 0.0) {
    step = stepOfSizeKept(requested, isFractionForm(form));
  } else if (form != Form::decimal || !asksSignificantDigits(options)) {
    step = unitStep(form, unit);
  }
  const bool userStyle = form == Form::decimal && unit.getUseRegionalSettings() != 0 &&
                         exact::fieldOf(unit).styleIsUser;
  if (facts.quantity == Quantity::angle && options.angleStyle != AngleStyle::plain) {
    if (requested <= 0.0 && form == Form::decimal && asksSignificantDigits(options)) {
      step = unitStep(form, unit);
    }
    text = direction(internalValue, kind, form, step, displaySize, userStyle, unit, options);
    return;
  }
  const double parts = partsOf(internalValue, kind, form, unit, displaySize);
  if (!std::isfinite(parts)) {
    text = pelunits::nonFiniteText(parts);
    return;
  }
  const KovString* symbol =
      options.withSymbol && form == Form::decimal && !unit.getSymbol().isEmpty() ? &unit.getSymbol()
                                                                                 : nullptr;
  if (oneBuffer && form == Form::decimal && !userStyle &&
      decimalInOneBuffer(parts, exact::roundDecimalSteps(parts, step, options), options, symbol,
                         text)) {
    return;
  }
  Shown shown = shownParts(form, parts, step, options, userStyle);
  assemble(shown, options, symbol, text);
}

}  // namespace

KovString format(const KovUnitTransform& unit, double internalValue, const FormatOptions& options) {
  KovString text;
  formatInto(unit, internalValue, options, true, text);
  return text;
}

namespace exact {

KovString formatByGeneralRoute(const KovUnitTransform& unit, double internalValue,
                               const FormatOptions& options) {
  KovString text;
  formatInto(unit, internalValue, options, false, text);
  return text;
}

}  // namespace exact

}  // namespace pelunits
