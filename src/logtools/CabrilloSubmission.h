#pragma once
// Writing the submission file as the summary sheet's write button does: ask where, write the
// whole file through a temporary file, confirm, and keep the operator's address texts for the
// next time (settings store and the shared XML preferences).

#include <cstdint>
#include <string>

#include "logtools/CabrilloWriter.h"

class Session;

namespace logtools {

enum class SubmissionResult { Refused, Cancelled, Written, WriteFailed, StoreFailed };

// The settings-store keys of the five kept texts (application "Tervak_Software", section
// "Settings"), in the order they are stored.
inline constexpr const char* kSummaryApp = "Tervak_Software";
inline constexpr const char* kSummarySection = "Settings";

struct SummaryTexts {
    std::string name, address1, address2, email, club;
};
// The five texts as stored (empty when absent).
SummaryTexts LoadSummaryTexts(Session& session);

// score: the total score as the logging window counts it. The profile's StationCall is trimmed
// in memory first. A file a contest robot would misread (no own call, a contact with an empty
// field) is refused with a message naming the fault, before anything is asked. A cancelled save
// dialog does nothing; a failure shows "Unable to write file." and leaves any earlier file at
// that path as it was.
SubmissionResult WriteCabrilloSubmission(Session& session, const CabrilloOptions& options, int64_t score);

// The score of the live logging window, from its counts (never from a formatted label).
int64_t LiveTotalScore(Session& session);

}  // namespace logtools
