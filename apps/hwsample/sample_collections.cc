// The sample's collections: each user's collection list and collection files, the prior and the
// new screen designs of the standard types they use, the prior screen design of the user-defined
// type MYSTUFF, the field definition table, and the standard United States coin tables.
//
// The labels are chosen so that the conversion meets every way of pairing a field: the same
// label, a label with its colon, a label the new edition words differently, the denomination and
// unit roles and an empty label. A prior label that the new edition lacks is one the screen
// design check tolerates for that type, so the standard screens count as unchanged.

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "collections/item_values.h"
#include "fixtures/table_image.h"
#include "hwsample/sample.h"
#include "platform/text.h"
#include "records/collection_records.h"
#include "records/data_types.h"
#include "records/field_records.h"
#include "records/prior_lists.h"

namespace hwsample {

namespace {

namespace fs = std::filesystem;

// --- Screen designs ---

struct NewFieldRow {
  const char* name;
  hw::DataType data_type;
  int32_t slot;
  int32_t page = 0;
};

using enum hw::DataType;

// The fields every standard type's new screen shares: the summary values, and the fields the
// common fields of the prior field definition table pair with.
const std::vector<NewFieldRow> kCommonNewFields = {
    {"Buy", kFlag, 1, 2},
    {"Sell", kFlag, 2, 2},
    {"Government Set", kFlag, 3, 1},
    {"Manual Value", kFlag, 4, 2},
    {"Upgrade", kFlag, 5, 2},
    {"Sold", kFlag, 6, 2},
    {"Profit", kComputed, 0, 2},
    {"Realized Profit", kComputed, 1, 2},
    {"Lot Value", kComputed, 2, 2},
    {"Quantity", kInteger, 1, 2},
    {"Cost", kAmount, 1, 2},
    {"Price Goal", kAmount, 2, 2},
    {"Target Cost", kAmount, 3, 2},
    {"Insured For", kAmount, 4, 1},
    {"Unit Value", kAmount, 5, 2},
    {"Purchase Date", kDate, 1, 2},
    {"Sale Date", kDate, 2, 2},
    {"Seller", kText32, 10, 2},
    {"Buyer", kText32, 11, 2},
    {"Certified By", kText32, 12, 1},
    {"Grade Sought", kText12, 1, 1},
    {"ID #", kText12, 2, 1},
    {"Inventory Code", kText12, 3, 1},
    {"Value File", kText12, 4, 1},
    {"Location", kLinked, 0, 1},
    {"Detailed Condition", kText64, 0, 1},
    {"Note", kNote, 0, 1},
};

// The common fields of the prior edition, as its field definition table lists them. Their
// values live in the prior item extension record; the last one lies past the slots read.
struct CommonFieldRow {
  const char* name;
  hw::DataType data_type;
  int16_t slot;
};

constexpr CommonFieldRow kCommonFields[] = {
    {"Qty", kInteger, 0},
    {"Value", kAmount, 1},
    {"Unit Value", kAmount, 0},
    {"Buy Date", kText12, 0},
    {"Cost", kAmount, 2},
    {"Seller", kText32, 0},
    {"Sold Code", kInteger, 1},
    {"Date Sold", kText12, 1},
    {"Sold Amount", kAmount, 3},
    {"Buyer", kText32, 1},
    {"Profit", kAmount, 6},
    {"Realized Profit", kAmount, 9},
    {"Buy Status", kInteger, 13},
    {"Upgrade Status", kInteger, 4},
    {"Price Target", kAmount, 4},
    {"Cost Goal", kAmount, 5},
    {"Grade", kText12, 2},
    {"Cert. Status", kInteger, 5},
    {"Cert. Company", kText32, 2},
    {"Part of a Government Set", kInteger, 8},
    {"Target Grade", kText12, 3},
    {"Cert. ID", kText12, 4},
    {"Inventory Code", kText12, 5},
    {"Storage Location", kText32, 5},
    {"Condition (detailed)", kText64, 0},
    {"Insurance Amount", kAmount, 7},
    {"Value File", kText12, 6},
    {"Manual Value Status", kInteger, 2},
    {"Note", kNote, 0},
    {"Archive Code", kText12, 30},
};

struct StandardType {
  const char* type_code;    // as the prior collection header holds it
  const char* design_code;  // the prior screen design's name under "Video\"
  const char* new_design;   // the standard-database name, the new screen design's name
  std::vector<PriorFieldRow> prior;
  std::vector<NewFieldRow> own;
};

// Prior slots of each type's own fields; the items below fill the same slots.
const StandardType kCoin = {
    "Coin",
    "COIN",
    "Coin",
    {{"COUNTRY:", "Country", kText32, 0},
     {"DATE:", "Date", kText32, 1},
     {"DENOMINATION:", "Denomination", kText32, 2},
     {"MM:", "Mint Mark", kText8, 0},
     {"GRADE:", "Grade", kText8, 1},
     {"DES/ENG:", "Designer", kText32, 3},
     {"CODES:", "Codes", kText32, 4},
     {"DESCRIPTION:", "Description", kText128, 1},
     {"MINTAGE:", "Mintage", kInteger, 0}},
    {{"Country", kText32, 0},
     {"Denomination", kText32, 4},
     {"Date", kText32, 5},
     {"Mint", kText32, 3},
     {"Grade", kText8, 1},
     {"Designer/Engraver", kText32, 14},
     {"Numismatic Codes", kText32, 7},
     {"Description", kText128, 1},
     {"Mintage", kInteger, 6}},
};

const StandardType kCurrency = {
    "Currency",
    "CURRENCY",
    "Currency",
    {{"COUNTRY:", "Country", kText32, 0},
     {"DENOMINATION:", "Denomination", kText32, 1},
     {"", "Unit", kText32, 5},
     {"TYPE:", "Type", kText32, 2},
     {"SIGNATURE:", "Signature", kText32, 3},
     {"SERIES:", "Series", kText12, 0},
     {"#PRINTED:", "Printed", kInteger, 0},
     {"CHARTER #:", "Charter", kText32, 4},
     {"SERIAL NUMBER:", "Serial Number", kText32, 6}},
    {{"Country", kText32, 0},
     {"Denomination", kText32, 4},
     {"Currency Type", kText32, 5},
     {"Signatures", kText32, 6},
     {"Series", kText12, 5},
     {"# Printed", kInteger, 7},
     {"Charter", kText32, 7},
     {"Serial Number", kText32, 8}},
};

const StandardType kStamps = {
    "Stamps",
    "STAMPS",
    "Stamp",
    {{"COUNTRY:", "Country", kText32, 0},
     {"DENOMINATION:", "Denomination", kAmount, 0},
     {"", "Unit", kText32, 1},
     {"SCOTT #:", "Scott Number", kText32, 2},
     {"QTY PRINTED:", "Quantity Printed", kInteger, 0},
     {"CONDITION:", "Condition", kText12, 0}},
    {{"Country", kText32, 0},
     {"Denomination", kAmount, 6},
     {"Scott #", kText32, 9},
     {"# Printed", kInteger, 7},
     {"Condition", kText12, 6}},
};

const StandardType kCasino = {
    "Casino_C",
    "CASINO_C",
    "Casino Chip",
    {{"CASINO:", "Casino", kText32, 0},
     {"DATE:", "Date", kText32, 4},
     {"DATE OF ISSUE:", "Date of Issue", kText32, 3},
     {"DENOMINATION:", "Denomination", kAmount, 0},
     {"UNIT:", "Unit", kText32, 1},
     {"CHIP TYPE:", "Chip Type", kText32, 2}},
    {{"Casino", kText32, 4},
     {"Casino Chip Type", kText32, 5},
     {"Date", kText32, 6},
     {"Denomination", kAmount, 6}},
};

const StandardType kTokens = {
    "Tokens",
    "TOKENS",
    "Token",
    {{"ISSUER:", "Issuer", kText32, 0},
     {"DENOMINATION:", "Denomination", kText32, 1},
     {"MATERIAL:", "Material", kText32, 2},
     {"YEAR:", "Year", kInteger, 0}},
    {{"Issuer", kText32, 4},
     {"Denomination", kText32, 5},
     {"Material", kText32, 7},
     {"Year", kInteger, 6}},
};

const StandardType kAncient = {
    "Ancient_",
    "ANCIENT_",
    "Ancient Coin",
    {{"ANCIENT TYPE:", "Ancient Type", kText32, 0},
     {"RULER:", "Ruler", kText32, 1},
     {"DEITIES:", "Deities", kText32, 2},
     {"CITY/TOWN:", "City", kText32, 3},
     {"DESIGNS:", "Designs", kText32, 4},
     {"METAL:", "Metal", kText32, 5},
     {"DATE(S):", "Dates", kText32, 6},
     {"DENOMINATION:", "Denomination", kText32, 7}},
    {{"Ancient Type", kText32, 4},
     {"Ruler", kText32, 5},
     {"Deity/Symbol", kText32, 6},
     {"Town", kText32, 7},
     {"Design (Obv)", kText32, 8},
     {"Coinage Metal", kText32, 9},
     {"Date", kText32, 13},
     {"Denomination", kText32, 15}},
};

// The user-defined type; the screen design conversion builds its new screen design from this
// prior one, so the labels pair with the field names it carries over.
constexpr char kUserDefinedType[] = "MYSTUFF";
const std::vector<PriorFieldRow> kMyStuffFields = {
    {"Maker:", "Maker", kText32, 1},
    {"Year Made:", "Year Made", kInteger, 1},
    {"Material:", "Material", kText16, 1},
    {"Country of Origin:", "Country of Origin", kText32, 2},
    {"Edition Size:", "Edition Size", kInteger, 2},
    {"Remarks:", "Remarks", kText128, 1},
};

hw::V5FieldDef NewField(const NewFieldRow& s, int row) {
  hw::V5FieldDef f;
  f.FieldName.Set(s.name);
  f.Caption.Set(s.name);
  f.LinkedFieldName.Set(s.data_type == kLinked ? "Container" : "");
  f.ChoiceListName.Set(s.data_type == kLinked ? "Location" : "");
  f.Page = s.page;
  f.DataType = hw::CodeOf(s.data_type);
  f.Slot = s.slot;
  f.ControlKind = s.data_type == kFlag ? 2 : s.data_type == kLinked ? 3 : 0;
  f.LabelTop = 240 + 420 * (row % 10);
  f.LabelHeight = s.data_type == kFlag ? 0 : 255;
  f.LabelLeft = 135 + 4000 * (row / 10);
  f.ControlLeft = 1900 + 4000 * (row / 10);
  f.ControlWidth = 1800;
  f.ControlHeight = 405;
  f.ControlTop = 210 + 420 * (row % 10);
  f.Text198.Blank();
  f.Number230 = -1;
  f.Text234.Blank();
  f.LongArray246 = {-1, -1, -1, -1, -1};
  for (hw::Text<1>& c : f.CharArray266) c.Blank();
  f.Text280.Blank();
  return f;
}

void WritePriorDesign(const SampleContext& ctx, const std::string& code,
                      const std::vector<PriorFieldRow>& fields) {
  hw::TableImage t = hw::TableImage::Prior(code + ".vsd", hw::V4ScreenField::kSize, 4);
  int row = 0;
  for (const PriorFieldRow& s : fields) t.Append(PriorField(s, row++));
  fs::create_directories(ctx.prior_root / "Video");
  t.WriteTo(ctx.prior_root / "Video" / (code + ".vsd"));
}

// The new edition's screen design of a standard type; its fields start at record 4.
void WriteNewDesign(const SampleContext& ctx, const StandardType& type) {
  hw::TableImage t =
      hw::TableImage::New(std::string(type.new_design) + ".vsd", hw::V5FieldDef::kSize, 4);
  int row = 0;
  for (const NewFieldRow& s : type.own) t.Append(NewField(s, row++));
  for (const NewFieldRow& s : kCommonNewFields) t.Append(NewField(s, row++));
  fs::create_directories(ctx.new_root / "video");
  t.WriteTo(ctx.new_root / "video" / (std::string(type.new_design) + ".vsd"));
}

void WriteFieldDefinitions(const SampleContext& ctx) {
  hw::TableImage t = hw::TableImage::Prior("fields.mst", hw::V4FieldDef::kSize, 3);
  int16_t n = 0;
  for (const CommonFieldRow& s : kCommonFields) {
    hw::V4FieldDef d;
    d.FieldName.Set(s.name);
    d.Number24 = n;
    d.DataType = hw::CodeOf(s.data_type);
    d.Slot = s.slot;
    d.Number30 = 0;
    d.Number32 = 1;
    t.Append(d);
    ++n;
  }
  t.WriteTo(ctx.prior_root / "fields.mst");
}

// --- Items ---

struct Item {
  Item() {
    hw::BlankTexts(main);
    hw::BlankTexts(ext);
  }
  hw::PriorItemMain main;
  hw::PriorItemExtension ext;
};

hw::Currency Money(double value) { return hw::Currency{static_cast<int64_t>(value * 10000 + 0.5)}; }

constexpr const char* kDealers[] = {"Heritage Coins", "Main Street Stamps", "J. Rivera",
                                    "Estate sale", "Coin show"};
constexpr const char* kPlaces[][2] = {{"Safe", "Box 1"}, {"Safe", "Box 2"}, {"Desk", "Drawer"}};

// The values of the common fields: quantity, value, purchase, storage, markers.
void FillCommon(Item& item, std::mt19937& rng, double value, int16_t buy_sell, bool government_set,
                bool manual_value) {
  hw::PriorItemExtension& x = item.ext;
  const unsigned r = rng();
  const double cost = value * (0.5 + (r % 50) / 100.0);
  x.Integers[0] = static_cast<int16_t>(1 + r % 3);  // Qty
  x.Amounts[1] = Money(value);                      // Value (the lot value)
  x.Amounts[0] = Money(value);                      // Unit Value
  x.Text12[0].Set(std::to_string(1 + r % 12) + "/" + std::to_string(1 + (r >> 4) % 28) + "/" +
                  std::to_string(1985 + (r >> 9) % 15));  // Buy Date
  x.Amounts[2] = Money(cost);
  x.Text32[0].Set(kDealers[(r >> 13) % std::size(kDealers)]);
  x.Amounts[6] = Money(value - cost);  // Profit
  x.Text12[2].Set("");                 // Grade of the common fields: left empty
  const auto& place = kPlaces[(r >> 17) % std::size(kPlaces)];
  x.Text32[5].Set(place[0]);  // Storage Location, first level
  x.Text32[6].Set(place[1]);  // second level
  x.Text64[0].Set(r % 3 == 0 ? "Light toning on the reverse" : "");
  x.Amounts[7] = Money(value * 1.25);  // Insurance Amount
  x.Text12[5].Set("INV" + std::to_string(1000 + r % 9000));
  x.Integers[hw::PriorItemExtension::kBuySellMarker] = buy_sell;
  x.Integers[hw::PriorItemExtension::kGovernmentSetMarker] = government_set ? 2 : 0;
  x.Integers[hw::PriorItemExtension::kManualValueMarker] = manual_value ? 1 : 0;
  if (r % 5 == 0) {
    x.Integers[1] = 1;               // Sold Code
    x.Text12[1].Set("spring 2001");  // a Date Sold that is not a date
    x.Text32[1].Set("R. Okafor");
    x.Amounts[9] = Money(value * 0.2);  // Realized Profit
  }
}

// --- United States coins and their standard entries ---

struct UsCoin {
  const char* coin_type;  // the prior coin type code
  const char* denomination;
  const char* date;
  const char* mint;
  const char* designer;
  const char* grade;
  const char* description;
  int16_t mintage;  // thousands
  double value;
};

// The standard entries the new edition ships, in record order; reference numbers are the new
// edition's. Two entries agree on every compared field: the first one answers.
constexpr UsCoin kCatalogue[] = {
    {"cent_whe", "1 Cent", "1909", "S", "V.D. Brenner", "VF-20", "VDB", 484, 850},
    {"cent_whe", "1 Cent", "1914", "D", "V.D. Brenner", "F-12", "", 1193, 240},
    {"cent_whe", "1 Cent", "1931", "S", "V.D. Brenner", "XF-40", "", 866, 120},
    {"cent_whe", "1 Cent", "1955", "P", "V.D. Brenner", "AU-50", "Doubled Die", 0, 1450},
    {"cent_whe", "1 Cent", "1914", "D", "V.D. Brenner", "F-12", "", 1193, 240},
    {"Quart_wa", "25 Cents", "1932", "D", "J. Flanagan", "XF-40", "", 436, 310},
    {"Quart_wa", "25 Cents", "1932", "S", "J. Flanagan", "XF-40", "", 408, 290},
    {"Quart_wa", "25 Cents", "1964", "P", "J. Flanagan", "MS-63", "", 32767, 9},
    {"$1_Morga", "1 Dollar", "1881", "S", "G.T. Morgan", "MS-63", "", 12760, 95},
    {"$1_Morga", "1 Dollar", "1893", "S", "G.T. Morgan", "VF-20", "Key date", 100, 6200},
    {"$1_Morga", "1 Dollar", "1921", "P", "G.T. Morgan", "MS-63", "", 32767, 60},
};

const char* CoinTypeName(const std::string& code) {
  if (code == "cent_whe") return "Cent-Lincoln Wheat";
  if (code == "Quart_wa") return "Quarter-Washington";
  return "Dollar-Morgan";
}

void WriteStandardCoinTables(const SampleContext& ctx) {
  const fs::path folder = ctx.new_root / "StdDB" / "United States Coin";
  fs::create_directories(folder / "Images");
  for (const char* code : {"cent_whe", "Quart_wa", "$1_Morga"}) {
    const std::string name = CoinTypeName(code);
    hw::TableImage t = hw::TableImage::New(name + ".tyu", hw::kNewCollectionRecordLength, 4);
    int32_t reference = 0;
    for (const UsCoin& c : kCatalogue) {
      ++reference;
      if (std::string(c.coin_type) != code) continue;
      hw::NewItemMain e;
      for (auto& d : e.Dates) d = hw::TaggedValue{};
      // The new edition keeps the first day of the coin's year as a date, the others empty.
      e.Dates[0] = hw::TaggedValue::Date(hw::DateFromText(std::string("1/1/") + c.date).value());
      for (auto& s : e.Text8) s.Blank();
      for (auto& s : e.Text12) s.Blank();
      for (auto& s : e.Text16) s.Blank();
      for (auto& s : e.Text32) s.Blank();
      for (auto& s : e.Linked) s.Blank();
      for (auto& s : e.Text64) s.Blank();
      for (auto& s : e.Text128) s.Blank();
      for (auto& s : e.Text256) s.Blank();
      e.Linked[hw::NewItemMain::LinkedPosition(2, 0)].Set("United States");
      e.Linked[hw::NewItemMain::LinkedPosition(2, 1)].Set(c.denomination);
      e.Text32[5].Set(c.date);
      e.Text32[3].Set(c.mint);
      e.Text32[14].Set(c.designer);
      e.Text8[1].Set(c.grade);
      e.Text128[1].Set(c.description);
      e.Longs[hw::NewItemMain::kStandardReference] = 100000 + reference;
      e.Amounts[0] = Money(c.value);
      t.Append(e);
      hw::NewItemExtension x;
      for (auto& p : x.PicturePaths) p.Blank();
      x.PicturePaths[0].Set(std::string("StdDB\\United States Coin\\Images\\") + c.date + c.mint +
                            ".a01");
      t.Append(x);
    }
    t.WriteTo(folder / (name + ".tyu"));
  }
}

Item UsCoinItem(std::mt19937& rng, const UsCoin& c, const std::string& picture1,
                const std::string& picture2, int16_t buy_sell, bool government_set) {
  Item item;
  item.main.Text32[0].Set("United States");
  item.main.Text32[1].Set(c.date);
  item.main.Text32[2].Set(c.denomination);
  item.main.Text8[0].Set(c.mint);
  item.main.Text8[1].Set(c.grade);
  item.main.Text32[3].Set(c.designer);
  item.main.Text32[4].Set(std::string("KM-") + c.date);
  item.main.Text128[1].Set(c.description);
  item.main.Integers[0] = c.mintage;
  item.main.Text128[hw::PriorItemMain::kFirstPicture].Set(picture1);
  item.main.Text128[hw::PriorItemMain::kSecondPicture].Set(picture2);
  FillCommon(item, rng, c.value, buy_sell, government_set, rng() % 2 == 0);
  item.ext.Text12[hw::PriorItemExtension::kUsCoinType].Set(c.coin_type);
  return item;
}

struct WorldCoin {
  const char* country;
  const char* denomination;
  const char* date;
  const char* picture;
  double value;
};

Item WorldCoinItem(std::mt19937& rng, const WorldCoin& c) {
  Item item;
  item.main.Text32[0].Set(c.country);
  item.main.Text32[1].Set(c.date);
  item.main.Text32[2].Set(c.denomination);
  item.main.Text8[1].Set("XF-40");
  item.main.Integers[0] = 5000;
  item.main.Text128[hw::PriorItemMain::kFirstPicture].Set(c.picture);
  FillCommon(item, rng, c.value, 0, false, false);
  return item;
}

// --- Collections ---

struct Collection {
  std::string code;  // the file's base name; the fixed collections are named by their type
  std::string name;
  std::string type_code;
  std::vector<Item> items;
};

std::vector<Item> UsCoins(std::mt19937& rng) {
  return {
      UsCoinItem(rng, kCatalogue[0], "1909SVDB", "1909SVDBR", 2, false),
      UsCoinItem(rng, kCatalogue[1], "1914D", "", 3, true),
      UsCoinItem(rng, kCatalogue[5], "1932D", "1932DR", 1, false),
      UsCoinItem(rng, kCatalogue[8], "C:\\PICS\\MORGAN81.BMP", "", 0, true),
      // Not in the standard tables: a grade the catalogue does not list.
      UsCoinItem(rng, {"cent_whe", "1 Cent", "1909", "S", "V.D. Brenner", "G-4", "VDB", 484, 700},
                 "1909SVDB", "", 2, false),
  };
}

std::vector<Item> WorldCoins(std::mt19937& rng) {
  return {
      WorldCoinItem(rng, {"Canada", "1 Dollar", "1967", "1967CAN", 12}),
      WorldCoinItem(rng, {"Canada", "25 Cents", "1967", "1967", 3}),  // a short code stays
      WorldCoinItem(rng, {"Mexico", "1 Peso", "1950", "MX1950", 4}),
      WorldCoinItem(rng, {"Germany", "2 Euro", "2002", "E2002DE", 5}),
      WorldCoinItem(rng, {"France", "1 Euro", "1999", "e1999FR", 3}),
  };
}

Item CurrencyItem(std::mt19937& rng, const char* country, const char* amount, const char* unit,
                  const char* type, const char* series, const char* picture, double value) {
  Item item;
  item.main.Text32[0].Set(country);
  item.main.Text32[1].Set(amount);
  item.main.Text32[5].Set(unit);
  item.main.Text32[2].Set(type);
  item.main.Text32[3].Set("Julian-Morgenthau");
  item.main.Text12[0].Set(series);
  item.main.Integers[0] = 1200;
  item.main.Text32[6].Set(fmt::format("A{}A", 10000000 + rng() % 89999999));
  item.main.Text128[hw::PriorItemMain::kFirstPicture].Set(picture);
  FillCommon(item, rng, value, 2, false, true);
  return item;
}

std::vector<Item> Currency(std::mt19937& rng) {
  return {
      CurrencyItem(rng, "United States", "1", "Dollar", "Silver Certificate", "1935A", "FR1611", 8),
      CurrencyItem(rng, "United States", "5", "Dollars", "Federal Reserve Note", "1950", "FR1961",
                   12),
      CurrencyItem(rng, "Canada", "2", "Dollars", "Bank of Canada", "1954", "BC31", 15),
  };
}

Item StampItem(std::mt19937& rng, const char* country, double denomination, const char* unit,
               const char* scott, const char* picture, double value) {
  Item item;
  item.main.Text32[0].Set(country);
  item.main.Amounts[0] = Money(denomination);
  item.main.Text32[1].Set(unit);
  item.main.Text32[2].Set(scott);
  item.main.Integers[0] = 3000;
  item.main.Text12[0].Set("MNH");
  item.main.Text128[hw::PriorItemMain::kFirstPicture].Set(picture);
  FillCommon(item, rng, value, 0, false, false);
  return item;
}

std::vector<Item> Stamps(std::mt19937& rng) {
  return {
      StampItem(rng, "United States", 0.03, "c", "1053", "US1053", 2),
      StampItem(rng, "United States", 1, "$", "C3a", "USC3A", 450),
      StampItem(rng, "Great Britain", 0.5, "d", "2", "GB0002", 90),
  };
}

Item CasinoItem(std::mt19937& rng, const char* casino, const char* date, const char* issue,
                double denomination, const char* unit, const char* picture, double value) {
  Item item;
  item.main.Text32[0].Set(casino);
  item.main.Text32[4].Set(date);
  item.main.Text32[3].Set(issue);
  item.main.Amounts[0] = Money(denomination);
  item.main.Text32[1].Set(unit);
  item.main.Text32[2].Set("Clay");
  item.main.Text128[hw::PriorItemMain::kFirstPicture].Set(picture);
  FillCommon(item, rng, value, 0, false, false);
  return item;
}

std::vector<Item> CasinoChips(std::mt19937& rng) {
  return {
      CasinoItem(rng, "Sands", "1985", "Grand Opening", 5, "Dollars", "CCSANDS5", 40),
      CasinoItem(rng, "Dunes", "1979", "", 25, "Dollars", "CCDUNES25", 120),
  };
}

std::vector<Item> Tokens(std::mt19937& rng) {
  std::vector<Item> items;
  const char* issuers[] = {"Chicago Transit", "Good For 5c Store"};
  const char* denominations[] = {"1 Fare", "5 Cents"};
  for (int i = 0; i < 2; ++i) {
    Item item;
    item.main.Text32[0].Set(issuers[i]);
    item.main.Text32[1].Set(denominations[i]);
    item.main.Text32[2].Set("Brass");
    item.main.Integers[0] = static_cast<int16_t>(1950 + 10 * i);
    item.main.Text128[hw::PriorItemMain::kFirstPicture].Set("TK" + std::to_string(100 + i));
    FillCommon(item, rng, 2 + i, 0, false, false);
    items.push_back(item);
  }
  return items;
}

std::vector<Item> Ancients(std::mt19937& rng) {
  struct Ancient {
    const char* type;
    const char* ruler;
    const char* picture;
  };
  const Ancient ancients[] = {
      {"Greek", "Athens", "ANCG0440"},      {"Roman", "Hadrian", "ANCR0123"},
      {"Judaic", "Bar Kochba", "ancj0133"}, {"Byzantine", "Justinian I", "ANCB0527"},
      {"Celtic", "Unknown", "XYZ0123"},
  };
  std::vector<Item> items;
  for (const Ancient& a : ancients) {
    Item item;
    item.main.Text32[0].Set(a.type);
    item.main.Text32[1].Set(a.ruler);
    item.main.Text32[2].Set("Athena");
    item.main.Text32[3].Set("Athens");
    item.main.Text32[4].Set("Owl");
    item.main.Text32[5].Set("Silver");
    item.main.Text32[6].Set("c. 440 BC");
    item.main.Text32[7].Set("Tetradrachm");
    item.main.Text128[hw::PriorItemMain::kFirstPicture].Set(a.picture);
    FillCommon(item, rng, 300, 0, false, false);
    items.push_back(item);
  }
  return items;
}

std::vector<Item> MyStuff(std::mt19937& rng) {
  std::vector<Item> items;
  const char* makers[] = {"Hummel", "Lladro", "Royal Doulton"};
  for (int i = 0; i < 3; ++i) {
    Item item;
    item.main.Text32[1].Set(makers[i]);
    item.main.Integers[1] = static_cast<int16_t>(1950 + 7 * i);
    item.main.Text16[1].Set("Porcelain");
    item.main.Text32[2].Set("Germany");
    item.main.Integers[2] = static_cast<int16_t>(500 * (i + 1));
    item.main.Text128[1].Set("Figurine, mint in box");
    item.main.Note.Set("Gift from grandmother");
    item.main.Text128[hw::PriorItemMain::kFirstPicture].Set("MS000" + std::to_string(i + 1));
    FillCommon(item, rng, 75 + 10 * i, 0, false, false);
    items.push_back(item);
  }
  return items;
}

std::vector<Item> GeneratedCoins(std::mt19937& rng, int count) {
  std::vector<Item> items;
  for (int i = 0; i < count; ++i) {
    const UsCoin& c = kCatalogue[rng() % std::size(kCatalogue)];
    const std::string picture = std::string(c.date) + c.mint;
    // Drawn one by one: the order of a call's arguments would differ between compilers.
    const bool government_set = rng() % 7 == 0;
    const auto buy_sell = static_cast<int16_t>(rng() % 4);
    items.push_back(UsCoinItem(rng, c, picture, picture + "R", buy_sell, government_set));
  }
  return items;
}

std::vector<Collection> FixedCollections(std::mt19937& rng, int user) {
  switch (user) {
    case 0:
      return {{"COIN", "US Coins", "Coin", UsCoins(rng)},
              {"CURRENCY", "Paper Money", "Currency", Currency(rng)},
              {"STAMPS", "Stamps: 1950s/60s", "Stamps", Stamps(rng)}};
    case 1:
      return {{"COIN", "World Coins", "Coin", WorldCoins(rng)},
              {"CASINO_C", "Casino Chips \"Las Vegas\"", "Casino_C", CasinoChips(rng)},
              {"TOKENS", "Tokens", "Tokens", Tokens(rng)},
              {"ANCIENT_", "Ancients <Greek & Roman>", "Ancient_", Ancients(rng)}};
    case 2:
      return {{"MYSTUFF", "My Stuff", kUserDefinedType, MyStuff(rng)},
              {"COIN", "US Type Coins", "Coin", GeneratedCoins(rng, 4)}};
    default:
      return {};
  }
}

void WriteCollection(const SampleUser& user, const Collection& c) {
  hw::TableImage t = hw::TableImage::Prior(c.code + ".cl4", hw::kPriorCollectionRecordLength, 4);
  hw::PriorCollectionHeader header;
  header.TypeCode.Set(c.type_code);
  t.Put(3, header);
  for (const Item& item : c.items) {
    t.Append(item.main);
    t.Append(item.ext);
  }
  t.WriteTo(user.host_folder / (c.code + ".cl4"));
}

void WriteCollectionList(const SampleUser& user, const std::vector<Collection>& collections) {
  hw::TableImage t = hw::TableImage::Prior("Collect.mst", hw::PriorCollectionEntry::kSize, 3);
  for (const Collection& c : collections) {
    hw::PriorCollectionEntry e;
    e.Code.Set(c.code);
    e.Name.Set(c.name);
    e.Unused36.Blank();
    e.Unused60.Blank();
    e.Unused67.Blank();
    t.Append(e);
  }
  t.WriteTo(user.host_folder / "Collect.mst");
}

}  // namespace

void WriteCollections(SampleContext& ctx) {
  for (const StandardType* type : {&kCoin, &kCurrency, &kStamps, &kCasino, &kTokens, &kAncient}) {
    WritePriorDesign(ctx, type->design_code, type->prior);
    WriteNewDesign(ctx, *type);
  }
  WritePriorDesign(ctx, kUserDefinedType, kMyStuffFields);
  WriteFieldDefinitions(ctx);
  WriteStandardCoinTables(ctx);

  for (size_t u = 0; u < ctx.sample_users.size(); ++u) {
    SampleUser& user = ctx.sample_users[u];
    std::vector<Collection> collections = FixedCollections(ctx.rng, static_cast<int>(u));
    for (int g = 1; g <= ctx.collections; ++g) {
      const std::string number = std::to_string(g);
      collections.push_back({"GEN" + std::string(4 - number.size(), '0') + number,
                             "Coin Set " + number, "Coin", GeneratedCoins(ctx.rng, ctx.items)});
    }
    for (const Collection& c : collections) {
      WriteCollection(user, c);
      const std::string type = hw::Upper1252(c.type_code);
      if (std::find(ctx.type_codes.begin(), ctx.type_codes.end(), type) == ctx.type_codes.end()) {
        ctx.type_codes.push_back(type);
      }
    }
    WriteCollectionList(user, collections);
  }
}

hw::V4ScreenField PriorField(const PriorFieldRow& s, int row) {
  hw::V4ScreenField f;
  f.Caption.Set(s.caption);
  f.FieldName.Set(s.name);
  f.Unused66.Blank();
  f.DataType = hw::CodeOf(s.data_type);
  f.Slot = s.slot;
  f.LabelTop = static_cast<int16_t>(240 + 420 * row);
  f.LabelHeight = 255;
  f.LabelLeft = 120;
  f.ControlLeft = 1900;
  f.ControlWidth = s.data_type == kText128 ? 5200 : 2400;
  f.ControlHeight = 315;
  f.ControlTop = static_cast<int16_t>(210 + 420 * row);
  f.Number124 = static_cast<int16_t>(row + 1);
  f.ChoiceListName.Blank();
  f.Unused172.Blank();
  return f;
}

}  // namespace hwsample
