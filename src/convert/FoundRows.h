#pragma once
// The rows an entry gives, as the writers take them whatever the question: ids of rows
// made once (shared by every entry that gives them), each with its distance in tenths of a
// mile where the question has one (a search by distance, a point).

#include <QString>

#include <cstdint>
#include <span>

struct FoundRows {
    std::span<const std::uint32_t> ids;
    std::span<const std::uint32_t> tenths; // one for each id, or none: no distances

    bool hasDistances() const { return !tenths.empty(); }
};

// What a run makes of one entry: its rows, and what to tell of it.
struct EntryAnswer {
    FoundRows rows;  // valid until the next entry
    QString failure; // a lookup's failure, told once (EntryConverter::convertKeeping)
    QString reason;  // why an entry that was read has no rows (no point, bad coordinates)
};
