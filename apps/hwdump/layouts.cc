// The table files hwdump knows, each with the record layouts of its records.

#include "analysis/user_settings.h"
#include "hwdump/dump.h"
#include "lists/list_records.h"
#include "platform/text.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "records/prior_lists.h"
#include "records/report_records.h"

namespace hwdump {

namespace {

auto Named(const char* upper_name, bool new_edition) {
  return [upper_name, new_edition](const std::string& name, bool new_header) {
    return new_header == new_edition && hw::Upper1252(name) == upper_name;
  };
}

// Lower-cased extension of a file name including the dot ("" when none).
std::string Extension(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  if (dot == std::string::npos) return "";
  std::string ext = file_name.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

auto WithExtension(const char* extension, bool new_edition) {
  return [extension, new_edition](const std::string& name, bool new_header) {
    return new_header == new_edition && Extension(name) == extension;
  };
}

// Every record of the table has the one layout.
template <class Record>
void Each(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  Print<Record>(bytes, out);
}

// Record 3 of a collection file is its header (none in a standard coin table); then each item
// is a main record at an even number and an extension record after it.
template <class Header, class Main, class Extension>
void Items(int64_t number, std::span<const std::byte> bytes, std::ostream& out) {
  if (number == 3) {
    out << "  Collection header\n";
    Print<Header>(bytes, out);
  } else if (number % 2 == 0) {
    out << "  Main record\n";
    Print<Main>(bytes, out);
  } else {
    out << "  Extension record\n";
    Print<Extension>(bytes, out);
  }
}

}  // namespace

const std::vector<Layout>& Layouts() {
  using namespace hw;
  static const std::vector<Layout> layouts = {
      {"user-table", false, 3, Named("DEFAULT.MST", true), Each<UserSettingsRecord>},
      {"prior-user-list", true, 4, Named("DEFAULT.MST", false), Each<PriorUserRecord>},
      {"prior-collection-list", true, 3, Named("COLLECT.MST", false), Each<PriorCollectionEntry>},
      {"prior-collection", true, 3, WithExtension(".cl4", false),
       Items<PriorCollectionHeader, PriorItemMain, PriorItemExtension>},
      {"collection", false, 3, WithExtension(".clu", true),
       Items<NewCollectionHeader, NewItemMain, NewItemExtension>},
      // Standard coin tables start at record 4, so record 3 is never printed.
      {"standard-coin-table", false, 4, WithExtension(".tyu", true),
       Items<NewCollectionHeader, NewItemMain, NewItemExtension>},
      // A screen design's first records: 4 in the prior edition, 3 in the new one (a design
      // built by the conversion leaves record 3 unwritten).
      {"prior-screen-design", true, 4, WithExtension(".vsd", false), Each<V4ScreenField>},
      {"screen-design", false, 3, WithExtension(".vsd", true), Each<V5FieldDef>},
      {"prior-field-definitions", true, 3, Named("FIELDS.MST", false), Each<V4FieldDef>},
      {"prior-report-formats", true, 3, WithExtension(".rpt", false), Each<V4ReportDef>},
      {"report-formats", false, 3, WithExtension(".rpt", true), Each<V5ReportDef>},
      {"prior-choice-list", true, 3,
       [](const std::string& name, bool) { return Extension(name) == ".cbo"; },
       Each<PriorChoiceEntry>},
      {"choice-list", false, 3,
       [](const std::string& name, bool) { return Extension(name) == ".cb5"; }, Each<ChoiceEntry>},
      {"prior-storage", true, 4, Named("STORAGE.MST", false), Each<PriorStorageRecord>},
      {"prior-parties", true, 3, Named("PARTIES.MST", false), Each<PriorPartyRecord>},
      {"contacts", false, 3, Named("CONTACTS.MST", true), Each<ContactRecord>},
  };
  return layouts;
}

}  // namespace hwdump
