#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/collection_records.h"

// The standard reference number of a United States coin: the number of the matching entry in
// the new edition's standard coin table of the coin's type.
namespace hw {

struct Conversion;

// The six fields, each trimmed, on which a coin and a standard entry must agree: the
// denomination (linked field 2, level 1), text-32 elements 5, 3 and 14, text-8 element 1 and
// text-128 element 1. Written into `key`, whose storage is reused from coin to coin.
void StandardCoinKey(const NewItemMain& item, std::string& key);

// The standard reference number for the prior coin type code of `item`; 0 when the code is
// empty or not a known coin type, when no entry matches, and on any run-time error. A table is
// read through once and its index kept for the run, but only when the open and the read went
// without any error; otherwise the next coin of its type reads it again. Opening keeps the table
// store's handling (a missing table is created empty).
int32_t StandardReferenceNumber(Conversion& c, std::string_view coin_type_code,
                                const NewItemMain& item);

}  // namespace hw
