#include "bench/cases.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: psapi.h needs its types.
#include <psapi.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "collections/item_conversion.h"
#include "conversion/conversion.h"
#include "fixtures/table_image.h"
#include "hwsample/sample.h"
#include "platform/file_system.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "reftables/reference_tables.h"
#include "shell/main_menu.h"

namespace bench {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kStandardEntries = 3000;
constexpr const char* kUsers[] = {"SMITH", "JONES"};
constexpr int kCollectionsPerUser = 2;
constexpr const char* kMints[] = {"P", "D", "S", "O", "CC"};
constexpr const char* kGrades[] = {"G-4", "VF-20", "XF-40", "AU-50", "MS-63"};

class SilentUi : public hw::UserInterface {
 public:
  hw::Reply MessageBox(const std::string& text, hw::Icon, hw::Buttons buttons,
                       const std::string&) override {
    if (buttons == hw::Buttons::kOk) return hw::Reply::kOk;
    throw std::runtime_error("unexpected question: " + text);
  }
  std::string OpenFileDialog() override { return {}; }
  void StatusChanged(const std::string&) override {}
  void MarkChanged(hw::Mark, int, bool) override {}
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double ProcessCpuSeconds() {
#ifdef _WIN32
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#endif
}

int64_t TreeBytes(const fs::path& root) {
  int64_t total = 0;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) total += static_cast<int64_t>(e.file_size());
  }
  return total;
}

