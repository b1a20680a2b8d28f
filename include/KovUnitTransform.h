#pragma once

#include <cstdint>

#include "KovString.h"
#include "PelUnitsExport.h"

// KovUnitTransform: one display unit of a quantity that the host keeps in fixed
// internal units (millimetres and their powers, degrees, grams, kilonewtons,
// kilonewton-metres, newtons per square millimetre).
//
// For its unit an object turns an internal value into display text
// (getDisplayString and its variants), turns typed text back into the internal
// value (getMillimeters, getDegrees, getGrams, getKiloNewton, ...), and tells
// whether a typed text is acceptable (isValidString). Objects come from
// KovUnitsTransformArray::getNewUnit and go back through removeUnit.
//
// Every operation answers every input: no exceptions, no crash. A reader that
// finds no number gives 0; a display of a non-finite value gives "nan", "inf" or
// "-inf" in every unit.
//
// The virtual operations are declared in their fixed slot order (0 to 18); do not
// reorder them.
class PELUNITS_API KovUnitTransform {
 public:
  // Factory codes (see KovUnitsTransformArray.h); any 32-bit value may be passed.
  enum eSystemUnits : std::int32_t {};
  enum eSystemRepresentation : std::int32_t {};

  // Copied unchanged into the fraction markup "#fraction(r,l,s,p,n,d)"; the values
  // are an agreement between the caller and the renderer of the markup, and any
  // 32-bit value may be passed.
  enum eFractionRepresentation : std::int32_t {
    eFractionInline = 0,
    eFractionDiagonal = 1,
    eFractionStacked = 2
  };
  enum eFractionLineArrangement : std::int32_t {
    eFractionLineHorizontal = 0,
    eFractionLineSlanted = 1
  };

  KovUnitTransform();
  KovUnitTransform(const KovUnitTransform& other);
  const KovUnitTransform& operator=(const KovUnitTransform& other);
  // Not virtual: objects are released through KovUnitsTransformArray::removeUnit.
  ~KovUnitTransform();

  // 1 when both objects answer isMetric, isFractional and isAngle alike.
  int operator==(const KovUnitTransform& other) const;

  double getFactor() const { return factor; }
  // Exactly 0.0 is stored as 1.0; a non-finite or negative value leaves the factor
  // as it was.
  void setFactor(double value);
  const KovString& getSymbol() const { return symbol; }
  void setSymbol(const KovString& value);
  int getUseRegionalSettings() const { return useRegionalSettings; }
  void setUseRegionalSettings(int value);

  // Neutral number text ("-1234.50") to the user's regional form, in place; does
  // nothing unless useRegionalSettings is set or when the locale cannot be read.
  void setInternationalNumberFormat(KovString& text) const;
  // Typed regional text back to the neutral form, in place (thousands separators
  // removed, the decimal separator replaced by '.').
  void setInternationalNumberFormatBack(KovString& text) const;

  // Slot 0, 1: precision in the unit's own form (100 for two decimals,
  // 16 for sixteenths, 3600 for seconds).
  virtual int getPrecision() const;
  virtual void setPrecision(int value);
  // Slot 2: typed length to millimetres raised to the power.
  virtual double getMillimeters(const KovString& text) const;
  // Slot 3: internal value to display text.
  virtual KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                                     int hideZeroFeet, int hideZeroInches, wchar_t separator) const;
  // Slot 4: display text with fractions written as fraction markup.
  virtual KovString getDisplayStringArch(double value, int trimTrailingZeros,
                                         eFractionRepresentation representation,
                                         eFractionLineArrangement lineArrangement,
                                         double fractionParameter, bool showInchMark,
                                         bool stackedFlag, bool dashAfterFeet, bool extraFlag,
                                         int trimLeadingZero, int hideZeroFeet, int hideZeroInches,
                                         wchar_t separator) const;
  // Slot 5: display text, a blank and the symbol.
  virtual KovString getDisplayStringWithUnits(double value, int trimTrailingZeros) const;
  // Slot 6: 1 when the text is acceptable input for the unit, 0 when not.
  virtual int isValidString(const KovString& text) const = 0;
  // Slot 7, 8: 1 length, 2 area, 3 volume, 4 fourth power; values below 1 are stored
  // as 1, values above 4 as 4.
  virtual int getPower() const;
  virtual void setPower(int value);
  // Slot 9.
  virtual int isAngle() const;
  // Slot 10: typed angle to degrees.
  virtual double getDegrees(const KovString& text) const;
  // Slot 11, 12.
  virtual int isMetric() const = 0;
  virtual int isFractional() const = 0;
  // Slot 13: a heap copy owned by the caller, or null when no memory is left.
  virtual KovUnitTransform* clone() const = 0;
  // Slot 14: typed weight to grams.
  virtual double getGrams(const KovString& text) const;
  // Slot 15: one step finer precision; 1 when the precision changed, 0 when it is
  // already the finest the unit holds (so `while (unit->incrementPrecision())` ends).
  virtual int incrementPrecision();
  // Slots 16 to 18: typed force, moment and stress to internal units.
  virtual double getKiloNewton(const KovString& text) const;
  virtual double getKiloNewtonMeter(const KovString& text) const;
  virtual double getNewtonPerSquareMm(const KovString& text) const;

 protected:
  int useRegionalSettings;
  int power;
  KovString symbol;
  int precision;
  double factor;
};
