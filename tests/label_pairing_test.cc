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

namespace {

using hw::DesignField;
using hw::kNoField;
using hw::NewDesign;
using hw::PairFields;
using hw::Pairing;
using hw::PriorField;

PriorField Field(const std::string& label) { return PriorField{label, 5, 1}; }

std::vector<PriorField> Fields(const std::vector<std::string>& labels) {
  std::vector<PriorField> fields;
  for (const std::string& label : labels) fields.push_back(Field(label));
  return fields;
}

Pairing Pair(const std::vector<std::string>& labels, std::vector<DesignField> design,
             const std::string& type = "Coin") {
  std::vector<PriorField> fields = Fields(labels);
  return PairFields(fields, type, NewDesign{std::move(design), 0}).pairing;
}

TEST(LabelPairing, EachLabelFindsItsNewField) {
  struct Case {
    const char* type;
    std::vector<DesignField> design;
    std::vector<std::string> labels;
    std::vector<std::pair<int32_t, int32_t>> paired;  // new type and slot, label by label
  };
  const std::vector<DesignField> made_of = {
      {"CURRENCY TYPE", 5, 1}, {"COINAGE METAL", 5, 2}, {"MADE OF", 5, 3}};
  const Case cases[] = {
      // With or without its colon; the second stage makes MM into MINT.
      {"Coin",
       {{"MINT", 5, 7}, {"DATE", 5, 8}},
       {"Mint:", "MM:", "date"},
       {{5, 7}, {5, 7}, {5, 8}}},
      // Denomination and location wait for the second stage.
      {"Coin",
       {{"DENOMINATION", 5, 2}, {"LOCATION", 5, 3}, {"LOCATION (CITY)", 5, 4}, {"CONTAINER", 5, 5}},
       {"Denomination:", "Location", "Storage Location", "Unit"},
       {{5, 2}, {5, 4}, {5, 3}, {5, 2}}},
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
  for (const Case& k : cases) {
    std::vector<PriorField> fields = Fields(k.labels);
    PairFields(fields, k.type, NewDesign{k.design, 0});
    std::vector<std::pair<int32_t, int32_t>> paired;
    for (const PriorField& f : fields) paired.emplace_back(f.new_type, f.new_slot);
    EXPECT_EQ(paired, k.paired) << k.type << " " << k.labels[0];
  }
}

TEST(LabelPairing, RolesComeFromTheRecordsEachSecondStageRead) {
  const Pairing units =
      Pair({"Denomination:", "Location", "Storage Location", "Unit", ""},
           {{"DENOMINATION", 5, 2}, {"LOCATION", 5, 3}, {"LOCATION (CITY)", 5, 4}});
  EXPECT_EQ(units.denomination, 0);
  EXPECT_EQ(units.unit, 4);  // the later of the two unit fields
  // An empty label is the unit even without a denomination field, but without any record to
  // read the second stage names no role.
  EXPECT_EQ(Pair({"", ""}, {{"GRADE", 5, 1}}).unit, 1);
  EXPECT_EQ(Pair({""}, {}).unit, kNoField);

  // The country role only for "Coin" and "Currency" exactly.
  EXPECT_EQ(Pair({"Country:"}, {{"COUNTRY", 16, 2}}, "Coin").country, 0);
  EXPECT_EQ(Pair({"ANCIENT TYPE"}, {{"ANCIENT TYPE", 5, 1}}, "Currency").country, 0);
  EXPECT_EQ(Pair({"Country:"}, {{"COUNTRY", 16, 2}}, "COIN").country, kNoField);

  const std::vector<DesignField> summary = {
      {"QUANTITY", 1, 1}, {"BUY", 14, 5}, {"SELL", 14, 6}, {"PROFIT", 2, 7}, {"LOT VALUE", 2, 8}};
  // QTY matches the first record, so its second stage never reaches BUY.
  EXPECT_EQ(Pair({"QTY"}, summary).buy, 0);
  // An unmatched label reads every record.
  const Pairing all = Pair({"QTY", "Comments"}, summary);
  EXPECT_EQ(std::make_tuple(all.buy, all.sell, all.profit, all.lot_value, all.government_set),
            std::make_tuple(5, 6, 7, 8, 0));
  // "Value" pairs with LOT VALUE, having read the records before it on the way.
  EXPECT_EQ(Pair({"Value"}, summary).profit, 7);
}

TEST(LabelPairing, AReadErrorIsMetOnlyByASearchThatGetsThatFar) {
  const NewDesign design{{{"MINT", 5, 1}}, hw::kDeviceIoError};
  std::vector<PriorField> found = Fields({"MINT"}), missing = Fields({"Grade"}), none;
  EXPECT_EQ(PairFields(found, "Coin", design).error, 0);
  EXPECT_EQ(PairFields(missing, "Coin", design).error, hw::kDeviceIoError);
  EXPECT_EQ(PairFields(none, "Coin", design).error, 0);
}

// A new screen design whose NextRecord lies far past its file.
TEST(NewDesignFile, RecordsPastTheFileCostOneRecordAndAHugeNextRecordFailsLikeAScan) {
  hw::testing::ConversionFixture fx;
  fx.MakeNewFolder("video");
  const auto read = [&](int32_t next_record) {
    hw::TableImage t = hw::TableImage::New("Coin.vsd", hw::V5FieldDef::kSize, 4);
    for (const char* name : {"MINT", "GRADE"}) {
      hw::V5FieldDef f;
      f.FieldName.Set(name);
      f.DataType = 5;
      f.Slot = 3;
      t.Append(f);
    }
    t.set_next_record(next_record);
    t.WriteTo(fx.New("video/Coin.vsd"));
    int32_t number = 0;
    int32_t created = 0;
    hw::OpenTable(fx.c(), "N:\\video\\", "Coin", number, ".vsd", 536, 4, created);
    NewDesign d = hw::ReadNewDesign(fx.c(), number);
    hw::CloseTable(fx.c(), number);
    return d;
  };
  const NewDesign far = read(1000000);
  ASSERT_EQ(far.fields.size(), 3u);
  EXPECT_EQ(far.fields[1].label, "GRADE");
  EXPECT_EQ(far.fields[2].label, std::string(32, '\0'));
  EXPECT_EQ(far.unread, 0);

  const NewDesign huge = read(std::numeric_limits<int32_t>::max());
  ASSERT_EQ(huge.fields.size(), 3u);
  EXPECT_EQ(huge.unread, hw::kBadRecordNumber);
  // A field found before the unreadable records is paired; one that is not fails.
  std::vector<PriorField> fields = Fields({"Mint:", std::string(32, '\0')}),
                          lost = Fields({"Obverse"});
  EXPECT_EQ(PairFields(fields, "Coin", huge).error, 0);
  EXPECT_EQ(PairFields(lost, "Coin", huge).error, hw::kBadRecordNumber);
}

}  // namespace
