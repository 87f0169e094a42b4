#include "collections/picture_paths.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/text.h"

namespace hw {

namespace {

constexpr char kStdDb[] = "StdDB\\";
constexpr char kImages[] = "\\Images\\";

// The path a picture code becomes, as the pieces it is joined from, so that an item's paths are
// rewritten without building a string.
using PathPieces = std::array<std::string_view, 6>;

std::optional<std::string_view> AncientCoinFolder(std::string_view code) {
  std::array<char, 4> series{};
  for (size_t i = 0; i < series.size() && i < code.size(); ++i) {
    series[i] = UpperChar1252(code[i]);
  }
  const std::string_view s(series.data(), std::min(series.size(), code.size()));
  if (s == "ANCG") return "Ancient Coin\\Greek\\Images\\";
  if (s == "ANCR") return "Ancient Coin\\Roman\\Images\\";
  if (s == "ANCJ") return "Ancient Coin\\Judaic\\Images\\";
  if (s == "ANCB") return "Ancient Coin\\Byzantine\\Images\\";
  return std::nullopt;
}

// The pieces of the path for a picture code; nothing when the code keeps its text.
std::optional<PathPieces> PicturePath(std::string_view reference, std::string_view ending,
                                      const PictureOwner& owner) {
  if (reference.size() <= 4) return std::nullopt;
  if (reference[reference.size() - 4] == '.') return std::nullopt;
  const bool coin = owner.type_code == "Coin";
  const bool united_states = owner.country == "United States";
  auto in = [&](std::string_view a, std::string_view b = {},
                std::string_view c = {}) -> PathPieces {
    return {kStdDb, a, b, c, reference, ending};
  };
  if (united_states && coin) return in("United States Coin\\Images\\");
  if (coin && UpperChar1252(reference.front()) == 'E') return in("Euro Coin\\Images\\");
  if (owner.type_code == "Ancient_") {
    const std::optional<std::string_view> folder = AncientCoinFolder(reference);
    if (!folder) return std::nullopt;
    return in(*folder);
  }
  if (united_states && owner.type_code == "Currency") return in("United States Currency\\Images\\");
  if (coin) return in("World Coin\\", owner.country, kImages);
  return in(TrimBlanks(owner.standard_db_name), kImages);
}

}  // namespace

void RewritePicturePath(Text<80>& path, std::string_view ending, const PictureOwner& owner) {
  const std::optional<PathPieces> pieces = PicturePath(TrimBlanks(path.Raw()), ending, owner);
  if (!pieces) return;
  // The reference is a piece of the path being rewritten: join into a copy first.
  Text<80> rewritten;
  size_t at = 0;
  for (std::string_view piece : *pieces) {
    const size_t n = std::min(piece.size(), rewritten.bytes.size() - at);
    std::copy_n(piece.data(), n, rewritten.bytes.data() + at);
    at += n;
  }
  std::fill(rewritten.bytes.begin() + static_cast<std::ptrdiff_t>(at), rewritten.bytes.end(), ' ');
  path = rewritten;
}

}  // namespace hw
