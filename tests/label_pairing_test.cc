#include "collections/label_pairing.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
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

NewDesign Design(std::vector<DesignField> fields) { return NewDesign{std::move(fields), 0}; }

struct Paired {
  std::vector<PriorField> fields;
  Pairing pairing;
};

Paired Pair(std::vector<PriorField> fields, const NewDesign& design,
            const std::string& type = "Coin") {
  Paired p{std::move(fields), {}};
  p.pairing = PairFields(p.fields, type, design).pairing;
  return p;
}

TEST(LabelPairing, FirstStageTakesTheLabelWithOrWithoutItsColon) {
  const NewDesign design = Design({{"MINT", 5, 7}, {"DATE", 5, 8}});
  const Paired p = Pair({Field("Mint:"), Field("MM:"), Field("date")}, design);
  EXPECT_EQ(p.fields[0].new_slot, 7);
  EXPECT_EQ(p.fields[1].new_slot, 7);  // second stage: MM became MINT
  EXPECT_EQ(p.fields[2].new_slot, 8);
}

TEST(LabelPairing, DenominationAndLocationWaitForTheSecondStage) {
  const NewDesign design = Design(
      {{"DENOMINATION", 5, 2}, {"LOCATION", 5, 3}, {"LOCATION (CITY)", 5, 4}, {"CONTAINER", 5, 5}});
  const Paired p = Pair({Field("Denomination:"), Field("Location"), Field("Storage Location"),
                         Field("Unit"), Field("")},
                        design);
  EXPECT_EQ(p.fields[0].new_slot, 2);
  EXPECT_EQ(p.pairing.denomination, 0);
  EXPECT_EQ(p.fields[1].new_slot, 4);
  EXPECT_EQ(p.fields[2].new_slot, 3);
  EXPECT_EQ(p.fields[3].new_slot, 2);
  EXPECT_EQ(p.pairing.unit, 4);  // the later of the two unit fields
}

TEST(LabelPairing, AnEmptyLabelIsTheUnitEvenWithoutADenominationField) {
  const Paired p = Pair({Field(""), Field("")}, Design({{"GRADE", 5, 1}}));
  EXPECT_EQ(p.pairing.unit, 1);
  EXPECT_EQ(p.fields[0].new_type, 0);
  // Without any record to read the second stage names no role.
  EXPECT_EQ(Pair({Field("")}, Design({})).pairing.unit, kNoField);
}

TEST(LabelPairing, TwoPriorLabelsMayShareOneNewField) {
  const Paired p = Pair({Field("DATE OF ISSUE"), Field("DATE(S)")}, Design({{"DATE", 5, 9}}));
  EXPECT_EQ(p.fields[0].new_slot, 9);
  EXPECT_EQ(p.fields[1].new_slot, 9);
}

TEST(LabelPairing, CountryRoleOnlyForCoinAndCurrencyExactly) {
  const NewDesign design = Design({{"COUNTRY", 16, 2}});
  EXPECT_EQ(Pair({Field("Country:")}, design, "Coin").pairing.country, 0);
  EXPECT_EQ(
      Pair({Field("ANCIENT TYPE")}, Design({{"ANCIENT TYPE", 5, 1}}), "Currency").pairing.country,
      0);
  const Paired upper = Pair({Field("Country:")}, design, "COIN");
  EXPECT_EQ(upper.pairing.country, kNoField);
  EXPECT_EQ(upper.fields[0].new_type, 16);  // still paired
}

TEST(LabelPairing, ConditionalRowsFollowTheTypeAndRecordOrder) {
  const NewDesign design =
      Design({{"CURRENCY TYPE", 5, 1}, {"COINAGE METAL", 5, 2}, {"MADE OF", 5, 3}});
  EXPECT_EQ(Pair({Field("Type")}, design, "currency").fields[0].new_slot, 1);
  EXPECT_EQ(Pair({Field("Type")}, design, "Coin").fields[0].new_type, 0);
  // For jewelry both new labels are allowed: the first record wins.
  EXPECT_EQ(Pair({Field("Metal")}, design, "Jewelry").fields[0].new_slot, 2);
  EXPECT_EQ(Pair({Field("Qty Made")}, Design({{"# PRINTED", 1, 4}, {"# MADE", 1, 5}}), "TOYS")
                .fields[0]
                .new_slot,
            4);
}

