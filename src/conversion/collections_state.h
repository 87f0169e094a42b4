#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "records/collection_records.h"
#include "records/prior_lists.h"
#include "tablestore/table_header.h"

namespace hw {

// The entries of one standard coin table by key; a key met again later keeps the first entry,
// as a search in record order stops at the first match.
class StandardCoinIndex {
 public:
  void Add(const std::string& key, int32_t reference) { references_.emplace(key, reference); }

  // 0 when no entry matches.
  int32_t Find(const std::string& key) const {
    const auto it = references_.find(key);
    return it == references_.end() ? 0 : it->second;
  }

 private:
  std::unordered_map<std::string, int32_t> references_;
};

// A standard coin table read through without any error: its header as the open read it into
// the table slot, and its entries.
struct ReadCoinTable {
  NewHeader header;
  StandardCoinIndex index;
};

// State of the collections conversion that lives for the whole run.
struct CollectionsState {
  PriorUserRecord current_user;  // the user list record being converted
  std::string collection_name;   // the collection's name, made safe for a file name

  // File-number variables; each is closed before it is reused.
  int16_t user_list = 0;
  int16_t collection_list = 0;
  int16_t prior_collection = 0;
  int32_t new_collection = 0;
  int32_t coin_table = 0;  // the standard coin table being read

  // Working records, reused from item to item and from collection to collection.
  PriorItemMain prior_main;
  PriorItemExtension prior_extension;
  NewItemMain item;
  NewItemExtension item_extension;

  // The standard coin tables read so far in this run, by coin type name.
  std::map<std::string, ReadCoinTable, std::less<>> coin_tables;
  std::string coin_key;  // the key of the coin being looked up, its storage kept
  // The last coin type code looked up and its name: coins of one collection mostly share
  // their type, and the reference tables do not change once the run has started.
  std::string last_coin_code;
  std::optional<std::string_view> last_coin_name;
};

}  // namespace hw
