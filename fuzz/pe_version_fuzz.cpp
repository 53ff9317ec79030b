// The version reader on arbitrary bytes: never reads outside them, and
// gives the same answer twice.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/pe_version.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exactly the input's bytes on the heap, so that a read past them is seen.
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<stats::FileVersion> first = stats::ReadPeFileVersion(bytes);
  const std::optional<stats::FileVersion> second = stats::ReadPeFileVersion(bytes);
  if (first.has_value() != second.has_value()) std::abort();
  if (first && (first->major != second->major || first->minor != second->minor ||
                first->third != second->third || first->fourth != second->fourth)) {
    std::abort();
  }
  return 0;
}
