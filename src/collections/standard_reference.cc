#include "collections/standard_reference.h"

#include <array>
#include <optional>

#include "conversion/conversion.h"
#include "platform/run_error.h"
#include "platform/text.h"
#include "screens/record_scan.h"
#include "tablestore/table_store.h"

namespace hw {

namespace {

constexpr int64_t kFirstEntryRecord = 4;
constexpr int32_t kCreationNextRecord = 3;
constexpr int kDenominationField = 2;

void AddPart(std::string& key, std::string_view text) {
  const std::string_view part = TrimBlanks(text);
  key += std::to_string(part.size());
  key += ':';
  key += part;
}

}  // namespace

std::string StandardCoinKey(const NewItemMain& item) {
  std::string key;
  AddPart(key, item.Linked[NewItemMain::LinkedPosition(kDenominationField, 1)].Raw());
  AddPart(key, item.Text32[5].Raw());
  AddPart(key, item.Text32[3].Raw());
  AddPart(key, item.Text32[14].Raw());
  AddPart(key, item.Text8[1].Raw());
  AddPart(key, item.Text128[1].Raw());
  return key;
}

void StandardCoinIndex::Add(std::string key, int32_t reference) {
  references_.emplace(std::move(key), reference);
}

int32_t StandardCoinIndex::Find(const std::string& key) const {
  const auto it = references_.find(key);
  return it == references_.end() ? 0 : it->second;
}

StandardCoinIndex IndexStandardCoinTable(Conversion& c, int32_t number) {
  StandardCoinIndex index;
  NewItemMain entry;
  std::array<std::byte, NewItemMain::kSize> record;
  try {
    const int64_t last = LastRecord(c.slots.New(number).next_record);
    const int64_t past_end = FirstRecordPastEnd(c, number);
    for (int64_t r = kFirstEntryRecord; r <= last; r += 2) {
      c.fs.GetRecord(number, r, record);
      if (DecodeRecord(record, entry)) {
        index.Add(StandardCoinKey(entry), entry.Longs[NewItemMain::kStandardReference]);
      }
      // Past the end of the file every record reads as zeros, like this one: no later record
      // can be a first match.
      if (r >= past_end) break;
    }
  } catch (const RunError&) {
    // A search in record order ends here with 0; the entries before still answer first.
  }
  return index;
}

int32_t StandardReferenceNumber(Conversion& c, std::string_view coin_type_code,
                                const NewItemMain& item) {
  if (coin_type_code.empty()) return 0;
  CollectionsState& s = c.collections;
  try {
    const std::optional<std::string> name = CoinTypeName(c.refs, coin_type_code);
    if (!name || name->empty()) {
      CloseTable(c, s.coin_table);
      return 0;
    }
    auto it = s.coin_indexes.find(*name);
    if (it == s.coin_indexes.end()) {
      const std::string folder = c.new_data_folder + "StdDB\\United States Coin\\";
      CloseTable(c, s.coin_table);
      int32_t created = 0;
      OpenTable(c, folder, *name, s.coin_table, ".tyu", kNewCollectionRecordLength,
                kCreationNextRecord, created);
      if (!c.fs.IsOpen(s.coin_table)) {
        // Not remembered: the next coin of this type tries the table again, as a search would.
        CloseTable(c, s.coin_table);
        return 0;
      }
      StandardCoinIndex index = IndexStandardCoinTable(c, s.coin_table);
      CloseTable(c, s.coin_table);
      it = s.coin_indexes.emplace(*name, std::move(index)).first;
    }
    return it->second.Find(StandardCoinKey(item));
  } catch (const RunError&) {
    CloseTable(c, s.coin_table);
    return 0;
  }
}

}  // namespace hw
