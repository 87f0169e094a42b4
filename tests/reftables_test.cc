#include <gtest/gtest.h>

#include "platform/run_error.h"
#include "platform/text.h"
#include "reftables/reference_tables.h"

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

using CollectibleTypeTest = ReferenceTablesTest;

TEST_F(CollectibleTypeTest, EveryRowFindsItsOwnName) {
  for (int row = 1; row <= ReferenceTables::kCollectibleRows; ++row) {
    const CollectibleTypeRow& r = t_.collectible_types[row];
    ASSERT_FALSE(r.code.empty()) << "row " << row;
    const TypeLookup found = LookupCollectibleType(t_, r.code);
    EXPECT_TRUE(found.standard) << r.code;
    EXPECT_EQ(found.name, r.name);
  }
}

TEST_F(CollectibleTypeTest, CodesWithPunctuationAreStandard) {
  EXPECT_EQ(LookupCollectibleType(t_, "NON-SPOR").name, "Non Sports Card");
  EXPECT_EQ(LookupCollectibleType(t_, "POGS_(MI").name, "Pog");
  EXPECT_EQ(LookupCollectibleType(t_, "COIN").name, "Coin");
  EXPECT_EQ(LookupCollectibleType(t_, "CURRENCY").name, "Currency");
  EXPECT_EQ(LookupCollectibleType(t_, "MUSIC_BO").name, "Music Box");
}

TEST_F(CollectibleTypeTest, UnknownCodesGetADerivedName) {
  const struct {
    const char* code;
    const char* name;
  } cases[] = {{"X", "X"},
               {"ABCDEFGH", "Abcdefgh"},
               {"POGS_MIL", "Pogs_mil"},
               {"BASE_BAL", "Base_bal"},
               {"$1_X", "$1_x"},
               {"\xC9T\xC9", "\xC9t\xE9"},                           // ÉTÉ -> Été
               {"Z\xD7\x8A\x8C\x8E\x9F", "Z\xD7\x9A\x9C\x9E\xFF"}};  // Z×ŠŒŽŸ -> Z×šœžÿ
  for (const auto& c : cases) {
    const TypeLookup found = LookupCollectibleType(t_, c.code);
    EXPECT_FALSE(found.standard) << c.code;
    EXPECT_EQ(found.name, c.name);
  }
}

TEST_F(CollectibleTypeTest, ComparesExactly) {
  // The caller trims and upper-cases; anything else is a user-defined type.
  EXPECT_FALSE(LookupCollectibleType(t_, "Coin").standard);
  EXPECT_EQ(LookupCollectibleType(t_, "Coin").name, "Coin");
  EXPECT_FALSE(LookupCollectibleType(t_, "COIN ").standard);
}

using StandardDbNameTest = ReferenceTablesTest;

TEST_F(StandardDbNameTest, MatchesWithoutRegardToCase) {
  EXPECT_EQ(t_.standard_db_count, 19);
  EXPECT_EQ(StandardDbName(t_, "Casino_C"), "Casino Chip");
  EXPECT_EQ(StandardDbName(t_, "CASINO_C"), "Casino Chip");
  EXPECT_EQ(StandardDbName(t_, "Casino_c"), "Casino Chip");
  EXPECT_EQ(StandardDbName(t_, "music_bo"), "Music");
  EXPECT_EQ(StandardDbName(t_, "  Toys  "), "Toy");
}

TEST_F(StandardDbNameTest, GivesTheTrimmedCodeWhenNoRowMatches) {
  EXPECT_EQ(StandardDbName(t_, "Casino"), "Casino");
  EXPECT_EQ(StandardDbName(t_, " COIN "), "COIN");
  EXPECT_EQ(StandardDbName(t_, "Currency"), "Currency");
}

using CoinTypeTest = ReferenceTablesTest;

TEST_F(CoinTypeTest, TheLowestMatchingRowWins) {
  EXPECT_EQ(CoinTypeName(t_, "HALF_DOL"), "Half Dollar-Early");
  EXPECT_EQ(CoinTypeName(t_, "$1_drape"), "Dollar-Draped Bust");
  EXPECT_EQ(CoinTypeName(t_, "QUART_ST"), "Quarter-Standing Liberty");
  EXPECT_EQ(CoinTypeName(t_, "gold__$2"), "Gold Quarter Eagle");
  EXPECT_EQ(CoinTypeName(t_, "quarter-"), "Quarter-Statehood");
  EXPECT_EQ(CoinTypeName(t_, " prestige "), "Prestige Set");
}

TEST_F(CoinTypeTest, EmptyAndBlankCodes) {
  EXPECT_EQ(CoinTypeName(t_, ""), std::nullopt);
  EXPECT_EQ(CoinTypeName(t_, "Hawaiian"), std::nullopt);
  EXPECT_EQ(CoinTypeName(t_, "Colonial"), std::nullopt);
  // Blanks are not empty: trimmed they equal the empty code of the first unused row.
  EXPECT_EQ(CoinTypeName(t_, "   "), std::string());
}

TEST_F(CoinTypeTest, NoLookupReachesAReservedRow) {
  int reserved = 0;
  for (int row = 1; row < ReferenceTables::kCoinRows; ++row) {
    const NamePair& coin = t_.coin_types[row];
    if (coin.name != "reserved") continue;
    ++reserved;
    const std::string key = Upper1252(coin.code);
    ASSERT_FALSE(key.empty()) << "row " << row;
    bool repeats_named_row = false;
    for (int lower = 1; lower < row; ++lower) {
      const NamePair& earlier = t_.coin_types[lower];
      repeats_named_row |= earlier.name != "reserved" && Upper1252(earlier.code) == key;
    }
    EXPECT_TRUE(repeats_named_row) << "row " << row << " " << coin.code;
    EXPECT_NE(CoinTypeName(t_, coin.code), "reserved");
  }
  EXPECT_EQ(reserved, 35);
}

TEST_F(CoinTypeTest, UnusedRowsAreEmpty) {
  for (int row = 92; row <= 153; ++row) {
    EXPECT_EQ(t_.coin_types[row].name, "") << "row " << row;
    EXPECT_EQ(t_.coin_types[row].code, "") << "row " << row;
  }
  EXPECT_EQ(t_.coin_types[160].name, "");
  EXPECT_EQ(t_.coin_types[0].name, "Colonial");
}

using FieldTypeTest = ReferenceTablesTest;

TEST_F(FieldTypeTest, CapacitiesOfTheDataTypes) {
  EXPECT_EQ(t_.Capacity(5), 19);
  EXPECT_EQ(t_.Capacity(8), 5);
  for (int code : {0, 9, 10, 13, 15}) EXPECT_EQ(t_.Capacity(code), 0) << code;
}

TEST_F(FieldTypeTest, CodesOutsideTheTableAreASubscriptError) {
  for (int code : {-1, 18}) {
    try {
      t_.Capacity(code);
      ADD_FAILURE() << "no error for " << code;
    } catch (const RunError& e) {
      EXPECT_EQ(e.number, 9);
    }
  }
}

}  // namespace
}  // namespace hw
