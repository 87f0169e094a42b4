#include "reftables/reference_tables.h"

#include <iterator>

#include "platform/run_error.h"
#include "platform/text.h"

namespace hw {
namespace {

struct Row {
  int row;
  const char* code;
  const char* name;
};

struct CoinRow {
  int row;
  const char* name;
  const char* code;
};

// The inverse of UpperChar1252: A-Z, À..Þ except the multiplication sign, and Š Œ Ž Ÿ.
char LowerChar1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
      return static_cast<char>(b + 0x10);
    case 0x9F:  // Ÿ
      return static_cast<char>(0xFF);
    default:
      return c;
  }
}

std::string Lower1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerChar1252(c);
  return out;
}

bool SameCodeIgnoringCase(std::string_view given_upper, std::string_view row_code) {
  return given_upper == Upper1252(TrimBlanks(row_code));
}

// Rows 0..160 as {row, name, code}; rows not listed stay empty in both columns. The rows
// named "reserved" repeat the code of a lower named row, so a lookup never reaches them.
constexpr CoinRow kCoinTypes[] = {
    {0, "Colonial", ""},
    {1, "Half Cent", "half_cen"},
    {2, "Large Cent", "cent_lar"},
    {3, "reserved", "CENT_LAR"},
    {4, "reserved", "Half_cen"},
    {5, "reserved", "Cent_lar"},
    {6, "Half Dime", "half_dim"},
    {7, "Half Dollar-Early", "Half_dol"},
    {8, "Dollar-Flowing Hair", "$1_flowi"},
    {9, "Dollar-Draped Bust", "$1_drape"},
    {10, "Gold Half Eagle", "gold__$5"},
    {11, "Gold Eagle", "gold_$10"},
    {12, "reserved", "GOLD__$5"},
    {13, "reserved", "Gold_$10"},
    {14, "Dime-Early", "Dime_ear"},
    {15, "Quarter-Draped Bust", "Quart_dr"},
    {16, "reserved", "quart_dr"},
    {17, "Gold Quarter Eagle", "gold__$2"},
    {18, "Dollar-Draped Bust", "$1_drape"},
    {19, "reserved", "HALF_DOL"},
    {20, "reserved", "Dime_Ear"},
    {21, "reserved", "QUART_DR"},
    {22, "reserved", "Gold__$2"},
    {23, "reserved", "$1_FLOWI"},
    {24, "reserved", "$1_DRAPE"},
    {25, "reserved", "Half_Dim"},
    {26, "reserved", "Cent_Lar"},
    {27, "reserved", "HALF_CEN"},
    {28, "reserved", "Gold__$5"},
    {29, "reserved", "GOLD_$10"},
    {30, "reserved", "dime_ear"},
    {31, "reserved", "Quart_DR"},
    {32, "reserved", "GOLD__$2"},
    {33, "reserved", "half_dol"},
    {34, "reserved", "$1_Drape"},
    {35, "reserved", "HALF_DIM"},
    {36, "reserved", "$1_Flowi"},
    {37, "Dollar-Gobrecht", "$1_Gobre"},
    {38, "reserved", "$1_GOBRE"},
    {39, "Dime-Seated Liberty", "dime_sea"},
    {40, "Quarter-Seated Liberty", "Quart_se"},
    {41, "reserved", "DIME_SEA"},
    {42, "Half Dollar-Seated Liberty", "Half_sea"},
    {43, "reserved", "QUART_SE"},
    {44, "reserved", "HALF_SEA"},
    {45, "Dollar-Seated Liberty", "$1_seate"},
    {46, "reserved", "$1_SEATE"},
    {47, "Gold Dollar", "gold__$1"},
    {48, "Three Cent Silver", "3_cent_s"},
    {49, "Gold Double Eagle", "gold_$20"},
    {50, "reserved", "GOLD_$20"},
    {51, "Gold Three Dollar", "gold__$3"},
    {52, "Cent-Flying Eagle", "Cent_fly"},
    {53, "reserved", "CENT_FLY"},
    {54, "Cent-Indian Head", "Cent_ind"},
    {55, "Two Cent", "2_cent"},
    {56, "Three Cent Nickel", "3_cent_n"},
    {57, "Nickel-Shield", "Nickel_s"},
    {58, "Dollar-Trade", "$1_Trade"},
    {59, "Twenty Cent", "20_cent"},
    {60, "Dollar-Morgan", "$1_Morga"},
    {61, "Nickel-Liberty", "Nickel_l"},
    {62, "Dime-Barber", "Dime_bar"},
    {63, "Quarter-Barber", "quart_ba"},
    {64, "Half Dollar-Barber", "half_bar"},
    {65, "Commemorative", "comm_sil"},
    {66, "reserved", "COMM_SIL"},
    {67, "reserved", "HALF_BAR"},
    {68, "reserved", "QUART_BA"},
    {69, "reserved", "DIME_BAR"},
    {70, "Cent-Lincoln Wheat", "cent_whe"},
    {71, "Nickel-Buffalo", "Nickel_b"},
    {72, "Dime-Mercury", "Dime_mer"},
    {73, "Quarter-Standing Liberty", "quart_st"},
    {74, "Half Dollar-Walking Liberty", "half_wal"},
    {75, "Quarter-Standing Liberty", "Quart_st"},
    {76, "Dollar-Peace", "$1_Peace"},
    {77, "Quarter-Washington", "Quart_wa"},
    {78, "Nickel-Jefferson", "Nickel_j"},
    {79, "Dime-Roosevelt", "Dime_roo"},
    {80, "Half Dollar-Franklin", "half_fra"},
    {81, "Cent-Lincoln Memorial", "cent_mem"},
    {82, "Half Dollar-Kennedy", "Half_ken"},
    {83, "Dollar-Eisenhower", "$1_eisen"},
    {84, "Dollar-Susan B Anthony", "$1_sbant"},
    {85, "Commemorative-Modern", "Comm_mod"},
    {86, "Bullion-Silver", "silver_b"},
    {87, "Bullion-Gold", "gold_bul"},
    {88, "Bullion-Platinum", "platinum"},
    {89, "Quarter-Statehood", "Quarter-"},
    {90, "Dollar-Sacagawea", "$1_sacag"},
    {91, "Commemorative-Gold", "comm_gol"},
    {154, "Hawaiian", ""},
    {155, "Top 100 Morgan Variety", "Top_100_"},
    {156, "BU Roll", ""},
    {157, "Mint Set", "Mint_Set"},
    {158, "Proof Set", "Proof_Se"},
    {159, "Prestige Set", "Prestige"},
};

