#include "support/conversion_fixture.h"

#include <algorithm>

#include "records/prior_lists.h"
#include "reftables/reference_tables.h"
#include "tablestore/runtime.h"

namespace hw::testing {

namespace fs = std::filesystem;

ConversionFixture::ConversionFixture() {
  fs::create_directories(c_root / "HWVER4");
  this->fs = std::make_unique<FileSystem>(TestDrives(c_root, n_root), "N:\\");
  this->fs->SetFaultPlan(&faults);
  conv = std::make_unique<Conversion>(*this->fs, ui);
  SetTestFolders(*this->fs, *conv);
  FillCoinTypes(conv->refs);
  FillFieldTypes(conv->refs);
  InitTable(conv->refs);
  this->fs->OpenOutput(kLogFile, "N:\\" + std::string(kLogName));
}

namespace {

// A relative Windows path as a host path (separators only; the fixture's names are plain).
fs::path Host(std::string relative) {
  std::replace(relative.begin(), relative.end(), '\\', '/');
  return relative;
}

}  // namespace

fs::path ConversionFixture::Prior(const std::string& relative) const {
  return c_root / "HWVER4" / Host(relative);
}

fs::path ConversionFixture::New(const std::string& relative) const {
  return n_root / Host(relative);
}

void ConversionFixture::WritePriorUsers(const std::vector<std::string>& folders) const {
  std::vector<PriorUserRecord> users(folders.size());
  for (size_t i = 0; i < folders.size(); ++i) {
    users[i].Folder.Set(folders[i]);
    users[i].Name.Set("User " + std::to_string(i + 1));
  }
  WritePrior("Default.mst", 4, users);
}

void ConversionFixture::AddType(const std::string& code) {
  TypeLookup t = LookupCollectibleType(conv->refs, code);
  conv->types.push_back(CollectibleType{code, t.name, t.standard});
}

}  // namespace hw::testing
