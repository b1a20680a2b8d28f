// The library's own operations at typical settings: the display of each of the
// 13 unit classes, the fraction markup of the two fractional units, the regional
// display, every reader and every validator. Each benchmark checks its results
// after its loop against an oracle that does not use the operation under test.

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BenchCases.h"
#include "BenchSupport.h"
#include "KovString.h"
#include "PelUnitsFormat.h"
#include "PelUnitsLocale.h"
#include "PelUnitsRead.h"
#include "UnitSource.h"

namespace pelbench {
namespace {

constexpr double kTwoPi = 6.283185307179586;

using Configure = std::function<void(KovUnitTransform&)>;
using Display = std::function<KovString(const KovUnitTransform&, double)>;
// Empty when the text is right for the value, else what is wrong.
using Check = std::function<std::string(const KovUnitTransform&, std::size_t, const KovString&)>;

struct UnitRecipe {
  int systemUnits;
  int representation;
  Configure configure;
};

UnitPtr makeUnit(const UnitRecipe& recipe) {
  UnitPtr unit = newUnit(recipe.systemUnits, recipe.representation);
  if (unit && recipe.configure) recipe.configure(*unit);
  return unit;
}

KovString plainDisplay(const KovUnitTransform& unit, double value) {
  return unit.getDisplayString(value, 0, 0, 0, 0, L'-');
}

KovString blankDisplay(const KovUnitTransform& unit, double value) {
  return unit.getDisplayString(value, 0, 0, 1, 1, L' ');
}

// Fraction markup as a typeset host asks for it: inline fraction, inch mark and a
// dash after the feet.
KovString archDisplay(const KovUnitTransform& unit, double value) {
  return unit.getDisplayStringArch(value, 0, KovUnitTransform::eFractionInline,
                                   KovUnitTransform::eFractionLineHorizontal, 1.0, true, false,
                                   true, false, 0, 0, 0, L' ');
}

KovString archDisplayNoMark(const KovUnitTransform& unit, double value) {
  return unit.getDisplayStringArch(value, 0, KovUnitTransform::eFractionInline,
                                   KovUnitTransform::eFractionLineHorizontal, 1.0, false, false,
                                   false, false, 0, 0, 0, L' ');
}

// The plain text of a display that holds fraction markup: the markup
// "#fraction(r,l,s,p,n,d)" becomes " n/d".
KovString markupToPlain(const KovString& text) {
  const std::string narrowText = narrow(text.getStringW());
  const std::size_t start = narrowText.find("#fraction(");
  if (start == std::string::npos) return text;
  const std::size_t end = narrowText.find(')', start);
  if (end == std::string::npos) return text;
  std::vector<std::string> fields;
  std::string field;
  for (std::size_t i = start + 10; i < end; ++i) {
    if (narrowText[i] == ',') {
      fields.push_back(field);
      field.clear();
    } else {
      field.push_back(narrowText[i]);
    }
  }
  fields.push_back(field);
  if (fields.size() != 6) return text;
  const std::string plain =
      narrowText.substr(0, start) + " " + fields[4] + "/" + fields[5] + narrowText.substr(end + 1);
  return KovString(widen(plain).c_str());
}

Check fixedTextCheck(const DisplayCase& c) {
  return [&c](const KovUnitTransform&, std::size_t k, const KovString& text) -> std::string {
    const std::string expected = fixedText(c.shown[k], c.decimals);
    const std::string got = narrow(text.getStringW());
    return got == expected ? "" : "wrote " + got + ", expected " + expected;
  };
}

Check germanTextCheck(const DisplayCase& c) {
  return [&c](const KovUnitTransform&, std::size_t k, const KovString& text) -> std::string {
    const std::string expected = germanText(fixedText(c.shown[k], c.decimals));
    const std::string got = narrow(text.getStringW());
    return got == expected ? "" : "wrote " + got + ", expected " + expected;
  };
}

// Display then read back: within `tolerance` of the value (half a step plus noise).
using Reader = double (*)(const KovUnitTransform&, const KovString&);
Check roundTripCheck(const DisplayCase& c, Reader read, double tolerance, bool markup) {
  return [&c, read, tolerance, markup](const KovUnitTransform& unit, std::size_t k,
                                       const KovString& text) -> std::string {
    const double back = read(unit, markup ? markupToPlain(text) : text);
    if (std::fabs(back - c.values[k]) <= tolerance) return "";
    return "wrote " + narrow(text.getStringW()) + " for " + std::to_string(c.values[k]) +
           ", which reads back as " + std::to_string(back);
  };
}

// The text reads back complete through the exact reader, within `tolerance(value)` of the
// value, and on a multiple of `step` when there is one (internal units).
Check exactReadBackCheck(const DisplayCase& c, double (*tolerance)(double), double step) {
  return [&c, tolerance, step](const KovUnitTransform& unit, std::size_t k,
                               const KovString& text) -> std::string {
    const pelunits::ReadResult r = pelunits::readExact(unit, text);
    const double back = r.status == pelunits::ReadStatus::complete ? r.value : std::nan("");
    const double steps = step > 0.0 ? back / step : 0.0;
    if (std::fabs(back - c.values[k]) <= tolerance(c.values[k]) &&
        std::fabs(steps - std::round(steps)) <= 1e-9 * (1.0 + std::fabs(steps))) {
      return "";
    }
    return "wrote " + narrow(text.getStringW()) + " for " + std::to_string(c.values[k]) +
           ", which reads back as " + std::to_string(back);
  };
}

// A direction reads back complete under its style, within `tolerance` degrees of the
// value on the circle (a value just below a turn may read back as 0).
Check directionReadBackCheck(const DisplayCase& c, pelunits::AngleStyle style, double tolerance) {
  return [&c, style, tolerance](const KovUnitTransform& unit, std::size_t k,
                                const KovString& text) -> std::string {
    const pelunits::ReadResult r = pelunits::readExact(unit, text, style, {});
    const double back = r.status == pelunits::ReadStatus::complete ? r.value : std::nan("");
    const double apart = std::fabs(std::remainder(back - c.values[k], 360.0));
    if (apart <= tolerance) return "";
    return "wrote " + narrow(text.getStringW()) + " for " + std::to_string(c.values[k]) +
           ", which reads back as " + std::to_string(back);
  };
}

double readMillimeters(const KovUnitTransform& unit, const KovString& text) {
  return unit.getMillimeters(text);
}
double readDegrees(const KovUnitTransform& unit, const KovString& text) {
  return unit.getDegrees(text);
}
double readGrams(const KovUnitTransform& unit, const KovString& text) {
  return unit.getGrams(text);
}

// A display row measured against `floor`, another row of the table.
void addDisplayAgainst(const std::string& name, const std::string& floor, const DisplayCase& c,
                       const UnitRecipe& recipe, Display display, Check check, double target,
                       bool mustNotAllocate) {
  add(name, floor, target, mustNotAllocate, [&c, recipe, display, check](benchmark::State& state) {
    const UnitPtr unit = makeUnit(recipe);
    if (!unit) {
      state.SkipWithError("unit not in this build");
      return;
    }
    std::size_t i = 0;
    const AllocationMeter meter;
    for (auto _ : state) {
      KovString text = display(*unit, c.values[i]);
      benchmark::DoNotOptimize(text);
      i = (i + 1) & kValueMask;
    }
    meter.stop(state);
    for (std::size_t k = 0; k < kValueCount; ++k) {
      const std::string problem = check(*unit, k, display(*unit, c.values[k]));
      if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
      }
    }
  });
}

void addDisplay(const std::string& name, const DisplayCase& c, const UnitRecipe& recipe,
                Display display, Check check, double target, bool mustNotAllocate) {
  addDisplayAgainst(name, toCharsFloor(c.name), c, recipe, std::move(display), std::move(check),
                    target, mustNotAllocate);
}

using Read = double (*)(const KovUnitTransform&, const KovString&);

void addReader(const std::string& name, const TextCase& c, const UnitRecipe& recipe, Read read,
               double target) {
  add(name, fromCharsFloor(c.name), target, true, [&c, recipe, read](benchmark::State& state) {
    const UnitPtr unit = makeUnit(recipe);
    if (!unit) {
      state.SkipWithError("unit not in this build");
      return;
    }
    std::vector<KovString> texts;
    for (const std::wstring& text : c.texts) texts.emplace_back(text.c_str());
    std::size_t i = 0;
    const AllocationMeter meter;
    for (auto _ : state) {
      benchmark::DoNotOptimize(read(*unit, texts[i]));
      i = (i + 1) & kValueMask;
    }
    meter.stop(state);
    for (std::size_t k = 0; k < kValueCount; ++k) {
      const double got = read(*unit, texts[k]);
      if (std::fabs(got - c.expected[k]) > 1e-9 * (1.0 + std::fabs(c.expected[k]))) {
        state.SkipWithError(("read " + c.floorTexts[k] + " as " + std::to_string(got) +
                             ", expected " + std::to_string(c.expected[k]))
                                .c_str());
        return;
      }
    }
  });
}

void addValidator(const std::string& name, const TextCase& c, const UnitRecipe& recipe) {
  add(name, fromCharsFloor(c.name), 2.0, true, [&c, recipe](benchmark::State& state) {
    const UnitPtr unit = makeUnit(recipe);
    if (!unit) {
      state.SkipWithError("unit not in this build");
      return;
    }
    std::vector<KovString> texts;
    for (const std::wstring& text : c.texts) texts.emplace_back(text.c_str());
    std::size_t i = 0;
    const AllocationMeter meter;
    for (auto _ : state) {
      benchmark::DoNotOptimize(unit->isValidString(texts[i]));
      i = (i + 1) & kValueMask;
    }
    meter.stop(state);
    for (std::size_t k = 0; k < kValueCount; ++k) {
      if (unit->isValidString(texts[k]) != 1) {
        state.SkipWithError(("refused " + c.floorTexts[k]).c_str());
        return;
      }
    }
  });
}

// Typical settings of each unit. Precision is given as the host gives it: 1000
// for three decimals, 16 for sixteenths, 3600 for seconds.
Configure settings(double factor, int precision) {
  return [factor, precision](KovUnitTransform& unit) {
    unit.setFactor(factor);
    unit.setPrecision(precision);
  };
}

const UnitRecipe kMillimetres{20, 5, settings(1.0, 100)};
const UnitRecipe kMetres{20, 5, settings(1000.0, 1000)};
const UnitRecipe kInchFraction{20, 1, settings(25.4, 16)};
const UnitRecipe kFeetDecimalInch{20, 3, settings(25.4, 100)};
const UnitRecipe kFractionalInches{20, 5006, settings(25.4, 8)};
const UnitRecipe kDegrees{2000, 0, settings(360.0, 100)};
const UnitRecipe kGon{2000, 2007, settings(400.0, 1000)};
const UnitRecipe kRadians{2000, 2005, settings(kTwoPi, 10000)};
const UnitRecipe kSeconds{2000, 2008, settings(1.0, 3600)};
const UnitRecipe kPoundsOunces{1010, 0, settings(1.0, 100)};
const UnitRecipe kKilograms{1009, 0, settings(1000.0, 1000)};
const UnitRecipe kKiloNewton{3101, 0, settings(1.0, 100)};
const UnitRecipe kKiloNewtonMetre{3201, 0, settings(1.0, 100)};
const UnitRecipe kNewtonPerSquareMm{3300, 0, settings(1.0, 100)};
// Two decimals in the regional form, with the locale the host chose (null: the
// environment's).
Configure regionalSettings(const char* chosenLocale) {
  return [chosenLocale](KovUnitTransform& unit) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    pelunits::setRegionalLocale(chosenLocale);
    unit.setFactor(1.0);
    unit.setPrecision(100);
    unit.setUseRegionalSettings(1);
  };
}
// The user's locale is named by the environment, as a host's session would have it.
const UnitRecipe kRegionalMillimetres{20, 5, regionalSettings(nullptr)};
// The locale chosen by a host with threads.
const UnitRecipe kChosenRegionalMillimetres{20, 5, regionalSettings("de_DE.UTF-8")};

}  // namespace

