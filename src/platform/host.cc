#include "platform/host.h"

#include "platform/program_args.h"
#include "platform/text.h"

namespace hw::host {

Path PathOf(std::string_view win1252) { return PathFromUtf8(Win1252ToUtf8(win1252)); }

std::optional<std::string> NameOf(const Path& name) {
  std::string out;
  if (!Utf8ToWin1252(Utf8Of(name), out)) return std::nullopt;
  return out;
}

}  // namespace hw::host
