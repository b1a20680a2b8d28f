#pragma once

#include "units/core/Definitions.h"
#include "units/metric/KovUnitWeightBase.h"

// KovUnitLbsOunces: weights, kept in grams, shown and typed as pounds and ounces
// ("2 lb 3.27 oz", "3.53oz"). A unit whose `factor` is above 90000 shows instead a
// decimal number of display units (value / factor grams each) and its symbol.
// `precision` counts the decimals of the ounces and of the decimal text.
//
// Negative weights carry one sign for the whole text ("-1 lb 8.00 oz" is minus one
// pound and eight ounces), and a typed leading '-' is read the same way, so that
// every display reads back to the weight it shows.
class KovUnitLbsOunces : public KovUnitWeightBase {
 public:
  // 16 x 28.34952 grams make the pound of this unit, the conversion of the stored
  // weights.
  static constexpr double kGramsPerOunce = pelunits::definitions::kUnitOunce.value();
  static constexpr double kGramsPerPound = pelunits::definitions::kUnitPound.value();
  static constexpr double kOuncesPerPound = 16.0;
  // The marks after the pounds and the ounces of its texts, and of format()'s.
  static constexpr const wchar_t* kPoundsMark = L" lb";
  static constexpr const wchar_t* kOuncesMark = L" oz";
  // A factor above this selects the decimal display.
  static constexpr double kDecimalDisplayThreshold = 90000.0;

  KovUnitLbsOunces() = default;
  KovUnitLbsOunces(const KovUnitLbsOunces& other) = default;

  // Grams for typed text: (pounds x 16 + ounces) x 28.34952 (parsePoundsOunces).
  double getGrams(const KovString& text) const override;

  // The pound-and-ounce text of a weight in grams: "1 lb 8.00 oz", "2 lb" (ounces
  // that round to 0 or to a full pound are not shown), "3.53oz" below a pound, and
  // " 0.00" (with its leading blank) for a weight that rounds to nothing. Factor
  // and symbol play no part, and the regional form is not applied; trimming can
  // only shorten " 0.00". With factor above 90000: getDisplayStringDecimal. Only
  // value and trimTrailingZeros are read; non-finite values give "nan", "inf", "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  // The pound-and-ounce text, then the decimal text in parentheses:
  // "1 lb 8.00 oz (0.68 kg)".
  KovString getDisplayStringWithUnits(double value, int trimTrailingZeros) const override;

  // Blanks around the text ignored. With "lb": no "oz" in front of it, an integer at
  // the start ("1.5 lb" passes, as 1), and with "oz" a real number starting right
  // after "lb" and ending before the character in front of "oz" ("1 lb 8.00 oz"
  // is valid, "1 lb 8oz" is not). With "oz" alone: a real number in front of it.
  // With neither: a real number, since a bare number is read as ounces.
  int isValidString(const KovString& text) const override;

  int isMetric() const override { return 0; }
  int isFractional() const override { return 0; }

  KovUnitTransform* clone() const override { return cloneUnit(*this); }

  // Splits typed text into pounds (the number in front of the first "lb", 0 without
  // one) and ounces (the number after "lb", or the whole text without it, up to
  // the first "oz"). A bare number is ounces; "2 lb 3" is 2 pounds 3 ounces. A
  // leading '-' negates both parts. A missing number reads 0. Returns 1.
  int parsePoundsOunces(const KovString& text, double& pounds, double& ounces) const;

  // value / factor with the decimals of the unit, in the regional form when
  // useRegionalSettings is set, trailing zeros removed on request, then a blank and
  // the symbol when there is one: "2.00 t". Unlike the other decimal displays it
  // keeps a "-0.00". A non-finite quotient gives "nan", "inf" or "-inf".
  KovString getDisplayStringDecimal(double value, int trimTrailingZeros) const;

 private:
  // The pound-and-ounce text of a weight of 0 or more grams, untrimmed.
  KovString poundsOuncesText(double grams) const;
};
