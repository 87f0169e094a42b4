#include <gtest/gtest.h>

#include "platform/run_error.h"
#include "platform/text.h"
#include "reftables/reference_tables.h"
#include "support/temp_folder.h"

namespace hw {
namespace {

class ReferenceTablesTest : public ::testing::Test {
 protected:
  ReferenceTablesTest() {
    FillFieldTypes(t_);
    FillCoinTypes(t_);
    InitTable(t_);
  }

  ReferenceTables t_;
};

TEST_F(ReferenceTablesTest, CollectibleTypesMatchExactlyOrGetADerivedName) {
  for (int row = 1; row <= ReferenceTables::kCollectibleRows; ++row) {
    const CollectibleTypeRow& r = t_.collectible_types[row];
    ASSERT_FALSE(r.code.empty()) << "row " << row;
    const TypeLookup found = LookupCollectibleType(t_, r.code);
    EXPECT_TRUE(found.standard) << r.code;
    EXPECT_EQ(found.name, r.name);
  }
  // The caller trims and upper-cases; anything else is a user-defined type.
  const struct {
    const char* code;
    const char* name;
  } derived[] = {{"Coin", "Coin"},
                 {"COIN ", "Coin "},
                 {"POGS_MIL", "Pogs_mil"},
                 {"$1_X", "$1_x"},
                 {"\xC9T\xC9", "\xC9t\xE9"},                           // ÉTÉ -> Été
                 {"Z\xD7\x8A\x8C\x8E\x9F", "Z\xD7\x9A\x9C\x9E\xFF"}};  // Z×ŠŒŽŸ -> Z×šœžÿ
  for (const auto& c : derived) {
    const TypeLookup found = LookupCollectibleType(t_, c.code);
    EXPECT_FALSE(found.standard) << c.code;
    EXPECT_EQ(found.name, c.name);
  }
}

TEST_F(ReferenceTablesTest, StandardDbNamesIgnoreCaseAndFallBackToTheTrimmedCode) {
  EXPECT_EQ(StandardDbName(t_, "Casino_c"), "Casino Chip");
  EXPECT_EQ(StandardDbName(t_, "  Toys  "), "Toy");
  EXPECT_EQ(StandardDbName(t_, "Casino"), "Casino");
  EXPECT_EQ(StandardDbName(t_, " COIN "), "COIN");
}

TEST_F(ReferenceTablesTest, CoinTypesTakeTheLowestMatchingRowAndNeverAReservedOne) {
  EXPECT_EQ(CoinTypeName(t_, "HALF_DOL"), "Half Dollar-Early");
  EXPECT_EQ(CoinTypeName(t_, "gold__$2"), "Gold Quarter Eagle");
  EXPECT_EQ(CoinTypeName(t_, " prestige "), "Prestige Set");
  EXPECT_EQ(CoinTypeName(t_, ""), std::nullopt);
  EXPECT_EQ(CoinTypeName(t_, "Colonial"), std::nullopt);  // row 0 is never searched
  // Blanks are not empty: trimmed they equal the empty code of the first unused row.
  EXPECT_EQ(CoinTypeName(t_, "   "), std::string());
  int reserved = 0;
  for (int row = 1; row < ReferenceTables::kCoinRows; ++row) {
    const NamePair& coin = t_.coin_types[row];
    if (coin.name != "reserved") continue;
    ++reserved;
    EXPECT_NE(CoinTypeName(t_, coin.code), "reserved") << "row " << row << " " << coin.code;
  }
  EXPECT_EQ(reserved, 35);
}

TEST_F(ReferenceTablesTest, DataTypeCapacitiesAndCodesOutsideTheTable) {
  EXPECT_EQ(t_.Capacity(5), 19);
  EXPECT_EQ(t_.Capacity(9), 0);
  for (int code : {-1, 18}) {
    EXPECT_EQ(testing::ErrorOf([&] { t_.Capacity(code); }), kSubscriptOutOfRange) << code;
  }
}

}  // namespace
}  // namespace hw
