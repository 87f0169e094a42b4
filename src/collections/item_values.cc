#include "collections/item_values.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <span>

#include "platform/run_error.h"
#include "platform/text.h"

namespace hw {

namespace {

constexpr int64_t kScale = 10000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The order of magnitude of a number that std::from_chars could not hold: positive when it is
// too large, negative when it is too small.
int64_t Magnitude(std::string_view mantissa, int64_t exponent) {
  int64_t digits_before_point = 0;
  int64_t zeros_after_point = 0;
  bool seen_point = false;
  bool seen_nonzero = false;
  for (char c : mantissa) {
    if (c == '.') {
      seen_point = true;
    } else if (IsDigit(c)) {
      if (c != '0') seen_nonzero = true;
      if (!seen_point && seen_nonzero) ++digits_before_point;
      if (seen_point && !seen_nonzero) ++zeros_after_point;
    }
  }
  return (digits_before_point > 0 ? digits_before_point : -zeros_after_point) + exponent;
}

int32_t CheckedWhole(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    throw RunError(kOverflow);
  }
  return static_cast<int32_t>(value);
}

// --- Dates ---

struct Token {
  enum class Kind { kNumber, kWord, kPunct };
  Kind kind;
  std::string_view text;  // as written
  int value = 0;          // numbers
};

// A date and a time of day take at most a dozen tokens; a text of more is no date. Tokens are
// kept in place, so that reading the dates of an item allocates nothing.
constexpr size_t kMaxDateTokens = 16;
using Tokens = std::span<const Token>;

// Splits `text` into `room`; nothing when it cannot be a date.
std::optional<Tokens> Tokenize(std::string_view text, std::array<Token, kMaxDateTokens>& room) {
  size_t count = 0;
  auto push = [&](Token t) {
    if (count == room.size()) return false;
    room[count++] = t;
    return true;
  };
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ') {
      ++i;
    } else if (IsDigit(c)) {
      size_t j = i;
      while (j < text.size() && IsDigit(text[j])) ++j;
      if (j - i > 4) return std::nullopt;  // no part of a date has more than four digits
      Token t{Token::Kind::kNumber, text.substr(i, j - i)};
      std::from_chars(t.text.data(), t.text.data() + t.text.size(), t.value);
      if (!push(t)) return std::nullopt;
      i = j;
    } else if (IsLetter(c)) {
      size_t j = i;
      while (j < text.size() && IsLetter(text[j])) ++j;
      if (!push({Token::Kind::kWord, text.substr(i, j - i)})) return std::nullopt;
      i = j;
    } else if (c == '/' || c == '-' || c == '.' || c == ',' || c == ':') {
      if (!push({Token::Kind::kPunct, text.substr(i, 1)})) return std::nullopt;
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return Tokens(room.data(), count);
}

// A word of letters a-z in either case against a name in upper case.
bool WordIs(std::string_view word, std::string_view upper) {
  return word.size() == upper.size() &&
         std::equal(word.begin(), word.end(), upper.begin(),
                    [](char w, char u) { return UpperChar1252(w) == u; });
}

// Reads tokens from the front, failing softly past the end.
class TokenCursor {
 public:
  explicit TokenCursor(Tokens tokens) : tokens_(tokens) {}
  bool AtEnd() const { return pos_ >= tokens_.size(); }
  const Token* Peek(size_t ahead = 0) const {
    return pos_ + ahead < tokens_.size() ? &tokens_[pos_ + ahead] : nullptr;
  }
  const Token* Number(size_t min_digits, size_t max_digits) {
    const Token* t = Peek();
    if (t == nullptr || t->kind != Token::Kind::kNumber) return nullptr;
    if (t->text.size() < min_digits || t->text.size() > max_digits) return nullptr;
    ++pos_;
    return t;
  }
  bool Punct(char c) {
    const Token* t = Peek();
    if (t == nullptr || t->kind != Token::Kind::kPunct || t->text[0] != c) return false;
    ++pos_;
    return true;
  }
  const Token* Word() {
    const Token* t = Peek();
    if (t == nullptr || t->kind != Token::Kind::kWord) return nullptr;
    ++pos_;
    return t;
  }
  void Rewind(size_t pos) { pos_ = pos; }