// Writes the table whose header `image` holds, then `count` records of `size` bytes that
// `fill(i, bytes)` encodes, one at a time, so that not even the largest table is held in memory.
template <class Fill>
void StreamTable(hw::TableImage image, const fs::path& file, int count, size_t size, Fill fill) {
  const int32_t first = image.next_record();
  image.set_next_record(first + count);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  // The header and the records before the first streamed one, zero-filled to its place.
  std::vector<std::byte> head = image.Bytes();
  head.resize(static_cast<size_t>(first - 1) * size);
  out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
  std::vector<std::byte> buf(size);
  for (int i = 0; i < count; ++i) {
    fill(i, std::span(buf));
    out.write(reinterpret_cast<const char*>(buf.data()), static_cast<std::streamsize>(buf.size()));
  }
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

hw::V4ScreenField ScreenField(const char* caption, int16_t type, int16_t slot) {
  hw::V4ScreenField f;
  f.Caption.Set(caption);
  f.DataType = type;
  f.Slot = slot;
  return f;
}

hw::V5FieldDef NewField(const char* name, int32_t type, int32_t slot) {
  hw::V5FieldDef f;
  f.FieldName.Set(name);
  f.DataType = type;
  f.Slot = slot;
  return f;
}

// The screen designs of both editions, the standard table, and each user's coin collections.
void WriteScaleInstallation(const fs::path& prior, const fs::path& data, int items) {
  fs::create_directories(prior / "Video");
  fs::create_directories(data / "video");
  fs::create_directories(data / "StdDB" / "United States Coin");

  hw::TableImage design = hw::TableImage::Prior("Coin.vsd", hw::V4ScreenField::kSize, 4);
  for (const auto& f :
       {ScreenField("COUNTRY:", 5, 0), ScreenField("DENOMINATION:", 5, 1),
        ScreenField("DATE:", 5, 2), ScreenField("MM:", 3, 0), ScreenField("GRADE:", 3, 1),
        ScreenField("PRICE:", 2, 0), ScreenField("QTY:", 1, 0), ScreenField("PURCHASED:", 5, 3),
        ScreenField("VARIETY:", 7, 1), ScreenField("NOTE:", 10, 0)}) {
    design.Append(f);
  }
  design.WriteTo(prior / "Video" / "Coin.vsd");

  hw::TableImage screen = hw::TableImage::New("Coin.vsd", hw::V5FieldDef::kSize, 4);
  for (const auto& f :
       {NewField("BUY", 14, 1), NewField("SELL", 14, 2), NewField("GOVERNMENT SET", 14, 3),
        NewField("MANUAL VALUE", 14, 4), NewField("PROFIT", 2, 0), NewField("LOT VALUE", 2, 2),
        NewField("COUNTRY", 16, 2), NewField("MINT", 5, 3), NewField("DATE", 5, 5),
        NewField("GRADE", 3, 1), NewField("DESCRIPTION", 7, 1), NewField("PRICE", 2, 2),
        NewField("QUANTITY", 1, 4), NewField("PURCHASED", 12, 2)}) {
    screen.Append(f);
  }
  screen.WriteTo(data / "video" / "Coin.vsd");

  // Main records with their extension records after them, as the standard tables hold them.
  StreamTable(hw::TableImage::New("Cent-Lincoln Wheat.tyu", hw::NewItemMain::kSize, 4),
              data / "StdDB" / "United States Coin" / "Cent-Lincoln Wheat.tyu",
              2 * kStandardEntries, hw::NewItemMain::kSize, [](int i, std::span<std::byte> out) {
                hw::NewItemMain entry;
                if (i % 2 == 0) {
                  const int e = i / 2;
                  for (auto& t : entry.Text32) t.Blank();
                  for (auto& t : entry.Text8) t.Blank();
                  for (auto& t : entry.Text128) t.Blank();
                  entry.Linked[hw::NewItemMain::LinkedPosition(2, 1)].Set("1 Cent");
                  entry.Text32[5].Set(std::to_string(1909 + e / 60));
                  entry.Text32[3].Set(kMints[e % 5]);
                  entry.Text8[1].Set(kGrades[(e / 5) % 5]);
                  entry.Longs[hw::NewItemMain::kStandardReference] = 5000 + e;
                  hw::EncodeRecord(entry, out);
                } else {
                  std::ranges::fill(out, std::byte{0});
                  hw::EncodeRecord(hw::NewItemExtension{}, out.first(hw::NewItemExtension::kSize));
                }
              });

  std::mt19937 rng(7);
  for (const char* user : kUsers) {
    fs::create_directories(prior / user);
    fs::create_directories(data / user / "My Collections");
    for (int k = 1; k <= kCollectionsPerUser; ++k) {
      hw::TableImage coins = hw::TableImage::Prior("COINS.cl4", hw::PriorItemMain::kSize, 4);
      hw::PriorCollectionHeader header;
      header.TypeCode.Set("Coin");
      coins.Put(3, header);
      hw::PriorItemMain main;
      hw::PriorItemExtension ext;
      for (auto& t : main.Text8) t.Blank();
      for (auto& t : main.Text32) t.Blank();
      for (auto& t : main.Text128) t.Blank();
      main.Note.Blank();
      for (auto& t : ext.Text12) t.Blank();
      main.Text32[0].Set("United States");
      main.Text32[1].Set("1 Cent");
      ext.Text12[hw::PriorItemExtension::kUsCoinType].Set("cent_whe");
      // Each item is a main record, then its extension record.
      unsigned r = 0;
      StreamTable(
          coins, prior / user / ("COINS" + std::to_string(k) + ".cl4"), 2 * items,
          hw::PriorItemMain::kSize, [&](int i, std::span<std::byte> out) {
            if (i % 2 == 1) {
              ext.Integers[hw::PriorItemExtension::kBuySellMarker] = static_cast<int16_t>(r % 4);
              std::ranges::fill(out, std::byte{0});
              hw::EncodeRecord(ext, out.first(hw::PriorItemExtension::kSize));
              return;
            }
            r = rng();
            main.Text32[2].Set(std::to_string(1909 + r % 45));
            main.Text8[0].Set(kMints[(r >> 8) % 5]);
            main.Text8[1].Set(kGrades[(r >> 12) % 5]);
            main.Amounts[0] = hw::Currency{static_cast<int64_t>(r % 100000) * 100};
            main.Integers[0] = static_cast<int16_t>(1 + r % 3);
            main.Text32[3].Set(r % 2 ? "6/" + std::to_string(1 + r % 28) + "/1998" : "circa 1998");
            main.Text128[0].Set(std::to_string(1909 + r % 45) + kMints[(r >> 8) % 5]);
            hw::EncodeRecord(main, out);
          });
    }
  }
}

// Resident memory at most since the last reset, in megabytes (the process's whole life where
// the host cannot reset it).
void ResetPeakMemory() {
#ifndef _WIN32
  std::ofstream("/proc/self/clear_refs") << "5";
#endif
}

double PeakMegabytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
#else
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
#endif
}

// Converts every user's collections as the collections operation does, each into its own new
// collection file; the seconds it took.
double ConvertScale(const fs::path& root) {
  const fs::path data = root / "n";
  for (const char* user : kUsers) {
    fs::remove_all(data / user);
    fs::create_directories(data / user / "My Collections");
  }
  hw::DriveMap drives;
  drives.Map('C', root / "c");
  drives.Map('N', data);
  hw::FileSystem file_system(drives, "N:\\");
  file_system.SetNewDataFolder("N:\\");
  file_system.SetPriorFolder("C:\\HWVER4\\");
  SilentUi ui;
  hw::Conversion c(file_system, ui);
  c.new_data_folder = "N:\\";
  c.prior_folder = "C:\\HWVER4\\";
  hw::FillCoinTypes(c.refs);
  hw::FillFieldTypes(c.refs);
  hw::InitTable(c.refs);
  file_system.OpenOutput(hw::kLogFile, "N:\\HoardwiseCLog.lst");

  const auto start = Clock::now();
  for (const std::string user : kUsers) {
    c.collections.current_user.Folder.Set("C:\\HWVER4\\" + user + "\\");
    c.new_user_folder = "N:\\" + user + "\\";
    for (int k = 1; k <= kCollectionsPerUser; ++k) {
      c.collections.collection_name = "US Coins " + std::to_string(k);
      hw::ConvertCollection(c, "COINS" + std::to_string(k) + ".cl4", true);
    }
  }
  file_system.CloseAll();
  return SecondsSince(start);
}

