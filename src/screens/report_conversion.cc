#include "screens/report_conversion.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"
#include "tablestore/table_view.h"

namespace hw {

namespace {

constexpr int32_t kReportRecordLength = 2780;
constexpr int32_t kReportNextRecord = 3;
constexpr int32_t kDesignRecordLength = 536;
constexpr int32_t kDesignNextRecord = 3;
constexpr int64_t kFirstReport = 3;
constexpr int64_t kFirstField = 4;
constexpr int kLastColumn = 32;

// Labels of the prior screens whose field the new edition names differently. The key is the
// label in upper case, trimmed, without a final colon.
//
// The label pairing of the collections (kChangedLabels) and the screen conversion's common
// fields (kCommonFields) hold look-alike lists. They stay three on purpose: each is the list of
// its own step, with its own words ("COST TARGET" here, "TARGET COST" in the pairing; "ID#"
// here, "ID #" there), rows for some types only in the pairing, and placements in the screen
// conversion, and the files written depend on each exactly as it stands.
struct Alias {
  std::string_view key;
  std::string_view field;
};

constexpr Alias kAliases[] = {
    {"QTY", "QUANTITY"},
    {"DES/ENG", "DESIGNER/ENGRAVER"},
    {"DENOM", "DENOMINATION"},
    {"UNIT", "DENOMINATION"},
    {"", "DENOMINATION"},
    {"CODES", "NUMISMATIC CODES"},
    {"STORAGE CONTAINER", "CONTAINER"},
    {"STORAGE LOCATION", "LOCATION"},
    {"COST GOAL", "COST TARGET"},
    {"SOLD CODE", "SOLD"},
    {"UPGRADE STATUS", "UPGRADE"},
    {"INSURANCE AMOUNT", "INSURED FOR"},
    {"CERT. COMPANY", "CERTIFIED BY"},
    {"CERT. ID", "ID#"},
    {"BUY DATE", "PURCHASE DATE"},
    {"CONDITION (DETAILED)", "DETAILED CONDITION"},
    {"VALUE", "LOT VALUE"},
    {"SIGNATURE", "SIGNATURES"},
    {"TYPE", "CURRENCY TYPE"},
    {"VARIETY", "DESCRIPTION"},
    {"#PRINTED", "# PRINTED"},
    {"METAL", "COINAGE METAL"},
    {"CITY/TOWN", "TOWN"},
    {"DATE(S)", "DATE"},
    {"DESIGNS", "DESIGN (OBV)"},
    {"DEITIES", "DEITY/SYMBOL"},
};

std::optional<std::string_view> AliasedField(std::string_view key) {
  for (const Alias& a : kAliases) {
    if (a.key == key) return a.field;
  }
  return std::nullopt;
}

// A column label of the prior report; the arrays end at element 32 (else 9).
const Text<24>& PriorColumnLabel(const V4ReportDef& p, int32_t column) {
  if (column < 0 || column > kLastColumn) throw RunError(kSubscriptOutOfRange);
  return p.ColumnLabel[column];
}

// Reads a new report format into the report buffer. Its Text2648 must end within the record.
void ReadReport(Conversion& c, int64_t record) {
  ScreensState& s = c.screens;
  std::vector<std::byte> bytes(std::max(c.slots.New(s.new_report).record_length, 0));
  c.fs.GetRecord(s.new_report, record, bytes);
  if (!DecodeRecord(bytes, s.report)) throw RunError(kBadRecordLength);
}

// Writes the report buffer at the new report table's NextRecord, at its own length: a record
// longer than the table's record length is 59.
void WriteReport(Conversion& c) {
  ScreensState& s = c.screens;
  std::vector<std::byte> bytes(s.report.EncodedSize());
  EncodeRecord(s.report, bytes);
  c.fs.PutRecord(s.new_report, c.slots.New(s.new_report).next_record, bytes);
}

// Scans the new report formats for the prior report's name; the buffer is left holding the
// last record read.
bool ReportExists(Conversion& c) {
  ScreensState& s = c.screens;
  int64_t last = 0;
  Attempt(c, [&] { last = LastRecord(c.slots.New(s.new_report).next_record); });
  const std::string name = s.prior_report_def.ReportName.Trimmed();
  return ScanRecords(
             TableView::Of(c, s.new_report, kFirstReport, last), s.report,
             [&](int64_t n) { return Attempt(c, [&] { ReadReport(c, n); }); },
             [&](int64_t) { return s.report.ReportName.Trimmed() == name; }) != 0;
}

// Builds the new report in the buffer over whatever it holds; fields not named here keep it.
void BuildReport(Conversion& c) {
  const V4ReportDef& p = c.screens.prior_report_def;
  V5ReportDef& r = c.screens.report;
  r.ReportName = p.ReportName;
  r.Text128.Blank();
  r.TextLines468[1].Blank();
  r.TitleLines[1].Set(p.Title1.Trimmed() + p.Title2.Trimmed());
  r.Flag2646 = p.Flag1448 != 0;
  r.Flag2640 = p.Flag1450 != 0;
  r.Number710 = 0;
  r.Number780 = 0;
  r.Number786 = 0;
  r.Number708 = 0;
  r.Number782 = 12;
  r.Number2636 = 0;
  r.FontName.Set("Arial");
  r.Text2648 = std::to_string(p.Number1458);
}

// The prior columns whose label finds a field, in order; line breaks and columns without a
// field are dropped.
void ConvertColumns(Conversion& c) {
  ScreensState& s = c.screens;
  const V4ReportDef& p = s.prior_report_def;
  V5ReportDef& r = s.report;
  int32_t count = 0;
  for (int32_t j = 1; j <= p.ColumnCount; ++j) {
    bool line_break = false;
    Attempt(c, [&] { line_break = PriorColumnLabel(p, j).Trimmed() == "New Line"; });
    if (line_break) continue;
    Attempt(c, [&] { FindScreenField(c, PriorColumnLabel(p, j).Raw()); });
    if (s.found_slot <= 0) continue;
    ++count;
    r.ColumnNumberD[count] = 0;
    r.ColumnLabel[count] = p.ColumnLabel[j];
    r.ColumnNumberC[count] = 0;
    r.ColumnNumber158[count] = s.found_number158;
    r.ColumnDataType[count] = s.found_data_type;
    r.ColumnSlot[count] = s.found_slot;
    r.ColumnFieldRecord[count] = s.found_record;
    r.ColumnNumberA[count] = p.ColumnNumberA[j];
    r.ColumnNumberB[count] = std::max<int32_t>(p.ColumnNumberB[j], 0);
  }
  r.ColumnCount = count;
}

void ConvertTypeReports(Conversion& c, const CollectibleType& type) {
  ScreensState& s = c.screens;
  const std::string name = Trim(type.name);
  c.SetStatus("Collectible type: " + name);
  Attempt(c, [&] { c.Log("Converting reports for collectible: " + name); });
  CloseTable(c, s.new_design);
  CloseTable(c, s.new_report);
  CloseFile(c, s.prior_report);

  OpenPriorTable(c, c.prior_folder + type.code + "\\", Trim(type.code), s.prior_report, ".rpt");
  const std::string folder = c.new_data_folder + "video\\";
  int32_t created = 0;
  OpenTable(c, folder, type.name, s.new_report, ".rpt", kReportRecordLength, kReportNextRecord,
            created);
  OpenTable(c, folder, type.name, s.new_design, ".vsd", kDesignRecordLength, kDesignNextRecord,
            created);
  // Nothing writes to the screen design while the reports are converted.
  s.new_design_end = FirstRecordPastEnd(c, s.new_design);

  int64_t last = 0;
  Attempt(c, [&] { last = LastRecord(c.slots.Prior(s.prior_report).next_record); });
  for (int64_t r = kFirstReport; r <= last; ++r) {
    Attempt(c, [&] { ReadRecord(c, s.prior_report, r, s.prior_report_def); });
    if (ReportExists(c)) continue;
    BuildReport(c);
    ConvertColumns(c);
    Attempt(c, [&] { WriteReport(c); });
    Attempt(c, [&] { ++c.slots.New(s.new_report).next_record; });
  }
  CloseTable(c, s.new_design);
  CloseTable(c, s.new_report);
  CloseFile(c, s.prior_report);
}

}  // namespace

void FindScreenField(Conversion& c, std::string_view label) {
  ScreensState& s = c.screens;
  s.found_data_type = 0;
  s.found_slot = 0;
  s.found_record = 0;
  s.found_number158 = 0;
  const auto read = [&](int64_t n) {
    ReadRecord(c, s.new_design, n, s.field);
    return true;
  };
  const auto field_name = [&] { return Upper1252(s.field.FieldName.Trimmed()); };

  const std::string wanted = Upper1252(Trim(label));
  const auto design = [&] {
    return TableView(kFirstField, LastRecord(c.slots.New(s.new_design).next_record),
                     s.new_design_end);
  };
  int64_t found = ScanRecords(design(), s.field, read, [&](int64_t) {
    const std::string name = field_name();
    return wanted == name || wanted == name + ":";
  });
  if (found == 0) {
    std::string key = wanted;
    if (!key.empty() && key.back() == ':') key.pop_back();
    const std::optional<std::string_view> alias = AliasedField(key);
    // Every record is read even when the label has no alias.
    found = ScanRecords(design(), s.field, read,
                        [&](int64_t) { return alias && field_name() == *alias; });
  }
  if (found == 0) return;
  s.found_data_type = s.field.DataType;
  s.found_slot = s.field.Slot;
  s.found_record = static_cast<int32_t>(found);
  s.found_number158 = s.field.Number158;
}

void ConvertReports(Conversion& c) {
  ScreensState& s = c.screens;
  try {
    for (const CollectibleType& type : c.types) ConvertTypeReports(c, type);
  } catch (const LeaveOperation&) {
    c.Log("Error converting report format");
    CloseTable(c, s.new_design);
    CloseTable(c, s.new_report);
    CloseFile(c, s.prior_report);
  }
}

}  // namespace hw
