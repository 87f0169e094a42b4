#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
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

namespace {

using hw::Buttons;
using hw::Icon;
using hw::Reply;
using hw::TableImage;
using hw::V4FieldDef;
using hw::V4ReportDef;
using hw::V4ScreenField;
using hw::V5FieldDef;
using hw::V5ReportDef;
using hw::testing::ConversionFixture;
using hw::testing::MessageEvent;
using Bytes = std::vector<std::byte>;

constexpr char kIllegalName[] = "That Name is illegal, you may only use A-Z,0-9,_, and &.";

MessageEvent Fatal(int number) {
  return {"An unexpected error condition (" + std::to_string(number) +
              ") has occurred, program will terminate, please try again and if you still "
              "encounter difficulty consult the troubleshooting section of the Manual or Help "
              "system",
          Icon::kExclamation, Buttons::kOk, hw::kTitle, Reply::kOk};
}

using hw::testing::IntAt;

std::string TextAt(const Bytes& b, size_t offset, size_t width) {
  return std::string(hw::testing::AsText(b).substr(offset, width));
}

template <class Record>
Bytes Encoded(const Record& r, size_t size = Record::kSize) {
  Bytes b(size);
  hw::EncodeRecord(r, b);
  return b;
}

V4ScreenField Element(const std::string& caption, const std::string& name, int16_t data_type,
                      int16_t slot = 1) {
  V4ScreenField e;
  e.Caption.Set(caption);
  e.FieldName.Set(name);
  e.DataType = data_type;
  e.Slot = slot;
  return e;
}

V5FieldDef Field(const std::string& name, int32_t data_type, int32_t slot = 1) {
  V5FieldDef f;
  f.FieldName.Set(name);
  f.DataType = data_type;
  f.Slot = slot;
  return f;
}

V4FieldDef Common(const std::string& name, int16_t data_type, int16_t slot) {
  V4FieldDef d;
  d.FieldName.Set(name);
  d.DataType = data_type;
  d.Slot = slot;
  return d;
}

V4ReportDef PriorReport(const std::string& name, const std::vector<std::string>& labels) {
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

  void WritePriorScreen(const std::string& code, const std::vector<V4ScreenField>& elements) {
    fx.WritePrior("Video\\" + code + ".vsd", 4, elements);
  }
  void WriteCommonFields(const std::vector<V4FieldDef>& defs) {
    fx.WritePrior("fields.mst", 3, defs);
  }
  // A new screen design whose fields start at `first` (3 as the new edition ships them).
  void WriteDesign(const std::string& name, const std::vector<V5FieldDef>& fields,
                   int32_t first = 3) {
    fx.WriteNew("video\\" + name + ".vsd", first, fields);
  }
  void WritePriorReports(const std::string& code, const std::vector<V4ReportDef>& reports) {
    fx.WritePrior(code + "\\" + code + ".rpt", 3, reports);
  }
  void WriteNewReports(const std::string& name, const std::vector<V5ReportDef>& reports) {
    TableImage t = TableImage::New(name + ".rpt", 2780, 3);
    for (const V5ReportDef& r : reports) t.PutBytes(t.next_record(), Encoded(r, r.EncodedSize()));
    t.set_next_record(3 + static_cast<int32_t>(reports.size()));
    t.WriteTo(fx.New("video\\" + name + ".rpt"));
  }

  Bytes File(const std::string& relative) const { return hw::testing::ReadBytes(fx.New(relative)); }
  int64_t NextRecordOf(const std::string& relative) const { return fx.NextRecordOf(relative); }
  V5FieldDef DesignRecord(const std::string& name, int64_t n) const {
    const Bytes b = File("video\\" + name + ".vsd");
    V5FieldDef f;
    EXPECT_TRUE(hw::DecodeRecord(std::span(b).subspan((n - 1) * V5FieldDef::kSize), f));
    return f;
  }
  V5ReportDef ReportRecord(const std::string& name, int64_t n) const {
    const Bytes b = File("video\\" + name + ".rpt");
    V5ReportDef r;
    EXPECT_TRUE(hw::DecodeRecord(std::span(b).subspan((n - 1) * 2780), r));
    return r;
  }

  ConversionFixture fx;
  hw::Conversion& c = fx.c();
};

class ScreensTest : public ::testing::Test, public Installation {};

// --- Prior record layouts: a field at each end and one inside, at offsets quoted from the layouts

TEST(PriorScreenRecords, FieldsSitAtTheirOffsets) {
  V4ScreenField e = Element("DES/ENG:", "Designer", 13, 4);
  e.ControlTop = 126;
  e.Number170 = -170;
  const Bytes v4 = Encoded(e);
  EXPECT_EQ(TextAt(v4, 2, 8) + TextAt(v4, 34, 8), "DES/ENG:Designer");
  EXPECT_EQ(IntAt(v4, 88, 2) + IntAt(v4, 92, 2), 13 + 4);
  EXPECT_EQ(IntAt(v4, 126, 2), 126);
  EXPECT_EQ(IntAt(v4, 170, 2), -170);

  V4FieldDef d = Common("Qty", 1, 28);
  d.Number32 = 32;
  const Bytes def = Encoded(d);
  EXPECT_EQ(TextAt(def, 0, 24), "Qty" + std::string(21, ' '));
  EXPECT_EQ(IntAt(def, 28, 2) + IntAt(def, 32, 2), 28 + 32);

  V4ReportDef p = PriorReport("Proofs", {"DES/ENG:"});
  p.ColumnNumberB[1] = -460;
  p.Number1458 = 1458;
  const Bytes rpt = Encoded(p);
  EXPECT_EQ(IntAt(rpt, 0, 2), 1);
  EXPECT_EQ(TextAt(rpt, 2, 6) + TextAt(rpt, 548, 8), "ProofsDES/ENG:");
  EXPECT_EQ(IntAt(rpt, 460, 2), -460);
  EXPECT_EQ(IntAt(rpt, 1458, 2), 1458);
}

// --- Standard types: the check for customised screens ---

std::string Customised(const std::string& code) {
  return "Your older version is using a customized user interface for the collectible " + code +
         "!We are unable to automatically determine the best approach to conversion of your "
         "data, please contact Quenfield technical support to assist with the conversion process.";
}
std::string NotConverted(const std::string& code) {
  return "Conversion not occuring for collectible: " + code + " since fields were modified";
}

TEST_F(ScreensTest, EachStandardTypeWhoseScreenWasCustomisedGetsItsMessageAndLine) {
  // Known and tolerated captions.
  fx.AddType("COIN");
  WriteDesign("Coin", {Field("Year", 1), Field("DES/ENG", 5)});
  WritePriorScreen("COIN", {Element("Year:", "Year", 1), Element("DES/ENG:", "Designer", 5),
                            Element("MM:", "Mint mark", 3)});
  const Bytes coin_design = File("video\\Coin.vsd");
  // A blank caption counts for coin only; the missing new design is created empty.
  fx.AddType("CURRENCY");
  WritePriorScreen("CURRENCY", {Element("", "Blank", 1)});
  // 1 on the prior screen does not find 13; the next type is still checked.
  fx.AddType("BAGS");
  WriteDesign("Bag", {Field("Weight", 13)});
  WritePriorScreen("BAGS", {Element("Weight:", "Weight", 1)});
  // A first "Maker" of another type does not end the search; 13 on the prior screen finds 1.
  fx.AddType("ADVERTIS");
  WriteDesign("Advertising", {Field("Maker", 5), Field("Maker", 3), Field("Count", 1)});
  WritePriorScreen("ADVERTIS", {Element("MAKER:", "Maker", 3), Element("Count:", "Count", 13)});

  hw::ConvertScreenDesigns(c);

  EXPECT_EQ(fx.ui.Messages(), (std::vector<MessageEvent>{{Customised("BAGS"), Icon::kExclamation,
                                                          Buttons::kOk, hw::kTitle, Reply::kOk}}));
  EXPECT_EQ(fx.ui.StatusCaptions().front(), "Collectible type: COIN");
  EXPECT_EQ(fx.LogLines(),
            (std::vector<std::string>{"Converting screen design for: COIN",
                                      "Converting screen design for: CURRENCY",
                                      "Converting screen design for: BAGS", NotConverted("BAGS"),
                                      "Converting screen design for: ADVERTIS"}));
  EXPECT_EQ(File("video\\Coin.vsd"), coin_design);
  EXPECT_EQ(NextRecordOf("video\\Currency.vsd"), 3);
  EXPECT_EQ(File("video\\Currency.vsd").size(), 32u);

  Installation blank;
  blank.fx.AddType("COIN");
  blank.WritePriorScreen("COIN", {Element("", "Blank", 1)});
  hw::ConvertScreenDesigns(blank.c);
  EXPECT_EQ(blank.fx.ui.MessageTexts(), std::vector<std::string>{Customised("COIN")});
}

TEST_F(ScreensTest, HugeNextRecordOfTheNewDesignCostsOnlyItsRecords) {
  // Up to record 3 000 000 every record lies within the platform's position limit: the records
  // past the end of the file all read as zeros and none matches "Color:".
  fx.AddType("ADVERTIS");
  TableImage t = TableImage::New("Advertising.vsd", V5FieldDef::kSize, 3);
  t.Append(Field("Maker", 5));
  t.set_next_record(3'000'000);
  t.WriteTo(fx.New("video\\Advertising.vsd"));
  std::vector<V4ScreenField> elements(200, Element("MAKER:", "Maker", 5));
  elements.push_back(Element("Color:", "Color", 5));
  WritePriorScreen("ADVERTIS", elements);

  const auto start = std::chrono::steady_clock::now();
  hw::ConvertScreenDesigns(c);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(fx.ui.Messages().size(), 1u);
}

// --- User-defined types: the new screen design ---

TEST_F(ScreensTest, UserTypeGetsElementsCommonFieldsAndFixedFields) {
  fx.AddType("MYSTUFF");
  V4ScreenField first = Element("Catalogue:", "Catalogue Reference Number", 1, 5);
  first.LabelTop = 100;
  first.LabelLeft = 200;
  first.ControlLeft = 300;
  first.ControlTop = 32362;  // + 405 is the largest 16-bit number
  first.Number124 = 124;
  WritePriorScreen("MYSTUFF", {first, Element("Maker:", "Maker", 1, 9)});
  WriteCommonFields({Common("Qty", 2, 4), Common("Mystery", 1, 1), Common("Value", 2, 6)});
  // Values left in the shared buffer by an earlier record do not reach these three fields.
  c.screens.field.Text198.Set("left over");
  c.screens.field.LongArray246[4] = 7;
  c.screens.field.IntArray270[4] = 7;

  hw::ConvertScreenDesigns(c);

  EXPECT_TRUE(fx.ui.Messages().empty());
  EXPECT_EQ(fx.LogLines(), std::vector<std::string>{"Converting screen design for: MYSTUFF"});
  ASSERT_EQ(NextRecordOf("video\\Mystuff.vsd"), 13);
  EXPECT_EQ(File("video\\Mystuff.vsd").size(), 12u * 536);

  // The first element moved and cut to the design's caption; "Value" on page 2 as "Lot Value".
  const V5FieldDef e = DesignRecord("Mystuff", 4);
  EXPECT_EQ(std::make_tuple(e.Caption.Raw(), e.LabelTop, e.LabelLeft, e.ControlLeft, e.ControlTop,
                            e.Number158, e.Page),
            std::make_tuple("Catalogue Refere", 505, 305, 700, 32767, 124, 0));
  const V5FieldDef value = DesignRecord("Mystuff", 7);
  EXPECT_EQ(std::make_tuple(value.FieldName.Trimmed(), value.Caption.Trimmed(), value.Page,
                            value.LabelTop),
            std::make_tuple("Lot Value", "Value", 2, 3200));

  for (int n = 4; n <= 12; ++n) {
    const V5FieldDef f = DesignRecord("Mystuff", n);
    EXPECT_EQ(f.Text198.Raw(), std::string(32, ' ')) << n;
    EXPECT_EQ(f.LongArray246, (std::array<int32_t, 5>{-1, -1, -1, -1, -1})) << n;
    EXPECT_EQ(f.IntArray270, (std::array<int16_t, 5>{})) << n;
  }

  // A second run appends the same fields again.
  hw::ConvertScreenDesigns(c);
  EXPECT_EQ(NextRecordOf("video\\Mystuff.vsd"), 22);
}

TEST_F(ScreensTest, FieldWithoutAFreeSlotKeepsItsOwn) {
  fx.AddType("MYSTUFF");
  // Type 9 has no slots; type 6 has three.
  WritePriorScreen("MYSTUFF",
                   {Element("A", "A", 9, 7), Element("B", "B", 6, 11), Element("C", "C", 6, 12),
                    Element("D", "D", 6, 13), Element("E", "E", 6, 14)});
  WriteCommonFields({});

  hw::ConvertScreenDesigns(c);

  std::vector<int> slots;
  for (int n = 4; n <= 8; ++n) slots.push_back(DesignRecord("Mystuff", n).Slot);
  EXPECT_EQ(slots, (std::vector<int>{7, 1, 2, 3, 14}));
}

TEST_F(ScreensTest, MissingFieldDefinitionsReadThroughANumberThatIsNotOpen) {
  // The prior screen design left its NextRecord in the slot that the failed open of the field
  // definitions takes over: the first read goes to a closed number (52).
  fx.AddType("MYSTUFF");
  fx.AddType("OTHER");
  WritePriorScreen("MYSTUFF", {Element("A", "A", 1), Element("B", "B", 1)});

  hw::ConvertScreenDesigns(c);

  EXPECT_EQ(fx.ui.Messages(), (std::vector<MessageEvent>{{kIllegalName, Icon::kExclamation,
                                                          Buttons::kOk, "Hoardwise", Reply::kOk}}));
  EXPECT_EQ(fx.LogLines(), (std::vector<std::string>{"Converting screen design for: MYSTUFF",
                                                     "error converting screen"}));
  // The error path closed the design, writing the header that counts the two elements.
  EXPECT_EQ(NextRecordOf("video\\Mystuff.vsd"), 6);
  EXPECT_FALSE(std::filesystem::exists(fx.New("video\\Other.vsd")));
}

// --- Report formats ---

TEST_F(ScreensTest, ReportKeepsTheColumnsThatFindAFieldByNameOrAliasAndIsConvertedOnce) {
  fx.AddType("COIN");
  V5FieldDef designer = Field("DESIGNER/ENGRAVER", 5, 3);
  designer.Number158 = 42;
  WriteDesign("Coin",
              {Field("Year", 1, 2), Field("Grade", 5, 0), Field("Lot Value", 2, 4),
               Field("Denomination", 5, 6), designer},
              4);
  V4ReportDef p =
      PriorReport("All", {"year:", "VALUE:", "Grade", "", "Qty", "DES/ENG:", "Nothing Here:"});
  p.ColumnNumberA[6] = 7;
  p.ColumnNumberB[6] = -3;
  WritePriorReports("COIN", {p});

  hw::ConvertReports(c);

  EXPECT_EQ(NextRecordOf("video\\Coin.rpt"), 4);
  const V5ReportDef r = ReportRecord("Coin", 3);
  ASSERT_EQ(r.ColumnCount, 4);
  EXPECT_EQ(r.ColumnFieldRecord[1], 4);  // "year:" names "Year"
  EXPECT_EQ(r.ColumnFieldRecord[2], 6);  // "VALUE:" is "Lot Value"; "Grade" has slot 0
  EXPECT_EQ(r.ColumnFieldRecord[3], 7);  // the blank label is "Denomination"; no "Quantity"
  // The column of the field found: its type, slot, record, and what the design says of it.
  EXPECT_EQ(std::make_tuple(r.ColumnDataType[4], r.ColumnSlot[4], r.ColumnFieldRecord[4],
                            r.ColumnNumber158[4], r.ColumnNumberA[4], r.ColumnNumberB[4]),
            std::make_tuple(5, 3, 8, 42, 7, 0));

  const Bytes after_first = File("video\\Coin.rpt");
  hw::ConvertReports(c);
  EXPECT_EQ(File("video\\Coin.rpt"), after_first);
}

TEST_F(ScreensTest, NewReportIsBuiltOverTheLastRecordRead) {
  fx.AddType("COIN");
  V5ReportDef shipped;
  shipped.ReportName.Set("Inventory");
  shipped.TextLines468[0].Set("Kept line");
  shipped.LongArray712[0] = 99;
  shipped.ColumnCount = 2;
  shipped.ColumnLabel[2].Set("Kept column");
  shipped.Text2648 = "1";
  WriteNewReports("Coin", {shipped});
  WritePriorReports("COIN", {PriorReport("Inventory", {}), PriorReport("Mine", {})});

  hw::ConvertReports(c);

  EXPECT_EQ(NextRecordOf("video\\Coin.rpt"), 5);
  const V5ReportDef r = ReportRecord("Coin", 4);
  EXPECT_EQ(std::make_tuple(r.ReportName.Trimmed(), r.ColumnCount, r.TextLines468[0].Trimmed(),
                            r.LongArray712[0], r.ColumnLabel[2].Trimmed(), r.Text2648),
            std::make_tuple("Mine", 0, "Kept line", 99, "Kept column", "0"));
}

TEST_F(ScreensTest, TypeWithoutPriorReportsAfterOneWithThemReadsItsOwnNewTable) {
  // The failed open of BOOKS's prior reports takes number 1, whose slot still holds COIN's
  // NextRecord 5, and leaves it free: the new report table of BOOKS opens as number 1 too, and
  // records 3 and 4 are read from it. Record 3 (past its end, zeros) becomes a report without a
  // name; record 4 then finds that name already there.
  fx.AddType("COIN");
  fx.AddType("BOOKS");
  WritePriorReports("COIN", {PriorReport("Mine", {}), PriorReport("Yours", {})});

  hw::ConvertReports(c);

  EXPECT_TRUE(fx.ui.Messages().empty());
  EXPECT_EQ(fx.LogLines(), (std::vector<std::string>{"Converting reports for collectible: Coin",
                                                     "Converting reports for collectible: Book"}));
  EXPECT_EQ(NextRecordOf("video\\Coin.rpt"), 5);
  ASSERT_EQ(NextRecordOf("video\\Book.rpt"), 4);
  const V5ReportDef junk = ReportRecord("Book", 3);
  EXPECT_EQ(std::make_tuple(junk.ReportName.Raw(), junk.Text2648),
            std::make_tuple(std::string(64, '\0'), "0"));
}

TEST_F(ScreensTest, WriteErrorsGoToTheOperationsHandler) {
  // Ignore goes on after the failed write: NextRecord still advances, leaving a hole.
  fx.AddType("BOOKS");
  WriteNewReports("Book", {});
  WritePriorReports("BOOKS", {PriorReport("First", {}), PriorReport("Second", {})});
  fx.faults.Add({"Book.rpt", hw::FaultOp::kWrite, hw::kDeviceIoError});
  fx.ui.QueueReplies({Reply::kIgnore});
  hw::ConvertReports(c);
  EXPECT_EQ(fx.ui.Messages().size(), 1u);
  EXPECT_EQ(NextRecordOf("video\\Book.rpt"), 5);
  EXPECT_EQ(ReportRecord("Book", 3).ReportName.Raw(), std::string(64, '\0'));
  EXPECT_EQ(ReportRecord("Book", 4).ReportName.Trimmed(), "Second");

  // An illegal-name error ends the operation with its line and its tables closed; the next
  // type is not converted.
  Installation t;
  t.fx.AddType("BOOKS");
  t.fx.AddType("COIN");
  t.WriteNewReports("Book", {});
  t.WritePriorReports("BOOKS", {PriorReport("First", {})});
  t.fx.faults.Add({"Book.rpt", hw::FaultOp::kWrite, hw::kBadFileNameOrNumber});
  hw::ConvertReports(t.c);
  EXPECT_EQ(t.fx.ui.MessageTexts(), std::vector<std::string>{kIllegalName});
  EXPECT_EQ(t.fx.LogLines(), (std::vector<std::string>{"Converting reports for collectible: Book",
                                                       "Error converting report format"}));
  for (int number = 1; number <= 3; ++number) EXPECT_FALSE(t.c.fs.IsOpen(number)) << number;
}

TEST(ScreensAndReports, OverflowsBadNumbersAndHugeTablesEndTheProgramWithoutAnErrorLine) {
  V4ScreenField far_down = Element("Far:", "Far", 1);
  far_down.LabelTop = 32363;
  V4ReportDef wide = PriorReport("Wide", {});
  wide.ColumnCount = 33;
  V4ReportDef long_text = PriorReport("Long", {});
  long_text.Number1458 = 100;
  const auto expect_fatal = [](Installation& t, void (*convert)(hw::Conversion&), int error) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(convert(t.c), hw::ProgramEnd);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(t.fx.ui.Messages(), std::vector<MessageEvent>{Fatal(error)});
    EXPECT_EQ(t.fx.LogLines().size(), 1u);
  };
  for (const auto& [element, error] : {std::pair{far_down, 6}, {Element("Odd:", "Odd", 18), 9}}) {
    Installation t;
    t.fx.AddType("MYSTUFF");
    t.WritePriorScreen("MYSTUFF", {element});
    t.WriteCommonFields({});
    expect_fatal(t, hw::ConvertScreenDesigns, error);
  }
  // A new report table whose NextRecord lies past the platform's position limit: 63.
  for (const auto& [report, error, huge] :
       {std::tuple{wide, 9, false}, {long_text, 59, false}, {PriorReport("Mine", {}), 63, true}}) {
    Installation t;
    t.fx.AddType("COIN");
    if (huge) TableImage::New("Coin.rpt", 2780, INT32_MAX).WriteTo(t.fx.New("video\\Coin.rpt"));
    t.WritePriorReports("COIN", {report});
    expect_fatal(t, hw::ConvertReports, error);
  }
}

}  // namespace
