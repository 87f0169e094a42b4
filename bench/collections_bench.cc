// Converts prior collections of United States coins of growing size and prints the items per
// second for each, so that a rate that falls with the size (a rescan per item) shows at once.
//
//   collections_bench [items...]     (default: 4000 16000)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "collections/item_conversion.h"
#include "conversion/conversion.h"
#include "fixtures/table_image.h"
#include "platform/file_system.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "records/prior_lists.h"
#include "reftables/reference_tables.h"

namespace {

namespace fs = std::filesystem;

class SilentUi : public hw::UserInterface {
 public:
  hw::Reply MessageBox(const std::string& text, hw::Icon, hw::Buttons,
                       const std::string&) override {
    std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
    return hw::Reply::kAbort;
  }
  std::string OpenFileDialog() override { return {}; }
  void StatusChanged(const std::string&) override {}
  void MarkChanged(hw::Mark, int, bool) override {}
};

constexpr const char* kMints[] = {"P", "D", "S", "O", "CC"};
constexpr const char* kGrades[] = {"G-4", "VF-20", "XF-40", "AU-50", "MS-63"};

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

// A prior installation with one user and a coin collection of `items` items, and a new data
// folder with the coin screen design and a standard table of 1,000 entries.
void WriteInstallation(const fs::path& prior, const fs::path& data, int items) {
  fs::create_directories(prior / "SMITH");
  fs::create_directories(prior / "Video");
  fs::create_directories(data / "video");
  fs::create_directories(data / "SMITH" / "My Collections");
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

  hw::TableImage table = hw::TableImage::New("Cent-Lincoln Wheat.tyu", hw::NewItemMain::kSize, 4);
  for (int e = 0; e < 1000; ++e) {
    hw::NewItemMain entry;
    for (auto& t : entry.Text32) t.Blank();
    for (auto& t : entry.Text8) t.Blank();
    for (auto& t : entry.Text128) t.Blank();
    entry.Linked[hw::NewItemMain::LinkedPosition(2, 1)].Set("1 Cent");
    entry.Text32[5].Set(std::to_string(1909 + e / 25));
    entry.Text32[3].Set(kMints[e % 5]);
    entry.Text8[1].Set(kGrades[(e / 5) % 5]);
    entry.Longs[hw::NewItemMain::kStandardReference] = 5000 + e;
    table.Append(entry);
    table.Append(hw::NewItemExtension{});
  }
  table.WriteTo(data / "StdDB" / "United States Coin" / "Cent-Lincoln Wheat.tyu");

  std::mt19937 rng(7);
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
  for (int i = 0; i < items; ++i) {
    const unsigned r = rng();
    main.Text32[2].Set(std::to_string(1909 + r % 45));
    main.Text8[0].Set(kMints[(r >> 8) % 5]);
    main.Text8[1].Set(kGrades[(r >> 12) % 5]);
    main.Amounts[0] = hw::Currency{static_cast<int64_t>(r % 100000) * 100};
    main.Integers[0] = static_cast<int16_t>(1 + r % 3);
    main.Text32[3].Set(r % 2 ? "6/" + std::to_string(1 + r % 28) + "/1998" : "circa 1998");
    main.Text128[0].Set(std::to_string(1909 + r % 45) + kMints[(r >> 8) % 5]);
    ext.Integers[hw::PriorItemExtension::kBuySellMarker] = static_cast<int16_t>(r % 4);
    coins.Append(main);
    coins.Append(ext);
  }
  coins.WriteTo(prior / "SMITH" / "COINS.cl4");
}

double SecondsToConvert(const fs::path& root, int items) {
  const fs::path prior = root / "c" / "HWVER4";
  const fs::path data = root / "n";
  WriteInstallation(prior, data, items);

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
  c.collections.current_user.Folder.Set("C:\\HWVER4\\SMITH\\");
  c.new_user_folder = "N:\\SMITH\\";
  c.collections.collection_name = "US Coins";

  const auto start = std::chrono::steady_clock::now();
  hw::ConvertCollection(c, "COINS.cl4", true);
  const auto stop = std::chrono::steady_clock::now();
  file_system.CloseAll();

  const auto size = fs::file_size(data / "SMITH" / "My Collections" / "US Coins.clu");
  const auto expected = static_cast<uintmax_t>(3 + 2 * items) * hw::NewItemMain::kSize;
  if (size != expected) {
    std::fprintf(stderr, "the new collection holds %ju bytes, not %ju\n", size, expected);
    std::exit(1);
  }
  return std::chrono::duration<double>(stop - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {4000, 16000};
  for (int items : sizes) {
    const fs::path root = fs::temp_directory_path() / ("hwconvert-bench-" + std::to_string(items));
    fs::remove_all(root);
    const double seconds = SecondsToConvert(root, items);
    fs::remove_all(root);
    std::printf("%6d items: %8.3f s, %9.0f items/s\n", items, seconds, items / seconds);
  }
  return 0;
}
