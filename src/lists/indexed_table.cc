#include "lists/indexed_table.h"

namespace hw {

int64_t RecordsInFile(Runtime& rt, int32_t number, int32_t record_length) {
  if (record_length <= 0) return 0;
  return (rt.fs.Length(number) + record_length - 1) / record_length;
}

}  // namespace hw
