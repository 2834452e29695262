#pragma once
// One run of quellist-convert: every input read and converted, the rows written, the
// unmatched entries and the summary reported. Returns the exit status.

#include "cli/ConvertOptions.h"

#include <QSet>
#include <QString>

#include <cstdint>

class EntryConverter;
class OutputFile;
class ProgressLine;
class RowWriter;

class ConvertCommand {
public:
    explicit ConvertCommand(const ConvertOptions& options);
    int run();

private:
    struct Counts {
        std::int64_t read = 0;
        std::int64_t converted = 0;
        std::int64_t unmatched = 0;
        std::int64_t rows = 0;
    };

    void convertInput(const QString& input, EntryConverter& converter, RowWriter& writer,
                      OutputFile* unmatched, ProgressLine& progress);
    void convertEntry(QStringView entry, const QString& name, std::int64_t line,
                      EntryConverter& converter, RowWriter& writer, OutputFile* unmatched);
    void reportSummary() const;
    int finalStatus() const;

    const ConvertOptions& options_;
    Counts counts_;
    QSet<QString> reportedFailures_;
    bool fileFailed_ = false;
};
