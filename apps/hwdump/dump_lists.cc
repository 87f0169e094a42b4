// Choice lists of both editions, the prior storage and buyer/seller tables, the new contacts.

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <cstdlib>
#include <optional>

#include "hwdump/dump.h"
#include "lists/list_records.h"
#include "platform/text.h"

namespace hwdump {

namespace {

void PrintPriorChoiceEntry(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto e = Decoded<hw::PriorChoiceEntry>(bytes, out);
  if (!e) return;
  Field(out, "ItemNumber", std::to_string(e->ItemNumber));
  Field(out, "ItemText", Text(e->ItemText.Raw()));
  Field(out, "Unused34", Text(e->Unused34.Raw()));
  Field(out, "Tag", Text(e->Tag.Raw()));
}

void PrintChoiceEntry(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto e = Decoded<hw::ChoiceEntry>(bytes, out);
  if (!e) return;
  Field(out, "ItemNumber", std::to_string(e->ItemNumber));
  Field(out, "ParentText", Text(e->ParentText.Raw()));
  Field(out, "ItemText", Text(e->ItemText.Raw()));
  Field(out, "Value1", std::to_string(e->Value1));
  Field(out, "Marker", Quoted(e->Marker.Raw()));
  Field(out, "Flag1", Flag(e->Flag1));
  Field(out, "Flag2", Flag(e->Flag2));
  Field(out, "Flag3", Flag(e->Flag3));
  Field(out, "Value2", std::to_string(e->Value2));
  Field(out, "Amount", Money(e->Amount));
  Field(out, "EntryId", std::to_string(e->EntryId));
  Field(out, "AltText", Text(e->AltText.Raw()));
  Field(out, "Tag", Quoted(e->Tag.Raw()));
}

void PrintStorage(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto r = Decoded<hw::PriorStorageRecord>(bytes, out);
  if (!r) return;
  Field(out, "Unused0", std::to_string(r->Unused0));
  Field(out, "Location", Text(r->Location.Raw()));
  Field(out, "Container", Text(r->Container.Raw()));
  Field(out, "Mark1, Mark2, Mark3",
        Quoted(r->Mark1.Raw()) + ", " + Quoted(r->Mark2.Raw()) + ", " + Quoted(r->Mark3.Raw()));
  Field(out, "Unused65", std::to_string(r->Unused65));
  Field(out, "Amount", Money(r->Amount));
  Field(out, "Unused75", Text(r->Unused75.Raw()));
}

void PrintParty(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto p = Decoded<hw::PriorPartyRecord>(bytes, out);
  if (!p) return;
  Field(out, "Name", Text(p->Name.Raw()));
  Field(out, "Text24", Text(p->Text24.Raw()));
  Field(out, "Text40", Text(p->Text40.Raw()));
  Field(out, "Text64", Text(p->Text64.Raw()));
  Field(out, "Text88", Text(p->Text88.Raw()));
  Field(out, "Text90", Text(p->Text90.Raw()));
  Field(out, "Text100", Text(p->Text100.Raw()));
  Field(out, "Text124", Text(p->Text124.Raw()));
}

void PrintContact(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto k = Decoded<hw::ContactRecord>(bytes, out);
  if (!k) return;
  Field(out, "Name", Text(k->Name.Raw()));
  Field(out, "KeyName", Text(k->KeyName.Raw()));
  Field(out, "Text64, Text80, Text96",
        Text(k->Text64.Raw()) + ", " + Text(k->Text80.Raw()) + ", " + Text(k->Text96.Raw()));
  Field(out, "Text112, Text136", Text(k->Text112.Raw()) + ", " + Text(k->Text136.Raw()));
  Field(out, "Text160, Text184, Text208",
        Text(k->Text160.Raw()) + ", " + Text(k->Text184.Raw()) + ", " + Text(k->Text208.Raw()));
  Field(out, "Text232, Text234", Text(k->Text232.Raw()) + ", " + Text(k->Text234.Raw()));
  Field(out, "Text244", Text(k->Text244.Raw()));
  Field(out, "Text268", Text(k->Text268.Raw()));
  Field(out, "Text332", Text(k->Text332.Raw()));
  Field(out, "Text396, Text414", Text(k->Text396.Raw()) + ", " + Text(k->Text414.Raw()));
  Field(out, "Numbers432", fmt::format("{}", fmt::join(k->Numbers432, ", ")));
  Field(out, "Text512", Text(k->Text512.Raw()));
  Field(out, "Text528", Text(k->Text528.Raw()));
}

auto NamedFile(const char* upper_name, bool new_edition) {
  return [upper_name, new_edition](const std::string& name, bool new_header) {
    return new_header == new_edition && hw::Upper1252(name) == upper_name;
  };
}

const bool kRegistered = [] {
  Register(Layout{"prior-choice-list", true, 3,
                  [](const std::string& name, bool) { return Extension(name) == ".cbo"; },
                  PrintPriorChoiceEntry});
  Register(Layout{"choice-list", false, 3,
                  [](const std::string& name, bool) { return Extension(name) == ".cb5"; },
                  PrintChoiceEntry});
  Register(Layout{"prior-storage", true, 4, NamedFile("STORAGE.MST", false), PrintStorage});
  Register(Layout{"prior-parties", true, 3, NamedFile("PARTIES.MST", false), PrintParty});
  Register(Layout{"contacts", false, 3, NamedFile("CONTACTS.MST", true), PrintContact});
  return true;
}();

}  // namespace

}  // namespace hwdump
