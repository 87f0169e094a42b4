#pragma once

#include <array>
#include <cstdint>
#include <limits>

#include "records/field_records.h"
#include "records/report_records.h"

namespace hw {

// Screen design state shared by the screen design, report and collections conversions. The
// record buffers are reused for every record read or built, so a field that a step does not set
// keeps the value of the record handled before.
struct ScreensState {
  static constexpr int kDataTypes = 18;  // data-type codes 0..17
  static constexpr int kSlots = 20;      // slot numbers 0..19

  V5FieldDef field;         // the one new screen design record buffer, reused for every record
  int16_t prior_table = 0;  // the open prior table (screen design or field definitions)
  int32_t new_design = 0;   // the open new screen design
  // The first record of the open new screen design that lies wholly past the end of its file,
  // when known; the field lookup of the report conversion skips the zero records after it.
  int64_t new_design_end = std::numeric_limits<int64_t>::max();

  V4ScreenField prior_element;  // the prior screen design record last read
  V4FieldDef prior_common;      // the prior field definition record last read
  // SlotInUse: the slots of each data type that the screen design being built has given out.
  std::array<std::array<bool, kSlots>, kDataTypes> slot_in_use{};

  V4ReportDef prior_report_def;  // the prior report format last read
  V5ReportDef report;            // the new report buffer: the record last read or built
  int16_t prior_report = 0;      // the open prior report formats
  int32_t new_report = 0;        // the open new report formats

  // Results of FindScreenField (FoundDataType, FoundSlot, FoundRecord, FoundNumber158); all 0
  // when nothing was found.
  int32_t found_data_type = 0;
  int32_t found_slot = 0;
  int32_t found_record = 0;
  int32_t found_number158 = 0;
};

}  // namespace hw
