#pragma once
// What a run already knows: the result-row ids each lookup key produced. Entries repeat
// (a mailing list names the same towns again and again), so most entries are answered
// here without a query. Keys compare as the database does, ignoring ASCII letter case.
// Valid for one run: one database snapshot and one save option.

#include "convert/EntryRules.h"
#include "core/TextListModel.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class ResultCache {
public:
    using TextId = TextListModel::TextId;

    // The rows stored for the keys, or nothing when the keys were never stored. The span
    // is valid until the next store().
    std::optional<std::span<const TextId>> find(const LookupKeys& keys) const;
    // Keeps the first rows stored for a key. A key that would not fit is not kept.
    void store(const LookupKeys& keys, std::span<const TextId> ids);

private:
    struct KeyView {
        EntryKind kind;
        std::u16string_view first;
        std::u16string_view second;
    };
    // An open-addressing table into records_: one probe of a flat array per entry. The
    // low half of the hash is kept to skip most key comparisons and to grow the table.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t record = 0; // start in records_ + 1; 0 is an empty slot
    };
    // A record in records_ is a short header (kind, piece sizes, where its ids lie in
    // ids_), then the key's pieces folded to upper case, side by side: a hit reads one
    // place in memory, not a node and then its strings.
    static KeyView view(const LookupKeys& keys);
    static std::uint32_t hashOf(const KeyView& key);
    bool equal(std::size_t record, const KeyView& key) const;
    std::optional<std::size_t> lookUp(const KeyView& key, std::uint32_t hash) const;
    std::span<const TextId> idsOf(std::size_t record) const;
    void insertSlot(Slot slot);
    void grow();
    void appendRecord(const KeyView& key, std::size_t idsStart, std::size_t idsCount);

    std::vector<Slot> slots_; // a power of two long, at most half full
    std::size_t recordCount_ = 0;
    std::vector<char16_t> records_;
    std::vector<TextId> ids_;
};
