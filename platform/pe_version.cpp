#include "platform/pe_version.h"

namespace stats {

std::optional<FileVersion> ReadPeFileVersion(const std::string&) { return std::nullopt; }

}  // namespace stats
