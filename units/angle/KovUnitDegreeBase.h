#pragma once

#include "units/core/Definitions.h"
#include "units/core/KovUnitBase.h"

// KovUnitDegreeBase: family base of the angle units (decimal degrees, gon,
// radians, degrees-minutes-seconds). Angles are kept in degrees.
//
// Typed angle text is read one of two ways (getDegrees):
// - sexagesimal, when the text holds a degree mark (U+00B0 or the letter 'd'), a
//   minute mark (') or a seconds mark ("): "10°30'15\"", "10d30'", "30'15",
//   "-10°30'". The result is not reduced modulo 360.
// - otherwise as a plain number (getDegreesDecimal, slot 20), reduced modulo 360
//   keeping its sign: "45", "-370" (-10), "1r" (radians), "100g" (gon).
// Unreadable text gives 0; numbers too large to mean an angle may give nan.
class KovUnitDegreeBase : public KovUnitBase {
 public:
  // A full circle in degrees and in gon.
  static constexpr double kDegreesPerCircle = pelunits::definitions::kDegreesPerCircle.value();
  static constexpr double kGonPerCircle = pelunits::definitions::kGonPerCircle.value();
  // The marks of sexagesimal text; typed degrees may also be marked with the letter.
  static constexpr wchar_t kDegreeMark = L'\u00B0';
  static constexpr wchar_t kDegreeLetter = L'd';
  static constexpr wchar_t kMinuteMark = L'\'';
  static constexpr wchar_t kSecondsMark = L'"';

  int isAngle() const override { return 1; }
  int isMetric() const override { return 1; }
  int isFractional() const override { return 0; }

  // Typed text to degrees; see the class comment.
  double getDegrees(const KovString& text) const override;

  // Slot 20: a text with none of the degree, minute and seconds marks to degrees,
  // reduced modulo 360 with the sign of the number. The number at the start of the
  // text is degrees; an 'r' after the first character makes it radians, else a 'g'
  // after the first character makes it gon. No number at the start reads as 0.
  virtual double getDegreesDecimal(const KovString& text) const;

  // Splits sexagesimal text into signed degrees, minutes and seconds (each 0 when
  // absent), so that the angle is degrees + minutes/60 + seconds/3600. A leading
  // '-' makes all three negative. Returns 0, leaving all three 0, when the text
  // starts with the degree mark; else 1.
  int parseDegreesMinutesSeconds(const KovString& text, double& degrees, double& minutes,
                                 double& seconds) const;

  // 1 when the text, without surrounding blanks, starts with a number (anything may
  // follow: "12", "45°30'", "1.5r"); 0 for "", blanks, "°30", "abc".
  int isValidString(const KovString& text) const override;

 protected:
  // x * multiplier / divisor in that order (the rounding of the documented
  // values depends on it); when only the product overflows, the quotient is
  // formed first instead, so that a finite angle never turns into inf.
  static double scaleAngle(double x, double multiplier, double divisor);
  // The two typed-unit conversions shared by both getDegreesDecimal versions.
  static double radiansToDegrees(double radians);
  static double gonToDegrees(double gon);

  // The decimal angle displays: "nan", "inf" or "-inf" for a non-finite number,
  // else the shared number display sequence.
  KovString angleNumberText(double number, int trimTrailingZeros) const;
};
