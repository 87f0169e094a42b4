#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "platform/run_error.h"
#include "reftables/reference_tables.h"
#include "support/temp_folder.h"

namespace hw {
namespace {

TEST(ReferenceTables, LookupsByCode) {
  ReferenceTables t;
  FillFieldTypes(t);
  FillCoinTypes(t);
  InitTable(t);
  const auto lookup = [&](std::string_view code) {
    const TypeLookup found = LookupCollectibleType(t, code);
    return std::make_pair(found.name, found.standard);
  };
  for (int row = 1; row <= ReferenceTables::kCollectibleRows; ++row) {
    const CollectibleTypeRow& r = t.collectible_types[row];
    ASSERT_FALSE(r.code.empty()) << "row " << row;
    EXPECT_EQ(lookup(r.code), std::make_pair(r.name, true));
  }
  // The caller trims and upper-cases; anything else is a user-defined type (ÉTÉ -> Été,
  // Z×ŠŒŽŸ -> Z×šœžÿ).
  const std::pair<const char*, const char*> derived[] = {
      {"Coin", "Coin"},
      {"COIN ", "Coin "},
      {"$1_X", "$1_x"},
      {"\xC9T\xC9", "\xC9t\xE9"},
      {"Z\xD7\x8A\x8C\x8E\x9F", "Z\xD7\x9A\x9C\x9E\xFF"}};
  for (const auto& [code, name] : derived) {
    EXPECT_EQ(lookup(code), std::make_pair(std::string(name), false));
  }

  EXPECT_EQ(std::make_tuple(StandardDbName(t, "Casino_c"), StandardDbName(t, "  Toys  "),
                            StandardDbName(t, "Casino"), StandardDbName(t, " COIN ")),
            std::make_tuple("Casino Chip", "Toy", "Casino", "COIN"));

  // Blanks are not empty: trimmed they equal the empty code of the first unused row.
  EXPECT_EQ(std::make_tuple(CoinTypeName(t, "HALF_DOL"), CoinTypeName(t, "gold__$2"),
                            CoinTypeName(t, " prestige "), CoinTypeName(t, "   ")),
            std::make_tuple("Half Dollar-Early", "Gold Quarter Eagle", "Prestige Set", ""));
  // Nothing for an empty code, nor from row 0, which is never searched.
  for (const char* code : {"", "Colonial"}) EXPECT_EQ(CoinTypeName(t, code), std::nullopt) << code;
  // A reserved row repeats the code of a lower row, which answers first: no code finds one.
  EXPECT_EQ(std::ranges::count(t.coin_types, "reserved", &NamePair::name), 35);
  for (const NamePair& coin : t.coin_types) {
    EXPECT_NE(CoinTypeName(t, coin.code), "reserved") << coin.code;
  }

  EXPECT_EQ(std::make_pair(t.Capacity(5), t.Capacity(9)), std::make_pair(19, 0));
  for (int code : {-1, 18}) {
    EXPECT_EQ(testing::ErrorOf([&] { t.Capacity(code); }), kSubscriptOutOfRange) << code;
  }
}

}  // namespace
}  // namespace hw
