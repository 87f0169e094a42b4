#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "records/data_types.h"
#include "records/field_records.h"

// The sample installation writer: a prior installation and a new data folder as the new
// edition ships it. Each part of the sample lives in its own file and adds to the same context.
namespace hwsample {

struct SampleUser {
  std::string folder_name;                    // "SMITH"
  std::string windows_folder;                 // "C:\HWVER4\SMITH\" as the prior user list holds it
  std::filesystem::path host_folder;          // the same folder on the host
  std::vector<std::string> collection_codes;  // codes of the user's collections, in list order
};

struct SampleContext {
  std::mt19937 rng;
  int users = 3;                     // number of users
  int collections = 0;               // extra generated collections per user (beyond the fixed set)
  int items = 6;                     // items per generated collection
  std::filesystem::path prior_root;  // host folder of the prior installation (C:\HWVER4\)
  std::filesystem::path new_root;    // host folder of the new data folder
  std::vector<SampleUser> sample_users;  // filled by WriteUsers
  std::vector<std::string> type_codes;   // distinct upper-case type codes of the collections
};

// A field of a prior screen design: its label on the left of row `row`, its control beside it.
struct PriorFieldRow {
  const char* caption;
  const char* name;
  hw::DataType data_type;
  int16_t slot;
};
hw::V4ScreenField PriorField(const PriorFieldRow& field, int row);

// The whole installation under `root`: the prior installation in root/c/HWVER4 (drive C:) and
// the new data folder in root/n/Hoardwise (drive N:), each part in the order below.
void WriteInstallation(SampleContext& ctx, const std::filesystem::path& root);

void WriteUsers(SampleContext& ctx);        // hwver4.exe, the user list, the user folders
void WriteCollections(SampleContext& ctx);  // collection lists, collection files, screens read
void WriteScreens(SampleContext& ctx);      // screen designs, field definitions, reports
void WriteLists(SampleContext& ctx);        // choice lists, storage tables, buyer/seller lists

}  // namespace hwsample
