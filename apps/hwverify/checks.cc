#include "hwverify/checks.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>
#include <system_error>

#include "hwverify/tables.h"
#include "platform/run_error.h"
#include "platform/text.h"
#include "reftables/reference_tables.h"

namespace hwverify {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPriorFolderLine = "Old installation directory: ";
constexpr std::array<const char*, 3> kStandardPlaces = {
    "C:\\HWVER4\\", "C:\\Program Files\\HWVER4\\", "D:\\HWVER4\\"};

// Labels whose texts identify an item to its collector: they must reappear in the new item.
constexpr std::array<std::string_view, 6> kKeyLabels = {"DESCRIPTION", "COUNTRY", "DENOMINATION",
                                                        "DENOM",       "YEAR",    "DATE"};

// The money values every item carries, in the order the new record receives them, and the
// labels of the new fields whose slots hold them.
struct MoneyField {
  const char* label;
  int prior_element;  // in the prior extension's amount bank
};
constexpr std::array<MoneyField, 3> kMoney = {
    {{"PROFIT", hw::PriorItemExtension::kProfit},
     {"REALIZED PROFIT", hw::PriorItemExtension::kRealizedProfit},
     {"LOT VALUE", hw::PriorItemExtension::kLotValue}}};

std::string Upper(std::string_view s) { return hw::Upper1252(hw::TrimBlanks(s)); }

// A label as the collector reads it: trimmed, upper case, without a final colon.
std::string Normalized(std::string_view label) {
  std::string s = Upper(label);
  if (!s.empty() && s.back() == ':') s.pop_back();
  return s;
}

std::optional<fs::path> Host(hw::FileSystem& fs, const std::string& windows_path) {
  try {
    return fs.HostPath(windows_path);
  } catch (const hw::RunError&) {
    return std::nullopt;
  }
}

// The plain files matching a pattern; none when the pattern is no legal name (a type code
// read from a damaged file can hold anything).
std::vector<std::string> ListFiles(hw::FileSystem& fs, const std::string& pattern) {
  try {
    return fs.List(pattern, hw::ListFilter::kPlainFiles);
  } catch (const hw::RunError&) {
    return {};
  }
}

std::optional<Table> OpenTable(hw::FileSystem& fs, const std::string& path, Edition edition) {
  std::optional<fs::path> host = Host(fs, path);
  if (!host) return std::nullopt;
  return Table::Open(*host, edition);
}

bool IsFolder(hw::FileSystem& fs, const std::string& path) {
  std::optional<fs::path> host = Host(fs, path);
  std::error_code ec;
  return host && fs::is_directory(*host, ec);
}

bool IsFile(hw::FileSystem& fs, const std::string& path) {
  std::optional<fs::path> host = Host(fs, path);
  std::error_code ec;
  return host && fs::is_regular_file(*host, ec);
}

// The collection name made safe for a file name, as the new edition's file is named.
std::string SafeName(std::string_view raw) {
  std::string out;
  for (char c : raw) {
    switch (c) {
      case '/':
      case '\\':
        out += '&';
        break;
      case ':':
      case ';':
      case '.':
        out += '-';
        break;
      case '*':
      case '?':
        out += '~';
        break;
      case '<':
        out += '[';
        break;
      case '>':
        out += ']';
        break;
      case '"':
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The trimmed texts of every record from `first` on, through the layout's text field.
template <class Record, class Field>
std::vector<std::string> Texts(std::optional<Table>& table, int64_t first, Field field) {
  std::vector<std::string> out;
  if (!table) return out;
  Record r;
  for (int64_t n = first; n <= table->last_record(); ++n) {
    if (table->Read(n, r)) out.push_back(hw::Trim(field(r).Raw()));
  }
  return out;
}

// Checks that every prior entry is in the new table; entries the new table held before are
// not counted against anything.
ListCheck CompareEntries(std::string kind, std::string name, const std::vector<std::string>& prior,
                         const std::vector<std::string>& now) {
  ListCheck check{std::move(kind), std::move(name), static_cast<int64_t>(prior.size()), {}};
  const std::set<std::string> present(now.begin(), now.end());
  std::set<std::string> reported;
  for (const std::string& entry : prior) {
    if (!present.contains(entry) && reported.insert(entry).second) check.missing.push_back(entry);
  }
  return check;
}

// A field of a prior collection and where its value lies in the prior item.
struct PriorField {
  std::string label;
  int16_t type = 0;
  int16_t slot = 0;
  bool extension = false;  // from the field definitions: the value is in the extension record
  bool key = false;
  bool any_value = false;                   // some item held a text in it
  bool any_found = false;                   // and some new item held that text
  std::vector<TextDifference> differences;  // items whose new record lacks the text
};

template <size_t W, size_t N>
std::optional<std::string_view> Element(const std::array<hw::Text<W>, N>& bank, int slot) {
  if (slot < 0 || static_cast<size_t>(slot) >= N) return std::nullopt;
  return bank[slot].Raw();
}

// The text a prior field holds in an item; nothing for the fields that hold numbers.
std::optional<std::string_view> PriorText(const PriorField& f, const hw::PriorItemMain& m,
                                          const hw::PriorItemExtension& e) {
  switch (f.type) {
    case 3:
      return f.extension ? std::nullopt : Element(m.Text8, f.slot);
    case 4:
      return f.extension ? Element(e.Text12, f.slot) : Element(m.Text12, f.slot);
    case 5:
      return f.extension ? Element(e.Text32, f.slot) : Element(m.Text32, f.slot);
    case 6:
      return f.extension ? Element(e.Text64, f.slot) : Element(m.Text64, f.slot);
    case 7:
      return f.extension ? Element(e.Text128, f.slot) : Element(m.Text128, f.slot);
    case 8:
      return f.extension ? Element(e.Text256, f.slot) : Element(m.Text256, f.slot);
    case 10:
      return m.Note.Raw();
    case 11:
      return f.extension ? Element(e.Text16, f.slot) : Element(m.Text16, f.slot);
    default:
      return std::nullopt;
  }
}

// A date of the new record as the prior edition's texts write one: month/day/year.
std::string DateText(double days) {
  using namespace std::chrono;
  const year_month_day d{sys_days{year{1899} / December / 30} +
                         std::chrono::days{static_cast<int64_t>(std::floor(days))}};
  return std::to_string(static_cast<unsigned>(d.month())) + "/" +
         std::to_string(static_cast<unsigned>(d.day())) + "/" +
         std::to_string(static_cast<int>(d.year()));
}

// Every text of a new item but its picture paths (which repeat picture codes, not what the
// collector typed), each in its full width, and its dates written out in `dates`.
std::vector<std::string_view> NewTexts(const hw::NewItemMain& m, const hw::NewItemExtension& e,
                                       std::vector<std::string>& dates) {
  std::vector<std::string_view> out;
  dates.clear();
  for (const hw::TaggedValue& v : m.Dates) {
    // Dates far outside the calendar are no text a collector typed.
    if (v.tag == hw::TaggedValue::kDate && std::abs(v.date) < 3e6)
      dates.push_back(DateText(v.date));
  }
  for (const std::string& d : dates) out.push_back(d);
  auto add = [&out](const auto& bank) {
    for (const auto& t : bank) out.push_back(t.Raw());
  };
  add(m.Text8);
  add(m.Text12);
  add(m.Text16);
  add(m.Text32);
  add(m.Linked);
  add(m.Text64);
  add(m.Text128);
  add(m.Text256);
  add(e.Text50);
  out.push_back(e.Note.Raw());
  for (const hw::TaggedValue& v : m.Dates) {
    if (v.tag == hw::TaggedValue::kText) out.push_back(v.text);
  }
  return out;
}

// Whether a new text holds `value`. A value cut at the width of its field counts when what is
// left fills the field after the blank that joins it, or is long enough not to be chance.
bool Holds(const std::vector<std::string_view>& texts, std::string_view value) {
  constexpr size_t kEnough = 7;
  for (std::string_view t : texts) {
    if (t.find(value) != std::string_view::npos) return true;
    for (size_t k = std::min(value.size() - 1, t.size()); k > 0; --k) {
      if ((k >= kEnough || k + 1 >= t.size()) && t.ends_with(value.substr(0, k))) return true;
    }
  }
  return false;
}

std::vector<PriorField> PriorFields(hw::FileSystem& fs, const std::string& prior_folder,
                                    const std::string& type_code) {
  std::vector<PriorField> fields;
  auto add = [&fields](std::string label, int16_t type, int16_t slot, bool extension) {
    const std::string norm = Normalized(label);
    bool key = false;
    for (std::string_view k : kKeyLabels) key = key || norm == k;
    fields.push_back({std::move(label), type, slot, extension, key, false, false, {}});
  };
  std::optional<Table> design =
      OpenTable(fs, prior_folder + "Video\\" + type_code + ".vsd", Edition::kPrior);
  hw::V4ScreenField s;
  for (int64_t n = 4; design && n <= design->last_record(); ++n) {
    if (design->Read(n, s)) add(s.Caption.Trimmed(), s.DataType, s.Slot, false);
  }
  std::optional<Table> common = OpenTable(fs, prior_folder + "fields.mst", Edition::kPrior);
  hw::V4FieldDef d;
  for (int64_t n = 3; common && n <= common->last_record(); ++n) {
    // Only the common fields below slot 28 are carried by the new edition.
    if (common->Read(n, d) && d.Slot < 28) add(d.FieldName.Trimmed(), d.DataType, d.Slot, true);
  }
  return fields;
}

// The slots of the new record's money values, from the new screen design of the type: the last
// field bearing each label gives it, 0 when none does.
std::array<int, 3> MoneySlots(hw::FileSystem& fs, const std::string& new_folder,
                              const std::string& type_name) {
  std::array<int, 3> slots{};
  std::optional<Table> design =
      OpenTable(fs, new_folder + "video\\" + type_name + ".vsd", Edition::kNew);
  hw::V5FieldDef f;
  for (int64_t n = 4; design && n <= design->last_record(); ++n) {
    if (!design->Read(n, f)) continue;
    const std::string label = Upper(f.FieldName.Raw());
    for (size_t i = 0; i < kMoney.size(); ++i) {
      if (label == kMoney[i].label) slots[i] = f.Slot;
    }
  }
  return slots;
}

// Whether a later money value is written to the same slot and replaces value i there.
bool Replaced(const std::array<int, 3>& slots, size_t i) {
  for (size_t j = i + 1; j < slots.size(); ++j) {
    if (slots[j] == slots[i]) return true;
  }
  return false;
}

bool PictureMissing(hw::FileSystem& fs, const std::string& new_folder, std::string_view path) {
  // A picture code rewritten by the conversion is relative to the new data folder.
  const bool absolute = path.starts_with("\\") || (path.size() > 1 && path[1] == ':');
  return !IsFile(fs, absolute ? std::string(path) : new_folder + std::string(path));
}

void CheckItems(hw::FileSystem& fs, const std::string& new_folder, const std::string& type_code,
                std::vector<PriorField>& fields, Table& prior, Table& now, CollectionCheck& c) {
  hw::NewCollectionHeader header;
  const std::string type_name = now.Read(3, header) ? header.TypeName.Trimmed() : type_code;
  const std::array<int, 3> slots = MoneySlots(fs, new_folder, type_name);
  std::array<int64_t, 3> prior_money{}, new_money{};
  std::set<std::string> missing_pictures;
  int country = -1;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (country < 0 && !fields[i].extension && fields[i].type == 5 &&
        Normalized(fields[i].label) == "COUNTRY") {
      country = static_cast<int>(i);
    }
  }

  hw::PriorItemMain pm;
  hw::PriorItemExtension pe;
  hw::NewItemMain nm;
  hw::NewItemExtension ne;
  std::vector<std::string> dates;
  for (int64_t k = 0; k < c.prior_items || k < c.new_items; ++k) {
    const int64_t r = 4 + 2 * k;
    const bool has_prior = k < c.prior_items && prior.Read(r, pm) && prior.Read(r + 1, pe);
    const bool has_new = k < c.new_items && now.Read(r, nm) && now.Read(r + 1, ne);
    if (has_new) {
      for (size_t i = 0; i < kMoney.size(); ++i) {
        const int slot = slots[i];
        if (!Replaced(slots, i) && slot >= 0 && slot < static_cast<int>(nm.Financial.size())) {
          new_money[i] += nm.Financial[slot].scaled;
        }
      }
      for (const hw::Text<80>& p : ne.PicturePaths) {
        const std::string path = p.Trimmed();
        if (!path.empty() && path.front() != '\0' && !missing_pictures.contains(path) &&
            PictureMissing(fs, new_folder, path)) {
          missing_pictures.insert(path);
          c.missing_pictures.push_back(path);
        }
      }
    }
    if (!has_prior) continue;
    for (size_t i = 0; i < kMoney.size(); ++i)
      prior_money[i] += pe.Amounts[kMoney[i].prior_element].scaled;
    const std::optional<std::string_view> country_text =
        country >= 0 ? PriorText(fields[country], pm, pe) : std::nullopt;
    if (type_code == "Coin" && country_text && hw::Trim(*country_text) == "United States") {
      ++c.us_coins;
      if (has_new && nm.Longs[hw::NewItemMain::kStandardReference] != 0) ++c.us_coins_referenced;
    }
    const std::vector<std::string_view> texts =
        has_new ? NewTexts(nm, ne, dates) : std::vector<std::string_view>{};
    for (PriorField& f : fields) {
      const std::optional<std::string_view> raw = PriorText(f, pm, pe);
      if (!raw) continue;
      const std::string value = hw::Trim(*raw);
      if (value.empty() || value.front() == '\0') continue;
      f.any_value = true;
      if (!has_new) continue;
      const bool found = Holds(texts, value);
      f.any_found = f.any_found || found;
      if (f.key && !found) f.differences.push_back({k + 1, f.label, value});
    }
  }
  for (size_t i = 0; i < kMoney.size(); ++i) {
    if (!Replaced(slots, i)) c.money.push_back({kMoney[i].label, prior_money[i], new_money[i]});
  }
  // A field that arrived in no item has no place in the new edition: it is listed once, by
  // label, rather than as a difference in every item.
  for (const PriorField& f : fields) {
    if (f.any_value && !f.any_found) c.unpaired.push_back(f.label);
    if (f.any_found) c.texts.insert(c.texts.end(), f.differences.begin(), f.differences.end());
  }
  std::sort(c.texts.begin(), c.texts.end(),
            [](const TextDifference& a, const TextDifference& b) { return a.item < b.item; });
}

int64_t ItemsOf(int64_t last_record) { return last_record >= 4 ? (last_record - 4) / 2 + 1 : 0; }

CollectionCheck CheckCollection(hw::FileSystem& fs, const std::string& prior_folder,
                                const std::string& new_folder, const UserCheck& user,
                                const hw::PriorCollectionEntry& entry, std::string& type_code) {
  CollectionCheck c;
  c.code = entry.Code.Trimmed();
  c.name = entry.Name.Trimmed();
  std::optional<Table> prior = OpenTable(fs, user.prior_folder + c.code + ".cl4", Edition::kPrior);
  hw::PriorCollectionHeader header;
  type_code = prior && prior->Read(3, header) ? header.TypeCode.Trimmed() : "";
  // The prior edition reads records past the end of its file as empty ones: its items are
  // what the header counts.
  if (prior) c.prior_items = ItemsOf(prior->next_record() - 1);
  if (user.new_folder.empty()) return c;
  c.file = user.new_folder + "My Collections\\" + SafeName(c.name) + ".clu";
  std::optional<Table> now = OpenTable(fs, c.file, Edition::kNew);
  c.found = now.has_value();
  if (!now) return c;
  c.new_items = ItemsOf(now->last_record());
  if (!prior) return c;
  std::vector<PriorField> fields = PriorFields(fs, prior_folder, type_code);
  CheckItems(fs, new_folder, type_code, fields, *prior, *now, c);
  return c;
}

// The rest of the first log line that begins with `prefix`; empty when none does.
std::string AfterPrefix(const std::vector<std::string>& log, std::string_view prefix) {
  for (const std::string& line : log) {
    if (line.starts_with(prefix)) return line.substr(prefix.size());
  }
  return {};
}

bool Contains(const std::vector<std::string>& log, std::string_view line) {
  for (const std::string& l : log) {
    if (l == line) return true;
  }
  return false;
}

DesignCheck CheckDesign(hw::FileSystem& fs, const std::string& prior_folder,
                        const std::string& new_folder, const hw::ReferenceTables& ref,
                        const std::string& code, const std::vector<std::string>& log) {
  const hw::TypeLookup type = hw::LookupCollectibleType(ref, code);
  DesignCheck d{code, type.name, {}, 0, {}};
  std::optional<Table> design =
      OpenTable(fs, new_folder + "video\\" + type.name + ".vsd", Edition::kNew);
  const int64_t fields = design ? std::max<int64_t>(0, design->last_record() - 3) : 0;
  if (!Contains(log, "Converting screen design for: " + code)) {
    d.screen = "not converted: the screen design operation did not reach this type";
  } else if (Contains(log, "Conversion not occuring for collectible: " + code +
                               " since fields were modified")) {
    d.screen = "not converted: the prior screen was customised (fields were modified)";
  } else if (type.standard) {
    d.screen = "kept: a standard type keeps the new edition's own screen design";
  } else if (fields > 0) {
    d.screen = "converted: " + std::to_string(fields) + " fields";
  } else {
    d.screen = "not converted: the new screen design holds no fields";
  }
  std::optional<Table> prior =
      OpenTable(fs, prior_folder + code + "\\" + code + ".rpt", Edition::kPrior);
  std::optional<Table> now =
      OpenTable(fs, new_folder + "video\\" + type.name + ".rpt", Edition::kNew);
  auto name = [](const auto& r) -> const hw::Text<64>& { return r.ReportName; };
  const std::vector<std::string> prior_names = Texts<hw::V4ReportDef>(prior, 3, name);
  const std::vector<std::string> new_names = Texts<hw::V5ReportDef>(now, 3, name);
  const ListCheck reports = CompareEntries("", "", prior_names, new_names);
  d.prior_reports = reports.prior_entries;
  d.missing_reports = reports.missing;
  return d;
}

// The error lines of the log, each with the collection or operation it was written in.
std::vector<LogError> LogErrors(const std::vector<std::string>& log) {
  struct Context {
    std::string_view line;  // the start of the line that opens it
    std::string_view name;  // followed by the rest of the line
  };
  static constexpr std::array<Context, 5> kContexts = {{
      {"Beginning Analysis of prior installation", "Analysis of the prior installation"},
      {"Converting: ", "Collection "},
      {"Converting screen design for: ", "Screen design of "},
      {"Converting reports for collectible: ", "Report formats of "},
      {"Processing choice lists for collectible: ", "Choice lists of "},
  }};
  std::vector<LogError> errors;
  std::string concerns = "Start-up";
  for (const std::string& line : log) {
    if (Upper(line).starts_with("ERROR")) {
      errors.push_back({concerns, line});
      continue;
    }
    // An operation's own line ("Converting Buyer/Seller List"), not one of its users' folders.
    if (line.starts_with("Converting ") && line.find('\\') == std::string::npos) concerns = line;
    for (const Context& c : kContexts) {
      if (line.starts_with(c.line)) {
        concerns = c.line.ends_with(": ") ? std::string(c.name) + line.substr(c.line.size())
                                          : std::string(c.name);
      }
    }
  }
  if (!log.empty() && log.back() != "All conversions complete") {
    errors.push_back({concerns, "The log does not end with \"All conversions complete\""});
  }
  return errors;
}

}  // namespace

std::vector<std::string> ReadLog(hw::FileSystem& fs, const std::string& new_folder) {
  std::vector<std::string> lines;
  std::optional<fs::path> host = Host(fs, new_folder + "HoardwiseCLog.lst");
  if (!host) return lines;
  std::ifstream in(*host, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string FindPriorFolder(hw::FileSystem& fs, const std::vector<std::string>& log) {
  std::string named = hw::Trim(AfterPrefix(log, kPriorFolderLine));
  if (!named.empty()) return named.back() == '\\' ? named : named + "\\";
  for (const char* place : kStandardPlaces) {
    if (IsFile(fs, std::string(place) + "hwver4.exe")) return place;
  }
  return {};
}

Report Verify(hw::FileSystem& fs, const std::string& prior_folder, const std::string& new_folder,
              const std::vector<std::string>& log) {
  Report rep;
  rep.prior_folder = prior_folder;
  rep.new_folder = new_folder;
  rep.log_found = !log.empty();
  hw::ReferenceTables ref;
  hw::InitTable(ref);

  // The new user table, whose users are taken in order as the prior users claim them.
  std::optional<Table> users_now = OpenTable(fs, new_folder + "DEFAULT.mst", Edition::kNew);
  std::vector<std::pair<std::string, std::string>> new_users;  // name, data folder
  hw::UserSettingsRecord u;
  for (int64_t n = 4; users_now && n <= users_now->last_record(); ++n) {
    if (users_now->Read(n, u)) new_users.emplace_back(u.UserName.Trimmed(), u.DataFolder.Trimmed());
  }
  std::vector<bool> claimed(new_users.size());

  std::vector<std::string> type_codes;  // upper case, in the order first met
  std::vector<std::string> locations, containers, parties;
  std::optional<Table> users_prior = OpenTable(fs, prior_folder + "Default.mst", Edition::kPrior);
  hw::PriorUserRecord p;
  for (int64_t n = 4; users_prior && n <= users_prior->last_record(); ++n) {
    if (!users_prior->Read(n, p)) continue;
    UserCheck& user = rep.users.emplace_back();
    user.name = p.Name.Trimmed();
    user.prior_folder = p.Folder.Trimmed();
    for (size_t i = 0; i < new_users.size() && !user.in_table; ++i) {
      if (!claimed[i] && new_users[i].first == user.name) {
        claimed[i] = true;
        user.in_table = true;
        user.new_folder = new_users[i].second;
      }
    }
    user.folder_exists =
        !user.new_folder.empty() && IsFolder(fs, user.new_folder + "My Collections");
    if (!user.folder_exists) user.new_folder.clear();

    std::optional<Table> list = OpenTable(fs, user.prior_folder + "Collect.mst", Edition::kPrior);
    hw::PriorCollectionEntry entry;
    for (int64_t c = 3; list && c <= list->last_record(); ++c) {
      if (!list->Read(c, entry)) continue;
      std::string type_code;
      user.collections.push_back(
          CheckCollection(fs, prior_folder, new_folder, user, entry, type_code));
      const std::string upper = Upper(type_code);
      if (!upper.empty() &&
          std::find(type_codes.begin(), type_codes.end(), upper) == type_codes.end()) {
        type_codes.push_back(upper);
      }
    }

    std::optional<Table> storage =
        OpenTable(fs, user.prior_folder + "storage.mst", Edition::kPrior);
    hw::PriorStorageRecord s;
    for (int64_t r = 4; storage && r <= storage->last_record(); ++r) {
      // "EMPTY", in capitals, stands for no location, and its container is not kept either;
      // "Empty" is a place like any other.
      if (storage->Read(r, s) && s.Location.Trimmed() != "EMPTY") {
        locations.push_back(s.Location.Trimmed());
        containers.push_back(s.Container.Trimmed());
      }
    }
    std::optional<Table> list_of_parties =
        OpenTable(fs, user.prior_folder + "parties.mst", Edition::kPrior);
    const std::vector<std::string> names = Texts<hw::PriorPartyRecord>(
        list_of_parties, 3, [](const auto& r) -> const hw::Text<24>& { return r.Name; });
    parties.insert(parties.end(), names.begin(), names.end());
  }

  const auto item_text = [](const auto& r) -> const hw::Text<32>& { return r.ItemText; };
  for (const std::string& code : type_codes) {
    const std::string name = hw::LookupCollectibleType(ref, code).name;
    for (const std::string& file : ListFiles(fs, prior_folder + "Combos\\" + code + "\\*.cbo")) {
      const std::string base = file.substr(0, file.size() - 4);
      std::optional<Table> prior =
          OpenTable(fs, prior_folder + "Combos\\" + code + "\\" + file, Edition::kPrior);
      const std::string target = new_folder + "Combos\\" + name + "\\" + base + ".cb5";
      std::optional<Table> now = OpenTable(fs, target, Edition::kNew);
      rep.lists.push_back(CompareEntries("Choice list", target,
                                         Texts<hw::PriorChoiceEntry>(prior, 3, item_text),
                                         Texts<hw::ChoiceEntry>(now, 3, item_text)));
    }
  }
  auto new_list = [&](const std::string& path) {
    std::optional<Table> t = OpenTable(fs, path, Edition::kNew);
    return Texts<hw::ChoiceEntry>(t, 3, item_text);
  };
  const std::string combos = new_folder + "Combos\\";
  rep.lists.push_back(CompareEntries("Storage locations", combos + "Locations.cb5", locations,
                                     new_list(combos + "Locations.cb5")));
  rep.lists.push_back(CompareEntries("Containers", combos + "LocationsLink.cb5", containers,
                                     new_list(combos + "LocationsLink.cb5")));
  rep.lists.push_back(CompareEntries("Buyers and sellers", combos + "Buyers and Sellers.cb5",
                                     parties, new_list(combos + "Buyers and Sellers.cb5")));
  std::optional<Table> contact_table =
      OpenTable(fs, new_folder + "MyData\\Contacts.mst", Edition::kNew);
  rep.lists.push_back(CompareEntries(
      "Contacts", new_folder + "MyData\\Contacts.mst", parties,
      Texts<hw::ContactRecord>(contact_table, 3,
                               [](const auto& r) -> const hw::Text<32>& { return r.KeyName; })));

  for (const std::string& code : type_codes) {
    rep.designs.push_back(CheckDesign(fs, prior_folder, new_folder, ref, code, log));
  }
  rep.log_errors = LogErrors(log);
  return rep;
}

}  // namespace hwverify
