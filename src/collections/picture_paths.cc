#include "collections/picture_paths.h"

#include "platform/text.h"

namespace hw {

namespace {

constexpr char kStdDb[] = "StdDB\\";

std::optional<std::string> AncientCoinFolder(std::string_view code) {
  const std::string series = Upper1252(code.substr(0, 4));
  if (series == "ANCG") return "Ancient Coin\\Greek\\Images\\";
  if (series == "ANCR") return "Ancient Coin\\Roman\\Images\\";
  if (series == "ANCJ") return "Ancient Coin\\Judaic\\Images\\";
  if (series == "ANCB") return "Ancient Coin\\Byzantine\\Images\\";
  return std::nullopt;
}

// The folder under "StdDB\" for a picture code; nothing when the code keeps its text.
std::optional<std::string> PictureFolder(std::string_view code, const PictureOwner& owner) {
  const bool coin = owner.type_code == "Coin";
  const bool united_states = owner.country == "United States";
  if (united_states && coin) return "United States Coin\\Images\\";
  if (coin && UpperChar1252(code.front()) == 'E') return "Euro Coin\\Images\\";
  if (owner.type_code == "Ancient_") return AncientCoinFolder(code);
  if (united_states && owner.type_code == "Currency") return "United States Currency\\Images\\";
  if (coin) return "World Coin\\" + std::string(owner.country) + "\\Images\\";
  return Trim(owner.standard_db_name) + "\\Images\\";
}

}  // namespace

std::optional<std::string> StandardPicturePath(std::string_view reference, std::string_view ending,
                                               const PictureOwner& owner) {
  if (reference.size() <= 4) return std::nullopt;
  if (reference[reference.size() - 4] == '.') return std::nullopt;
  const std::optional<std::string> folder = PictureFolder(reference, owner);
  if (!folder) return std::nullopt;
  return kStdDb + *folder + std::string(reference) + std::string(ending);
}

void RewritePicturePath(Text<80>& path, std::string_view ending, const PictureOwner& owner) {
  if (const auto rewritten = StandardPicturePath(TrimBlanks(path.Raw()), ending, owner)) {
    path.Set(*rewritten);
  }
}

}  // namespace hw
