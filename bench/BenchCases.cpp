#include "BenchCases.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "BenchSupport.h"

namespace pelbench {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kGramsPerOunce = 28.34952;

template <class Shown>
DisplayCase makeDisplay(const std::string& name, std::uint64_t seed, double low, double high,
                        int decimals, Shown shown) {
  DisplayCase c;
  c.name = name;
  c.values = uniformValues(seed, low, high);
  c.decimals = decimals;
  for (const double v : c.values) c.shown.push_back(shown(v));
  return c;
}

std::vector<DisplayCase> buildDisplayCases() {
  const double pi = std::acos(-1.0);
  std::vector<DisplayCase> cases;
  // Rebar and cut lengths, for the millimetre display and its rounding to 5 mm.
  cases.push_back(makeDisplay("millimetres2", 25, 0.0, 20000.0, 2, [](double v) { return v; }));
  cases.push_back(
      makeDisplay("metres3", 11, -20000.0, 80000.0, 3, [](double v) { return v / 1000.0; }));
  cases.push_back(makeDisplay("feetInchFraction16", 12, 0.0, 30000.0, 2,
                              [](double v) { return v / kMillimetresPerInch; }));
  cases.push_back(makeDisplay("feetDecimalInch2", 13, 0.0, 30000.0, 2,
                              [](double v) { return v / kMillimetresPerInch; }));
  cases.push_back(makeDisplay("fractionalDecimal8", 14, -500.0, 5000.0, 2,
                              [](double v) { return v / kMillimetresPerInch; }));
  // Plate and bolt sizes under ten inches: their fraction markup stays inline.
  cases.push_back(makeDisplay("fractionalDecimalSmall8", 26, 0.0, 250.0, 2,
                              [](double v) { return v / kMillimetresPerInch; }));
  cases.push_back(
      makeDisplay("degrees2", 15, -720.0, 720.0, 2, [](double v) { return std::fmod(v, 360.0); }));
  cases.push_back(makeDisplay("gon3", 16, -720.0, 720.0, 3,
                              [](double v) { return std::fmod(400.0 * v / 360.0, 400.0); }));
  cases.push_back(makeDisplay("radians4", 17, -360.0, 360.0, 4,
                              [pi](double v) { return 2.0 * pi * v / 360.0; }));
  cases.push_back(makeDisplay("dms3600", 18, 0.0, 360.0, 2, [](double v) { return v; }));
  cases.push_back(makeDisplay("poundsOunces2", 19, 1.0, 50000.0, 2,
                              [](double v) { return v / kGramsPerOunce; }));
  cases.push_back(makeDisplay("kiloNewton2", 20, -5000.0, 5000.0, 2, [](double v) { return v; }));
  cases.push_back(
      makeDisplay("kiloNewtonMetre2", 21, -2000.0, 2000.0, 2, [](double v) { return v; }));
  cases.push_back(makeDisplay("newtonPerSquareMm2", 22, 0.0, 500.0, 2, [](double v) { return v; }));
  cases.push_back(
      makeDisplay("kilograms3", 23, 0.0, 100000.0, 3, [](double v) { return v / 1000.0; }));
  cases.push_back(
      makeDisplay("regionalMillimetres2", 24, -100000.0, 100000.0, 2, [](double v) { return v; }));
  return cases;
}

// Whole numbers from [low, high] drawn from a value set.
std::vector<int> wholeNumbers(std::uint64_t seed, int low, int high) {
  std::vector<int> out;
  for (const double v : uniformValues(seed, 0.0, 1.0)) {
    int n = low + static_cast<int>(v * (high - low + 1));
    if (n > high) n = high;
    out.push_back(n);
  }
  return out;
}

void addText(TextCase& c, const std::string& narrowText, double expected) {
  c.floorTexts.push_back(narrowText);
  c.texts.push_back(widen(narrowText));
  c.expected.push_back(expected);
}

std::vector<TextCase> buildTextCases() {
  std::vector<TextCase> cases;
  {
    // Metres as typed into a metre unit (factor 1000): the reader returns millimetres.
    TextCase c;
    c.name = "metresText";
    for (const double v : uniformValues(31, -20000.0, 80000.0)) {
      const std::string text = fixedText(v / 1000.0, 3);
      addText(c, text, 1000.0 * std::strtod(text.c_str(), nullptr));
    }
    cases.push_back(c);
  }
  {
    // Inches typed as a whole number and eighths into an inch unit (factor 25.4).
    TextCase c;
    c.name = "fractionText";
    const auto wholes = wholeNumbers(32, 0, 119);
    const auto eighths = wholeNumbers(33, 1, 7);
    for (std::size_t i = 0; i < kValueCount; ++i) {
      const std::string text = std::to_string(wholes[i]) + " " + std::to_string(eighths[i]) + "/8";
      addText(c, text, 25.4 * ((wholes[i] * 8.0 + eighths[i]) / 8.0));
    }
    cases.push_back(c);
  }
  {
    // Feet, inches and sixteenths as typed into a feet-inch-fraction unit.
    TextCase c;
    c.name = "feetInchText";
    const auto feet = wholeNumbers(34, 0, 99);
    const auto inches = wholeNumbers(35, 0, 11);
    const auto sixteenths = wholeNumbers(36, 1, 15);
    for (std::size_t i = 0; i < kValueCount; ++i) {
      const std::string text = std::to_string(feet[i]) + "' " + std::to_string(inches[i]) + " " +
                               std::to_string(sixteenths[i]) + "/16\"";
      addText(c, text, 25.4 * (feet[i] * 12.0 + inches[i] + sixteenths[i] / 16.0));
    }
    cases.push_back(c);
  }
  {
    // Feet and decimal inches as typed into a decimal inch unit.
    TextCase c;
    c.name = "feetDecimalInchText";
    const auto feet = wholeNumbers(37, 0, 99);
    const auto inchValues = uniformValues(38, 0.0, 11.99);
    for (std::size_t i = 0; i < kValueCount; ++i) {
      const std::string inches = fixedText(inchValues[i], 2);
      const std::string text = std::to_string(feet[i]) + "' " + inches + "\"";
      addText(c, text, 25.4 * (feet[i] * 12.0 + std::strtod(inches.c_str(), nullptr)));
    }
    cases.push_back(c);
  }
  {
    TextCase c;
    c.name = "degreesText";
    for (const double v : uniformValues(39, 0.0, 360.0)) {
      const std::string text = fixedText(v, 2);
      addText(c, text, std::fmod(std::strtod(text.c_str(), nullptr), 360.0));
    }
    cases.push_back(c);
  }
  {
    // Degrees, minutes and seconds; the floor reads the same text with 'd' for '°'.
    TextCase c;
    c.name = "dmsText";
    const auto degrees = wholeNumbers(40, 0, 359);
    const auto minutes = wholeNumbers(41, 0, 59);
    const auto seconds = wholeNumbers(42, 0, 59);
    for (std::size_t i = 0; i < kValueCount; ++i) {
      const std::string d = std::to_string(degrees[i]);
      const std::string ms = std::to_string(minutes[i]) + "'" + std::to_string(seconds[i]) + "\"";
      c.floorTexts.push_back(d + "d" + ms);
      c.texts.push_back(widen(d) + L"\u00B0" + widen(ms));
      c.expected.push_back(minutes[i] / 60.0 + degrees[i] + seconds[i] / 3600.0);
    }
    cases.push_back(c);
  }
  {
    TextCase c;
    c.name = "poundsOuncesText";
    const auto pounds = wholeNumbers(43, 0, 110);
    const auto ounces = uniformValues(44, 0.0, 15.99);
    for (std::size_t i = 0; i < kValueCount; ++i) {
      const std::string oz = fixedText(ounces[i], 2);
      const std::string text = std::to_string(pounds[i]) + " lb " + oz + " oz";
      addText(c, text, (pounds[i] * 16.0 + std::strtod(oz.c_str(), nullptr)) * kGramsPerOunce);
    }
    cases.push_back(c);
  }
  {
    // Kilograms typed into a gram unit shown in kilograms (factor 1000).
    TextCase c;
    c.name = "kilogramsText";
    for (const double v : uniformValues(45, 0.0, 100000.0)) {
      const std::string text = fixedText(v / 1000.0, 3);
      addText(c, text, 1000.0 * std::strtod(text.c_str(), nullptr));
    }
    cases.push_back(c);
  }
  {
    TextCase c;
    c.name = "kiloNewtonText";
    for (const double v : uniformValues(46, -5000.0, 5000.0)) {
      const std::string text = fixedText(v, 2);
      addText(c, text, std::strtod(text.c_str(), nullptr));
    }
    cases.push_back(c);
  }
  return cases;
}

}  // namespace

const std::vector<DisplayCase>& displayCases() {
  static const std::vector<DisplayCase> cases = buildDisplayCases();
  return cases;
}

const DisplayCase& displayCase(const std::string& name) {
  for (const DisplayCase& c : displayCases()) {
    if (c.name == name) return c;
  }
  throw std::logic_error("no display case " + name);
}

const std::vector<TextCase>& textCases() {
  static const std::vector<TextCase> cases = buildTextCases();
  return cases;
}

const TextCase& textCase(const std::string& name) {
  for (const TextCase& c : textCases()) {
    if (c.name == name) return c;
  }
  throw std::logic_error("no text case " + name);
}

}  // namespace pelbench
