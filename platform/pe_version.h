#pragma once
// The fixed file version of a Windows executable, read from its bytes.
#include <optional>
#include <string>

#include "platform/platform.h"

namespace stats {

// The version resource's fixed file version (a.b.c.d), or nothing when the
// bytes are not a PE file or carry no readable version resource.
std::optional<FileVersion> ReadPeFileVersion(const std::string& bytes);

}  // namespace stats
