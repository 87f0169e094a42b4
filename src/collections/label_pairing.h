#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Pairs the fields of a prior collection with the fields of the new screen design of its type
// by their labels, and finds the fields and slots that play fixed roles.
namespace hw {

struct Conversion;

inline constexpr int kNoField = -1;
inline constexpr size_t kMaxPriorFields = 64;

enum class FieldSource { kScreenDesign, kFieldDefinitions };

// A field of the prior collection, as found in the prior screen design or the field
// definition table, with the new field it was paired with (new type 0 when unpaired).
struct PriorField {
  std::string label;  // trimmed
  int16_t prior_type = 0;
  int16_t prior_slot = 0;
  FieldSource source = FieldSource::kScreenDesign;
  int32_t new_type = 0;
  int32_t new_slot = 0;
};

// A field of the new screen design as the pairing sees it.
struct DesignField {
  std::string label;  // FieldName, trimmed and upper case
  int32_t data_type = 0;
  int32_t slot = 0;
};

// The fields of a new screen design (records 4 to NextRecord - 1), read once. A table whose
// records past the end of its file would be read as zeros holds the first such record only:
// every later one is the same. `unread` is the run-time error that stopped the reading (0 when
// it went through): it belongs to the first search that runs past the fields read.
struct NewDesign {
  std::vector<DesignField> fields;
  int unread = 0;
};

// Roles (field indexes into the prior field list, kNoField when none) and summary slots.
struct Pairing {
  int country = kNoField;
  int denomination = kNoField;
  int unit = kNoField;
  int32_t buy = 0;
  int32_t sell = 0;
  int32_t government_set = 0;
  int32_t profit = 0;
  int32_t realized_profit = 0;
  int32_t manual_value = 0;
  int32_t lot_value = 0;
};

// Reads the open new screen design under `number` into memory, through the shared new screen
// design record buffer.
NewDesign ReadNewDesign(Conversion& c, int32_t number);

// The pairing, or the run-time error that a record-by-record search would have met on the way
// (then `error` is its number and the pairing is incomplete).
struct PairingOutcome {
  Pairing pairing;
  int error = 0;
};

// Pairs every field (filling new_type and new_slot) and returns the roles and summary slots.
// `type_code` is the prior type code, trimmed. A search that runs past the fields read ends
// the pairing with the design's read error.
PairingOutcome PairFields(std::vector<PriorField>& fields, std::string_view type_code,
                          const NewDesign& design);

// The same pairing read record by record from the new screen design open under `number`, for
// every field and stage anew, through the shared new screen design record buffer. Used where
// reading ahead could meet an error a search would not (the design's open met one), and by
// tests.
Pairing PairFieldsByScan(Conversion& c, int32_t number, std::vector<PriorField>& fields,
                         std::string_view type_code);

}  // namespace hw
