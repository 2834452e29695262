#pragma once
// Each distinct row of output once, as the bytes that end a line of it. The rows lie side
// by side in one buffer: tens of millions of lines are copied from a few megabytes that
// stay in the processor's cache, not from an allocation each.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

#include <cstdint>
#include <string>
#include <vector>

class RowBytes {
public:
    using TextId = std::uint32_t;

    // split: where a field that differs by entry goes (FieldList); none: the end.
    TextId intern(const QByteArray& bytes, qsizetype split = -1) {
        const auto found = ids_.constFind(bytes);
        if (found != ids_.constEnd())
            return *found;
        const auto id = TextId(starts_.size() - 1);
        chars_.append(bytes.constData(), std::size_t(bytes.size()));
        starts_.push_back(chars_.size());
        splits_.push_back(std::size_t(split < 0 ? bytes.size() : split));
        ids_.insert(bytes, id);
        return id;
    }
    QByteArrayView operator[](TextId id) const {
        return QByteArrayView(chars_.data() + starts_[id],
                              qsizetype(starts_[id + 1] - starts_[id]));
    }
    // The row before its split, and from it on.
    QByteArrayView head(TextId id) const { return (*this)[id].first(qsizetype(splits_[id])); }
    QByteArrayView tail(TextId id) const { return (*this)[id].sliced(qsizetype(splits_[id])); }

private:
    QHash<QByteArray, TextId> ids_;
    std::string chars_;
    std::vector<std::size_t> starts_{0}; // row id -> start in chars_; one extra end marker
    std::vector<std::size_t> splits_;    // row id -> its split, from its start
};
