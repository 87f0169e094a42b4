#include "screens/screen_conversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "records/data_types.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"
#include "tablestore/table_view.h"

namespace hw {

namespace {

constexpr int32_t kDesignRecordLength = 536;
constexpr int32_t kCheckNextRecord = 3;  // a design created by the check holds nothing
constexpr int32_t kBuildNextRecord = 4;  // a built design's fields start at record 4
constexpr int32_t kFirstPriorElement = 4;
constexpr int32_t kFirstPriorCommon = 3;
constexpr int32_t kFirstDesignField = 3;

// Captions the new edition shows differently; an element bearing one of them is no sign of a
// customised screen. "" stands for the blank caption.
struct ToleratedCaptions {
  std::string_view code;
  size_t count;
  std::array<std::string_view, 11> captions;

  bool Holds(std::string_view caption) const {
    const auto end = captions.begin() + count;
    return std::find(captions.begin(), end, caption) != end;
  }
};

constexpr ToleratedCaptions kTolerated[] = {
    {"COIN", 5, {"CODES:", "DES/ENG:", "MM:", "UNIT:", "DENOM:"}},
    {"CURRENCY",
     11,
     {"#PRINTED:", "VARIETY:", "TYPE:", "DATES:", "TO", "",
      "DENOMINATION:", "SIGNATURE:", "CHARTER #:", "CITY:", "LAST SERIAL # (BLOCK):"}},
    {"ANCIENT_",
     7,
     {"DEITIES:", "DATE(S):", "CITY/TOWN:", "", "DESIGNS:", "METAL:", "NUMISMATIC CODES:"}},
    {"KNIVES", 3, {"DATE RANGE:", "MFG:", "LOCATION/COUNTRY:"}},
    {"GUNS", 4, {"MADE BY:", "VARIETY:", "MATERIAL:", "QUANTITY MADE:"}},
    {"CASINO_C", 4, {"DATE OF ISSUE:", "DENOMINATION:", "UNIT:", "CHIP TYPE:"}},
    {"AUTOGRAP", 1, {"QUANTITY KNOWN:"}},
    {"STAMPS", 3, {"SERIES:", "", "QTY PRINTED:"}},
    {"BOOKS", 3, {"PUB:", "QTY MADE:", "COUNTRY:"}},
    {"DISNEYAN", 4, {"TYPE:", "MFG CODE/CEL #:", "VARIETY:", "QTY MADE:"}},
    {"TOYS", 4, {"PERIOD:", "VARIETY:", "QTY MADE:", "COUNTRY:"}},
    {"COMIC_BO", 4, {"COUNTRY:", "AGE:", "QTY MADE:", "VARIETY:"}},
};

// The tolerated captions of a type code, or null for a type that tolerates none.
const ToleratedCaptions* ToleratedFor(const std::string& code) {
  const std::string key = Upper1252(Trim(code));
  for (const ToleratedCaptions& row : kTolerated) {
    if (row.code == key) return &row;
  }
  return nullptr;
}

// Where a field sits on the new screen and how it is edited.
struct Placement {
  int32_t Page, ControlKind, LabelTop, LabelHeight, LabelLeft, ControlLeft, ControlWidth,
      ControlHeight, ControlTop, Number102;
};

// A common field of the prior field definitions that the new edition knows. A null new name
// keeps the prior one. Not the report conversion's aliases: why the look-alike lists stay
// apart is said at kAliases.
struct CommonField {
  std::string_view prior_name;
  const char* name;
  std::string_view choice_list;
  Placement at;
  int32_t Number98;
};

const CommonField kCommonFields[] = {
    {"Qty", nullptr, "", {2, 0, 2200, 255, 4740, 5500, 1455, 420, 2200, 1}, 0},
    {"Value", "Lot Value", "", {2, 0, 3200, 255, 4740, 6000, 1455, 420, 3200, 1}, 0},
    {"Unit Value", "Unit Value", "", {2, 0, 2700, 255, 4740, 6000, 1455, 420, 2700, 1}, 0},
    {"Buy Date", "Purchase Date", "", {2, 0, 810, 255, 420, 2385, 1455, 420, 780, 1}, 0},
    {"Cost", nullptr, "", {2, 0, 1275, 255, 420, 2385, 1455, 420, 1245, 1}, 0},
    {"Seller", nullptr, "Buyers and Sellers", {2, 1, 1725, 255, 420, 1260, 3030, 0, 1710, 2}, 0},
    {"Sold Code", "Sold", "", {2, 2, 2280, 0, 390, 390, 2085, 345, 2280, 2}, 0},
    {"Date Sold", nullptr, "", {2, 0, 2760, 255, 420, 2355, 1455, 420, 2685, 1}, 0},
    {"Sold Amount", "Amount", "", {2, 0, 3195, 255, 420, 2355, 1455, 420, 3150, 2}, 0},
    {"Buyer", nullptr, "Buyers and Sellers", {2, 1, 3615, 255, 420, 1305, 3030, 0, 3600, 2}, 0},
    {"Profit", nullptr, "", {2, 0, 4305, 255, 420, 1600, 1500, 255, 4305, 2}, 0},
    {"Buy Status", "Buy", "", {2, 2, 2280, 0, 4850, 4850, 840, 345, 2280, 1}, 0},
    {"Sell Status", "Sell", "", {2, 2, 600, 0, 5905, 5905, 840, 345, 600, 1}, 0},
    {"Upgrade Status", "Upgrade", "", {2, 2, 600, 0, 7005, 7005, 1350, 345, 600, 2}, 0},
    {"Price Target", "Target Price", "", {2, 0, 1170, 255, 4740, 6645, 1710, 420, 1170, 2}, 0},
    {"Cost Goal", "Target Cost", "", {2, 0, 1670, 255, 4740, 6645, 1710, 420, 1670, 2}, 0},
    {"Grade", "Grade Owned", "Conditions", {1, 1, 180, 255, 135, 1740, 1800, 405, 120, 2}, 0},
    {"Cert. Status", "Certified by", "", {1, 2, 105, 0, 3960, 3960, 1725, 345, 105, 2}, 0},
    {"Cert. Company", "", "Certifiers", {1, 1, 105, 255, 5715, 5715, 2945, 405, 105, 2}, 0},
    {"Part of a Government Set", nullptr, "", {1, 2, 0, 0, 0, 165, 3615, 345, 555, 2}, 0},
    {"Target Grade", "Grade Sought", "", {1, 0, 1005, 255, 135, 1755, 1725, 420, 945, 2}, 0},
    {"Cert. ID", "ID #", "", {1, 0, 615, 255, 4575, 5295, 3465, 420, 570, 2}, 0},
    {"Inventory Code", "Inventory Code", "", {1, 0, 1470, 255, 135, 1920, 3945, 420, 1440, 2}, 0},
    {"Storage Location",
     "Location",
     "Location",
     {1, 3, 3840, 255, 135, 2200, 2910, 405, 3810, 2},
     0},
    {"Condition (detailed)",
     "Detailed Condition",
     "",
     {1, 0, 1920, 255, 135, 45, 7590, 1125, 2280, 4},
     1},
    {"Insurance Amount", "Insured for", "", {1, 0, 3840, 255, 5600, 7075, 1725, 420, 3810, 2}, 0},
    {"Value File", nullptr, "", {1, 0, 4320, 255, 4600, 5475, 1725, 420, 4350, 2}, 0},
};

// The fields every built screen design ends with, in this order.
struct AppendedField {
  std::string_view name;
  DataType data_type;
  int32_t first_slot;  // the slot kept when the data type has none free
  Placement at;
};

const AppendedField kAppendedFields[] = {
    {"Certified by", DataType::kInteger, 8, {1, 2, 105, 0, 3960, 3960, 1725, 345, 105, 2}},
    {"Buy", DataType::kInteger, 13, {2, 2, 600, 0, 4850, 4850, 840, 345, 600, 1}},
    {"Value File", DataType::kText12, 7, {1, 0, 4320, 255, 5600, 7775, 1725, 420, 4350, 2}},
    {"Part of a Government Set",
     DataType::kInteger,
     8,
     {1, 2, 555, 345, 165, 165, 3615, 345, 555, 2}},
    {"User", DataType::kInteger, 8, {2, 2, 3200, 255, 7600, 7600, 1400, 420, 3200, 1}},
};

std::string CustomizedScreenText(const std::string& code) {
  return "Your older version is using a customized user interface for the collectible " + code +
         "!" + "We are unable to automatically determine " +
         "the best approach to conversion of your data, please contact Quenfield technical " +
         "support to assist with the conversion process.";
}

std::string DesignFolder(const Conversion& c) { return c.new_data_folder + "video\\"; }

// A prior position moved onto the new screen: the sum is taken in 16 bits, as stored.
int32_t Moved(int16_t position, int16_t offset) {
  const int32_t sum = int32_t{position} + offset;
  if (sum > std::numeric_limits<int16_t>::max()) throw RunError(kOverflow);
  return sum;
}

void Place(V5FieldDef& f, const Placement& at) {
  f.Page = at.Page;
  f.ControlKind = at.ControlKind;
  f.LabelTop = at.LabelTop;
  f.LabelHeight = at.LabelHeight;
  f.LabelLeft = at.LabelLeft;
  f.ControlLeft = at.ControlLeft;
  f.ControlWidth = at.ControlWidth;
  f.ControlHeight = at.ControlHeight;
  f.ControlTop = at.ControlTop;
  f.Number102 = at.Number102;
}

// The values every built field gets, whatever its origin. Text198 and element 4 of the two
// number arrays are set by no step of the build; they get blanks, −1 and 0 like their
// neighbours, rather than whatever the record handled before held.
void SetBuildConstants(V5FieldDef& f) {
  f.Number0 = 0;
  f.Number6 = 0;
  f.LinkedFieldName.Blank();
  f.Text198.Blank();
  f.Number230 = -1;
  f.Text234.Blank();
  f.LongArray246.fill(-1);
  for (Text<1>& t : f.CharArray266) t.Blank();
  f.IntArray270.fill(0);
  f.Text280.Blank();
}

// Gives the field in the buffer the lowest free slot of its data type; with none free it keeps
// its slot. A data type outside 0..17 is a subscript error (9).
void AssignSlot(Conversion& c) {
  V5FieldDef& f = c.screens.field;
  const int32_t capacity = c.refs.Capacity(f.DataType);
  auto& in_use = c.screens.slot_in_use[f.DataType];
  for (int32_t k = 1; k <= capacity; ++k) {
    if (!in_use[k]) {
      in_use[k] = true;
      f.Slot = k;
      return;
    }
  }
}

void AppendField(Conversion& c) {
  ScreensState& s = c.screens;
  Attempt(c, [&] { WriteRecord(c, s.new_design, c.slots.New(s.new_design).next_record, s.field); });
  Attempt(c, [&] { ++c.slots.New(s.new_design).next_record; });
}

void SlotAndAppend(Conversion& c) {
  Attempt(c, [&] { AssignSlot(c); });
  AppendField(c);
}

int64_t LastOfPrior(Conversion& c) {
  int64_t last = 0;
  Attempt(c, [&] { last = LastRecord(c.slots.Prior(c.screens.prior_table).next_record); });
  return last;
}

// --- Standard types: is every prior element on the new screen? ---

// The prior element in the buffer has a counterpart among the new design's records (from
// record 3): a field named like its caption, or like its caption without the last character,
// of the same data type (or 1 where the prior one is 13).
bool HasCounterpart(Conversion& c, const std::string& caption, int64_t design_end) {
  ScreensState& s = c.screens;
  int64_t last = 0;
  Attempt(c, [&] { last = LastRecord(c.slots.New(s.new_design).next_record); });
  if (caption.empty()) return false;
  const std::string shorter = caption.substr(0, caption.size() - 1);
  const int32_t prior_type = s.prior_element.DataType;
  return ScanRecords(
             TableView(kFirstDesignField, last, design_end), s.field,
             [&](int64_t n) {
               return Attempt(c, [&] { ReadRecord(c, s.new_design, n, s.field); });
             },
             [&](int64_t) {
               const std::string name = Upper1252(s.field.FieldName.Trimmed());
               if (name != caption && name != shorter) return false;
               return s.field.DataType == prior_type ||
                      (TypeOf(s.field.DataType) == DataType::kInteger &&
                       TypeOf(prior_type) == DataType::kLong);
             }) != 0;
}

void CheckStandardScreen(Conversion& c, const CollectibleType& type) {
  ScreensState& s = c.screens;
  const std::string code = Trim(type.code);
  const std::string name = Trim(type.name);
  const ToleratedCaptions* tolerated = ToleratedFor(code);
  int32_t mismatches = 0;

  CloseFile(c, s.prior_table);
  OpenPriorTable(c, c.prior_folder + "Video\\", code, s.prior_table, ".vsd");
  CloseTable(c, s.new_design);
  int32_t created = 0;
  OpenTable(c, DesignFolder(c), name, s.new_design, ".vsd", kDesignRecordLength, kCheckNextRecord,
            created);
  // Nothing writes to the design while it is checked.
  const int64_t design_end = FirstRecordPastEnd(c, s.new_design);

  const int64_t last = LastOfPrior(c);
  for (int64_t r = kFirstPriorElement; r <= last; ++r) {
    Attempt(c, [&] { ReadRecord(c, s.prior_table, r, s.prior_element); });
    const std::string caption = Upper1252(s.prior_element.Caption.Trimmed());
    if (HasCounterpart(c, caption, design_end)) continue;
    if (tolerated == nullptr || !tolerated->Holds(caption)) ++mismatches;
  }
  CloseTable(c, s.new_design);
  CloseFile(c, s.prior_table);

  if (mismatches > 0) {
    c.ui.MessageBox(CustomizedScreenText(code), Icon::kExclamation, Buttons::kOk, kTitle);
    Attempt(c, [&] {
      c.Log("Conversion not occuring for collectible: " + code + " since fields were modified");
    });
  }
}

// --- User-defined types: build the new screen design ---

void FillFromElement(Conversion& c) {
  const V4ScreenField& p = c.screens.prior_element;
  V5FieldDef& f = c.screens.field;
  SetBuildConstants(f);
  f.Number2 = p.Number0;
  f.FieldName.Set(p.FieldName.Raw());
  f.Caption.Set(p.FieldName.Raw());
  f.Number90 = p.Number82;
  f.ControlKind = p.ControlKind;
  f.Number98 = p.Number104;
  f.Number102 = p.Number106;
  f.Page = 0;
  f.DataType = p.DataType;
  f.Number114 = p.Number90;
  f.Slot = p.Slot;
  Attempt(c, [&] { f.LabelTop = Moved(p.LabelTop, 405); });
  f.LabelHeight = p.LabelHeight;
  Attempt(c, [&] { f.LabelLeft = Moved(p.LabelLeft, 105); });
  Attempt(c, [&] { f.ControlLeft = Moved(p.ControlLeft, 400); });
  f.ControlWidth = p.ControlWidth;
  f.ControlHeight = p.ControlHeight;
  Attempt(c, [&] { f.ControlTop = Moved(p.ControlTop, 405); });
  f.Number150 = p.Number128;
  f.Number154 = p.Number134;
  f.Number158 = p.Number124;
  f.ChoiceListName.Set(p.ChoiceListName.Raw());
  f.Number194 = p.Number170;
}

// Fills the buffer from the prior common field; the row of the common field table it names, or
// null when the new edition does not know it.
const CommonField* FillFromCommon(Conversion& c) {
  const V4FieldDef& p = c.screens.prior_common;
  V5FieldDef& f = c.screens.field;
  SetBuildConstants(f);
  f.Number154 = 0;
  f.Caption.Set(p.FieldName.Raw());
  f.FieldName.Set(p.FieldName.Raw());
  f.Slot = p.Slot;
  f.Number114 = p.Number24;
  f.DataType = p.DataType;
  f.Number194 = p.Number30;
  f.Number150 = p.Number32;

  const std::string prior_name = p.FieldName.Trimmed();
  const auto row = std::find_if(std::begin(kCommonFields), std::end(kCommonFields),
                                [&](const CommonField& r) { return r.prior_name == prior_name; });
  if (row == std::end(kCommonFields)) return nullptr;
  if (row->name != nullptr) f.FieldName.Set(row->name);
  Place(f, row->at);
  f.ChoiceListName.Set(row->choice_list);
  f.Number98 = row->Number98;
  f.Number2 = 0;
  f.Number90 = 0;
  f.Number158 = 0;
  if (prior_name == "Storage Location") f.LinkedFieldName.Set("Container");
  return &*row;
}

void AppendFixedFields(Conversion& c) {
  V5FieldDef& f = c.screens.field;
  SetBuildConstants(f);
  f.Number154 = 0;
  f.Number194 = 0;
  f.Number150 = 1;
  for (const AppendedField& row : kAppendedFields) {
    f.FieldName.Set(row.name);
    f.Caption.Set(row.name);
    f.DataType = CodeOf(row.data_type);
    f.Slot = row.first_slot;
    Place(f, row.at);
    f.Number114 = 0;
    f.Number2 = 0;
    f.Number90 = 0;
    f.Number98 = 0;
    f.Number158 = 0;
    f.ChoiceListName.Blank();
    SlotAndAppend(c);
  }
}

void BuildUserScreen(Conversion& c, const CollectibleType& type) {
  ScreensState& s = c.screens;
  for (auto& slots : s.slot_in_use) slots.fill(false);

  CloseFile(c, s.prior_table);
  OpenPriorTable(c, c.prior_folder + "Video\\", Trim(type.code), s.prior_table, ".vsd");
  CloseTable(c, s.new_design);
  int32_t created = 0;
  OpenTable(c, DesignFolder(c), Trim(type.name), s.new_design, ".vsd", kDesignRecordLength,
            kBuildNextRecord, created);

  int64_t last = LastOfPrior(c);
  for (int64_t r = kFirstPriorElement; r <= last; ++r) {
    Attempt(c, [&] { ReadRecord(c, s.prior_table, r, s.prior_element); });
    FillFromElement(c);
    SlotAndAppend(c);
  }

  CloseFile(c, s.prior_table);
  OpenPriorTable(c, c.prior_folder, "fields", s.prior_table, ".mst");
  last = LastOfPrior(c);
  for (int64_t r = kFirstPriorCommon; r <= last; ++r) {
    Attempt(c, [&] { ReadRecord(c, s.prior_table, r, s.prior_common); });
    if (FillFromCommon(c) != nullptr) SlotAndAppend(c);
  }

  AppendFixedFields(c);
  CloseFile(c, s.prior_table);
  CloseTable(c, s.new_design);
}

void ConvertType(Conversion& c, const CollectibleType& type) {
  const std::string code = Trim(type.code);
  c.SetStatus("Collectible type: " + code);
  Attempt(c, [&] { c.Log("Converting screen design for: " + code); });
  if (type.standard) {
    CheckStandardScreen(c, type);
  } else {
    BuildUserScreen(c, type);
  }
}

}  // namespace

void ConvertScreenDesigns(Conversion& c) {
  ScreensState& s = c.screens;
  try {
    for (const CollectibleType& type : c.types) ConvertType(c, type);
  } catch (const LeaveOperation&) {
    c.Log("error converting screen");
    CloseFile(c, s.prior_table);
    CloseTable(c, s.new_design);
  }
}

}  // namespace hw
