#include "collections/item_conversion.h"

#include <optional>
#include <string_view>
#include <vector>

#include "collections/item_values.h"
#include "collections/label_pairing.h"
#include "collections/picture_paths.h"
#include "collections/standard_reference.h"
#include "conversion/conversion.h"
#include "platform/run_error.h"
#include "platform/text.h"
#include "records/collection_records.h"
#include "records/data_types.h"
#include "records/field_records.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"
#include "tablestore/table_view.h"

namespace hw {

namespace {

constexpr int64_t kPriorHeaderRecord = 3;
constexpr int64_t kFirstItemRecord = 4;
constexpr int64_t kFirstScreenFieldRecord = 4;
constexpr int64_t kFirstFieldDefinitionRecord = 3;
constexpr int16_t kFieldDefinitionSlotLimit = 28;
constexpr int32_t kScreenDesignRecordLength = 536;
constexpr int32_t kScreenDesignNextRecord = 4;
constexpr int64_t kNewHeaderRecord = 3;
constexpr int32_t kNewCollectionNextRecord = 4;
constexpr int kCountryField = 2;  // the linked field that holds country and denomination

// A bank element; an index outside the bank is a subscript error.
template <class T, size_t N>
T& Element(std::array<T, N>& bank, int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(N)) throw RunError(kSubscriptOutOfRange);
  return bank[static_cast<size_t>(index)];
}

template <class T, size_t N>
const T& Element(const std::array<T, N>& bank, int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(N)) throw RunError(kSubscriptOutOfRange);
  return bank[static_cast<size_t>(index)];
}

// Elements of the new item's banks that the conversion fills by type.
constexpr int kStampDenomination = 3;   // text-32
constexpr int kCasinoDenomination = 3;  // text-64
constexpr int kTokenDenomination = 6;   // text-32

// What one collection's items are converted with, and the scratch texts of its item loop,
// which keep their storage from item to item so that an item allocates nothing.
struct CollectionPlan {
  std::string type_code;  // trimmed
  std::string standard_db_name;
  std::vector<PriorField> fields;
  Pairing pairing;
  std::string country;  // the country text; keeps its value from item to item
  ItemValue value;
  std::string number_text;
  std::string joined;
  std::string denomination;
};

template <size_t N>
void SetText(ItemValue& v, const Text<N>& t) {
  v.kind = ItemValue::Kind::kText;
  v.text.assign(TrimBlanks(t.Raw()));
}

void SetWhole(ItemValue& v, int64_t whole) {
  v.kind = ItemValue::Kind::kAmount;
  v.amount = Currency{whole * 10000};
}

void SetAmount(ItemValue& v, Currency amount) {
  v.kind = ItemValue::Kind::kAmount;
  v.amount = amount;
}

// The text of a value: its own, or the general number of its amount (kept in `scratch`).
std::string_view TextOf(const ItemValue& v, std::string& scratch) {
  if (v.kind == ItemValue::Kind::kText) return v.text;
  scratch = GeneralNumber(v.amount);
  return scratch;
}

// New content = the current content trimmed, a blank, and the text.
template <size_t N>
void Append(Text<N>& element, std::string_view text, std::string& scratch) {
  scratch.assign(TrimBlanks(element.Raw()));
  scratch += ' ';
  scratch += text;
  element.Set(scratch);
}

// --- Fields of the prior collection ---

void AddField(std::vector<PriorField>& fields, PriorField field) {
  if (fields.size() == kMaxPriorFields) throw RunError(kSubscriptOutOfRange);
  fields.push_back(std::move(field));
}