TEST(LabelPairing, SummarySlotsComeFromTheRecordsEachSecondStageRead) {
  const NewDesign design = Design(
      {{"QUANTITY", 1, 1}, {"BUY", 14, 5}, {"SELL", 14, 6}, {"PROFIT", 2, 7}, {"LOT VALUE", 2, 8}});
  // QTY matches the first record, so its second stage never reaches BUY.
  const Paired early = Pair({Field("QTY")}, design);
  EXPECT_EQ(early.pairing.buy, 0);
  EXPECT_EQ(early.fields[0].new_slot, 1);
  // An unmatched label reads every record.
  const Paired all = Pair({Field("QTY"), Field("Comments")}, design);
  EXPECT_EQ(all.pairing.buy, 5);
  EXPECT_EQ(all.pairing.sell, 6);
  EXPECT_EQ(all.pairing.profit, 7);
  EXPECT_EQ(all.pairing.lot_value, 8);
  EXPECT_EQ(all.pairing.government_set, 0);
  // "Value" pairs with LOT VALUE, having read the records before it on the way.
  const Paired value = Pair({Field("Value")}, design);
  EXPECT_EQ(value.fields[0].new_slot, 8);
  EXPECT_EQ(value.pairing.profit, 7);
}

TEST(LabelPairing, AnUnpairedNoteGoesToTheItemNote) {
  const Paired p = Pair({Field("Note:"), Field("Notes")}, Design({{"GRADE", 5, 1}}));
  EXPECT_EQ(p.fields[0].new_type, 10);
  EXPECT_EQ(p.fields[0].new_slot, 0);
  EXPECT_EQ(p.fields[1].new_type, 0);
}

TEST(LabelPairing, AReadErrorIsMetOnlyByASearchThatGetsThatFar) {
  NewDesign design = Design({{"MINT", 5, 1}});
  design.unread = hw::kDeviceIoError;
  std::vector<PriorField> found{Field("MINT")};
  EXPECT_EQ(PairFields(found, "Coin", design).error, 0);
  std::vector<PriorField> missing{Field("Grade")};
  EXPECT_EQ(PairFields(missing, "Coin", design).error, hw::kDeviceIoError);
  std::vector<PriorField> none;
  EXPECT_EQ(PairFields(none, "Coin", design).error, 0);
}

// A new screen design whose NextRecord lies far past its file.
class NewDesignFileTest : public ::testing::Test {
 protected:
  NewDesign Read(int32_t next_record) {
    hw::TableImage t = hw::TableImage::New("Coin.vsd", hw::V5FieldDef::kSize, 4);
    for (const char* name : {"MINT", "GRADE"}) {
      hw::V5FieldDef f;
      f.FieldName.Set(name);
      f.DataType = 5;
      f.Slot = 3;
      t.Append(f);
    }
    t.set_next_record(next_record);
    fx.MakeNewFolder("video");
    t.WriteTo(fx.New("video/Coin.vsd"));
    int32_t number = 0;
    int32_t created = 0;
    hw::OpenTable(fx.c(), "N:\\video\\", "Coin", number, ".vsd", 536, 4, created);
    NewDesign d = hw::ReadNewDesign(fx.c(), number);
    hw::CloseTable(fx.c(), number);
    return d;
  }
  hw::testing::ConversionFixture fx;
};

TEST_F(NewDesignFileTest, RecordsPastTheFileCostOneRecord) {
  const NewDesign d = Read(1000000);
  ASSERT_EQ(d.fields.size(), 3u);
  EXPECT_EQ(d.fields[1].label, "GRADE");
  EXPECT_EQ(d.fields[2].label, std::string(32, '\0'));
  EXPECT_EQ(d.unread, 0);
}

TEST_F(NewDesignFileTest, AHugeNextRecordFailsWhereRecordByRecordReadingWould) {
  const NewDesign d = Read(std::numeric_limits<int32_t>::max());
  ASSERT_EQ(d.fields.size(), 3u);
  EXPECT_EQ(d.unread, hw::kBadRecordNumber);
  // A field found before the unreadable records is paired; one that is not fails.
  std::vector<PriorField> fields{Field("Mint:"), Field(std::string(32, '\0'))};
  EXPECT_EQ(PairFields(fields, "Coin", d).error, 0);
  std::vector<PriorField> lost{Field("Obverse")};
  EXPECT_EQ(PairFields(lost, "Coin", d).error, hw::kBadRecordNumber);
}

}  // namespace
