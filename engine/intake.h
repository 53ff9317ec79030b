#pragma once
// Taking QSOs into the log and out again.
#include "engine/qso_arguments.h"

namespace stats {

class Platform;

// Judges one QSO: refused (0) for a refused band, another mode or a missing
// exchange, with a journal line; otherwise stored (1), after checking a
// district sender's district, which is journaled when it is refused.
int AddQso(const QsoArguments& qso, Platform& platform);

// Removes the first logged QSO with the same call, mode, band and time.
// Returns 0 when an exchange is missing (nothing is done), else 1.
int RemoveQso(const QsoArguments& qso);

}  // namespace stats
