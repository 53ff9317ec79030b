#pragma once
// The simulator holds its COM pointers, BSTRs and VARIANTs with the
// plug-in's own owners.
#include "ui/com_owners_win.h"

namespace orvosim {

using stats::ComPtr;
using stats::TextOf;
using stats::UniqueBstr;
using stats::UniqueVariant;

}  // namespace orvosim
