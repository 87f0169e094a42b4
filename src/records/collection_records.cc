#include "records/collection_records.h"

namespace hw {

int TaggedValue::FixedValueSize(int16_t tag) {
  switch (tag) {
    case 0:  // empty
    case 1:  // null
      return 0;
    case 17:  // byte
      return 1;
    case 2:   // integer
    case 11:  // true/false
      return 2;
    case 3:   // long
    case 4:   // single
    case 10:  // error code
      return 4;
    case 5:  // double
    case 6:  // currency
    case kDate:
      return 8;
    default:
      return -1;
  }
}

}  // namespace hw
