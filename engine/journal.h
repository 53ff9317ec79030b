#pragma once
// The intake journal "err.txt": a header written by the reset, then one line
// per refused QSO or refused district.
#include <string>
#include <string_view>

#include "engine/contest_name.h"
#include "engine/qso_arguments.h"

namespace stats {

inline constexpr const char* kJournalPath = "err.txt";
inline constexpr const char* kJournalHeader = STATS_CONTEST_NAME " UBN file \r\n";

enum class Refusal { NoContestBand, NoTestMode, NoRxNumber, MoscowDistrict, RdaDistrict };

// The reason's text, with its own leading spaces.
const char* RefusalText(Refusal reason);

// One journal line, CR LF included. `candidate` is the normalised district
// and is written only for the two district refusals.
std::string FormatJournalLine(const QsoArguments& qso, Refusal reason,
                              std::string_view candidate = {});

}  // namespace stats