std::vector<PriorField> ReadPriorFields(Conversion& c, const std::string& type_code,
                                        bool include_field_definitions) {
  std::vector<PriorField> fields;
  int16_t& table = c.screens.prior_table;
  OpenPriorTable(c, c.prior_folder, "Video\\" + type_code, table, ".vsd");
  // Without its prior screen design the collection's values cannot be told apart.
  if (!c.fs.IsOpen(table)) throw RunError(kFileNotFound);
  V4ScreenField screen_field;
  const int64_t last_screen_field = LastRecord(c.slots.Prior(table).next_record);
  for (int64_t r = kFirstScreenFieldRecord; r <= last_screen_field; ++r) {
    ReadRecord(c, table, r, screen_field);
    AddField(fields, {screen_field.Caption.Trimmed(), screen_field.DataType, screen_field.Slot,
                      FieldSource::kScreenDesign});
  }
  CloseFile(c, table);
  if (!include_field_definitions) return fields;

  OpenPriorTable(c, c.prior_folder, "fields", table, ".mst");
  if (!c.fs.IsOpen(table)) return fields;  // a missing table has no fields to give
  V4FieldDef definition;
  const int64_t last_definition = LastRecord(c.slots.Prior(table).next_record);
  for (int64_t r = kFirstFieldDefinitionRecord; r <= last_definition; ++r) {
    ReadRecord(c, table, r, definition);
    if (definition.Slot >= kFieldDefinitionSlotLimit) continue;
    AddField(fields, {definition.FieldName.Trimmed(), definition.DataType, definition.Slot,
                      FieldSource::kFieldDefinitions});
  }
  CloseFile(c, table);
  return fields;
}

// --- Values of one item ---

// Reads the value of a prior field into `v`; false for a field whose data type keeps no value
// there (text-8 and note aside, a field's source decides between the main and the extension
// record).
bool ReadValue(const PriorField& f, const PriorItemMain& main, const PriorItemExtension& ext,
               ItemValue& v) {
  const bool on_screen = f.source == FieldSource::kScreenDesign;
  const int64_t k = f.prior_slot;
  switch (TypeOf(f.prior_type)) {
    case DataType::kInteger:
      SetWhole(v, on_screen ? Element(main.Integers, k) : Element(ext.Integers, k));
      return true;
    case DataType::kAmount:
      SetAmount(v, on_screen ? Element(main.Amounts, k) : Element(ext.Amounts, k));
      return true;
    case DataType::kText8:
      if (!on_screen) return false;
      SetText(v, Element(main.Text8, k));
      return true;
    case DataType::kText12:
      on_screen ? SetText(v, Element(main.Text12, k)) : SetText(v, Element(ext.Text12, k));
      return true;
    case DataType::kText32:
      on_screen ? SetText(v, Element(main.Text32, k)) : SetText(v, Element(ext.Text32, k));
      return true;
    case DataType::kText64:
      on_screen ? SetText(v, Element(main.Text64, k)) : SetText(v, Element(ext.Text64, k));
      return true;
    case DataType::kText128:
      on_screen ? SetText(v, Element(main.Text128, k)) : SetText(v, Element(ext.Text128, k));
      return true;
    case DataType::kText256:
      on_screen ? SetText(v, Element(main.Text256, k)) : SetText(v, Element(ext.Text256, k));
      return true;
    case DataType::kNote:
      SetText(v, main.Note);
      return true;
    case DataType::kText16:
      on_screen ? SetText(v, Element(main.Text16, k)) : SetText(v, Element(ext.Text16, k));
      return true;
    case DataType::kLong:
      if (on_screen) return false;
      SetWhole(v, Element(ext.Longs, k));
      return true;
    default:
      return false;
  }
}

void SetTaggedText(TaggedValue& d, std::string_view text) {
  d.tag = TaggedValue::kText;
  d.date = 0;
  d.text.assign(text);
  d.raw = {};
}

void SetDateOrText(TaggedValue& d, std::string_view text) {
  if (const std::optional<double> days = DateFromText(text)) {
    d.tag = TaggedValue::kDate;
    d.date = *days;
    d.text.clear();
    d.raw = {};
  } else {
    SetTaggedText(d, text);
  }
}

