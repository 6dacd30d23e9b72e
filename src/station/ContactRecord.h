#pragma once
#include <string>

namespace station {

// One logged contact: the 19 items of a log.txt line, in file order.
struct ContactRecord {
    std::string Call;
    std::string RstSent;
    std::string RstReceived;
    std::string Spc;         // in-state: state/province code or DX country; out-of-state: empty
    std::string County;      // the worked station's county name
    std::string AltState;    // set by nothing; the Pendrake export prefers it as the state
    std::string CountySent;  // in-state: own county at the time of the contact
    std::string Spare8, Spare9, Spare10, Spare11;
    std::string QsoDate;     // "yyyy/mm/dd" UTC
    std::string QsoTime;     // "hh:mm:ss" UTC, "hh:mm" when typed after the contest
    std::string Mode;        // "CW", "PH", "DG"
    std::string Band;        // "160" .. "6"
    double SpareNumber = 0;
    std::string Spare17, Spare18;
    std::string Frequency;   // MHz as text, or empty

    friend bool operator==(const ContactRecord&, const ContactRecord&) = default;
};

}  // namespace station
