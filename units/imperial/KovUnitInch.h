#pragma once

#include "units/imperial/KovUnitInchBase.h"

// KovUnitInch: an imperial length shown as whole feet and decimal inches,
// ‹5' 6.50"› (blank separator) or ‹5'-6.50"› (any other separator character).
// Reads typed text with the feet-inch parser of KovUnitInchBase.
class KovUnitInch : public KovUnitInchBase {
 public:
  // factor 25.4 (stored, not read), two decimals, power 1.
  KovUnitInch();
  KovUnitInch(const KovUnitInch& other) = default;

  // Precision in power-of-ten form (100: two decimals); this unit always shows at
  // least one decimal, so 0, 1 and 10 all give one.
  void setPrecision(int precisionPower) override;

  // Whole feet and the rest in inches with `precision` decimals, never regional:
  // ‹5' 6.50"›; a rest within one step of 0 or of a whole foot shows the feet alone
  // (‹5'›, ‹6'›); below one foot the inches alone (‹6.00"›, ‹-6.00"›). Zero shows as
  // "0\"", "0.0'", "0'" or ‹0.0'-0.0"› as the hide flags say. Power 2 appends " ²".
  // Lengths whose feet do not fit an int show in inches alone; non-finite values
  // show "nan", "inf" or "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  // Accepts a number with an optional inch mark (‹6.5"›, ‹-6›), or feet with an
  // optional '-' and plain digits, the feet mark and an inch number (‹5' 6.5"›,
  // ‹5'-6"›); only the leading number of the inch piece is looked at. Refuses ‹5'›
  // (no inch number), letters in the feet and the empty text. With power 2 the last
  // two characters (the " ²" of the display) are dropped first.
  int isValidString(const KovString& text) const override;

  int isAngle() const override { return 0; }
  int isMetric() const override { return 0; }
  int isFractional() const override { return 0; }
  KovUnitTransform* clone() const override;
};
