#pragma once

#include <string>
#include <vector>

#include "hwverify/report.h"
#include "platform/file_system.h"

// The reconciliation: reads the prior installation and the new data folder, each with its own
// plain reading of the files, and says what arrived. It shares the record layouts with the
// conversion but none of its steps, so a fault in a conversion step cannot hide itself here.
namespace hwverify {

// The lines of the conversion log of a new data folder (Windows path ending in "\"); empty
// when there is none.
std::vector<std::string> ReadLog(hw::FileSystem& fs, const std::string& new_folder);

// The prior installation folder (ending in "\"): the one the log names, else the first
// standard place that holds the prior program; empty when none does.
std::string FindPriorFolder(hw::FileSystem& fs, const std::vector<std::string>& log);

Report Verify(hw::FileSystem& fs, const std::string& prior_folder, const std::string& new_folder,
              const std::vector<std::string>& log);

}  // namespace hwverify
