#include "logging/LoggingState.h"

#include <algorithm>

namespace logging {

bool WorkedTable::isSet(int column, int row) const {
    if (column < 0 || column >= Columns || row < 1 || row >= static_cast<int>(rows_.size())) return false;
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] != 0;
}

bool WorkedTable::set(int column, int row) {
    if (column < 0 || column >= Columns || row < 1) return false;
    if (row >= static_cast<int>(rows_.size()))
        rows_.resize(static_cast<size_t>(std::max(row, MinRows)) + 1, std::array<uint8_t, Columns>{});
    auto& cell = rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
    if (cell) return false;
    cell = 1;
    return true;
}

void WorkedTable::clear() { rows_.clear(); }

int WorkedTable::countSet() const {
    int n = 0;
    for (int c = 0; c < Columns; ++c) n += countSet(c);
    return n;
}

int WorkedTable::countSet(int column) const {
    int n = 0;
    for (const auto& row : rows_) n += row[static_cast<size_t>(column)] ? 1 : 0;
    return n;
}

}  // namespace logging
