#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// The fixed reference tables: collectible types, field data types with their slot capacities,
// standard-database names and United States coin types. Filled once at start-up.
namespace hw {

struct FieldType {
  std::string display_name;  // empty for codes without a name
  int32_t capacity = 0;      // storage slots of this type in a new collection record
};

struct CollectibleTypeRow {
  std::string code;  // the prior edition's code, upper case
  std::string name;  // the new edition's type name
};

struct NamePair {
  std::string code;
  std::string name;
};

struct TypeLookup {
  std::string name;
  bool standard = false;
};

struct ReferenceTables {
  static constexpr int kFieldTypes = 18;       // data-type codes 0..17
  static constexpr int kCollectibleRows = 39;  // rows 1..39 (storage 0..40)
  static constexpr int kCoinRows = 161;        // rows 0..160

  std::array<FieldType, kFieldTypes> field_types{};
  std::array<CollectibleTypeRow, 41> collectible_types{};
  std::array<NamePair, 41> standard_db_names{};  // rows 1..standard_db_count
  int32_t standard_db_count = 0;
  std::array<NamePair, kCoinRows> coin_types{};  // code and name per row
  // The first row (1..160) of each code, trimmed and upper-cased, so that the coin type of
  // every United States coin item is found without reading the rows through.
  std::unordered_map<std::string, int> coin_row_of_code;

  // Capacity of a data-type code; a code outside 0..17 is a subscript error (9).
  int32_t Capacity(int code) const;
};

// Fills the United States coin type table (rows 0..160).
void FillCoinTypes(ReferenceTables& t);
// Fills the field data-type table and the standard-database name table with its count.
void FillFieldTypes(ReferenceTables& t);
// Fills the collectible-type table (rows 1..39).
void InitTable(ReferenceTables& t);

// Lookup by a code already trimmed and upper-cased: the row's name and true, or the derived
// name (first character upper case, the rest lower case) and false.
TypeLookup LookupCollectibleType(const ReferenceTables& t, std::string_view code);
// The standard-database name of a type code, or the trimmed code itself when no row matches.
std::string StandardDbName(const ReferenceTables& t, std::string_view code);
// The coin type name of the first row (1..160) whose code matches, up to its first comma;
// nothing for an empty code or no match.
std::optional<std::string_view> CoinTypeName(const ReferenceTables& t, std::string_view code);

}  // namespace hw
