#include "robustness/damaged_installations.h"

#include <cstdint>
#include <random>
#include <string_view>

#include "records/prior_lists.h"
#include "support/temp_folder.h"
#include "tablestore/table_header.h"

namespace hw::testing {

namespace fs = std::filesystem;

namespace {

using Change = std::function<void(std::vector<std::byte>&)>;

// The header of a whole table (every change starts from one).
PriorHeader HeaderOf(const std::vector<std::byte>& bytes) {
  PriorHeader header;
  return hw::DecodeRecord(bytes, header) ? header : PriorHeader{};
}

int16_t LengthOf(const std::vector<std::byte>& bytes, int16_t least) {
  return std::max(HeaderOf(bytes).record_length, least);
}

// Record n (from 1) of a prior table, edited through its layout.
template <class Record, class Edit>
void EditRecord(const fs::path& file, int n, Edit edit) {
  std::vector<std::byte> bytes = ReadBytes(file);
  const size_t at = static_cast<size_t>(n - 1) * HeaderOf(bytes).record_length;
  if (bytes.size() < at + Record::kSize) bytes.resize(at + Record::kSize);
  Record record;
  const std::span<std::byte> bytes_of_record = std::span(bytes).subspan(at, Record::kSize);
  if (!hw::DecodeRecord(bytes_of_record, record)) return;
  edit(record);
  hw::EncodeRecord(record, bytes_of_record);
  WriteBytes(file, bytes);
}

// The third entry of SMITH's collection list, edited.
template <class Edit>
void EditEntry(const fs::path& prior, Edit edit) {
  EditRecord<PriorCollectionEntry>(prior / "SMITH" / "Collect.mst", 3, edit);
}

// Each table, changed by each change in turn, named by the table and the change.
std::vector<Damage> ForEach(const TableFiles& tables,
                            const std::vector<std::pair<std::string, Change>>& changes) {
  std::vector<Damage> damages;
  for (const auto& [what, change] : changes) {
    for (const fs::path& table : tables) {
      damages.push_back({table.generic_string() + " " + what,
                         [table, change = change](const fs::path& prior, const fs::path&) {
                           std::vector<std::byte> bytes = ReadBytes(prior / table);
                           change(bytes);
                           WriteBytes(prior / table, bytes);
                         }});
    }
  }
  return damages;
}

// A change of the header, which may look at the table's bytes.
Change Header(const std::function<void(const std::vector<std::byte>&, PriorHeader&)>& edit) {
  return [edit](std::vector<std::byte>& bytes) {
    PriorHeader header = HeaderOf(bytes);
    edit(bytes, header);
    bytes.resize(std::max(bytes.size(), PriorHeader::kSize));
    hw::EncodeRecord(header, std::span(bytes).first(PriorHeader::kSize));
  };
}

// The records after the header, refilled by `fill`.
void FillRecords(std::vector<std::byte>& bytes, const std::function<std::byte()>& fill) {
  for (size_t i = std::min<size_t>(LengthOf(bytes, 1), bytes.size()); i < bytes.size(); ++i) {
    bytes[i] = fill();
  }
}

}  // namespace

std::vector<Damage> TruncatedTables(const TableFiles& tables) {
  return ForEach(tables, {{"cut to zero bytes", [](auto& b) { b.clear(); }},
                          {"cut inside its header", [](auto& b) { b.resize(11); }},
                          {"cut inside its last record",
                           [](auto& b) { b.resize(b.size() - LengthOf(b, 2) / 2); }}});
}

std::vector<Damage> BadHeaders(const TableFiles& tables) {
  return ForEach(
      tables,
      {{"record length 0", Header([](auto&, PriorHeader& h) { h.record_length = 0; })},
       {"record length -2", Header([](auto&, PriorHeader& h) { h.record_length = -2; })},
       {"record length halved", Header([](auto&, PriorHeader& h) { h.record_length /= 2; })},
       {"record length 32767", Header([](auto&, PriorHeader& h) { h.record_length = 32767; })},
       {"NextRecord 0", Header([](auto&, PriorHeader& h) { h.next_record = 0; })},
       {"NextRecord -3", Header([](auto&, PriorHeader& h) { h.next_record = -3; })},
       {"NextRecord beyond the file", Header([](auto& b, PriorHeader& h) {
          h.next_record = static_cast<int16_t>(b.size() / LengthOf(b, 1) + 50);
        })},
       {"NextRecord 32767", Header([](auto&, PriorHeader& h) { h.next_record = 32767; })}});
}

std::vector<Damage> BadRecords(const TableFiles& tables) {
  return ForEach(
      tables, {{"records of garbage",
                [](auto& b) {
                  std::mt19937 random(7);
                  FillRecords(b, [&] { return static_cast<std::byte>(random()); });
                }},
               {"records of zeros", [](auto& b) { FillRecords(b, [] { return std::byte{0}; }); }}});
}

// Texts that must not lead a write outside the new data folder or break a path: parent steps,
// absolute paths, drive letters, an embedded NUL, reserved device names, an overlong name and
// bytes that are no text at all, each put in four fields.
std::vector<Damage> HostileNames() {
  std::string garbage;
  for (int b = 0x80; b < 0x80 + 64; ++b) garbage += static_cast<char>(b * 7);
  const std::pair<const char*, std::string> texts[] = {
      {"parent steps", "..\\..\\..\\..\\outside\\"},
      {"parent", "..\\"},
      {"rooted", "\\HWVER4\\"},
      {"host absolute", "/tmp/outside/"},
      {"other drive", "D:\\outside\\"},
      {"prior drive root", "C:\\"},
      {"new data folder", "N:\\Hoardwise\\"},
      {"NUL inside", std::string("SMI\0TH\\", 7)},
      {"CON", "CON"},
      {"NUL", "NUL"},
      {"COM1 folder", "C:\\HWVER4\\COM1\\"},
      {"250 characters", std::string(250, 'W')},
      {"garbage", garbage},
      {"zeros", std::string(64, '\0')}};
  using Put = void (*)(const fs::path& prior, const std::string& text);
  const std::pair<const char*, Put> fields[] = {
      {"user folder",
       [](auto& prior, auto& text) {
         EditRecord<PriorUserRecord>(prior / "Default.mst", 4,
                                     [&](auto& r) { r.Folder.Set(text); });
       }},
      {"collection code",
       [](auto& prior, auto& text) { EditEntry(prior, [&](auto& r) { r.Code.Set(text); }); }},
      {"collection name",
       [](auto& prior, auto& text) { EditEntry(prior, [&](auto& r) { r.Name.Set(text); }); }},
      {"collection type code", [](auto& prior, auto& text) {
         std::string code;
         EditEntry(prior, [&](auto& r) { code = r.Code.Trimmed(); });
         EditRecord<PriorCollectionHeader>(prior / "SMITH" / (code + ".cl4"), 3,
                                           [&](auto& r) { r.TypeCode.Set(text); });
       }}};
  std::vector<Damage> damages;
  for (const auto& [what, text] : texts) {
    for (const auto& [field, put] : fields) {
      damages.push_back(
          {std::string(field) + ": " + what,
           [put = put, text = text](const fs::path& prior, const fs::path&) { put(prior, text); }});
    }
  }
  return damages;
}

std::vector<Damage> StructuralOddities() {
  return {{"user folder is a file",
           [](const fs::path& prior, const fs::path&) {
             fs::remove_all(prior / "SMITH");
             WriteBytes(prior / "SMITH", std::string_view("not a folder"));
           }},
          {"duplicate users",
           [](const fs::path& prior, const fs::path&) {
             PriorUserRecord first;
             EditRecord<PriorUserRecord>(prior / "Default.mst", 4, [&](auto& r) { first = r; });
             EditRecord<PriorUserRecord>(prior / "Default.mst", 5, [&](auto& r) { r = first; });
           }},
          {"log is a link into the prior installation",
           [](const fs::path& prior, const fs::path& data) {
             fs::create_symlink(prior / "Default.mst", data / kLogName);
           }}};
}

std::vector<Damage> LargeClaims() {
  return {{"thousands of users",
           [](const fs::path& prior, const fs::path&) {
             constexpr int kFirst = 7;
             constexpr int kUsers = 2000;
             std::vector<std::byte> bytes = ReadBytes(prior / "Default.mst");
             bytes.resize((kFirst - 1 + kUsers) * PriorUserRecord::kSize);
             for (int n = kFirst; n < kFirst + kUsers; ++n) {
               PriorUserRecord user;
               user.Folder.Set("C:\\HWVER4\\U" + std::to_string(n) + "\\");
               user.Name.Set("Collector " + std::to_string(n));
               hw::EncodeRecord(user, std::span(bytes).subspan((n - 1) * PriorUserRecord::kSize,
                                                               PriorUserRecord::kSize));
             }
             Header([](auto&, PriorHeader& h) { h.next_record = kFirst + kUsers; })(bytes);
             WriteBytes(prior / "Default.mst", bytes);
           }},
          // Found by the conversion fuzz target: every claimed record is read (as zeros) and
          // scanned, which takes seconds under the sanitizers.
          {"a report table of one header claiming 27749 records of 29540 bytes",
           [](const fs::path& prior, const fs::path&) {
             std::vector<std::byte> bytes(PriorHeader::kSize);
             Header([](auto&, PriorHeader& h) {
               h.next_record = 27749;
               h.record_length = 29540;
             })(bytes);
             WriteBytes(prior / "ANCIENT_" / "ANCIENT_.rpt", bytes);
           }}};
}

}  // namespace hw::testing