// Stores a value into the paired new field. A value of another kind than the field's is
// converted (an amount into a text field as its general number, a text into a number as its
// numeric value), and a prior field that keeps no value leaves the field as the clear left it:
// both give the user the item's own value rather than one left from another field.
void StoreValue(const PriorField& f, const ItemValue* v, const PriorItemExtension& prior_ext,
                CollectionPlan& plan, NewItemMain& item, NewItemExtension& ext) {
  const int64_t k = f.new_slot;
  if (TypeOf(f.new_type) == DataType::kLinked) {
    // The bank holds four linked fields; a slot past them names no field, whatever position
    // its levels would reach.
    if (k < 0 || k >= NewItemMain::kLinkedFields) throw RunError(kSubscriptOutOfRange);
    Element(item.Linked, NewItemMain::LinkedPosition(k, 0)) =
        prior_ext.Text32[PriorItemExtension::kLinkedLevel0];
    Element(item.Linked, NewItemMain::LinkedPosition(k, 1)) =
        prior_ext.Text32[PriorItemExtension::kLinkedLevel1];
    return;
  }
  if (v == nullptr) return;
  std::string_view text;
  switch (TypeOf(f.new_type)) {
    case DataType::kText8:
    case DataType::kText12:
    case DataType::kText32:
    case DataType::kText16:
    case DataType::kText64:
    case DataType::kText128:
    case DataType::kText256:
    case DataType::kNote:
    case DataType::kDate:
      text = TextOf(*v, plan.number_text);
      break;
    default:
      break;
  }
  switch (TypeOf(f.new_type)) {
    case DataType::kInteger:
      Element(item.Longs, k) = AsWholeNumber(*v);
      break;
    case DataType::kAmount:
      Element(item.Amounts, k) = AsAmount(*v);
      break;
    case DataType::kText8:
      Append(Element(item.Text8, k), text, plan.joined);
      break;
    case DataType::kText12:
      Append(Element(item.Text12, k), text, plan.joined);
      break;
    case DataType::kText32:
      Append(Element(item.Text32, k), text, plan.joined);
      break;
    case DataType::kText16:
      Append(Element(item.Text16, k), text, plan.joined);
      break;
    case DataType::kText64:
      Element(item.Text64, k).Set(text);
      break;
    case DataType::kText128:
      Element(item.Text128, k).Set(text);
      break;
    case DataType::kText256:
      Element(item.Text256, k).Set(text);
      break;
    case DataType::kNote:
      ext.Note.Set(text);
      // A note whose trimmed length is the whole width is set blank (a note never filled holds
      // 1,024 zero characters): that is a note with no blank at either end.
      if (ext.Note.Raw().front() != ' ' && ext.Note.Raw().back() != ' ') ext.Note.Blank();
      ext.Text2632.Blank();
      break;
    case DataType::kDate:
      SetDateOrText(Element(item.Dates, k), text);
      break;
    case DataType::kFlag:
      Element(item.Flags, k) = AsFlag(*v);
      break;
    default:
      break;
  }
}

void ClearItem(NewItemMain& item, NewItemExtension& ext) {
  item.Longs.fill(0);
  item.Amounts.fill(Currency{});
  item.Financial.fill(Currency{});
  item.Flags.fill(false);
  for (TaggedValue& d : item.Dates) SetTaggedText(d, {});
  for (auto& t : item.Text8) t.Blank();
  for (auto& t : item.Text12) t.Blank();
  for (auto& t : item.Text16) t.Blank();
  for (auto& t : item.Text32) t.Blank();
  for (auto& t : item.Text64) t.Blank();
  for (auto& t : item.Text128) t.Blank();
  for (auto& t : item.Text256) t.Blank();
  for (int64_t field = 0; field < NewItemMain::kLinkedFields; ++field) {
    item.Linked[NewItemMain::LinkedPosition(field, 0)].Blank();
    item.Linked[NewItemMain::LinkedPosition(field, 1)].Blank();
  }
  for (auto& t : ext.PicturePaths) t.Blank();
  ext.Note.Blank();
  ext.Text2632.Blank();
  for (auto& t : ext.Text50) t.Blank();
  ext.Longs3960.fill(0);
  ext.Longs4056.fill(0);
  ext.Longs4136.fill(0);
  ext.Longs4216.fill(0);
  ext.Integers4296.fill(0);
}

