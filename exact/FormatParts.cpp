#include "FormatParts.h"

#include "TypedText.h"
#include "units/angle/KovUnitDegreeBase.h"
#include "units/core/DisplayParts.h"
#include "units/fraction/FractionArithmetic.h"
#include "units/imperial/KovUnitInchBase.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace pelunits {
namespace exact {

namespace {

constexpr auto kInchesPerFoot = static_cast<std::uint64_t>(KovUnitInchBase::kInchesPerFoot);
constexpr auto kOuncesPerPound = static_cast<std::uint64_t>(KovUnitLbsOunces::kOuncesPerPound);
constexpr std::uint64_t kSecondsPerMinute = 60;
constexpr std::uint64_t kSecondsPerDegree = 3600;
constexpr wchar_t kPrime = L'\u2032';
constexpr wchar_t kDoublePrime = L'\u2033';
constexpr wchar_t kFractionSlash = L'\u2044';

// Feet and minutes, inches and seconds: the units write the same marks for both.
wchar_t singleMark(const FormatOptions& options) {
  return options.typographic ? kPrime : KovUnitDegreeBase::kMinuteMark;
}
wchar_t doubleMark(const FormatOptions& options) {
  return options.typographic ? kDoublePrime : KovUnitDegreeBase::kSecondsMark;
}

void appendCount(KovString& text, std::uint64_t n) { text.appendInt(static_cast<long long>(n)); }

// The decimal digits of the rest, padded to its decimals: ".50" for 50 / 100; ".5", and
// nothing for a rest of 0, when trailing zeros are trimmed.
void appendDecimalRest(KovString& text, const PartCount& count, const FormatOptions& options) {
  std::uint64_t rest = count.rest;
  int decimals = count.decimals;
  while (options.trimTrailingZeros && decimals > 0 && rest % 10 == 0) {
    rest /= 10;
    --decimals;
  }
  if (decimals == 0) return;
  text += L'.';
  int digits = 1;
  for (std::uint64_t r = rest; r >= 10; r /= 10) ++digits;
  for (int i = digits; i < decimals; ++i) text += L'0';
  appendCount(text, rest);
}

// The rest as a reduced fraction, `whole` in front unless it is 0. Typographic: a vulgar fraction
// right behind the whole (‹6½›), else the digits about the fraction slash behind a blank (‹6
// 3⁄32›), since ‹63⁄32› would read as 63/32.
void appendFractionRest(KovString& text, std::uint64_t whole, const PartCount& count,
                        wchar_t separator, const FormatOptions& options) {
  const unsigned divisor = pelunits::binaryGreatestCommonDivisor(
      static_cast<unsigned>(count.rest), static_cast<unsigned>(count.scale));
  const long long numerator = static_cast<long long>(count.rest / divisor);
  const long long denominator = static_cast<long long>(count.scale / divisor);
  const wchar_t vulgar =
      options.typographic ? vulgarFractionCharacter(numerator, denominator) : L'\0';
  // Behind the dash of ‹5'-6"› a fraction needs a digit in front: the reader takes a
  // dash before anything else for a sign (‹5'-½"› is 5' minus ½").
  if (whole != 0 || (vulgar != 0 && text.length() > 0 && text[text.length() - 1] == L'-')) {
    appendCount(text, whole);
    if (vulgar == 0) text += separator;
  }
  if (vulgar != 0) {
    text += vulgar;
    return;
  }
  text.appendInt(numerator);
  text += options.typographic ? kFractionSlash : L'/';
  text.appendInt(denominator);
}

// The smallest part's number: whole and rest.
void appendSmallest(KovString& text, std::uint64_t whole, const PartCount& count,
                    wchar_t fractionSeparator, const FormatOptions& options) {
  if (count.fraction) {
    if (count.rest == 0) {
      appendCount(text, whole);
    } else {
      appendFractionRest(text, whole, count, fractionSeparator, options);
    }
    return;
  }
  appendCount(text, whole);
  if (count.decimals > 0) appendDecimalRest(text, count, options);
}

}  // namespace

void appendFeetInches(KovString& text, const PartCount& count, std::uint64_t wholeStep,
                      const FormatOptions& options) {
  const std::uint64_t feet = count.whole / kInchesPerFoot;
  const std::uint64_t inches = count.whole % kInchesPerFoot;
  const bool feetOnly = wholeStep != 0 && wholeStep % kInchesPerFoot == 0;
  const bool noInches = inches == 0 && count.rest == 0;
  const bool showFeet = feetOnly || feet != 0 || !options.hideZeroFeet;
  const bool showInches = !feetOnly && (!noInches || !options.hideZeroInches || !showFeet);
  if (showFeet) {
    appendCount(text, feet);
    text += singleMark(options);
    if (showInches) text += pelunits::partSeparator(options.separator);
  }
  if (showInches) {
    appendSmallest(text, inches, count, L' ', options);
    text += doubleMark(options);
  }
}

void appendDegreesMinutesSeconds(KovString& text, const PartCount& count, std::uint64_t wholeStep,
                                 const FormatOptions& options) {
  appendCount(text, count.whole / kSecondsPerDegree);
  text += KovUnitDegreeBase::kDegreeMark;
  if (wholeStep != 0 && wholeStep % kSecondsPerDegree == 0) return;
  appendCount(text, count.whole % kSecondsPerDegree / kSecondsPerMinute);
  text += singleMark(options);
  if (wholeStep != 0 && wholeStep % kSecondsPerMinute == 0) return;
  appendSmallest(text, count.whole % kSecondsPerMinute, count, L' ', options);
  text += doubleMark(options);
}

void appendPoundsOunces(KovString& text, const PartCount& count, std::uint64_t wholeStep,
                        const FormatOptions& options) {
  const std::uint64_t pounds = count.whole / kOuncesPerPound;
  const std::uint64_t ounces = count.whole % kOuncesPerPound;
  const bool poundsOnly = wholeStep != 0 && wholeStep % kOuncesPerPound == 0;
  if (pounds != 0 || poundsOnly) {
    appendCount(text, pounds);
    text += KovUnitLbsOunces::kPoundsMark;
    if (poundsOnly || (ounces == 0 && count.rest == 0)) return;
    text += L' ';
  }
  appendSmallest(text, ounces, count, L' ', options);
  text += KovUnitLbsOunces::kOuncesMark;
}

void appendWholeAndFraction(KovString& text, const PartCount& count, const FormatOptions& options) {
  appendSmallest(text, count.whole, count, pelunits::partSeparator(options.separator), options);
}

}  // namespace exact
}  // namespace pelunits