void registerDisplays() {
  const double inch = 25.4;
  addDisplay("display/Decimal/millimetres2", displayCase("millimetres2"), kMillimetres,
             plainDisplay, fixedTextCheck(displayCase("millimetres2")), 1.3, true);
  addDisplay("display/Decimal/metres3", displayCase("metres3"), kMetres, plainDisplay,
             fixedTextCheck(displayCase("metres3")), 1.3, true);
  addDisplay(
      "display/FractalInch/sixteenthsDash", displayCase("feetInchFraction16"), kInchFraction,
      plainDisplay,
      roundTripCheck(displayCase("feetInchFraction16"), readMillimeters, inch / 32.0 + 1e-6, false),
      1.5, true);
  addDisplay(
      "display/Inch/feetDecimalInch2", displayCase("feetDecimalInch2"), kFeetDecimalInch,
      blankDisplay,
      roundTripCheck(displayCase("feetDecimalInch2"), readMillimeters, inch * 0.01 + 1e-6, false),
      1.5, true);
  addDisplay(
      "display/FractalDecimal/eighths", displayCase("fractionalDecimal8"), kFractionalInches,
      blankDisplay,
      roundTripCheck(displayCase("fractionalDecimal8"), readMillimeters, inch / 16.0 + 1e-6, false),
      1.5, true);
  addDisplay("display/Degree/degrees2", displayCase("degrees2"), kDegrees, plainDisplay,
             fixedTextCheck(displayCase("degrees2")), 1.3, true);
  addDisplay("display/Gon/gon3", displayCase("gon3"), kGon, plainDisplay,
             fixedTextCheck(displayCase("gon3")), 1.3, true);
  addDisplay("display/Radian/radians4", displayCase("radians4"), kRadians, plainDisplay,
             fixedTextCheck(displayCase("radians4")), 1.3, true);
  addDisplay("display/GradMinSec/seconds3600", displayCase("dms3600"), kSeconds, plainDisplay,
             roundTripCheck(displayCase("dms3600"), readDegrees, 0.5 / 3600.0 + 1e-9, false), 1.5,
             true);
  addDisplay(
      "display/LbsOunces/poundsOunces2", displayCase("poundsOunces2"), kPoundsOunces, plainDisplay,
      roundTripCheck(displayCase("poundsOunces2"), readGrams, 0.0051 * 28.34952, false), 1.5, true);
  addDisplay("display/KiloNewton/kN2", displayCase("kiloNewton2"), kKiloNewton, plainDisplay,
             fixedTextCheck(displayCase("kiloNewton2")), 1.3, true);
  addDisplay("display/KiloNewtonMeter/kNm2", displayCase("kiloNewtonMetre2"), kKiloNewtonMetre,
             plainDisplay, fixedTextCheck(displayCase("kiloNewtonMetre2")), 1.3, true);
  addDisplay("display/NewtonPerSquareMm/stress2", displayCase("newtonPerSquareMm2"),
             kNewtonPerSquareMm, plainDisplay, fixedTextCheck(displayCase("newtonPerSquareMm2")),
             1.3, true);
  addDisplay("display/Gram/kilograms3", displayCase("kilograms3"), kKilograms, plainDisplay,
             fixedTextCheck(displayCase("kilograms3")), 1.3, true);
  addDisplay(
      "displayArch/FractalInch/sixteenths", displayCase("feetInchFraction16"), kInchFraction,
      archDisplay,
      roundTripCheck(displayCase("feetInchFraction16"), readMillimeters, inch / 32.0 + 1e-6, true),
      0.0, false);
  addDisplay(
      "displayArch/FractalDecimal/eighths", displayCase("fractionalDecimal8"), kFractionalInches,
      archDisplayNoMark,
      roundTripCheck(displayCase("fractionalDecimal8"), readMillimeters, inch / 16.0 + 1e-6, true),
      0.0, false);
  // Markup texts under 32 characters: no allocation at all.
  addDisplay("displayArch/FractalDecimal/under10in", displayCase("fractionalDecimalSmall8"),
             kFractionalInches, archDisplayNoMark,
             roundTripCheck(displayCase("fractionalDecimalSmall8"), readMillimeters,
                            inch / 16.0 + 1e-6, true),
             1.5, true);
  addDisplay(
      "display/regional_de_DE/Decimal/millimetres2", displayCase("regionalMillimetres2"),
      kRegionalMillimetres,
      [](const KovUnitTransform& unit, double value) {
        // The environment names the user's locale; the library reads it at each call.
        return unit.getDisplayString(value, 0, 0, 0, 0, L'-');
      },
      germanTextCheck(displayCase("regionalMillimetres2")), 1.5, true);
  addDisplay("display/regional_chosen_de_DE/Decimal/millimetres2",
             displayCase("regionalMillimetres2"), kChosenRegionalMillimetres, plainDisplay,
             germanTextCheck(displayCase("regionalMillimetres2")), 1.5, true);
}

