#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fixtures/table_image.h"
#include "records/field_records.h"
#include "records/report_records.h"
#include "screens/report_conversion.h"
#include "screens/screen_conversion.h"
#include "support/conversion_fixture.h"
#include "tablestore/error_policy.h"

namespace hw {
namespace {

using testing::MessageEvent;
using Bytes = std::vector<std::byte>;
using Lines = std::vector<std::string>;

constexpr char kIllegalName[] = "That Name is illegal, you may only use A-Z,0-9,_, and &.";

// A field of a new screen design, or of the prior field definitions or screen designs.
template <class Record = V5FieldDef>
Record Field(const std::string& name, int data_type, int slot = 1) {
  Record f;
  f.FieldName.Set(name);
  f.DataType = static_cast<decltype(f.DataType)>(data_type);
  f.Slot = static_cast<decltype(f.Slot)>(slot);
  return f;
}
V4ScreenField Element(const std::string& caption, const std::string& name, int data_type,
                      int slot = 1) {
  V4ScreenField e = Field<V4ScreenField>(name, data_type, slot);
  e.Caption.Set(caption);
  return e;
}

V4ReportDef PriorReport(const std::string& name, const Lines& labels = {}) {
  V4ReportDef r;
  r.ReportName.Set(name);
  r.ColumnCount = static_cast<int16_t>(labels.size());
  for (size_t j = 0; j < labels.size(); ++j) r.ColumnLabel[j + 1].Set(labels[j]);
  return r;
}

// A prior installation and a new data folder with "video\", and the files the tests write there.
class Installation {
 public:
  Installation() { fx.MakeNewFolder("video"); }

  // Adds a type as the analysis would, with its prior screen design.
  void AddType(const std::string& code, const std::vector<V4ScreenField>& elements) {
    fx.AddType(code);
    fx.WritePrior("Video\\" + code + ".vsd", 4, elements);
  }
  // A new screen design whose fields start at `first` (3 as the new edition ships them).
  void WriteDesign(const std::string& name, const std::vector<V5FieldDef>& fields,
                   int32_t first = 3) {
    fx.WriteNew("video\\" + name + ".vsd", first, fields);
  }
  Bytes File(const std::string& relative) const { return testing::ReadBytes(fx.New(relative)); }
  // Record n of the new screen design or report table video\<name>.
  template <class Record>
  Record Read(const std::string& name, int64_t n) const {
    const size_t length = name.ends_with(".vsd") ? V5FieldDef::kSize : 2780;
    const Bytes b = File("video\\" + name);
    Record r;
    EXPECT_TRUE(DecodeRecord(std::span(b).subspan((n - 1) * length), r)) << name << " " << n;
    return r;
  }