// Reads every byte under `prior`, then writes `bytes` bytes into a new file in `scratch`,
// both in large blocks through the page cache; the seconds it took.
double PageCacheFloor(const fs::path& prior, const fs::path& scratch, int64_t bytes) {
  std::vector<char> block(1 << 20);
  const auto start = Clock::now();
  for (const auto& e : fs::recursive_directory_iterator(prior)) {
    if (!e.is_regular_file()) continue;
    std::ifstream in(e.path(), std::ios::binary);
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    }
  }
  {
    std::ofstream out(scratch / "floor.bin", std::ios::binary | std::ios::trunc);
    for (int64_t left = bytes; left > 0; left -= static_cast<int64_t>(block.size())) {
      out.write(block.data(), static_cast<std::streamsize>(
                                  std::min<int64_t>(left, static_cast<int64_t>(block.size()))));
    }
  }
  const double seconds = SecondsSince(start);
  fs::remove(scratch / "floor.bin");
  return seconds;
}

// The case measures the search of the standard table only when the coins find their entries:
// the first converted coin must carry its standard reference number.
void CheckFirstCoinFound(const fs::path& collection) {
  std::ifstream in(collection, std::ios::binary);
  std::vector<std::byte> record(hw::NewItemMain::kSize);
  in.seekg(static_cast<std::streamoff>(3 * record.size()));
  in.read(reinterpret_cast<char*>(record.data()), static_cast<std::streamsize>(record.size()));
  hw::NewItemMain coin;
  if (!in || !hw::DecodeRecord(record, coin) ||
      coin.Longs[hw::NewItemMain::kStandardReference] == 0) {
    throw std::runtime_error("the scale case's coins found no standard entry");
  }
}

fs::path FreshRoot(const std::string& name) {
  const fs::path root = fs::temp_directory_path() / ("hwconvert-bench-" + name);
  fs::remove_all(root);
  fs::create_directories(root);
  return root;
}

}  // namespace

ScaleFigures ScaleCase(int items) {
  const fs::path root = FreshRoot("scale-" + std::to_string(items));
  const fs::path prior = root / "c" / "HWVER4";
  WriteScaleInstallation(prior, root / "n", items);

  ScaleFigures f;
  const int64_t before = TreeBytes(root / "n");
  ConvertScale(root);  // warms the page cache
  CheckFirstCoinFound(root / "n" / kUsers[0] / "My Collections" / "US Coins 1.clu");
  f.bytes_written = TreeBytes(root / "n") - before;
  f.bytes_read = TreeBytes(prior);
  f.conversion_seconds = f.floor_seconds = 1e9;
  for (int run = 0; run < 3; ++run) {
    ResetPeakMemory();
    f.conversion_seconds = std::min(f.conversion_seconds, ConvertScale(root));
    f.peak_megabytes = std::max(f.peak_megabytes, PeakMegabytes());
    f.floor_seconds = std::min(f.floor_seconds, PageCacheFloor(prior, root, f.bytes_written));
  }
  fs::remove_all(root);
  return f;
}

Seconds WholeConversion(int users, int collections) {
  const fs::path root =
      FreshRoot("whole-" + std::to_string(users) + "x" + std::to_string(collections));
  hwsample::SampleContext ctx;
  ctx.rng.seed(1);
  ctx.users = users;
  ctx.collections = collections;
  ctx.items = 2;
  hwsample::WriteInstallation(ctx, root);

  hw::DriveMap drives;
  drives.Map('C', root / "c");
  drives.Map('N', root / "n");
  const double cpu = ProcessCpuSeconds();
  const auto start = Clock::now();
  hw::Ending ending;
  {
    hw::FileSystem file_system(drives, "N:\\Hoardwise");
    SilentUi ui;
    hw::MainMenu window(file_system, ui);
    window.Load();
    for (int q = 0; q < 3; ++q) window.SetAnswer(q, true);
    window.Click(hw::Button::kAccept);
    window.Click(hw::Button::kStartConversion);
    ending = window.ending();
  }
  const Seconds taken{SecondsSince(start), ProcessCpuSeconds() - cpu};
  fs::remove_all(root);
  if (ending != hw::Ending::kCompleted) throw std::runtime_error("the conversion did not complete");
  return taken;
}

}  // namespace bench
