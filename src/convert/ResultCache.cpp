#include "ResultCache.h"

namespace {

constexpr std::size_t blockSize = 1 << 16;

char16_t foldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

std::u16string_view toStd(QStringView text) {
    return {text.utf16(), std::size_t(text.size())};
}

void hashInto(std::size_t& hash, std::u16string_view text) {
    for (char16_t c : text)
        hash = (hash ^ foldAscii(c)) * 1099511628211ull;
    hash = (hash ^ 0xffff) * 1099511628211ull; // ends the piece, so "AB"+"C" != "A"+"BC"
}

bool equalFolded(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    return true;
}

} // namespace

ResultCache::KeyView ResultCache::view(const LookupKeys& keys) {
    if (keys.kind == EntryKind::Zip)
        return {keys.kind, toStd(keys.zip), {}};
    return {keys.kind, toStd(keys.city), toStd(keys.state)};
}

std::uint64_t ResultCache::hashOf(const KeyView& key) {
    std::size_t hash = 14695981039346656037ull ^ std::size_t(key.kind);
    hashInto(hash, key.first);
    hashInto(hash, key.second);
    hash ^= hash >> 29; // spread the high bits into the low ones the table indexes by
    hash *= 0xbf58476d1ce4e5b9ull;
    return hash ^ (hash >> 32);
}

bool ResultCache::equal(const Stored& stored, const KeyView& key) {
    return stored.kind == key.kind && equalFolded(stored.first, key.first) &&
           equalFolded(stored.second, key.second);
}

const ResultCache::Stored* ResultCache::lookUp(const KeyView& key, std::uint64_t hash) const {
    if (slots_.empty())
        return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.stored == 0)
            return nullptr;
        if (slot.hash == hash && equal(stored_[slot.stored - 1], key))
            return &stored_[slot.stored - 1];
    }
}

const std::span<const ResultCache::TextId>* ResultCache::find(const LookupKeys& keys) const {
    const KeyView key = view(keys);
    const Stored* found = lookUp(key, hashOf(key));
    return found ? &found->ids : nullptr;
}

void ResultCache::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(1024, old.size() * 2), Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.stored == 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].stored != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

void ResultCache::store(const LookupKeys& keys, std::span<const TextId> ids) {
    const KeyView key = view(keys);
    const std::uint64_t hash = hashOf(key);
    if (lookUp(key, hash))
        return; // the first rows stored for a key stay
    if ((stored_.size() + 1) * 2 > slots_.size())
        grow();
    if (blocks_.empty() || blocks_.back().size() + ids.size() > blocks_.back().capacity()) {
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(blockSize, ids.size()));
    }
    std::vector<TextId>& block = blocks_.back();
    const std::size_t start = block.size();
    block.insert(block.end(), ids.begin(), ids.end());
    stored_.push_back({key.kind, std::u16string(key.first), std::u16string(key.second),
                       std::span<const TextId>(block.data() + start, ids.size())});
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].stored != 0)
        i = (i + 1) & mask;
    slots_[i] = {hash, std::uint32_t(stored_.size())};
}