  testing::ConversionFixture fx;
  Conversion& c = fx.c();
};

class ScreensTest : public ::testing::Test, public Installation {};

MessageEvent Customised(const std::string& code) {
  return {"Your older version is using a customized user interface for the collectible " + code +
              "!We are unable to automatically determine the best approach to conversion of your "
              "data, please contact Quenfield technical support to assist with the conversion "
              "process.",
          Icon::kExclamation, Buttons::kOk, kTitle, Reply::kOk};
}
std::string NotConverted(const std::string& code) {
  return "Conversion not occuring for collectible: " + code + " since fields were modified";
}

TEST_F(ScreensTest, EachStandardTypeWhoseScreenWasCustomisedGetsItsMessageAndLine) {
  // Known and tolerated captions.
  WriteDesign("Coin", {Field("Year", 1), Field("DES/ENG", 5)});
  AddType("COIN", {Element("Year:", "Year", 1), Element("DES/ENG:", "Designer", 5),
                   Element("MM:", "Mint mark", 3)});
  const Bytes coin_design = File("video\\Coin.vsd");
  // A blank caption is tolerated for currency, not knives; a missing new design is created empty.
  AddType("CURRENCY", {Element("", "Blank", 1)});
  AddType("KNIVES", {Element("", "Blank", 1)});
  // 1 on the prior screen does not find 13; the next type is still checked.
  WriteDesign("Bag", {Field("Weight", 13)});
  AddType("BAGS", {Element("Weight:", "Weight", 1)});
  // A first "Maker" of another type does not end the search; 13 on the prior screen finds 1.
  WriteDesign("Advertising", {Field("Maker", 5), Field("Maker", 3), Field("Count", 1)});
  AddType("ADVERTIS", {Element("MAKER:", "Maker", 3), Element("Count:", "Count", 13)});
  // Up to record 3 000 000 every record lies within the platform's position limit: the records
  // past the end of the file all read as zeros, none matches "Color:", and they cost little.
  TableImage huge = TableImage::New("Toy.vsd", V5FieldDef::kSize, 3);
  huge.Append(Field("Maker", 5));
  huge.set_next_record(3'000'000);
  huge.WriteTo(fx.New("video\\Toy.vsd"));
  std::vector<V4ScreenField> elements(200, Element("MAKER:", "Maker", 5));
  elements.push_back(Element("Color:", "Color", 5));
  AddType("TOYS", elements);

  const auto start = std::chrono::steady_clock::now();
  ConvertScreenDesigns(c);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  EXPECT_EQ(fx.ui.Messages(),
            (std::vector{Customised("KNIVES"), Customised("BAGS"), Customised("TOYS")}));
  EXPECT_EQ(fx.ui.StatusCaptions().front(), "Collectible type: COIN");
  EXPECT_EQ(fx.LogLines(),
            (Lines{"Converting screen design for: COIN", "Converting screen design for: CURRENCY",
                   "Converting screen design for: KNIVES", NotConverted("KNIVES"),
                   "Converting screen design for: BAGS", NotConverted("BAGS"),
                   "Converting screen design for: ADVERTIS", "Converting screen design for: TOYS",
                   NotConverted("TOYS")}));
  EXPECT_EQ(File("video\\Coin.vsd"), coin_design);
  EXPECT_EQ(fx.NextRecordOf("video\\Currency.vsd"), 3);
  EXPECT_EQ(File("video\\Currency.vsd").size(), 32u);
}

TEST_F(ScreensTest, UserTypeGetsElementsCommonFieldsAndFixedFieldsEachInAFreeSlot) {
  V4ScreenField first = Element("Catalogue:", "Catalogue Reference Number", 1, 5);
  first.ControlTop = 32362;  // + 405 is the largest 16-bit number
  first.Number124 = 124;
  // Type 9 has no slots: its field keeps its own; type 6 has three, and its fourth field too.
  AddType("MYSTUFF", {first, Element("Maker:", "Maker", 1, 9), Element("A", "A", 9, 7),
                      Element("B", "B", 6, 11), Element("C", "C", 6, 12), Element("D", "D", 6, 13),
                      Element("E", "E", 6, 14)});
  fx.WritePrior("fields.mst", 3,
                std::vector{Field<V4FieldDef>("Qty", 2, 4), Field<V4FieldDef>("Mystery", 1, 1),
                            Field<V4FieldDef>("Value", 2, 6)});
  // Values left in the shared buffer by an earlier record do not reach these fields.
  c.screens.field.Text198.Set("left over");
  c.screens.field.LongArray246[4] = 7;
  c.screens.field.IntArray270[4] = 7;

  ConvertScreenDesigns(c);

  EXPECT_TRUE(fx.ui.Messages().empty());
  EXPECT_EQ(fx.LogLines(), Lines{"Converting screen design for: MYSTUFF"});
  // Seven elements, "Qty" and "Value" ("Mystery" is no common field), the five fixed fields.
  ASSERT_EQ(fx.NextRecordOf("video\\Mystuff.vsd"), 18);
  EXPECT_EQ(File("video\\Mystuff.vsd").size(), 17u * 536);

  // The first element moved and cut to the design's caption; "Value" on page 2 as "Lot Value".
  const V5FieldDef e = Read<V5FieldDef>("Mystuff.vsd", 4);
  EXPECT_EQ(std::make_tuple(e.Caption.Raw(), e.LabelTop, e.LabelLeft, e.ControlLeft, e.ControlTop,
                            e.Number158, e.Page),
            std::make_tuple("Catalogue Refere", 405, 105, 400, 32767, 124, 0));
  const V5FieldDef value = Read<V5FieldDef>("Mystuff.vsd", 12);
  EXPECT_EQ(std::make_tuple(value.FieldName.Trimmed(), value.Caption.Trimmed(), value.Page,
                            value.LabelTop),
            std::make_tuple("Lot Value", "Value", 2, 3200));

  std::vector<int> slots;
  for (int n = 4; n <= 17; ++n) {
    const V5FieldDef f = Read<V5FieldDef>("Mystuff.vsd", n);
    slots.push_back(f.Slot);
    EXPECT_EQ(f.Text198.Raw(), std::string(32, ' ')) << n;
    EXPECT_EQ(f.LongArray246, (std::array<int32_t, 5>{-1, -1, -1, -1, -1})) << n;
    EXPECT_EQ(f.IntArray270, (std::array<int16_t, 5>{})) << n;
  }
  // The fixed fields take the free slots of their types, not their first slots.
  EXPECT_EQ(slots, (std::vector<int>{1, 2, 7, 1, 2, 3, 14, 1, 2, 3, 4, 1, 5, 6}));

  // A second run appends the same fields again.
  ConvertScreenDesigns(c);
  EXPECT_EQ(fx.NextRecordOf("video\\Mystuff.vsd"), 32);
}

// Columns find their field by name or alias; a report the new table has (the second "All") is
// skipped, and a new one is built over the last record read. BOOKS has no prior reports: their
// failed open takes number 1, whose slot still holds COIN's NextRecord 6, and leaves it free;
// BOOKS's new report table opens as number 1 too, and records 3 to 5 are read from it. Record 3
// (past its end, zeros) becomes a report without a name; records 4 and 5 then find that name
// already there.
TEST_F(ScreensTest, ReportsKeepTheColumnsThatFindAFieldAndAreConvertedOnce) {
  fx.AddType("COIN");
  fx.AddType("BOOKS");
  V5FieldDef designer = Field("DESIGNER/ENGRAVER", 5, 3);
  designer.Number158 = 42;
  WriteDesign("Coin",
              {Field("Year", 1, 2), Field("Grade", 5, 0), Field("Lot Value", 2, 4),
               Field("Denomination", 5, 6), designer},
              4);
  V4ReportDef all =
      PriorReport("All", {"year:", "VALUE:", "Grade", "", "Qty", "DES/ENG:", "Nothing Here:"});
  all.ColumnNumberA[6] = 7;
  all.ColumnNumberB[6] = -3;
  fx.WritePrior("COIN\\COIN.rpt", 3, std::vector{all, PriorReport("Mine"), all});

  ConvertReports(c);

  EXPECT_TRUE(fx.ui.Messages().empty());
  EXPECT_EQ(fx.LogLines(), (Lines{"Converting reports for collectible: Coin",
                                  "Converting reports for collectible: Book"}));
  EXPECT_EQ(fx.NextRecordOf("video\\Coin.rpt"), 5);
  const V5ReportDef r = Read<V5ReportDef>("Coin.rpt", 3);
  ASSERT_EQ(r.ColumnCount, 4);
  // "year:" names "Year"; "VALUE:" is "Lot Value" ("Grade" has slot 0); the blank label is
  // "Denomination" ("Qty" finds no "Quantity").
  EXPECT_EQ(std::vector(&r.ColumnFieldRecord[1], &r.ColumnFieldRecord[4]), (std::vector{4, 6, 7}));
  // The column of the field found: its type, slot, record, and what the design says of it.
  EXPECT_EQ(std::make_tuple(r.ColumnDataType[4], r.ColumnSlot[4], r.ColumnFieldRecord[4],
                            r.ColumnNumber158[4], r.ColumnNumberA[4], r.ColumnNumberB[4]),
            std::make_tuple(5, 3, 8, 42, 7, 0));
  // What "Mine" does not set it keeps from the record read last: the columns of "All".
  const V5ReportDef mine = Read<V5ReportDef>("Coin.rpt", 4);
  EXPECT_EQ(std::make_tuple(mine.ReportName.Trimmed(), mine.ColumnCount,
                            mine.ColumnLabel[2].Trimmed(), mine.ColumnFieldRecord[4]),
            std::make_tuple("Mine", 0, "VALUE:", 8));
  ASSERT_EQ(fx.NextRecordOf("video\\Book.rpt"), 4);
  const V5ReportDef junk = Read<V5ReportDef>("Book.rpt", 3);
  EXPECT_EQ(std::make_tuple(junk.ReportName.Raw(), junk.Text2648),
            std::make_tuple(std::string(64, '\0'), "0"));

  const std::pair first{File("video\\Coin.rpt"), File("video\\Book.rpt")};
  ConvertReports(c);
  EXPECT_EQ(std::pair(File("video\\Coin.rpt"), File("video\\Book.rpt")), first);
}

// An error the user does not ignore ends the operation with its line and its tables closed; the
// next type is not converted. Ignore goes on after a failed write: NextRecord still advances.
TEST_F(ScreensTest, AnErrorEndsTheOperationUnlessIgnored) {
  // The prior screen design left its NextRecord in the slot that the failed open of the field
  // definitions takes over: the first read goes to a closed number (52).
  AddType("MYSTUFF", {Element("A", "A", 1), Element("B", "B", 1)});
  fx.AddType("OTHER");
  ConvertScreenDesigns(c);
  EXPECT_EQ(fx.ui.Messages(), (std::vector<MessageEvent>{{kIllegalName, Icon::kExclamation,
                                                          Buttons::kOk, "Hoardwise", Reply::kOk}}));
  // The error path closed the design, writing the header that counts the two elements.
  EXPECT_EQ(fx.NextRecordOf("video\\Mystuff.vsd"), 6);
  EXPECT_FALSE(std::filesystem::exists(fx.New("video\\Other.vsd")));

  TableImage::New("Mystuff.rpt", 2780, 3).WriteTo(fx.New("video\\Mystuff.rpt"));
  fx.WritePrior("MYSTUFF\\MYSTUFF.rpt", 3,
                std::vector{PriorReport("First"), PriorReport("Second")});
  fx.faults.Add({"Mystuff.rpt", FaultOp::kWrite, kBadFileNameOrNumber});
  ConvertReports(c);
  EXPECT_EQ(fx.ui.MessageTexts(), (Lines{kIllegalName, kIllegalName}));
  for (int number = 1; number <= 3; ++number) EXPECT_FALSE(c.fs.IsOpen(number)) << number;
  EXPECT_FALSE(std::filesystem::exists(fx.New("video\\Other.rpt")));

  fx.faults.Add({"Mystuff.rpt", FaultOp::kWrite, kDeviceIoError});
  fx.ui.QueueReplies({Reply::kIgnore});
  ConvertReports(c);
  EXPECT_EQ(fx.ui.Messages().size(), 3u);
  EXPECT_EQ(fx.NextRecordOf("video\\Mystuff.rpt"), 5);
  EXPECT_EQ(Read<V5ReportDef>("Mystuff.rpt", 3).ReportName.Raw(), std::string(64, '\0'));
  EXPECT_EQ(Read<V5ReportDef>("Mystuff.rpt", 4).ReportName.Trimmed(), "Second");
  EXPECT_EQ(fx.LogLines(),
            (Lines{"Converting screen design for: MYSTUFF", "error converting screen",
                   "Converting reports for collectible: Mystuff", "Error converting report format",
                   "Converting reports for collectible: Mystuff",
                   "Converting reports for collectible: Other"}));
}

TEST(ScreensAndReports, OverflowsBadNumbersAndHugeTablesEndTheProgramWithoutAnErrorLine) {
  V4ScreenField far_down = Element("Far:", "Far", 1);
  far_down.LabelTop = 32363;
  V4ReportDef wide = PriorReport("Wide");
  wide.ColumnCount = 33;
  V4ReportDef long_text = PriorReport("Long");
  long_text.Number1458 = 100;
  const auto expect_fatal = [](Installation& t, void (*convert)(Conversion&), int error) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(convert(t.c), ProgramEnd);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_THAT(
        t.fx.ui.MessageTexts(),
        ::testing::ElementsAre(::testing::HasSubstr("condition (" + std::to_string(error) + ")")));
    EXPECT_EQ(t.fx.LogLines().size(), 1u);
  };
  for (const auto& [element, error] : {std::pair{far_down, 6}, {Element("Odd:", "Odd", 18), 9}}) {
    Installation t;
    t.AddType("MYSTUFF", {element});
    expect_fatal(t, ConvertScreenDesigns, error);
  }
  // A new report table whose NextRecord lies past the platform's position limit: 63.
  for (const auto& [report, error, huge] :
       {std::tuple{wide, 9, false}, {long_text, 59, false}, {PriorReport("Mine"), 63, true}}) {
    Installation t;
    t.fx.AddType("COIN");
    if (huge) TableImage::New("Coin.rpt", 2780, INT32_MAX).WriteTo(t.fx.New("video\\Coin.rpt"));
    t.fx.WritePrior("COIN\\COIN.rpt", 3, std::vector{report});
    expect_fatal(t, ConvertReports, error);
  }
}

}  // namespace
}  // namespace hw
