#pragma once
// What a run already knows: the result-row ids each lookup key produced. Entries repeat
// (a mailing list names the same towns again and again), so most entries are answered
// here without a query. Keys compare as the database does, ignoring ASCII letter case.
// Valid for one run: one database snapshot and one save option.

#include "EntryRules.h"
#include "TextListModel.h"

#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class ResultCache {
public:
    using TextId = TextListModel::TextId;

    // The rows stored for the keys, or nullptr when the keys were never stored.
    const std::span<const TextId>* find(const LookupKeys& keys) const;
    void store(const LookupKeys& keys, std::span<const TextId> ids);

private:
    struct Key {
        EntryKind kind;
        std::u16string first;
        std::u16string second;
    };
    struct KeyView {
        EntryKind kind;
        std::u16string_view first;
        std::u16string_view second;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(const KeyView& key) const;
        std::size_t operator()(const Key& key) const { return (*this)(view(key)); }
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(const KeyView& a, const KeyView& b) const;
        bool operator()(const Key& a, const Key& b) const { return (*this)(view(a), view(b)); }
        bool operator()(const Key& a, const KeyView& b) const { return (*this)(view(a), b); }
        bool operator()(const KeyView& a, const Key& b) const { return (*this)(a, view(b)); }
    };
    static KeyView view(const Key& key) { return {key.kind, key.first, key.second}; }
    static KeyView view(const LookupKeys& keys);

    std::unordered_map<Key, std::span<const TextId>, Hash, Equal> spans_;
    // Row ids in blocks that never move, so the spans above stay valid as the cache grows.
    std::vector<std::vector<TextId>> blocks_;
};
