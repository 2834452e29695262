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

    TextId intern(const QByteArray& bytes) {
        const auto found = ids_.constFind(bytes);
        if (found != ids_.constEnd())
            return *found;
        const auto id = TextId(starts_.size() - 1);
        chars_.append(bytes.constData(), std::size_t(bytes.size()));
        starts_.push_back(chars_.size());
        ids_.insert(bytes, id);
        return id;
    }
    QByteArrayView operator[](TextId id) const {
        return QByteArrayView(chars_.data() + starts_[id],
                              qsizetype(starts_[id + 1] - starts_[id]));
    }

private:
    QHash<QByteArray, TextId> ids_;
    std::string chars_;
    std::vector<std::size_t> starts_{0}; // row id -> start in chars_; one extra end marker
};
