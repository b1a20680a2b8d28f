#pragma once

// The value and text sets that the floors, the baselines and the library
// benchmarks share, so that each operation and its floor see the same numbers.

#include <string>
#include <vector>

namespace pelbench {

// Values given to a display, and the number that the floor formats for each: the
// value in display units (after the unit's own division or reduction), written
// with the same decimals the display writes.
struct DisplayCase {
  std::string name;
  std::vector<double> values;  // internal units, as the host passes them
  std::vector<double> shown;   // display units
  int decimals = 2;
};

// Typed texts given to a reader or a validator, with the narrow text that the
// floor reads (the same characters; the degree sign written as 'd').
struct TextCase {
  std::string name;
  std::vector<std::wstring> texts;
  std::vector<std::string> floorTexts;
  std::vector<double> expected;  // what the reader of the case must return
};

const std::vector<DisplayCase>& displayCases();
const DisplayCase& displayCase(const std::string& name);
const std::vector<TextCase>& textCases();
const TextCase& textCase(const std::string& name);

// Names of the floors of a case in the benchmark table.
inline std::string toCharsFloor(const std::string& caseName) {
  return "floor/to_chars/" + caseName;
}
inline std::string fromCharsFloor(const std::string& caseName) {
  return "floor/from_chars/" + caseName;
}

}  // namespace pelbench