// format() with options beside the unit's own display of the same unit and values, which
// is its floor: its aim is 1.5 times the display, and no allocation for its short texts.
void registerFormats() {
  const auto formatting = [](const pelunits::FormatOptions& options) -> Display {
    return [options](const KovUnitTransform& unit, double value) {
      return pelunits::format(unit, value, options);
    };
  };
  const double inch = 25.4;
  {
    pelunits::FormatOptions options;
    options.increment = L"5 mm";
    addDisplayAgainst("format/Decimal/millimetres increment 5 mm", "display/Decimal/millimetres2",
                      displayCase("millimetres2"), kMillimetres, formatting(options),
                      exactReadBackCheck(
                          displayCase("millimetres2"), [](double) { return 2.5 + 1e-9; }, 5.0),
                      1.5, true);
  }
  {
    pelunits::FormatOptions options;
    options.significantDigits = 3;
    addDisplayAgainst(
        "format/Decimal/metres significant 3", "display/Decimal/metres3", displayCase("metres3"),
        kMetres, formatting(options),
        exactReadBackCheck(
            displayCase("metres3"),
            [](double v) {
              return 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 2.0) + 1e-9;
            },
            0.0),
        1.5, true);
  }
  // The feet-inch-fraction unit as its display row shows it: sixteenths, a dash after the
  // feet, zero feet shown.
  pelunits::FormatOptions feetInch;
  feetInch.separator = L'-';
  feetInch.hideZeroFeet = false;
  {
    pelunits::FormatOptions options = feetInch;
    options.increment = L"1/2\"";
    addDisplayAgainst("format/FractalInch/increment 1/2\"", "display/FractalInch/sixteenthsDash",
                      displayCase("feetInchFraction16"), kInchFraction, formatting(options),
                      exactReadBackCheck(
                          displayCase("feetInchFraction16"),
                          [](double) { return 25.4 / 4.0 + 1e-6; }, inch / 2.0),
                      1.5, true);
  }
  {
    pelunits::FormatOptions options = feetInch;
    options.typographic = true;
    addDisplayAgainst("format/FractalInch/typographic", "display/FractalInch/sixteenthsDash",
                      displayCase("feetInchFraction16"), kInchFraction, formatting(options),
                      exactReadBackCheck(
                          displayCase("feetInchFraction16"),
                          [](double) { return 25.4 / 32.0 + 1e-6; }, inch / 16.0),
                      1.5, true);
  }
  {
    pelunits::FormatOptions options;
    options.angleStyle = pelunits::AngleStyle::bearing;
    addDisplayAgainst(
        "format/GradMinSec/bearing", "display/GradMinSec/seconds3600", displayCase("dms3600"),
        kSeconds, formatting(options),
        directionReadBackCheck(displayCase("dms3600"), options.angleStyle, 0.5 / 3600.0 + 1e-9),
        1.5, true);
  }
}

