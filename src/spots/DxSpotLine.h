#pragma once
// One received DX cluster line and the fields a spot is cut from. Columns count from the "DX"
// that marks a spot line (column 1 is its "D"), so a line that reaches us with a blank or a
// stray line-end character in front of the mark is read the same as one that starts with it:
//
//   columns  1-2   "DX", in any letter case
//            4-14  spotter, "de " + call + ":"     record 1-11
//           16-24  frequency in kHz, right-aligned record 13-21
//           27-39  spotted call, left-aligned      record 24-36
//           38-62  comment                         record 35-59
//           65-69  end of the comment field         record 62-66
//           71-74  time, hhmm                       record 68-71
//           76-79  text after the time (locator)    record 73-76
//
// The record is the line from column 4 with blanks removed at both ends. A line shorter than a
// field gives an empty or shortened field; only spaces are trimmed; nothing is validated here
// (the spot store refuses a frequency that is not a number).
//
// A frequency too wide for its nine columns (10 GHz and up: "10368100.0" starts in column 15)
// is taken whole: the number the field holds a piece of runs on to the left (or right) over
// digits and points. The piece inside the columns alone ("0368100.0") is another frequency,
// and a click would tune the radio there.

#include <optional>
#include <string>
#include <string_view>

namespace spots {

struct DxSpotLine {
    std::string frequency;  // columns 16-24, trimmed: the kHz text
    std::string call;       // columns 27-39, trimmed
    std::string record;     // from column 4, trimmed
};

// Whether a received chunk begins a spot line: its first characters are "DX de " in any letter
// case (a chunk shorter than that counts when all of it matches). Only the cluster's own spot
// format counts, so a TNC's monitor header cut just before its "DX" ("W1AW-1>" + "DX <UI>:")
// does not.
bool BeginsSpotLine(std::string_view chunk);

// Where the "DX" mark of a spot line starts: the line's first two characters after any
// leading blanks and control characters are "DX" in any case. nullopt: not a spot line.
std::optional<size_t> SpotMark(std::string_view line);

// The fields of a spot line; nullopt when the line is not one.
std::optional<DxSpotLine> ParseDxSpotLine(std::string_view line);

// Characters from..from+count-1 of text counted from 1, as far as they exist.
std::string_view Columns(std::string_view text, size_t from, size_t count);

}  // namespace spots