// Indexed by the data-type code 0..17.
struct FieldTypeRow {
  const char* display_name;
  int32_t capacity;
};

constexpr FieldTypeRow kFieldTypes[ReferenceTables::kFieldTypes] = {
    {"", 0},
    {"Integer", 15},
    {"Currency or Floating Point", 15},
    {"String - 8 char max", 11},
    {"String - 12 char max", 11},
    {"String - 32 char max", 19},
    {"String - 64 char max", 3},
    {"String - 128 char max", 3},
    {"String - 256 char max", 5},
    {"", 0},
    {"", 0},
    {"String - 16 char max", 19},
    {"Date", 15},
    {"", 0},
    {"True/False", 15},
    {"", 0},
    {"String Linked Combos - 32 char max", 3},
    {"Computed Field based on other fields", 15},
};

// Rows 1..19 as {row, code, standard-database name}.
constexpr Row kStandardDbNames[] = {
    {1, "Ancient_", "Ancient Coin"},
    {2, "Autograp", "Autograph"},
    {3, "Baskets", "Basket"},
    {4, "Beanie_B", "Beanie Baby"},
    {5, "Books", "Book"},
    {6, "Cars", "Car"},
    {7, "Casino_c", "Casino Chip"},
    {8, "Clocks", "Clock"},
    {9, "Comic_Bo", "Comic Book"},
    {10, "Disneyan", "Disneyana"},
    {11, "Furnitur", "Furniture"},
    {12, "Guns", "Gun"},
    {13, "Knives", "Knife"},
    {14, "Music_Bo", "Music"},
    {15, "Posters", "Poster"},
    {16, "Sports_C", "Sports Card"},
    {17, "Stamps", "Stamp"},
    {18, "Tokens", "Token"},
    {19, "Toys", "Toy"},
};