void registerReaders() {
  addReader("read/getMillimeters/metres", textCase("metresText"), kMetres, readMillimeters, 2.0);
  addReader("read/getMillimeters/fraction", textCase("fractionText"),
            UnitRecipe{20, 5, settings(25.4, 100)}, readMillimeters, 4.0);
  addReader("read/getMillimeters/feetInchFraction", textCase("feetInchText"), kInchFraction,
            readMillimeters, 4.0);
  addReader("read/getMillimeters/feetDecimalInch", textCase("feetDecimalInchText"),
            kFeetDecimalInch, readMillimeters, 4.0);
  addReader("read/getDegrees/decimal", textCase("degreesText"), kDegrees, readDegrees, 2.0);
  addReader("read/getDegrees/sexagesimal", textCase("dmsText"), kSeconds, readDegrees, 4.0);
  addReader("read/getGrams/poundsOunces", textCase("poundsOuncesText"), kPoundsOunces, readGrams,
            4.0);
  addReader("read/getGrams/kilograms", textCase("kilogramsText"), kKilograms, readGrams, 2.0);
  addReader(
      "read/getKiloNewton/kN", textCase("kiloNewtonText"), kKiloNewton,
      [](const KovUnitTransform& unit, const KovString& text) { return unit.getKiloNewton(text); },
      2.0);

  // The exact reader on the same texts; its aim is twice the unit's own reader.
  const Read exact = [](const KovUnitTransform& unit, const KovString& text) {
    const pelunits::ReadResult r = pelunits::readExact(unit, text);
    return r.status == pelunits::ReadStatus::complete ? r.value : std::nan("");
  };
  addReader("readExact/metres", textCase("metresText"), kMetres, exact, 4.0);
  addReader("readExact/fraction", textCase("fractionText"), UnitRecipe{20, 5, settings(25.4, 100)},
            exact, 8.0);
  addReader("readExact/feetInchFraction", textCase("feetInchText"), kInchFraction, exact, 8.0);
  addReader("readExact/feetDecimalInch", textCase("feetDecimalInchText"), kFeetDecimalInch, exact,
            8.0);
  addReader("readExact/degrees", textCase("degreesText"), kDegrees, exact, 4.0);
  addReader("readExact/sexagesimal", textCase("dmsText"), kSeconds, exact, 8.0);
  addReader("readExact/poundsOunces", textCase("poundsOuncesText"), kPoundsOunces, exact, 8.0);
  addReader("readExact/kilograms", textCase("kilogramsText"), kKilograms, exact, 4.0);
  addReader("readExact/kN", textCase("kiloNewtonText"), kKiloNewton, exact, 4.0);

  addValidator("validate/Decimal/metres", textCase("metresText"), kMetres);
  addValidator("validate/KiloNewton/kN", textCase("kiloNewtonText"), kKiloNewton);
  addValidator("validate/Gram/kilograms", textCase("kilogramsText"), kKilograms);
  addValidator("validate/Inch/feetDecimalInch", textCase("feetDecimalInchText"), kFeetDecimalInch);
  addValidator("validate/FractalInch/feetInchFraction", textCase("feetInchText"), kInchFraction);
  addValidator("validate/FractalDecimal/fraction", textCase("fractionText"), kFractionalInches);
  addValidator("validate/Degree/decimal", textCase("degreesText"), kDegrees);
  addValidator("validate/GradMinSec/sexagesimal", textCase("dmsText"), kSeconds);
  addValidator("validate/LbsOunces/poundsOunces", textCase("poundsOuncesText"), kPoundsOunces);
}

}  // namespace pelbench
