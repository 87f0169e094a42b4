#include "collections/label_pairing.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fixtures/table_image.h"
#include "platform/run_error.h"
#include "records/field_records.h"
#include "support/conversion_fixture.h"
#include "tablestore/table_store.h"

namespace hw {
namespace {

using Paired = std::vector<std::pair<int32_t, int32_t>>;  // new type and slot, field by field

// Prior text fields of these labels paired with a new design: the fields as paired, and the roles.
std::pair<Paired, Pairing> Pair(const std::vector<std::string>& labels,
                                std::vector<DesignField> design, const std::string& type = "Coin") {
  std::vector<PriorField> fields;
  for (const std::string& label : labels) fields.push_back(PriorField{label, 5, 1});
  const Pairing pairing = PairFields(fields, type, NewDesign{std::move(design), 0}).pairing;
  Paired paired;
  for (const PriorField& f : fields) paired.emplace_back(f.new_type, f.new_slot);
  return {paired, pairing};
}

TEST(LabelPairing, EachLabelFindsItsNewFieldAndTheRoles) {
  // The type code, the new design, the prior labels, and what each label pairs with.
  using Case = std::tuple<const char*, std::vector<DesignField>, std::vector<std::string>, Paired>;
  const std::vector<DesignField> made_of = {
      {"CURRENCY TYPE", 5, 1}, {"COINAGE METAL", 5, 2}, {"MADE OF", 5, 3}};
  const Case cases[] = {
      // With or without its colon; the second stage makes MM into MINT.
      {"Coin", {{"MINT", 5, 7}}, {"Mint:", "MM:"}, {{5, 7}, {5, 7}}},
      {"Coin", {{"DATE", 5, 9}}, {"DATE OF ISSUE", "DATE(S)"}, {{5, 9}, {5, 9}}},
      // An unpaired note goes to the item note; an empty label pairs with nothing.
      {"Coin", {{"GRADE", 5, 1}}, {"Note:", "Notes", ""}, {{10, 0}, {0, 0}, {0, 0}}},
      // Conditional rows follow the type; where both new labels are allowed the first record wins.
      {"currency", made_of, {"Type"}, {{5, 1}}},
      {"Coin", made_of, {"Type"}, {{0, 0}}},
      {"Jewelry", made_of, {"Metal"}, {{5, 2}}},
      {"TOYS", {{"# PRINTED", 1, 4}, {"# MADE", 1, 5}}, {"Qty Made"}, {{1, 4}}},
      {"COIN", {{"COUNTRY", 16, 2}}, {"Country:"}, {{16, 2}}},
      {"Coin", {{"PROFIT", 2, 7}, {"LOT VALUE", 2, 8}}, {"Value"}, {{2, 8}}},
  };
  for (const auto& [type, design, labels, paired] : cases) {
    EXPECT_EQ(Pair(labels, design, type).first, paired) << type << " " << labels[0];
  }

  // Roles come from the records each second stage read. Denomination and location wait for the
  // second stage; an empty label is a unit, paired with the denomination.
  const auto [units_paired, units] = Pair(
      {"Denomination:", "Location", "Storage Location", "Unit", ""},
      {{"DENOMINATION", 5, 2}, {"LOCATION", 5, 3}, {"LOCATION (CITY)", 5, 4}, {"CONTAINER", 5, 5}});
  EXPECT_EQ(units_paired, (Paired{{5, 2}, {5, 4}, {5, 3}, {5, 2}, {5, 2}}));
  EXPECT_EQ(
      std::make_tuple(units.denomination, units.unit, Pair({"", ""}, {{"GRADE", 5, 1}}).second.unit,
                      Pair({""}, {}).second.unit),
      std::make_tuple(0, 4, 1, kNoField));
  // The country role only for "Coin" and "Currency" exactly.
  EXPECT_EQ(
      std::make_tuple(Pair({"Country:"}, {{"COUNTRY", 16, 2}}, "Coin").second.country,
                      Pair({"ANCIENT TYPE"}, {{"ANCIENT TYPE", 5, 1}}, "Currency").second.country,
                      Pair({"Country:"}, {{"COUNTRY", 16, 2}}, "COIN").second.country),
      std::make_tuple(0, 0, kNoField));

  const std::vector<DesignField> summary = {
      {"QUANTITY", 1, 1}, {"BUY", 14, 5}, {"SELL", 14, 6}, {"PROFIT", 2, 7}, {"LOT VALUE", 2, 8}};
  // QTY matches the first record, so its second stage never reaches BUY; an unmatched label
  // reads every record; "Value" pairs with LOT VALUE, having read the records before it.
  const Pairing all = Pair({"QTY", "Comments"}, summary).second;
  EXPECT_EQ(
      std::make_tuple(Pair({"QTY"}, summary).second.buy, all.buy, all.sell, all.profit,
                      all.lot_value, all.government_set, Pair({"Value"}, summary).second.profit),
      std::make_tuple(0, 5, 6, 7, 8, 0, 7));
}

// A new screen design whose NextRecord lies far past its file.
TEST(NewDesignFile, RecordsPastTheFileCostOneRecordAndAHugeNextRecordFailsLikeAScan) {
  testing::ConversionFixture fx;
  fx.MakeNewFolder("video");
  const auto read = [&](int32_t next_record) {
    TableImage t = TableImage::New("Coin.vsd", V5FieldDef::kSize, 4);
    V5FieldDef mint;
    mint.FieldName.Set("MINT");
    t.Append(mint);
    t.set_next_record(next_record);
    t.WriteTo(fx.New("video/Coin.vsd"));
    int32_t number = 0, created = 0;
    OpenTable(fx.c(), "N:\\video\\", "Coin", number, ".vsd", 536, 4, created);
    NewDesign d = ReadNewDesign(fx.c(), number);
    CloseTable(fx.c(), number);
    return d;
  };
  const NewDesign far = read(1000000);
  ASSERT_EQ(far.fields.size(), 2u);
  EXPECT_EQ(std::make_tuple(far.fields[1].label, far.unread),
            std::make_tuple(std::string(32, '\0'), 0));

  const NewDesign huge = read(std::numeric_limits<int32_t>::max());
  EXPECT_EQ(std::make_tuple(huge.fields.size(), huge.unread),
            std::make_tuple(2u, kBadRecordNumber));
  // The read error is met only by a search that gets that far: a field found before the
  // unreadable records is paired, one that is not fails, no field searches nothing.
  std::vector<PriorField> found{{"Mint:"}, {std::string(32, '\0')}}, lost{{"Obverse"}}, none;
  EXPECT_EQ(
      std::make_tuple(PairFields(found, "Coin", huge).error, PairFields(lost, "Coin", huge).error,
                      PairFields(none, "Coin", huge).error),
      std::make_tuple(0, kBadRecordNumber, 0));
}

}  // namespace
}  // namespace hw
