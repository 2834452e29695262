#pragma once
// What a run already knows: the result-row ids each lookup key produced. Entries repeat
// (a mailing list names the same towns again and again), so most entries are answered
// here without a query. Keys compare as the database does, ignoring ASCII letter case.
// Valid for one run: one database snapshot and one save option.

#include "EntryRules.h"
#include "TextListModel.h"

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

class ResultCache {
public:
    using TextId = TextListModel::TextId;

    // The rows stored for the keys, or nullptr when the keys were never stored. The
    // pointer is valid until the next store().
    const std::span<const TextId>* find(const LookupKeys& keys) const;
    void store(const LookupKeys& keys, std::span<const TextId> ids);

private:
    struct KeyView {
        EntryKind kind;
        std::u16string_view first;
        std::u16string_view second;
    };
    struct Stored {
        EntryKind kind;
        std::u16string first;
        std::u16string second;
        std::span<const TextId> ids;
    };
    // An open-addressing table of indexes into stored_: one probe of a flat array per
    // entry, no node to chase. The hash is kept to skip most key comparisons.
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t stored = 0; // index + 1; 0 is an empty slot
    };
    static KeyView view(const LookupKeys& keys);
    static std::uint64_t hashOf(const KeyView& key);
    static bool equal(const Stored& stored, const KeyView& key);
    const Stored* lookUp(const KeyView& key, std::uint64_t hash) const;
    void grow();

    std::vector<Slot> slots_;   // a power of two long, at most half full
    std::deque<Stored> stored_; // grows without moving what it holds
    // Row ids in blocks that never move, so the spans above stay valid as the cache grows.
    std::vector<std::vector<TextId>> blocks_;
};
