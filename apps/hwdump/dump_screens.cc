// Screen designs and field definitions of both editions, report formats of both editions.

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <optional>

#include "hwdump/dump.h"
#include "platform/text.h"
#include "screens/field_records.h"
#include "screens/report_records.h"

namespace hwdump {

namespace {

void PrintPriorScreenField(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto f = Decoded<hw::V4ScreenField>(bytes, out);
  if (!f) return;
  Field(out, "Caption", Text(f->Caption.Raw()));
  Field(out, "FieldName", Text(f->FieldName.Raw()));
  Field(out, "DataType, Slot", fmt::format("{}, {}", f->DataType, f->Slot));
  Field(out, "ControlKind", std::to_string(f->ControlKind));
  Field(out, "LabelTop, LabelHeight, LabelLeft",
        fmt::format("{}, {}, {}", f->LabelTop, f->LabelHeight, f->LabelLeft));
  Field(out, "ControlTop, ControlLeft, ControlWidth, ControlHeight",
        fmt::format("{}, {}, {}, {}", f->ControlTop, f->ControlLeft, f->ControlWidth,
                    f->ControlHeight));
  Field(out, "ChoiceListName", Text(f->ChoiceListName.Raw()));
  Field(out, "Number0, Number82, Number90, Number104, Number106",
        fmt::format("{}, {}, {}, {}, {}", f->Number0, f->Number82, f->Number90, f->Number104,
                    f->Number106));
  Field(out, "Number124, Number128, Number134, Number170",
        fmt::format("{}, {}, {}, {}", f->Number124, f->Number128, f->Number134, f->Number170));
}

void PrintPriorFieldDef(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto d = Decoded<hw::V4FieldDef>(bytes, out);
  if (!d) return;
  Field(out, "FieldName", Text(d->FieldName.Raw()));
  Field(out, "DataType, Slot", fmt::format("{}, {}", d->DataType, d->Slot));
  Field(out, "Number24, Number30, Number32",
        fmt::format("{}, {}, {}", d->Number24, d->Number30, d->Number32));
}

void PrintFieldDef(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto f = Decoded<hw::V5FieldDef>(bytes, out);
  if (!f) return;
  Field(out, "FieldName", Text(f->FieldName.Raw()));
  Field(out, "Caption", Text(f->Caption.Raw()));
  Field(out, "LinkedFieldName", Text(f->LinkedFieldName.Raw()));
  Field(out, "Page, DataType, Slot", fmt::format("{}, {}, {}", f->Page, f->DataType, f->Slot));
  Field(out, "ControlKind", std::to_string(f->ControlKind));
  Field(out, "LabelTop, LabelHeight, LabelLeft",
        fmt::format("{}, {}, {}", f->LabelTop, f->LabelHeight, f->LabelLeft));
  Field(out, "ControlTop, ControlLeft, ControlWidth, ControlHeight",
        fmt::format("{}, {}, {}, {}", f->ControlTop, f->ControlLeft, f->ControlWidth,
                    f->ControlHeight));
  Field(out, "ChoiceListName", Text(f->ChoiceListName.Raw()));
  Field(out, "Number0, Number2, Number6, Number90, Number98, Number102",
        fmt::format("{}, {}, {}, {}, {}, {}", f->Number0, f->Number2, f->Number6, f->Number90,
                    f->Number98, f->Number102));
  Field(out, "Number114, Number150, Number154, Number158, Number194",
        fmt::format("{}, {}, {}, {}, {}", f->Number114, f->Number150, f->Number154, f->Number158,
                    f->Number194));
  Field(out, "Text198", Text(f->Text198.Raw()));
  Field(out, "Number230", std::to_string(f->Number230));
  Field(out, "Text234", Text(f->Text234.Raw()));
  Field(out, "LongArray246", fmt::format("{}", fmt::join(f->LongArray246, ", ")));
  std::string chars;
  for (const hw::Text<1>& t : f->CharArray266) chars += t.Raw();
  Field(out, "CharArray266", Quoted(chars));
  Field(out, "IntArray270", fmt::format("{}", fmt::join(f->IntArray270, ", ")));
  Field(out, "Text280", Text(f->Text280.Raw()));
}

// The columns in use; elements above ColumnCount are not shown.
int ColumnsShown(int32_t column_count) {
  return std::clamp(column_count, 0, hw::V4ReportDef::kColumns - 1);
}

void PrintPriorReport(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const auto r = Decoded<hw::V4ReportDef>(bytes, out);
  if (!r) return;
  Field(out, "ColumnCount", std::to_string(r->ColumnCount));
  Field(out, "ReportName", Text(r->ReportName.Raw()));
  Field(out, "Title1", Text(r->Title1.Raw()));
  Field(out, "Title2", Text(r->Title2.Raw()));
  Field(out, "Flag1448, Flag1450", fmt::format("{}, {}", r->Flag1448, r->Flag1450));
  Field(out, "Number1458", std::to_string(r->Number1458));
  for (int j = 1; j <= ColumnsShown(r->ColumnCount); ++j) {
    Field(out, fmt::format("Column {}: ColumnLabel, ColumnNumberA, ColumnNumberB", j),
          fmt::format("{}, {}, {}", Text(r->ColumnLabel[j].Raw()), r->ColumnNumberA[j],
                      r->ColumnNumberB[j]));
  }
}

void PrintReport(int64_t, std::span<const std::byte> bytes, std::ostream& out) {
  const size_t size = hw::V5ReportDef::EncodedSizeOf(bytes);
  if (size == 0 || size > bytes.size()) {
    out << "  (record shorter than the layout its Text2648 length asks for)\n";
    return;
  }
  hw::V5ReportDef r;
  r.Decode(bytes);
  Field(out, "ColumnCount", std::to_string(r.ColumnCount));
  Field(out, "ReportName", Text(r.ReportName.Raw()));
  for (size_t i = 0; i < r.TitleLines.size(); ++i) {
    Field(out, fmt::format("TitleLines({})", i), Text(r.TitleLines[i].Raw()));
  }
  for (size_t i = 0; i < r.TextLines468.size(); ++i) {
    Field(out, fmt::format("TextLines468({})", i), Text(r.TextLines468[i].Raw()));
  }
  Field(out, "Number708, Number710", fmt::format("{}, {}", r.Number708, r.Number710));
  Field(out, "LongArray712", fmt::format("{}", fmt::join(r.LongArray712, ", ")));
  Field(out, "FontName", Text(r.FontName.Raw()));
  Field(out, "Number780, Number782, Number786",
        fmt::format("{}, {}, {}", r.Number780, r.Number782, r.Number786));
  Field(out, "Number2636, Number2642", fmt::format("{}, {}", r.Number2636, r.Number2642));
  Field(out, "Flag2640", Flag(r.Flag2640));
  Field(out, "Flag2646", Flag(r.Flag2646));
  Field(out, "Text2648", fmt::format("{} ({} characters)", Quoted(r.Text2648), r.Text2648.size()));
  Field(out, "Text128", Text(r.Text128.Raw()));
  Field(out, "(record size)", std::to_string(size));
  for (int j = 1; j <= ColumnsShown(r.ColumnCount); ++j) {
    Field(out,
          fmt::format("Column {}: ColumnLabel, ColumnDataType, ColumnSlot, ColumnFieldRecord", j),
          fmt::format("{}, {}, {}, {}", Text(r.ColumnLabel[j].Raw()), r.ColumnDataType[j],
                      r.ColumnSlot[j], r.ColumnFieldRecord[j]));
    Field(out,
          fmt::format("Column {}: ColumnNumber158, ColumnNumberA, ColumnNumberB, ColumnNumberC, "
                      "ColumnNumberD",
                      j),
          fmt::format("{}, {}, {}, {}, {}", r.ColumnNumber158[j], r.ColumnNumberA[j],
                      r.ColumnNumberB[j], r.ColumnNumberC[j], r.ColumnNumberD[j]));
  }
}

auto WithExtension(const char* extension, bool new_edition) {
  return [extension, new_edition](const std::string& name, bool new_header) {
    return new_header == new_edition && Extension(name) == extension;
  };
}

const bool kRegistered = [] {
  // A screen design's first records: 4 in the prior edition, 3 in the new one (a design built
  // by the conversion leaves record 3 unwritten).
  Register(
      Layout{"prior-screen-design", true, 4, WithExtension(".vsd", false), PrintPriorScreenField});
  Register(Layout{"screen-design", false, 3, WithExtension(".vsd", true), PrintFieldDef});
  Register(Layout{"prior-field-definitions", true, 3,
                  [](const std::string& name, bool new_header) {
                    return !new_header && hw::Upper1252(name) == "FIELDS.MST";
                  },
                  PrintPriorFieldDef});
  Register(Layout{"prior-report-formats", true, 3, WithExtension(".rpt", false), PrintPriorReport});
  Register(Layout{"report-formats", false, 3, WithExtension(".rpt", true), PrintReport});
  return true;
}();

}  // namespace

}  // namespace hwdump
