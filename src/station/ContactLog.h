#pragma once
#include <vector>

#include "station/ContactRecord.h"

namespace station {

// The contacts in memory, numbered 1..ContactCount in the order they were logged.
class ContactLog {
public:
    static constexpr int MaxContacts = 11000;

    int ContactCount() const { return static_cast<int>(records_.size()); }
    const ContactRecord& at(int index) const { return records_.at(static_cast<size_t>(index - 1)); }
    ContactRecord& at(int index) { return records_.at(static_cast<size_t>(index - 1)); }
    const std::vector<ContactRecord>& records() const { return records_; }
    std::vector<ContactRecord>& records() { return records_; }

    // The count after the first load that found contacts; the automatic backup compares with it.
    int LoadedContactCount = 0;
    // Set by every append, edit and delete since the last backup, so an edit or a delete
    // followed by a new contact (same count) is still backed up.
    bool ChangedSinceLoad = false;

    // Scratch space for reloads (keeps string storage between them).
    std::vector<ContactRecord>& spare() { return spare_; }

private:
    std::vector<ContactRecord> records_;
    std::vector<ContactRecord> spare_;
};

}  // namespace station
