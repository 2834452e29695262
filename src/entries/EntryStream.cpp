#include "entries/EntryStream.h"

#include "core/TextRules.h"

namespace {

bool hasLowerCase(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80 || (c >= u'a' && c <= u'z'))
            return true; // beyond ASCII: let the full case mapping decide
    return false;
}

} // namespace

EntryStream::EntryStream(Add add, LineRules rules, Skip skip)
    : add_(std::move(add))
    , rules_(rules)
    , skip_(std::move(skip)) {}

void EntryStream::feed(QStringView text) {
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n' && c != u'\t') {
            afterCarriageReturn_ = false;
            lineStarted_ = true;
            continue;
        }
        keep(text.mid(runStart, i - runStart));
        runStart = i + 1;
        if (c == u'\r') {
            endLine();
            afterCarriageReturn_ = true;
        } else if (c == u'\n' && afterCarriageReturn_) {
            afterCarriageReturn_ = false; // the LF of a CR LF
        } else if (c == u'\n' && rules_.lineEnds == LineEnds::Any) {
            endLine();
        } else {
            afterCarriageReturn_ = false;
            lineStarted_ = true;
            if (c == u'\n')
                endPiece();
        }
    }
    keep(text.mid(runStart));
}

void EntryStream::finish() {
    if (lineStarted_)
        endLine();
    lineStarted_ = false;
}

void EntryStream::keep(QStringView run) {
    const qsizetype bound = rules_.maxEntryChars;
    if (bound > 0 && piece_.size() + run.size() > bound) {
        run = run.first(bound - piece_.size());
        overLong_ = true;
    }
    piece_.append(run);
}

void EntryStream::endPiece() {
    hand(TrimBlanks(piece_));
    piece_.clear();
}

void EntryStream::endLine() {
    hand(shape(piece_, shaped_));
    piece_.clear();
    lineStarted_ = false;
}

void EntryStream::hand(QStringView entry) {
    if (overLong_ && skip_)
        skip_(entry);
    else
        add_(entry);
    overLong_ = false;
}

QStringView EntryStream::shape(QStringView line, QString& buffer) {
    if (line.size() < 5) {
        buffer = PadZip(line.toString()).toUpper();
        return TrimBlanks(buffer);
    }
    if (hasLowerCase(line)) {
        buffer = line.toString().toUpper();
        return TrimBlanks(buffer);
    }
    return TrimBlanks(line);
}
