#pragma once
// Where a file the program writes goes: the one way the window's text file and workbooks
// and every output of quellist-convert reach the disk.
//
// A regular file, new or existing, is written beside its place in a file that has no name
// yet, and takes the place only at commit(): a failed, cancelled or killed write leaves an
// old file whole, no partial file and no temporary file. What is not a regular file (a
// device such as /dev/null, a pipe, a terminal), and any name that leads to one of the
// program's own standard streams (/dev/stdout, /proc/self/fd/2), is written in place:
// renaming over it would replace what it points to. "-" is standard output.
//
// Writes go straight to the file, unbuffered; a failed write says why in the file
// system's own words (errorString()).

#include <QIODevice>
#include <QString>

class OutputTarget : public QIODevice {
    Q_OBJECT
public:
    // Opens the target for writing. Throws AppError: "Cannot create <path>: <why>".
    explicit OutputTarget(const QString& path);
    // Cancels a write that was not committed.
    ~OutputTarget() override;
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    // The name messages give it: the path, or "standard output" for "-".
    QString name() const { return name_; }
    // A path by which a library that opens files by name (the workbook writer) reaches
    // the file being written.
    QString writablePath() const;
    // Whether the last failed write found its reader gone (a closed pipe).
    bool brokenPipe() const { return brokenPipe_; }
    bool inPlace() const { return !replacing_; }

    // Puts the file in its place, once it is on the disk. Throws AppError: "Cannot write
    // <path>: <why>".
    void commit();
    // Drops what was written: an old file stays as it was. Never throws.
    void cancel();

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    void openInPlace(const QString& path);
    void openBeside(const QString& path);
    [[noreturn]] void failToCreate(const QString& why) const;
    [[noreturn]] void failToWrite(int error);
    void linkIntoPlace();
    void release();

    QString name_;
    QString target_;   // the file replaced at commit: symbolic links followed
    QString tempName_; // a named file beside it, where unnamed files are not supported
    int fd_ = -1;
    bool ownsFd_ = false;
    bool replacing_ = false;
    bool brokenPipe_ = false;
};