// The fixed places of the country, the denomination and the markers, by type.
void CompleteItem(Conversion& c, const CollectionPlan& plan, const std::string& denomination,
                  const PriorItemExtension& prior_ext, NewItemMain& item) {
  const std::string& type = plan.type_code;
  const Pairing& p = plan.pairing;
  Text<32>& country = item.Linked[NewItemMain::LinkedPosition(kCountryField, 0)];
  Text<32>& denomination_level = item.Linked[NewItemMain::LinkedPosition(kCountryField, 1)];
  if (type == "Coin") {
    country.Set(plan.country);
    denomination_level.Set(denomination);
    Element(item.Flags, p.government_set) =
        prior_ext.Integers[PriorItemExtension::kGovernmentSetMarker] == 2;
    const int16_t buy_sell = prior_ext.Integers[PriorItemExtension::kBuySellMarker];
    Element(item.Flags, p.buy) = buy_sell == 2 || buy_sell == 3;
    Element(item.Flags, p.sell) = buy_sell == 1 || buy_sell == 3;
  } else if (type == "Currency") {
    country.Set(plan.country);
    denomination_level.Set(denomination);
  } else if (type == "Stamps") {
    item.Text32[kStampDenomination].Set(denomination);
  } else if (type == "Casino_C") {
    item.Text64[kCasinoDenomination].Set(denomination);
  } else if (type == "Tokens") {
    item.Text32[kTokenDenomination].Set(denomination);
  } else if (type == "Ancient_") {
    country.Set(plan.country);
    denomination_level.Blank();
  }

  Element(item.Financial, p.profit) = prior_ext.Amounts[PriorItemExtension::kProfit];
  Element(item.Financial, p.realized_profit) =
      prior_ext.Amounts[PriorItemExtension::kRealizedProfit];
  Element(item.Financial, p.lot_value) = prior_ext.Amounts[PriorItemExtension::kLotValue];

  if (type == "Coin" || type == "Currency") {
    Element(item.Flags, p.manual_value) =
        prior_ext.Integers[PriorItemExtension::kManualValueMarker] == 1;
  }
  if (TrimBlanks(plan.country) == "United States" && type == "Coin") {
    item.Longs[NewItemMain::kStandardReference] =
        StandardReferenceNumber(c, prior_ext.Text12[PriorItemExtension::kUsCoinType].Raw(), item);
  }
}

void ConvertItem(Conversion& c, CollectionPlan& plan, int64_t record) {
  CollectionsState& s = c.collections;
  PriorItemMain& main = s.prior_main;
  PriorItemExtension& prior_ext = s.prior_extension;
  NewItemMain& item = s.item;
  NewItemExtension& ext = s.item_extension;
  ReadRecord(c, s.prior_collection, record, main);
  ReadRecord(c, s.prior_collection, record + 1, prior_ext);
  ClearItem(item, ext);

  // The denomination of any type is read as text: an amount by its general number (so a
  // stamp's 0.03 gives "0.03"), a text as it stands.
  std::string& denomination = plan.denomination;
  denomination.clear();
  const Pairing& p = plan.pairing;
  for (size_t n = 0; n < plan.fields.size(); ++n) {
    const int i = static_cast<int>(n);
    const PriorField& f = plan.fields[n];
    const ItemValue* v = ReadValue(f, main, prior_ext, plan.value) ? &plan.value : nullptr;
    if (i == p.country && TypeOf(f.prior_type) == DataType::kText32) {
      plan.country.assign(Element(main.Text32, f.prior_slot).Raw());
    }
    if (i == p.denomination) {
      if (v) denomination.assign(TextOf(*v, plan.number_text));
    } else if (i == p.unit) {
      if (v) denomination.append(" ").append(TextOf(*v, plan.number_text));
    } else if (i != p.country) {
      StoreValue(f, v, prior_ext, plan, item, ext);
    }
  }
  CompleteItem(c, plan, denomination, prior_ext, item);

  NewHeader& slot = c.slots.New(s.new_collection);
  WriteRecord(c, s.new_collection, slot.next_record, item);
  const PictureOwner owner{plan.type_code, TrimBlanks(plan.country), plan.standard_db_name};
  ext.PicturePaths[0].Set(main.Text128[PriorItemMain::kFirstPicture].Raw());
  ext.PicturePaths[1].Set(main.Text128[PriorItemMain::kSecondPicture].Raw());
  RewritePicturePath(ext.PicturePaths[0], ".a01", owner);
  RewritePicturePath(ext.PicturePaths[1], ".b01", owner);
  WriteRecord(c, s.new_collection, static_cast<int64_t>(slot.next_record) + 1, ext);
  slot.next_record += 2;
}

