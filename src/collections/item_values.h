#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/record_codec.h"

// A value read from a prior item and the conversions between its two kinds, text and amount,
// as the new item's fields need them.
namespace hw {

struct ItemValue {
  enum class Kind { kText, kAmount };
  Kind kind = Kind::kText;
  std::string text;  // trimmed of blanks
  Currency amount;

  static ItemValue OfText(std::string t) { return {Kind::kText, std::move(t), {}}; }
  static ItemValue OfAmount(Currency a) { return {Kind::kAmount, {}, a}; }
};

// An amount as a general number: plain digits, a minus sign when negative, "." before the
// decimals that are needed, never an exponent or a thousands separator.
std::string GeneralNumber(Currency amount);

// The numeric value of a text that reads as a number as a whole (sign, digits, a decimal
// point, an exponent; blanks around it ignored); nothing otherwise.
std::optional<double> NumberFromText(std::string_view text);

// Rounds to a whole number, halves to the even neighbour; 6 when outside the 32-bit range.
int32_t WholeNumber(Currency amount);
int32_t WholeNumber(double value);
// A value as an amount (four decimals, halves to even); 6 when outside the range.
Currency AmountOf(double value);

// The text of a value: its own text, or the general number of its amount.
std::string AsText(const ItemValue& v);
// The value as a whole number, an amount or a flag. A text that does not read as a number is
// 0; as a flag it is also true when it begins with Y or T in any case.
int32_t AsWholeNumber(const ItemValue& v);
Currency AsAmount(const ItemValue& v);
bool AsFlag(const ItemValue& v);

// Days since 30 December 1899 (the fraction is the time of day) of a text that names a day, a
// month and a year, read the United States way: month/day/year, year-month-day, or with the
// month's name ("January 15, 1921", "15 Jan 1921", "15-Jan-1921"), optionally followed by a
// time of day ("10:30", "10:30:15 PM"). Two-digit years 30 to 99 are 19xx, 00 to 29 are 20xx.
// Before 30 December 1899 the fraction counts away from zero, so -1.25 is 29 December 1899,
// 06:00. Nothing when the text is not such a date.
std::optional<double> DateFromText(std::string_view text);

}  // namespace hw