// Rows 1..39 as {row, code, type name}.
constexpr Row kCollectibleTypes[] = {
    {1, "ADVERTIS", "Advertising"},
    {2, "ANCIENT_", "Ancient Coin"},
    {3, "AUTOGRAP", "Autograph"},
    {4, "BAGS", "Bag"},
    {5, "BASKETS", "Basket"},
    {6, "BEANIE_B", "Beanie Baby"},
    {7, "BOOKS", "Book"},
    {8, "CARS", "Car"},
    {9, "CASINO_C", "Casino Chip"},
    {10, "CERAMIC", "Ceramic"},
    {11, "CHINA", "China"},
    {12, "CLOCKS", "Clock"},
    {13, "COIN", "Coin"},
    {14, "COMIC_BO", "Comic Book"},
    {15, "CURRENCY", "Currency"},
    {16, "DISNEYAN", "Disneyana"},
    {17, "FURNITUR", "Furniture"},
    {18, "GLASS", "Glass"},
    {19, "GUNS", "Gun"},
    {20, "INDIA_CO", "India Coinage"},
    {21, "JEWELRY", "Jewelry"},
    {22, "KNIVES", "Knife"},
    {23, "MARBLES", "Marble"},
    {24, "MILITARY", "Military"},
    {25, "MUSIC_BO", "Music Box"},
    {26, "NON-SPOR", "Non Sports Card"},
    {27, "PEZ", "Pez"},
    {28, "PLATES", "Plate"},
    {29, "POGS_(MI", "Pog"},
    {30, "POKEMON", "Pokemon"},
    {31, "POLITICA", "Political"},
    {32, "POSTERS", "Poster"},
    {33, "RAILROAD", "Railroad"},
    {34, "SILVER", "Silver"},
    {35, "SPORTS_C", "Sports Card"},
    {36, "STAMPS", "Stamp"},
    {37, "TELEPHON", "Telephone Card"},
    {38, "TOKENS", "Token"},
    {39, "TOYS", "Toy"},
};

}  // namespace

int32_t ReferenceTables::Capacity(int code) const {
  if (code < 0 || code >= kFieldTypes) throw RunError(kSubscriptOutOfRange);
  return field_types[code].capacity;
}

void FillCoinTypes(ReferenceTables& t) {
  t.coin_types.fill(NamePair{});
  for (const CoinRow& r : kCoinTypes) t.coin_types[r.row] = NamePair{r.code, r.name};
  t.coin_row_of_code.clear();
  for (int row = 1; row < ReferenceTables::kCoinRows; ++row) {
    t.coin_row_of_code.emplace(Upper1252(TrimBlanks(t.coin_types[row].code)), row);
  }
}

void FillFieldTypes(ReferenceTables& t) {
  for (int code = 0; code < ReferenceTables::kFieldTypes; ++code) {
    t.field_types[code] = FieldType{kFieldTypes[code].display_name, kFieldTypes[code].capacity};
  }
  t.standard_db_names.fill(NamePair{});
  for (const Row& r : kStandardDbNames) t.standard_db_names[r.row] = NamePair{r.code, r.name};
  t.standard_db_count = static_cast<int32_t>(std::size(kStandardDbNames));
}

void InitTable(ReferenceTables& t) {
  t.collectible_types.fill(CollectibleTypeRow{});
  for (const Row& r : kCollectibleTypes) {
    t.collectible_types[r.row] = CollectibleTypeRow{r.code, r.name};
  }
}

TypeLookup LookupCollectibleType(const ReferenceTables& t, std::string_view code) {
  for (int row = 1; row <= ReferenceTables::kCollectibleRows; ++row) {
    if (t.collectible_types[row].code == code) return {t.collectible_types[row].name, true};
  }
  if (code.empty()) return {"", false};
  return {UpperChar1252(code.front()) + Lower1252(code.substr(1)), false};
}

std::string StandardDbName(const ReferenceTables& t, std::string_view code) {
  const std::string_view trimmed = TrimBlanks(code);
  const std::string key = Upper1252(trimmed);
  for (int row = 1; row <= t.standard_db_count; ++row) {
    if (SameCodeIgnoringCase(key, t.standard_db_names[row].code)) {
      return t.standard_db_names[row].name;
    }
  }
  return std::string(trimmed);
}

std::optional<std::string_view> CoinTypeName(const ReferenceTables& t, std::string_view code) {
  if (code.empty()) return std::nullopt;
  const auto row = t.coin_row_of_code.find(Upper1252(TrimBlanks(code)));
  if (row == t.coin_row_of_code.end()) return std::nullopt;
  const std::string_view name = t.coin_types[row->second].name;
  return name.substr(0, name.find(','));
}

}  // namespace hw