void WriteCollectionHeader(Conversion& c, const CollectionPlan& plan, const std::string& code) {
  // Each collection starts from a cleared header, so that no key-field caption or other value
  // of the collection converted before it carries over into its file.
  NewCollectionHeader header;
  header.TypeName.Set(plan.standard_db_name);
  header.Code.Set(code);
  header.Amount536 = Currency{};
  header.Amount544 = Currency{};
  header.Integer216 = 0;
  header.Integer250 = 0;
  header.Text218.Set("");
  header.KeyCaptions[0].Set("");
  header.KeyCodes[0] = -1;
  if (plan.type_code == "Coin") {
    header.KeyCaptions[0].Set("Date");
    header.KeyCodes[0] = 18;
    header.KeyCaptions[1].Set("Mint");
    header.KeyCodes[1] = 47;
  } else if (plan.type_code == "Currency") {
    header.KeyCaptions[0].Set("Friedberg #");
    header.KeyCodes[0] = 24;
  }
  header.Text316.Set("Standard");
  header.Amounts556.fill(Currency{});
  WriteRecord(c, c.collections.new_collection, kNewHeaderRecord, header);
}

void ConvertCollectionFile(Conversion& c, const std::string& file_name,
                           bool include_field_definitions) {
  CollectionsState& s = c.collections;
  const std::string code = file_name.substr(0, file_name.size() >= 4 ? file_name.size() - 4 : 0);

  CloseFile(c, s.prior_collection);
  OpenPriorTable(c, Trim(s.current_user.Folder.Raw()), code, s.prior_collection, ".cl4");
  PriorCollectionHeader prior_header;
  ReadRecord(c, s.prior_collection, kPriorHeaderRecord, prior_header);

  CollectionPlan plan;
  plan.type_code = prior_header.TypeCode.Trimmed();
  plan.standard_db_name = StandardDbName(c.refs, plan.type_code);
  plan.fields = ReadPriorFields(c, plan.type_code, include_field_definitions);

  // The new screen design stays open until the next collection's conversion closes it.
  CloseTable(c, c.screens.new_design);
  const std::string design_folder = c.new_data_folder + "video\\";
  int32_t created = 0;
  const int64_t errors = c.errors_reported;
  OpenTable(c, design_folder, plan.standard_db_name, c.screens.new_design, ".vsd",
            kScreenDesignRecordLength, kScreenDesignNextRecord, created);
  // The design is read ahead into memory only when its open went through: otherwise a fault
  // may still be pending for a read that the pairing, reading record by record, might never make.
  if (c.scan_searches || c.errors_reported != errors) {
    plan.pairing = PairFieldsByScan(c, c.screens.new_design, plan.fields, plan.type_code);
  } else {
    const PairingOutcome paired =
        PairFields(plan.fields, plan.type_code, ReadNewDesign(c, c.screens.new_design));
    if (paired.error != 0) throw RunError(paired.error);
    plan.pairing = paired.pairing;
  }

  CloseTable(c, s.new_collection);
  OpenTable(c, c.new_user_folder + "My Collections\\", s.collection_name, s.new_collection, ".clu",
            kNewCollectionRecordLength, kNewCollectionNextRecord, created);
  WriteCollectionHeader(c, plan, code);

  const int64_t last = LastRecord(c.slots.Prior(s.prior_collection).next_record);
  for (int64_t r = kFirstItemRecord; r <= last; r += 2) ConvertItem(c, plan, r);

  CloseFile(c, s.prior_collection);
  CloseTable(c, s.new_collection);
}

}  // namespace

void ConvertCollection(Conversion& c, const std::string& file_name,
                       bool include_field_definitions) {
  if (!Attempt(c, Handler::kSilent,
               [&] { ConvertCollectionFile(c, file_name, include_field_definitions); })) {
    CollectionsState& s = c.collections;
    c.Log("Error encountered converting collection ");
    // The prior screen design or field definitions may still be open when reading them failed.
    CloseFile(c, c.screens.prior_table);
    CloseFile(c, s.prior_collection);
    CloseTable(c, s.new_collection);
  }
}

}  // namespace hw
