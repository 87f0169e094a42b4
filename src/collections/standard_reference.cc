#include "collections/standard_reference.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "conversion/conversion.h"
#include "platform/run_error.h"
#include "platform/text.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"
#include "tablestore/table_view.h"

namespace hw {

namespace {

constexpr int64_t kFirstEntryRecord = 4;
constexpr int32_t kCreationNextRecord = 3;
constexpr int kDenominationField = 2;

// Each part after its length in one byte (no field is longer than 128 characters), so that no
// two different sets of fields make the same key.
template <size_t N>
void AddPart(std::string& key, const Text<N>& field) {
  static_assert(N <= 255);
  const std::string_view part = TrimBlanks(field.Raw());
  key += static_cast<char>(part.size());
  key += part;
}

}  // namespace

void StandardCoinKey(const NewItemMain& item, std::string& key) {
  key.clear();
  AddPart(key, item.Linked[NewItemMain::LinkedPosition(kDenominationField, 1)]);
  AddPart(key, item.Text32[5]);
  AddPart(key, item.Text32[3]);
  AddPart(key, item.Text32[14]);
  AddPart(key, item.Text8[1]);
  AddPart(key, item.Text128[1]);
}

namespace {

// The first entry in record order whose key is `key`, reading the main records 4, 6, 8, ... up to
// NextRecord - 1 of the table open under `number` one by one. A run-time error ends the search
// (thrown). An entry whose date bank cannot be stepped over matches nothing.
int32_t ScanStandardCoinTable(Conversion& c, int32_t number, const std::string& key) {
  NewItemMain entry;
  std::string entry_key;
  std::array<std::byte, NewItemMain::kSize> record;
  const int64_t last = LastRecord(c.slots.New(number).next_record);
  for (int64_t r = kFirstEntryRecord; r <= last; r += 2) {
    c.fs.GetRecord(number, r, record);
    if (!DecodeRecord(record, entry)) continue;
    StandardCoinKey(entry, entry_key);
    if (entry_key == key) return entry.Longs[NewItemMain::kStandardReference];
  }
  return 0;
}

// Reads the same records into `index`; false when a run-time error ended the reading (the entries
// before it still answer first, as they would in a search in record order).
bool IndexStandardCoinTable(Conversion& c, int32_t number, StandardCoinIndex& index) {
  NewItemMain entry;
  std::string key;
  std::array<std::byte, NewItemMain::kSize> record;
  return Attempt(c, Handler::kSilent, [&] {
    // No later record of the tail can be a first match, and a failed read of the last would
    // only end a search that found nothing.
    const TableView view =
        TableView::Of(c, number, kFirstEntryRecord, LastRecord(c.slots.New(number).next_record), 2);
    const int64_t last = std::min(view.last(), view.Tail());
    for (int64_t r = view.first(); r <= last; r += view.step()) {
      c.fs.GetRecord(number, r, record);
      if (DecodeRecord(record, entry)) {
        StandardCoinKey(entry, key);
        index.Add(key, entry.Longs[NewItemMain::kStandardReference]);
      }
    }
  });
}

// The standard reference number, with any run-time error thrown.
int32_t LookUpStandardReference(Conversion& c, std::string_view coin_type_code,
                                const NewItemMain& item) {
  CollectionsState& s = c.collections;
  if (coin_type_code != s.last_coin_code) {
    s.last_coin_code.assign(coin_type_code);
    s.last_coin_name = CoinTypeName(c.refs, coin_type_code);
  }
  const std::optional<std::string_view> name = s.last_coin_name;
  CloseTable(c, s.coin_table);
  if (!name || name->empty()) return 0;
  std::string& key = s.coin_key;
  StandardCoinKey(item, key);
  if (!c.scan_searches) {
    const auto it = s.coin_tables.find(*name);
    if (it != s.coin_tables.end()) {
      // What the open and close of the table would leave: LastError cleared, the header in
      // the slot of the number the open would take (slots outlive closes, and a later failed
      // open sees them), and the variable at 0, even when it held a table that failed to close.
      c.last_error = 0;
      c.slots.New(c.fs.FreeFile()) = it->second.header;
      s.coin_table = 0;
      return it->second.index.Find(key);
    }
  }

  const int64_t errors_before = c.errors_reported;
  int32_t created = 0;
  OpenTable(c, c.new_data_folder + "StdDB\\United States Coin\\", std::string(*name), s.coin_table,
            ".tyu", kNewCollectionRecordLength, kCreationNextRecord, created);
  if (c.scan_searches) {
    const int32_t reference = ScanStandardCoinTable(c, s.coin_table, key);
    CloseTable(c, s.coin_table);
    return reference;
  }
  // An error answered during the open (a header left unread, say) or while reading may have
  // given a partial or stale index: it answers this coin only.
  ReadCoinTable table;
  const bool complete = IndexStandardCoinTable(c, s.coin_table, table.index);
  const int32_t reference = table.index.Find(key);
  if (complete && c.errors_reported == errors_before) {
    table.header = c.slots.New(s.coin_table);
    s.coin_tables.emplace(std::string(*name), std::move(table));
  }
  CloseTable(c, s.coin_table);
  return reference;
}

}  // namespace

int32_t StandardReferenceNumber(Conversion& c, std::string_view coin_type_code,
                                const NewItemMain& item) {
  if (coin_type_code.empty()) return 0;
  int32_t reference = 0;
  if (!Attempt(c, Handler::kSilent,
               [&] { reference = LookUpStandardReference(c, coin_type_code, item); })) {
    CloseTable(c, c.collections.coin_table);
    return 0;
  }
  return reference;
}

}  // namespace hw