 private:
  Tokens tokens_;
  size_t pos_ = 0;
};

int MonthOfName(std::string_view word) {
  static constexpr std::array<const char*, 12> kNames = {
      "JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
      "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
  for (int m = 0; m < 12; ++m) {
    const std::string_view name = kNames[m];
    if (WordIs(word, name) || WordIs(word, name.substr(0, 3))) return m + 1;
  }
  return WordIs(word, "SEPT") ? 9 : 0;
}

// A year of one or two digits is read in a window: 30 to 99 are 19xx, 00 to 29 are 20xx.
int FullYear(const Token& t) {
  if (t.text.size() <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
  return t.value;
}

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// month/day/year or year-month-day, the same separator twice.
std::optional<CalendarDate> NumericDate(TokenCursor& in) {
  const Token* first = in.Number(1, 4);
  if (first == nullptr) return std::nullopt;
  const Token* sep = in.Peek();
  if (sep == nullptr || sep->kind != Token::Kind::kPunct ||
      (sep->text[0] != '/' && sep->text[0] != '-')) {
    return std::nullopt;
  }
  const char s = sep->text[0];
  in.Punct(s);
  if (first->text.size() == 4) {
    const Token* month = in.Number(1, 2);
    if (month == nullptr || !in.Punct(s)) return std::nullopt;
    const Token* day = in.Number(1, 2);
    if (day == nullptr) return std::nullopt;
    return CalendarDate{first->value, month->value, day->value};
  }
  if (first->text.size() > 2) return std::nullopt;
  const Token* day = in.Number(1, 2);
  if (day == nullptr || !in.Punct(s)) return std::nullopt;
  const Token* year = in.Number(1, 4);
  if (year == nullptr) return std::nullopt;
  return CalendarDate{FullYear(*year), first->value, day->value};
}

// "January 15, 1921", "Jan. 15 1921"
std::optional<CalendarDate> MonthFirstDate(TokenCursor& in) {
  const Token* word = in.Word();
  if (word == nullptr) return std::nullopt;
  const int month = MonthOfName(word->text);
  if (month == 0) return std::nullopt;
  in.Punct('.');
  const Token* day = in.Number(1, 2);
  if (day == nullptr) return std::nullopt;
  in.Punct(',');
  const Token* year = in.Number(1, 4);
  if (year == nullptr) return std::nullopt;
  return CalendarDate{FullYear(*year), month, day->value};
}

// "15 January 1921", "15-Jan-1921", "15 Jan. 1921"
std::optional<CalendarDate> DayFirstDate(TokenCursor& in) {
  const Token* day = in.Number(1, 2);
  if (day == nullptr) return std::nullopt;
  const bool dashed = in.Punct('-');
  const Token* word = in.Word();
  if (word == nullptr) return std::nullopt;
  const int month = MonthOfName(word->text);
  if (month == 0) return std::nullopt;
  in.Punct('.');
  if (dashed) {
    if (!in.Punct('-')) return std::nullopt;
  } else {
    in.Punct(',');
  }
  const Token* year = in.Number(1, 4);
  if (year == nullptr) return std::nullopt;
  return CalendarDate{FullYear(*year), month, day->value};
}

// "10:30", "10:30:15", "10:30 PM", "10 PM": the fraction of a day; nothing when malformed.
std::optional<double> TimeOfDay(TokenCursor& in) {
  const Token* hour = in.Number(1, 2);
  if (hour == nullptr) return std::nullopt;
  int minute = 0;
  int second = 0;
  bool has_minutes = false;
  if (in.Punct(':')) {
    const Token* m = in.Number(2, 2);
    if (m == nullptr) return std::nullopt;
    minute = m->value;
    has_minutes = true;
    if (in.Punct(':')) {
      const Token* s = in.Number(2, 2);
      if (s == nullptr) return std::nullopt;
      second = s->value;
    }
  }
  int h = hour->value;
  if (const Token* word = in.Word()) {
    const bool pm = WordIs(word->text, "PM");
    if (!pm && !WordIs(word->text, "AM")) return std::nullopt;
    if (h < 1 || h > 12) return std::nullopt;
    h = h % 12 + (pm ? 12 : 0);
  } else if (!has_minutes) {
    return std::nullopt;
  }
  if (h > 23 || minute > 59 || second > 59) return std::nullopt;
  return (h * 3600.0 + minute * 60.0 + second) / 86400.0;
}

}  // namespace

std::string GeneralNumber(Currency amount) {
  const bool negative = amount.scaled < 0;
  const uint64_t magnitude =
      negative ? 0 - static_cast<uint64_t>(amount.scaled) : static_cast<uint64_t>(amount.scaled);
  std::string out = negative ? "-" : "";
  out += std::to_string(magnitude / kScale);
  uint64_t fraction = magnitude % kScale;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 4 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    out += "." + digits;
  }
  return out;
}

std::optional<double> NumberFromText(std::string_view text) {
  std::string_view t = TrimBlanks(text);
  if (!t.empty() && t.front() == '+' && (t.size() < 2 || t[1] != '-')) t.remove_prefix(1);
  // Check the whole text against sign, digits, point, digits, exponent.
  size_t i = 0;
  if (i < t.size() && t[i] == '-') ++i;
  size_t mantissa_digits = 0;
  for (; i < t.size() && IsDigit(t[i]); ++i) ++mantissa_digits;
  if (i < t.size() && t[i] == '.') {
    for (++i; i < t.size() && IsDigit(t[i]); ++i) ++mantissa_digits;
  }
  if (mantissa_digits == 0) return std::nullopt;
  const size_t mantissa_end = i;
  int64_t exponent = 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    bool negative_exponent = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative_exponent = t[i++] == '-';
    const size_t start = i;
    for (; i < t.size() && IsDigit(t[i]); ++i) {
      if (exponent < 100000) exponent = exponent * 10 + (t[i] - '0');
    }
    if (i == start) return std::nullopt;
    if (negative_exponent) exponent = -exponent;
  }
  if (i != t.size()) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec == std::errc::result_out_of_range) {
    const bool negative = t.front() == '-';
    if (Magnitude(t.substr(0, mantissa_end), exponent) <= 0) return negative ? -0.0 : 0.0;
    const double huge = std::numeric_limits<double>::infinity();
    return negative ? -huge : huge;
  }
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return value;
}

