#pragma once
// Shapes the text of a csv or tsv table into records, piece by piece, as ListFileStream
// decodes it, so that a table of any size is read without holding it whole.
//
//   csv (RFC 4180): fields separated by commas; a field that starts with a quote runs to
//     the next lone quote and may hold commas, line ends and doubled quotes (one quote
//     each). Text after a closing quote joins the field, as common readers take it.
//   tsv: fields separated by tabs, no quoting: a field holds no tab and no line end.
//
// CR LF, LF and CR alone end a record; an empty line is no record. A record is held
// whole, up to maxRecordChars: a longer one (a runaway quote, a field of megabytes) is
// refused, so memory stays bounded at any input. Faults are thrown as TableFault, with
// the line the record starts on.

#include "core/AppError.h"
#include "entries/TextSink.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

enum class TableFormat { Csv, Tsv };

// A record that cannot be read, or read as asked. usage: the command asked for something
// the table does not have (a column name not in its header).
class TableFault : public AppError {
public:
    TableFault(const QString& message, qint64 atLine, bool isUsage = false)
        : AppError(message)
        , line(atLine)
        , usage(isUsage) {}
    qint64 line;
    bool usage;
};

// The fields of one record: views valid during the call that hands it over.
class TableRecord {
public:
    qsizetype size() const { return qsizetype(ends_.size()); }
    QStringView operator[](qsizetype i) const {
        const qsizetype start = i == 0 ? 0 : ends_[std::size_t(i - 1)];
        return QStringView(chars_).sliced(start, ends_[std::size_t(i)] - start);
    }
    qint64 line() const { return line_; }
    // This record's fields and line as another's, in the storage this one has already.
    void copyFrom(const TableRecord& other) {
        chars_.resize(0);
        chars_ += other.chars_;
        ends_.assign(other.ends_.begin(), other.ends_.end());
        line_ = other.line_;
    }

private:
    friend class TableRecordStream;
    QString chars_;               // every field, one after another
    std::vector<qsizetype> ends_; // where each field ends in chars_
    qint64 line_ = 0;
};

class TableRecordStream : public TextSink {
public:
    static constexpr qsizetype maxRecordChars = 1 << 20;
    using Handler = std::function<void(const TableRecord& record)>;

    TableRecordStream(TableFormat format, Handler handler);

    void feed(QStringView text) override;
    // The last record, when the text did not end with a line end. Throws TableFault for a
    // quoted field still open.
    void finish() override;

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    qsizetype takeRun(QStringView text, qsizetype from);
    void take(char16_t c);
    void lineEnd(char16_t c);
    void startRecord();
    void endField();
    void endRecord();
    void append(QStringView run);

    char16_t separator_;
    bool quoting_;
    Handler handler_;
    TableRecord record_;
    State state_ = State::FieldStart;
    bool recordStarted_ = false;
    bool afterCarriageReturn_ = false;
    qint64 line_ = 1;
};
