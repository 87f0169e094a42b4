#pragma once

#include <cstddef>

#include "analysis/user_settings.h"
#include "lists/list_records.h"
#include "records/collection_records.h"
#include "records/field_records.h"
#include "records/prior_lists.h"
#include "records/report_records.h"
#include "tablestore/table_header.h"

namespace hw::testing {

// Every record layout of both editions and the two table headers, each with the width its file
// states for it: visit.template operator()<Record>(name, width), in this order.
template <class Visit>
void ForEachLayout(Visit&& visit) {
  visit.template operator()<NewHeader>("new header", 32);
  visit.template operator()<PriorHeader>("prior header", 24);
  visit.template operator()<PriorUserRecord>("prior user", 255);
  visit.template operator()<PriorCollectionEntry>("prior collection entry", 108);
  visit.template operator()<PriorCollectionHeader>("prior collection header", 616);
  visit.template operator()<PriorItemMain>("prior item main", 2914);
  visit.template operator()<PriorItemExtension>("prior item extension", 2338);
  visit.template operator()<NewCollectionHeader>("new collection header", 1132);
  // An empty date bank is a 16-bit tag per value.
  visit.template operator()<NewItemMain>("new item main", 4376 + 16 * 2);
  visit.template operator()<NewItemExtension>("new item extension", 4608);
  visit.template operator()<UserSettingsRecord>("user settings", 659);
  visit.template operator()<V4ScreenField>("prior screen field", 262);
  visit.template operator()<V4FieldDef>("prior field definition", 34);
  visit.template operator()<V5FieldDef>("new screen field", 536);
  visit.template operator()<V4ReportDef>("prior report", 1606);
  // An empty variable text is its 16-bit count.
  visit.template operator()<V5ReportDef>("new report", 2778);
  visit.template operator()<PriorChoiceEntry>("prior choice entry", 48);
  visit.template operator()<ChoiceEntry>("choice entry", 123);
  visit.template operator()<PriorStorageRecord>("prior storage", 85);
  visit.template operator()<PriorPartyRecord>("prior party", 188);
  visit.template operator()<ContactRecord>("contact", 784);
}

}  // namespace hw::testing