int32_t WholeNumber(Currency amount) {
  int64_t whole = amount.scaled / kScale;
  const int64_t rest = amount.scaled % kScale;
  const bool odd = whole % 2 != 0;
  if (rest > kScale / 2 || (rest == kScale / 2 && odd)) ++whole;
  if (rest < -kScale / 2 || (rest == -kScale / 2 && odd)) --whole;
  return CheckedWhole(whole);
}

int32_t WholeNumber(double value) {
  if (!std::isfinite(value)) throw RunError(kOverflow);
  const double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    throw RunError(kOverflow);
  }
  return static_cast<int32_t>(rounded);
}

Currency AmountOf(double value) {
  const double scaled = std::nearbyint(value * kScale);
  // 2^63 is exactly representable; anything at or beyond it does not fit.
  constexpr double kLimit = 9223372036854775808.0;
  if (!(scaled >= -kLimit && scaled < kLimit)) throw RunError(kOverflow);
  return Currency{static_cast<int64_t>(scaled)};
}

std::string AsText(const ItemValue& v) {
  return v.kind == ItemValue::Kind::kText ? v.text : GeneralNumber(v.amount);
}

int32_t AsWholeNumber(const ItemValue& v) {
  if (v.kind == ItemValue::Kind::kAmount) return WholeNumber(v.amount);
  const std::optional<double> n = NumberFromText(v.text);
  return n ? WholeNumber(*n) : 0;
}

Currency AsAmount(const ItemValue& v) {
  if (v.kind == ItemValue::Kind::kAmount) return v.amount;
  const std::optional<double> n = NumberFromText(v.text);
  return n ? AmountOf(*n) : Currency{};
}

bool AsFlag(const ItemValue& v) {
  if (v.kind == ItemValue::Kind::kAmount) return v.amount.scaled != 0;
  const std::optional<double> n = NumberFromText(v.text);
  if (n && *n != 0) return true;
  const char first = v.text.empty() ? ' ' : UpperChar1252(v.text.front());
  return first == 'Y' || first == 'T';
}

std::optional<double> DateFromText(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return std::nullopt;
  std::array<Token, kMaxDateTokens> room;
  const std::optional<Tokens> tokens = Tokenize(trimmed, room);
  if (!tokens || tokens->empty()) return std::nullopt;
  TokenCursor in(*tokens);
  std::optional<CalendarDate> date;
  for (auto form : {NumericDate, MonthFirstDate, DayFirstDate}) {
    in.Rewind(0);
    date = form(in);
    if (date) break;
  }
  if (!date) return std::nullopt;
  double fraction = 0;
  if (!in.AtEnd()) {
    const std::optional<double> time = TimeOfDay(in);
    if (!time || !in.AtEnd()) return std::nullopt;
    fraction = *time;
  }
  using namespace std::chrono;
  const year_month_day ymd{year{date->year}, month{static_cast<unsigned>(date->month)},
                           day{static_cast<unsigned>(date->day)}};
  if (date->year < 100 || date->year > 9999 || !ymd.ok()) return std::nullopt;
  const int64_t days = (sys_days{ymd} - sys_days{1899y / December / 30}).count();
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

}  // namespace hw
