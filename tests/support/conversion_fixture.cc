#include "support/conversion_fixture.h"

#include "records/prior_lists.h"
#include "reftables/reference_tables.h"
#include "tablestore/runtime.h"

namespace hw::testing {

namespace fs = std::filesystem;

namespace {

// A relative Windows path as a host path (separators only; the fixture's names are plain).
fs::path HostRelative(const std::string& relative) {
  std::string s = relative;
  for (char& ch : s) {
    if (ch == '\\') ch = '/';
  }
  return fs::path(s);
}

}  // namespace

ConversionFixture::ConversionFixture() {
  c_root = temp.path() / "c";
  n_root = temp.path() / "n";
  fs::create_directories(c_root / "HWVER4");
  fs::create_directories(n_root);
  DriveMap drives;
  drives.Map('C', c_root);
  drives.Map('N', n_root);
  this->fs = std::make_unique<FileSystem>(drives, "N:\\");
  this->fs->SetFaultPlan(&faults);
  this->fs->SetNewDataFolder("N:\\");
  this->fs->SetPriorFolder("C:\\HWVER4\\");
  conv = std::make_unique<Conversion>(*this->fs, ui);
  conv->new_data_folder = "N:\\";
  conv->prior_folder = "C:\\HWVER4\\";
  FillCoinTypes(conv->refs);
  FillFieldTypes(conv->refs);
  InitTable(conv->refs);
  this->fs->OpenOutput(kLogFile, "N:\\HoardwiseCLog.lst");
}

ConversionFixture::~ConversionFixture() {
  conv.reset();
  this->fs.reset();
}

fs::path ConversionFixture::Prior(const std::string& relative) const {
  return c_root / "HWVER4" / HostRelative(relative);
}

fs::path ConversionFixture::New(const std::string& relative) const {
  return n_root / HostRelative(relative);
}

void ConversionFixture::MakePriorFolder(const std::string& relative) const {
  fs::create_directories(Prior(relative));
}

void ConversionFixture::MakeNewFolder(const std::string& relative) const {
  fs::create_directories(New(relative));
}

void ConversionFixture::WritePriorUsers(const std::vector<std::string>& folders) const {
  TableImage t = TableImage::Prior("Default.mst", PriorUserRecord::kSize, 4);
  for (const std::string& folder : folders) {
    PriorUserRecord u;
    u.Folder.Set(folder);
    u.Name.Set("User " + std::to_string(t.next_record() - 3));
    t.Append(u);
  }
  t.WriteTo(Prior("Default.mst"));
}

int32_t ConversionFixture::NextRecordOf(const std::string& relative) const {
  return static_cast<int32_t>(IntAt(ReadText(New(relative)), 16, 4));
}

std::vector<std::string> ConversionFixture::LogLines() const {
  return SplitLines(ReadText(n_root / "HoardwiseCLog.lst"));
}

void ConversionFixture::AddType(const std::string& code) {
  TypeLookup t = LookupCollectibleType(conv->refs, code);
  conv->types.push_back(CollectibleType{code, t.name, t.standard});
}

}  // namespace hw::testing
