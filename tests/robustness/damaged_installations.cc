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

PriorHeader HeaderOf(const std::vector<std::byte>& bytes) {
  std::vector<std::byte> head(PriorHeader::kSize);
  std::copy_n(bytes.begin(), std::min(bytes.size(), head.size()), head.begin());
  PriorHeader header;
  return hw::DecodeRecord(head, header) ? header : PriorHeader{};
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

// Each table of `tables`, changed by `change` under the name `what`.
std::vector<Damage> ForEach(const TableFiles& tables, const std::string& what,
                            const std::function<void(std::vector<std::byte>&)>& change) {
  std::vector<Damage> damages;
  for (const fs::path& table : tables) {
    damages.push_back({table.generic_string() + " " + what,
                       [table, change](const fs::path& prior, const fs::path&) {
                         std::vector<std::byte> bytes = ReadBytes(prior / table);
                         change(bytes);
                         WriteBytes(prior / table, bytes);
                       }});
  }
  return damages;
}

void SetHeader(std::vector<std::byte>& bytes, const std::function<void(PriorHeader&)>& edit) {
  PriorHeader header = HeaderOf(bytes);
  edit(header);
  bytes.resize(std::max(bytes.size(), PriorHeader::kSize));
  hw::EncodeRecord(header, std::span(bytes).first(PriorHeader::kSize));
}

// The records after the header, refilled by `fill`.
void FillRecords(std::vector<std::byte>& bytes, const std::function<std::byte()>& fill) {
  const size_t length = std::max<int16_t>(HeaderOf(bytes).record_length, 1);
  for (size_t i = std::min(length, bytes.size()); i < bytes.size(); ++i) bytes[i] = fill();
}

// Texts that must not lead a write outside the new data folder or break a path: parent steps,
// absolute paths, drive letters, an embedded NUL, reserved device names, an overlong name and
// bytes that are no text at all.
std::vector<std::pair<std::string, std::string>> HostileTexts() {
  std::string garbage;
  for (int b = 0x80; b < 0x80 + 64; ++b) garbage += static_cast<char>(b * 7);
  return {{"parent steps", "..\\..\\..\\..\\outside\\"},
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
}

}  // namespace

std::vector<Damage> TruncatedTables(const TableFiles& tables) {
  std::vector<Damage> damages = ForEach(tables, "cut to zero bytes", [](auto& b) { b.clear(); });
  for (Damage& d : ForEach(tables, "cut inside its header", [](auto& b) { b.resize(11); })) {
    damages.push_back(std::move(d));
  }
  for (Damage& d : ForEach(tables, "cut inside its last record", [](auto& b) {
         b.resize(b.size() - std::max<int16_t>(HeaderOf(b).record_length, 2) / 2);
       })) {
    damages.push_back(std::move(d));
  }
  return damages;
}

std::vector<Damage> BadHeaders(const TableFiles& tables) {
  using Edit = std::function<void(std::vector<std::byte>&, PriorHeader&)>;
  const std::pair<const char*, Edit> edits[] = {
      {"record length 0", [](auto&, PriorHeader& h) { h.record_length = 0; }},
      {"record length -2", [](auto&, PriorHeader& h) { h.record_length = -2; }},
      {"record length halved", [](auto&, PriorHeader& h) { h.record_length /= 2; }},
      {"record length 32767", [](auto&, PriorHeader& h) { h.record_length = 32767; }},
      {"NextRecord 0", [](auto&, PriorHeader& h) { h.next_record = 0; }},
      {"NextRecord -3", [](auto&, PriorHeader& h) { h.next_record = -3; }},
      {"NextRecord beyond the file",
       [](auto& b, PriorHeader& h) {
         h.next_record =
             static_cast<int16_t>(b.size() / std::max<int16_t>(h.record_length, 1) + 50);
       }},
      {"NextRecord 32767", [](auto&, PriorHeader& h) { h.next_record = 32767; }},
  };
  std::vector<Damage> damages;
  for (const auto& [what, bound] : edits) {
    const Edit& edit = bound;  // a lambda cannot capture a structured binding in clang 14
    for (Damage& d : ForEach(tables, what, [edit](std::vector<std::byte>& b) {
           SetHeader(b, [&](PriorHeader& h) { edit(b, h); });
         })) {
      damages.push_back(std::move(d));
    }
  }
  return damages;
}

std::vector<Damage> BadRecords(const TableFiles& tables) {
  std::vector<Damage> damages = ForEach(tables, "records of garbage", [](auto& b) {
    std::mt19937 random(7);
    FillRecords(b, [&] { return static_cast<std::byte>(random()); });
  });
  for (Damage& d : ForEach(tables, "records of zeros",
                           [](auto& b) { FillRecords(b, [] { return std::byte{0}; }); })) {
    damages.push_back(std::move(d));
  }
  return damages;
}

std::vector<Damage> HostileNames() {
  std::vector<Damage> damages;
  for (const auto& [what, bound] : HostileTexts()) {
    const std::string& text = bound;  // a lambda cannot capture a structured binding in clang 14
    damages.push_back({"user folder: " + what, [text](const fs::path& prior, const fs::path&) {
                         EditRecord<PriorUserRecord>(prior / "Default.mst", 4,
                                                     [&](auto& r) { r.Folder.Set(text); });
                       }});
    damages.push_back({"collection code: " + what, [text](const fs::path& prior, const fs::path&) {
                         EditRecord<PriorCollectionEntry>(prior / "SMITH" / "Collect.mst", 3,
                                                          [&](auto& r) { r.Code.Set(text); });
                       }});
    damages.push_back({"collection name: " + what, [text](const fs::path& prior, const fs::path&) {
                         EditRecord<PriorCollectionEntry>(prior / "SMITH" / "Collect.mst", 3,
                                                          [&](auto& r) { r.Name.Set(text); });
                       }});
    damages.push_back(
        {"collection type code: " + what, [text](const fs::path& prior, const fs::path&) {
           std::string code;
           EditRecord<PriorCollectionEntry>(prior / "SMITH" / "Collect.mst", 3,
                                            [&](auto& r) { code = r.Code.Trimmed(); });
           EditRecord<PriorCollectionHeader>(prior / "SMITH" / (code + ".cl4"), 3,
                                             [&](auto& r) { r.TypeCode.Set(text); });
         }});
  }
  return damages;
}

std::vector<Damage> StructuralOddities() {
  return {
      {"user folder is a file",
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
       }},
  };
}

std::vector<Damage> LargeClaims() {
  return {
      {"thousands of users",
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
         SetHeader(bytes, [](PriorHeader& h) { h.next_record = kFirst + kUsers; });
         WriteBytes(prior / "Default.mst", bytes);
       }},
      // Found by the conversion fuzz target: every claimed record is read (as zeros) and
      // scanned, which takes seconds under the sanitizers.
      {"a report table of one header claiming 27749 records of 29540 bytes",
       [](const fs::path& prior, const fs::path&) {
         std::vector<std::byte> bytes(PriorHeader::kSize);
         SetHeader(bytes, [](PriorHeader& h) {
           h.next_record = 27749;
           h.record_length = 29540;
         });
         WriteBytes(prior / "ANCIENT_" / "ANCIENT_.rpt", bytes);
       }},
  };
}

}  // namespace hw::testing
