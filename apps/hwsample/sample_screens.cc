// The sample's screen customisations and report formats: a standard type whose prior screen the
// user customised, the prior report formats of every type, and a report format the new edition
// already ships. The prior screen designs themselves come with the collections.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "fixtures/table_image.h"
#include "hwsample/sample.h"
#include "platform/record_codec.h"
#include "platform/text.h"
#include "records/data_types.h"
#include "records/field_records.h"
#include "records/report_records.h"
#include "tablestore/table_header.h"

namespace hwsample {

namespace {

namespace fs = std::filesystem;

constexpr char kUserDefinedType[] = "MYSTUFF";
// The standard type whose prior screen gained a field of the user's own.
constexpr char kCustomisedType[] = "STAMPS";
constexpr int32_t kNewReportLength = 2780;

std::vector<std::byte> ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.eof() && in.fail()) throw std::runtime_error("cannot read " + file.string());
  std::vector<std::byte> bytes(chars.size());
  std::memcpy(bytes.data(), chars.data(), chars.size());
  return bytes;
}

void WriteFile(const fs::path& file, const std::vector<std::byte>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

// The user added a field of their own to the standard screen: the new edition has no field
// of that name, so the conversion reports the screen as customised.
void CustomiseStandardScreen(const SampleContext& ctx) {
  const PriorFieldRow added = {"Plate Block:", "Plate Block", hw::DataType::kText32, 8};
  const fs::path file = ctx.prior_root / "Video" / (std::string(kCustomisedType) + ".vsd");
  if (!fs::exists(file)) {
    hw::TableImage t = hw::TableImage::Prior("STAMPS.vsd", hw::V4ScreenField::kSize, 4);
    t.Append(PriorField({"Country:", "Country", hw::DataType::kText32, 1}, 0));
    t.Append(PriorField(added, 1));
    fs::create_directories(file.parent_path());
    t.WriteTo(file);
    return;
  }
  std::vector<std::byte> bytes = ReadFile(file);
  hw::PriorHeader header;
  const bool read = hw::DecodeRecord(bytes, header);
  const size_t length = static_cast<size_t>(header.record_length);
  if (!read || length < hw::V4ScreenField::kSize) {
    throw std::runtime_error("unexpected " + file.string());
  }
  const size_t at = static_cast<size_t>(header.next_record - 1) * length;
  bytes.resize(std::max(bytes.size(), at + length));
  hw::EncodeRecord(PriorField(added, header.next_record - 4),
                   std::span(bytes).subspan(at, hw::V4ScreenField::kSize));
  ++header.next_record;
  hw::EncodeRecord(header, std::span(bytes).first(hw::PriorHeader::kSize));
  WriteFile(file, bytes);
}

struct SampleReport {
  const char* name;
  const char* title1;
  const char* title2;
  std::initializer_list<const char*> labels;
};

hw::V4ReportDef PriorReport(const SampleReport& report, int16_t number1458) {
  hw::V4ReportDef r;
  r.ReportName.Set(report.name);
  r.Title1.Set(report.title1);
  r.Title2.Set(report.title2);
  r.Unused1482.Blank();
  int16_t j = 0;
  for (const char* label : report.labels) {
    ++j;
    r.ColumnLabel[j].Set(label);
    r.ColumnNumberA[j] = static_cast<int16_t>(1200 * j);
    // Every third column holds a negative number here, which the conversion writes as 0.
    r.ColumnNumberB[j] = static_cast<int16_t>(j % 3 == 0 ? -1 : 1400);
  }
  r.ColumnCount = j;
  r.Flag1448 = 1;
  r.Number1458 = number1458;
  return r;
}

void WritePriorReports(const SampleContext& ctx, const std::string& code,
                       std::initializer_list<SampleReport> reports) {
  hw::TableImage t = hw::TableImage::Prior(code + ".rpt", hw::V4ReportDef::kSize, 3);
  int16_t n = 0;
  for (const SampleReport& report : reports) {
    t.Append(PriorReport(report, static_cast<int16_t>(10 + n++)));
  }
  fs::create_directories(ctx.prior_root / code);
  t.WriteTo(ctx.prior_root / code / (code + ".rpt"));
}

// The prior reports of every type in the sample. Each type has a report table, so a type never
// reads through a report table number that the type before it left behind.
void WriteAllPriorReports(const SampleContext& ctx) {
  for (const std::string& code : ctx.type_codes) {
    if (code == "COIN") {
      WritePriorReports(
          ctx, code,
          {{"Coin Inventory", "Coin ", "Inventory", {"Year:", "Mint:", "QTY:", "VALUE:"}},
           {"Proof Sets",
            "Proof Sets by ",
            "  Designer",
            {"Year:", "DES/ENG:", "New Line", "DENOM:", "QTY:", "Box Color:", "VALUE:"}}});
    } else if (code == kUserDefinedType) {
      WritePriorReports(ctx, code,
                        {{"Stuff by Maker",
                          "My Stuff",
                          "",
                          {"Maker:", "Year Made:", "New Line",
                           "Country:", "VALUE:", "QTY:", "Shelf Number:", "Certified by"}}});
    } else {
      WritePriorReports(ctx, code, {{"Inventory List", "Inventory", "", {"QTY:", "VALUE:"}}});
    }
  }
}

// The new edition ships a coin inventory report of the same name as the prior one.
void WriteShippedReport(const SampleContext& ctx) {
  hw::V5ReportDef r;
  r.ReportName.Set("Coin Inventory");
  for (hw::Text<80>& t : r.TitleLines) t.Blank();
  r.TitleLines[0].Set("Coin Inventory");
  for (hw::Text<80>& t : r.TextLines468) t.Blank();
  r.FontName.Set("Arial");
  r.Number782 = 10;
  r.Flag2640 = true;
  r.Text2648 = '0';
  r.Text128.Blank();
  for (hw::Text<24>& t : r.ColumnLabel) t.Blank();
  r.ColumnCount = 1;
  r.ColumnLabel[1].Set("Year");
  r.ColumnDataType[1] = hw::CodeOf(hw::DataType::kInteger);
  r.ColumnSlot[1] = 1;
  r.ColumnFieldRecord[1] = 4;
  std::vector<std::byte> bytes(r.EncodedSize());
  hw::EncodeRecord(r, bytes);
  hw::TableImage t = hw::TableImage::New("Coin.rpt", kNewReportLength, 3);
  t.PutBytes(3, bytes);
  t.set_next_record(4);
  fs::create_directories(ctx.new_root / "video");
  t.WriteTo(ctx.new_root / "video" / "Coin.rpt");
}

}  // namespace

void WriteScreens(SampleContext& ctx) {
  CustomiseStandardScreen(ctx);
  WriteAllPriorReports(ctx);
  WriteShippedReport(ctx);
}

}  // namespace hwsample
