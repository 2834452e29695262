#include "convert/ResultCache.h"

#include <limits>

namespace {

// A record's start and its ids' start must fit their fields; a run that outgrew them
// (billions of distinct keys) is still converted, only no longer from the cache.
constexpr std::size_t maxRecordsSize = std::numeric_limits<std::uint32_t>::max() - 1;
constexpr std::size_t maxIds = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t maxPieceSize = std::numeric_limits<char16_t>::max();

// A record's header, in char16_t units; 32-bit fields take two.
enum Field : std::size_t {
    kindField,
    firstSizeField,
    secondSizeField,
    idsStartField,
    idsCountField = idsStartField + 2,
    headerSize = idsCountField + 2,
};

std::size_t read32(const char16_t* at) {
    return std::size_t(at[0]) | std::size_t(at[1]) << 16;
}

void append32(std::vector<char16_t>& out, std::size_t value) {
    out.push_back(char16_t(value & 0xffff));
    out.push_back(char16_t(value >> 16));
}

char16_t foldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

std::u16string_view toStd(QStringView text) {
    return {text.utf16(), std::size_t(text.size())};
}

void hashInto(std::uint64_t& hash, std::u16string_view text) {
    for (char16_t c : text)
        hash = (hash ^ foldAscii(c)) * 1099511628211ull;
    hash = (hash ^ 0xffff) * 1099511628211ull; // ends the piece, so "AB"+"C" != "A"+"BC"
}

// stored is folded already.
bool equalFolded(const char16_t* stored, std::u16string_view key) {
    for (std::size_t i = 0; i < key.size(); ++i)
        if (stored[i] != foldAscii(key[i]))
            return false;
    return true;
}

void appendFolded(std::vector<char16_t>& out, std::u16string_view text) {
    for (char16_t c : text)
        out.push_back(foldAscii(c));
}

} // namespace

ResultCache::KeyView ResultCache::view(const LookupKeys& keys) {
    if (keys.kind == EntryKind::Zip)
        return {keys.kind, toStd(keys.zip), {}};
    return {keys.kind, toStd(keys.city), toStd(keys.state)};
}

std::uint32_t ResultCache::hashOf(const KeyView& key) {
    std::uint64_t hash = 14695981039346656037ull ^ std::uint64_t(key.kind);
    hashInto(hash, key.first);
    hashInto(hash, key.second);
    hash ^= hash >> 29; // spread the high bits into the low ones the table indexes by
    hash *= 0xbf58476d1ce4e5b9ull;
    return std::uint32_t(hash ^ (hash >> 32));
}

bool ResultCache::equal(std::size_t record, const KeyView& key) const {
    const char16_t* header = records_.data() + record;
    if (header[kindField] != char16_t(key.kind) || header[firstSizeField] != key.first.size() ||
        header[secondSizeField] != key.second.size())
        return false;
    const char16_t* pieces = header + headerSize;
    return equalFolded(pieces, key.first) && equalFolded(pieces + key.first.size(), key.second);
}

std::span<const ResultCache::TextId> ResultCache::idsOf(std::size_t record) const {
    const char16_t* header = records_.data() + record;
    return {ids_.data() + read32(header + idsStartField), read32(header + idsCountField)};
}

std::optional<std::size_t> ResultCache::lookUp(const KeyView& key, std::uint32_t hash) const {
    if (slots_.empty())
        return std::nullopt;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.record == 0)
            return std::nullopt;
        if (slot.hash == hash && equal(slot.record - 1, key))
            return slot.record - 1;
    }
}

std::optional<std::span<const ResultCache::TextId>>
ResultCache::find(const LookupKeys& keys) const {
    const KeyView key = view(keys);
    if (const auto record = lookUp(key, hashOf(key)))
        return idsOf(*record);
    return std::nullopt;
}

void ResultCache::insertSlot(Slot slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = slot.hash & mask;
    while (slots_[i].record != 0)
        i = (i + 1) & mask;
    slots_[i] = slot;
}

void ResultCache::grow() {
    const std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(1024, old.size() * 2), Slot{});
    for (const Slot& slot : old)
        if (slot.record != 0)
            insertSlot(slot);
}

void ResultCache::appendRecord(const KeyView& key, std::size_t idsStart, std::size_t idsCount) {
    records_.push_back(char16_t(key.kind));
    records_.push_back(char16_t(key.first.size()));
    records_.push_back(char16_t(key.second.size()));
    append32(records_, idsStart);
    append32(records_, idsCount);
    appendFolded(records_, key.first);
    appendFolded(records_, key.second);
}

void ResultCache::store(const LookupKeys& keys, std::span<const TextId> ids) {
    const KeyView key = view(keys);
    const std::size_t recordSize = headerSize + key.first.size() + key.second.size();
    if (key.first.size() > maxPieceSize || key.second.size() > maxPieceSize ||
        records_.size() + recordSize > maxRecordsSize || ids_.size() + ids.size() > maxIds)
        return;
    const std::uint32_t hash = hashOf(key);
    if (lookUp(key, hash))
        return; // the first rows stored for a key stay
    if ((recordCount_ + 1) * 2 > slots_.size())
        grow();
    const std::size_t record = records_.size();
    appendRecord(key, ids_.size(), ids.size());
    ids_.insert(ids_.end(), ids.begin(), ids.end());
    ++recordCount_;
    insertSlot({hash, std::uint32_t(record + 1)});
}
