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

EntryStream::EntryStream(Add add)
    : add_(std::move(add)) {}

void EntryStream::feed(QStringView text) {
    qsizetype runStart = 0;
    const auto takeRun = [&](qsizetype end) {
        if (end > runStart)
            piece_.append(text.mid(runStart, end - runStart));
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n' && c != u'\t') {
            afterCarriageReturn_ = false;
            lineStarted_ = true;
            continue;
        }
        takeRun(i);
        runStart = i + 1;
        if (c == u'\r') {
            endLine();
            afterCarriageReturn_ = true;
        } else if (c == u'\n' && afterCarriageReturn_) {
            afterCarriageReturn_ = false; // the LF of a CR LF
        } else {
            afterCarriageReturn_ = false;
            lineStarted_ = true;
            if (c == u'\n')
                endPiece();
        }
    }
    takeRun(text.size());
}

void EntryStream::finish() {
    if (lineStarted_)
        endLine();
    lineStarted_ = false;
}

void EntryStream::endPiece() {
    add_(TrimBlanks(piece_));
    piece_.clear();
}

void EntryStream::endLine() {
    addPaddedUpper(piece_);
    piece_.clear();
    lineStarted_ = false;
}

void EntryStream::addPaddedUpper(QStringView line) {
    if (line.size() < 5) {
        shaped_ = PadZip(line.toString()).toUpper();
        add_(TrimBlanks(shaped_));
    } else if (hasLowerCase(line)) {
        shaped_ = line.toString().toUpper();
        add_(TrimBlanks(shaped_));
    } else {
        add_(TrimBlanks(line));
    }
}
