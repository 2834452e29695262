#include "entries/TableRecordStream.h"

TableRecordStream::TableRecordStream(TableFormat format, Handler handler)
    : separator_(format == TableFormat::Csv ? u',' : u'\t')
    , quoting_(format == TableFormat::Csv)
    , handler_(std::move(handler)) {}

void TableRecordStream::feed(QStringView text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype run = takeRun(text, i);
        if (run > 0) {
            i += run;
            continue;
        }
        take(text[i].unicode());
        ++i;
    }
}

// The characters from `from` on that need no decision, kept at once: a stretch of an
// unquoted field up to its separator or line end, or of a quoted field up to its quote.
qsizetype TableRecordStream::takeRun(QStringView text, qsizetype from) {
    if (state_ == State::QuoteInQuoted || afterCarriageReturn_)
        return 0;
    const bool quoted = state_ == State::Quoted;
    qsizetype end = from;
    while (end < text.size()) {
        const char16_t c = text[end].unicode();
        if (quoted ? c == u'"' || c == u'\r' || c == u'\n'
                   : c == separator_ || c == u'\r' || c == u'\n' || (quoting_ && c == u'"'))
            break;
        ++end;
    }
    if (end == from)
        return 0;
    append(text.sliced(from, end - from));
    if (!quoted)
        state_ = State::Unquoted;
    return end - from;
}

void TableRecordStream::take(char16_t c) {
    switch (state_) {
    case State::Quoted:
        if (c == u'"') {
            state_ = State::QuoteInQuoted;
            afterCarriageReturn_ = false;
            return;
        }
        lineEnd(c); // a line end inside quotes is the field's, but still a line of the file
        append(QStringView(&c, 1));
        return;
    case State::QuoteInQuoted:
        if (c == u'"') {
            append(u"\"");
            state_ = State::Quoted;
            return;
        }
        state_ = State::Unquoted; // the field's quotes are closed; what follows is read as usual
        break;
    case State::FieldStart:
    case State::Unquoted:
        break;
    }
    if (c == u'\r' || c == u'\n') {
        const bool secondHalf = c == u'\n' && afterCarriageReturn_;
        lineEnd(c);
        if (!secondHalf)
            endRecord();
    } else if (c == separator_) {
        afterCarriageReturn_ = false;
        startRecord();
        endField();
    } else if (quoting_ && c == u'"' && state_ == State::FieldStart) {
        afterCarriageReturn_ = false;
        startRecord();
        state_ = State::Quoted;
    } else {
        afterCarriageReturn_ = false;
        append(QStringView(&c, 1));
        state_ = State::Unquoted;
    }
}

// Counts lines: CR LF is one line end, CR and LF alone one each.
void TableRecordStream::lineEnd(char16_t c) {
    if (c == u'\n' && afterCarriageReturn_) {
        afterCarriageReturn_ = false;
        return;
    }
    afterCarriageReturn_ = c == u'\r';
    if (c == u'\r' || c == u'\n')
        ++line_;
}

void TableRecordStream::startRecord() {
    if (!recordStarted_)
        record_.line_ = line_;
    recordStarted_ = true;
}

void TableRecordStream::append(QStringView run) {
    startRecord();
    if (record_.chars_.size() + run.size() > maxRecordChars)
        throw TableFault(
            state_ == State::Quoted
                ? QStringLiteral("a quoted field runs on past %L1 characters: is its closing "
                                 "quote missing?")
                      .arg(maxRecordChars)
                : QStringLiteral("the record is longer than %L1 characters, more than any "
                                 "table row holds")
                      .arg(maxRecordChars),
            record_.line_);
    record_.chars_.append(run);
}

void TableRecordStream::endField() {
    record_.ends_.push_back(record_.chars_.size());
    state_ = State::FieldStart;
}

void TableRecordStream::endRecord() {
    if (recordStarted_) {
        endField();
        handler_(record_);
    }
    record_.chars_.resize(0); // keeps its capacity for the next record, unlike clear()
    record_.ends_.clear();
    recordStarted_ = false;
    state_ = State::FieldStart;
}

void TableRecordStream::finish() {
    if (state_ == State::Quoted)
        throw TableFault(QStringLiteral("a quoted field is not closed before the end of the input"),
                         record_.line_);
    afterCarriageReturn_ = false;
    endRecord();
}
