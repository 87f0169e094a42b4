// The prior user list and collection lists, prior and new collection files item by item with
// their banks decoded, and the standard coin tables.

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "collections/collection_records.h"
#include "collections/item_values.h"
#include "collections/prior_lists.h"
#include "hwdump/dump.h"
#include "platform/text.h"

namespace hwdump {

namespace {

std::string Shown(std::string_view raw) { return Quoted(hw::TrimRightBlanks(raw)); }

// Blanks and zero bytes only: a text never filled or filled with nothing.
bool IsEmpty(std::string_view raw) {
  return raw.find_first_not_of(std::string_view(" \0", 2)) == raw.npos;
}

// One line per element that holds text.
template <size_t W, size_t N>
void TextBank(std::ostream& out, const std::string& name, const std::array<hw::Text<W>, N>& bank) {
  for (size_t i = 0; i < N; ++i) {
    if (!IsEmpty(bank[i].Raw())) Field(out, fmt::format("{}({})", name, i), Shown(bank[i].Raw()));
  }
}

// One line naming the elements that are not zero.
template <class T, size_t N, class Show>
void NumberBank(std::ostream& out, const std::string& name, const std::array<T, N>& bank,
                Show show) {
  std::vector<std::string> shown;
  for (size_t i = 0; i < N; ++i) {
    const std::string v = show(bank[i]);
    if (v != "0") shown.push_back(fmt::format("{}={}", i, v));
  }
  if (!shown.empty()) Field(out, name, fmt::format("{}", fmt::join(shown, ", ")));
}

template <class T, size_t N>
void IntegerBank(std::ostream& out, const std::string& name, const std::array<T, N>& bank) {
  NumberBank(out, name, bank, [](T v) { return std::to_string(v); });
}

template <size_t N>
void AmountBank(std::ostream& out, const std::string& name,
                const std::array<hw::Currency, N>& bank) {
  NumberBank(out, name, bank, Money);
}

// Days since 30 December 1899; before it the fraction counts away from zero.
std::string DateText(double days) {
  using namespace std::chrono;
  if (!std::isfinite(days) || std::fabs(days) > 3e6) return fmt::format("{} (out of range)", days);
  const double whole = std::trunc(days);
  const int64_t seconds = std::llround(std::fabs(days - whole) * 86400);
  const year_month_day ymd{sys_days{1899y / December / 30} +
                           ::std::chrono::days{static_cast<int64_t>(whole)}};
  std::string text =
      fmt::format("{:04}-{:02}-{:02}", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  if (seconds != 0) {
    text += fmt::format(" {:02}:{:02}:{:02}", seconds / 3600, seconds / 60 % 60, seconds % 60);
  }
  return fmt::format("{} ({})", text, days);
}

void PrintDates(std::ostream& out, const std::array<hw::TaggedValue, 16>& dates) {
  for (size_t i = 0; i < dates.size(); ++i) {
    const hw::TaggedValue& d = dates[i];
    const std::string name = fmt::format("Dates({})", i);
    if (d.tag == hw::TaggedValue::kText) {
      if (!d.text.empty()) Field(out, name, "text " + Quoted(d.text));
    } else if (d.tag == hw::TaggedValue::kDate) {
      Field(out, name, "date " + DateText(d.date));
    } else if (d.tag != hw::TaggedValue::kEmpty) {
      Field(out, name, fmt::format("tag {}", d.tag));
    }
  }
}

void PrintNewItemMain(std::span<const std::byte> bytes, std::ostream& out) {
  hw::NewItemMain item;
  if (!item.Decode(bytes)) {
    out << "  (main record whose date bank cannot be stepped over)\n";
    return;
  }
  out << "  Main record (date bank " << item.EncodedSize() - hw::NewItemMain::kFixedSize
      << " bytes)\n";
  PrintDates(out, item.Dates);
  std::vector<size_t> flags;
  for (size_t i = 0; i < item.Flags.size(); ++i) {
    if (item.Flags[i]) flags.push_back(i);
  }
  if (!flags.empty()) Field(out, "Flags set", fmt::format("{}", fmt::join(flags, ", ")));
  Field(out, "Standard reference (Longs 15)",
        std::to_string(item.Longs[hw::NewItemMain::kStandardReference]));
  IntegerBank(out, "Longs", item.Longs);
  AmountBank(out, "Amounts", item.Amounts);
  TextBank(out, "Text8", item.Text8);
  TextBank(out, "Text12", item.Text12);
  TextBank(out, "Text16", item.Text16);
  TextBank(out, "Text32", item.Text32);
  for (int field = 0; field < hw::NewItemMain::kLinkedFields; ++field) {
    for (int level = 0; level < 4; ++level) {
      const auto& t = item.Linked[hw::NewItemMain::LinkedPosition(field, level)];
      if (!IsEmpty(t.Raw())) {
        Field(out, fmt::format("Linked field {} level {}", field, level), Shown(t.Raw()));
      }
    }
  }
  TextBank(out, "Text64", item.Text64);
  TextBank(out, "Text128", item.Text128);
  TextBank(out, "Text256", item.Text256);
  AmountBank(out, "Financial", item.Financial);
}

void PrintNewItemExtension(std::span<const std::byte> bytes, std::ostream& out) {
  const auto x = Decoded<hw::NewItemExtension>(bytes, out);
  if (!x) return;
  out << "  Extension record\n";
  TextBank(out, "PicturePaths", x->PicturePaths);
  if (!IsEmpty(x->Note.Raw())) Field(out, "Note", Shown(x->Note.Raw()));
  if (!IsEmpty(x->Text2632.Raw())) Field(out, "Text2632", Shown(x->Text2632.Raw()));
  TextBank(out, "Text50", x->Text50);
  IntegerBank(out, "Longs3960", x->Longs3960);
  IntegerBank(out, "Longs4056", x->Longs4056);
  IntegerBank(out, "Longs4136", x->Longs4136);
  IntegerBank(out, "Longs4216", x->Longs4216);
  IntegerBank(out, "Integers4296", x->Integers4296);
}

void PrintNewCollectionHeader(std::span<const std::byte> bytes, std::ostream& out) {
  const auto h = Decoded<hw::NewCollectionHeader>(bytes, out);
  if (!h) return;
  out << "  Collection header\n";
  Field(out, "TypeName", Shown(h->TypeName.Raw()));
  Field(out, "Code", Shown(h->Code.Raw()));
  Field(out, "Text316", Shown(h->Text316.Raw()));
  Field(out, "Integer216, Text218, Integer250",
        fmt::format("{}, {}, {}", h->Integer216, Shown(h->Text218.Raw()), h->Integer250));
  for (size_t i = 0; i < h->KeyCaptions.size(); ++i) {
    Field(out, fmt::format("Key field {}: caption, code", i),
          fmt::format("{}, {}", Shown(h->KeyCaptions[i].Raw()), h->KeyCodes[i]));
  }
  Field(out, "Amount536, Amount544", Money(h->Amount536) + ", " + Money(h->Amount544));
  AmountBank(out, "Amounts556", h->Amounts556);
}

// Record 3 of a collection file is its header; then each item is a main record at an even
// number and an extension record after it.
void PrintNewCollection(int64_t number, std::span<const std::byte> bytes, std::ostream& out) {
  if (number == 3) {
    PrintNewCollectionHeader(bytes, out);
  } else if (number % 2 == 0) {
    PrintNewItemMain(bytes, out);
  } else {
    PrintNewItemExtension(bytes, out);
  }
}

void PrintStandardCoinEntry(int64_t number, std::span<const std::byte> bytes, std::ostream& out) {
  if (number % 2 == 0) {
    PrintNewItemMain(bytes, out);
  } else {
    PrintNewItemExtension(bytes, out);
  }
}

void PrintPriorItemMain(std::span<const std::byte> bytes, std::ostream& out) {
  const auto m = Decoded<hw::PriorItemMain>(bytes, out);
  if (!m) return;
  out << "  Main record\n";
  IntegerBank(out, "Integers", m->Integers);
  AmountBank(out, "Amounts", m->Amounts);
  TextBank(out, "Text8", m->Text8);
  TextBank(out, "Text12", m->Text12);
  TextBank(out, "Text16", m->Text16);
  TextBank(out, "Text32", m->Text32);
  TextBank(out, "Text64", m->Text64);
  TextBank(out, "Text128", m->Text128);
  TextBank(out, "Text256", m->Text256);
  if (!IsEmpty(m->Note.Raw())) Field(out, "Note", Shown(m->Note.Raw()));
}

void PrintPriorItemExtension(std::span<const std::byte> bytes, std::ostream& out) {
  const auto x = Decoded<hw::PriorItemExtension>(bytes, out);
  if (!x) return;
  out << "  Extension record\n";
  Field(out, "Markers: manual value, government set, buy/sell",
        fmt::format("{}, {}, {}", x->Integers[hw::PriorItemExtension::kManualValueMarker],
                    x->Integers[hw::PriorItemExtension::kGovernmentSetMarker],
                    x->Integers[hw::PriorItemExtension::kBuySellMarker]));
  IntegerBank(out, "Longs", x->Longs);
  IntegerBank(out, "Integers", x->Integers);
  AmountBank(out, "Amounts", x->Amounts);
  TextBank(out, "Text12", x->Text12);
  TextBank(out, "Text16", x->Text16);
  TextBank(out, "Text32", x->Text32);
  TextBank(out, "Text64", x->Text64);
  TextBank(out, "Text128", x->Text128);
  TextBank(out, "Text256", x->Text256);
}

void PrintPriorCollection(int64_t number, std::span<const std::byte> bytes, std::ostream& out) {
  if (number == 3) {
    const auto h = Decoded<hw::PriorCollectionHeader>(bytes, out);
    if (h) Field(out, "TypeCode", Shown(h->TypeCode.Raw()));
  } else if (number % 2 == 0) {
    PrintPriorItemMain(bytes, out);
  } else {
    PrintPriorItemExtension(bytes, out);
  }
}

void PrintPriorCollectionEntry(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto e = Decoded<hw::PriorCollectionEntry>(bytes, out);
  if (!e) return;
  Field(out, "Code", Shown(e->Code.Raw()));
  Field(out, "Name", Shown(e->Name.Raw()));
}

void PrintPriorUser(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto u = Decoded<hw::PriorUserRecord>(bytes, out);
  if (!u) return;
  Field(out, "Folder", Shown(u->Folder.Raw()));
  Field(out, "Name", Shown(u->Name.Raw()));
}

auto Named(const char* upper_name, bool new_edition) {
  return [upper_name, new_edition](const std::string& name, bool new_header) {
    return new_header == new_edition && hw::Upper1252(name) == upper_name;
  };
}

auto WithExtension(const char* extension, bool new_edition) {
  return [extension, new_edition](const std::string& name, bool new_header) {
    return new_header == new_edition && Extension(name) == extension;
  };
}

const bool kRegistered = [] {
  Register(Layout{"prior-user-list", true, 4, Named("DEFAULT.MST", false), PrintPriorUser});
  Register(Layout{"prior-collection-list", true, 3, Named("COLLECT.MST", false),
                  PrintPriorCollectionEntry});
  Register(Layout{"prior-collection", true, 3, WithExtension(".cl4", false), PrintPriorCollection});
  Register(Layout{"collection", false, 3, WithExtension(".clu", true), PrintNewCollection});
  Register(
      Layout{"standard-coin-table", false, 4, WithExtension(".tyu", true), PrintStandardCoinEntry});
  return true;
}();

}  // namespace

}  // namespace hwdump
