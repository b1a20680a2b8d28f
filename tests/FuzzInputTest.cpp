#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "fuzz/FuzzInput.h"

namespace {

using pelunits::fuzz::ByteReader;
using pelunits::fuzz::kUnitCodes;
using pelunits::fuzz::readUnitSetup;

std::vector<std::uint8_t> prefixWith(std::size_t position, std::uint8_t value) {
  std::vector<std::uint8_t> bytes(pelunits::fuzz::kUnitPrefixSize, 0);
  bytes[position] = value;
  return bytes;
}

TEST(FuzzInput, EveryFactoryCodePairIsReachableFromTheFirstByte) {
  std::set<std::pair<std::int32_t, std::int32_t>> reached;
  for (int b = 0; b < 256; ++b) {
    const auto bytes = prefixWith(0, static_cast<std::uint8_t>(b));
    ByteReader in(bytes.data(), bytes.size());
    const auto setup = readUnitSetup(in);
    reached.insert({setup.systemUnits, setup.representation});
    EXPECT_EQ(in.position(), pelunits::fuzz::kUnitPrefixSize);
  }
  for (const auto& codes : kUnitCodes) {
    EXPECT_EQ(reached.count({codes.systemUnits, codes.representation}), 1u)
        << codes.systemUnits << "/" << codes.representation;
  }
}

TEST(FuzzInput, EveryUnitClassComesOutOfTheChooser) {
  std::set<std::string> classes;
  std::set<int> powers;
  for (const auto& codes : kUnitCodes) {
    pelunits::fuzz::UnitSetup setup;
    setup.systemUnits = codes.systemUnits;
    setup.representation = codes.representation;
    KovUnitTransform* unit = pelunits::fuzz::makeUnit(setup);
    if (unit == nullptr) continue;
    classes.insert(typeid(*unit).name());
    powers.insert(unit->getPower());
    KovUnitsTransformArray::removeUnit(unit);
  }
  EXPECT_EQ(classes.size(), 13u);
  EXPECT_EQ(powers, (std::set<int>{1, 2, 3, 4}));
}

TEST(FuzzInput, SettingsBytesReachRawAndSpecialValues) {
  struct Case {
    const char* name;
    std::size_t position;
    std::uint8_t value;
    bool (*holds)(const pelunits::fuzz::UnitSetup&);
  } cases[] = {
      {"factor kept", 10, 0, [](const auto& s) { return !s.setFactor; }},
      {"factor zero", 10, 2, [](const auto& s) { return s.setFactor && s.factor == 0.0; }},
      {"factor raw bits", 10, 22, [](const auto& s) { return s.setFactor && s.factor == 0.0; }},
      {"factor infinite", 10, 19, [](const auto& s) { return std::isinf(s.factor); }},
      {"precision negative", 19, 1, [](const auto& s) { return s.precision == -1; }},
      {"precision raw", 19, 36, [](const auto& s) { return s.setPrecision && s.precision == 0; }},
      {"power 4", 9, 4, [](const auto& s) { return s.power == 4; }},
      {"forty increments", 24, 40, [](const auto& s) { return s.increments == 40; }},
      {"regional German", 25, 9,
       [](const auto& s) { return s.regional == 1 && std::string(s.locale) == "de_DE.UTF-8"; }},
  };
  for (const auto& c : cases) {
    const auto bytes = prefixWith(c.position, c.value);
    ByteReader in(bytes.data(), bytes.size());
    EXPECT_TRUE(c.holds(readUnitSetup(in))) << c.name;
  }
}

TEST(FuzzInput, TextDecodesUtf8AndRawUnitsAndKeepsStrayBytes) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::wstring want;
  } cases[] = {
      {{0, '5', '\'', ' ', '6'}, L"5' 6"},
      {{0, 0xC2, 0xB0, 0xE2, 0x80, 0xAF}, L"\u00B0\u202F"},
      {{0, 0xC2, '1'},
       L"\u00C2"
       L"1"},  // a lead byte without its continuation
      {{1, 0x00, 0xD8, 0x35, 0x00},
       L"\xD800"
       L"5"},           // a lone surrogate, raw
      {{1, 'x'}, L""},  // half a unit is dropped
      {{}, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pelunits::fuzz::decodeText(c.bytes.data(), c.bytes.size()), c.want);
  }
}

}  // namespace
