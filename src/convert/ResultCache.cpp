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

std::size_t ResultCache::Hash::operator()(const KeyView& key) const {
    std::size_t hash = 14695981039346656037ull ^ std::size_t(key.kind);
    hashInto(hash, key.first);
    hashInto(hash, key.second);
    return hash;
}

bool ResultCache::Equal::operator()(const KeyView& a, const KeyView& b) const {
    return a.kind == b.kind && equalFolded(a.first, b.first) && equalFolded(a.second, b.second);
}

const std::span<const ResultCache::TextId>* ResultCache::find(const LookupKeys& keys) const {
    const auto found = spans_.find(view(keys));
    return found == spans_.end() ? nullptr : &found->second;
}

void ResultCache::store(const LookupKeys& keys, std::span<const TextId> ids) {
    if (blocks_.empty() || blocks_.back().size() + ids.size() > blocks_.back().capacity()) {
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(blockSize, ids.size()));
    }
    std::vector<TextId>& block = blocks_.back();
    const std::size_t start = block.size();
    block.insert(block.end(), ids.begin(), ids.end());
    const KeyView key = view(keys);
    spans_.emplace(Key{key.kind, std::u16string(key.first), std::u16string(key.second)},
                   std::span<const TextId>(block.data() + start, ids.size()));
}
