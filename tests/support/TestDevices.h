#pragma once
// Devices that behave as the outside world does, for tests: a pipe (bytes that can be read
// once, in order, perhaps without end) and a disk that fills up midway.

#include <QIODevice>

#include <cstring>

// A pipe: the bytes, readable once; with endless set, NUL bytes follow for ever.
class PipeDevice : public QIODevice {
public:
    explicit PipeDevice(QByteArray bytes, bool endless = false)
        : bytes_(std::move(bytes))
        , endless_(endless) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    qint64 bytesRead() const { return next_; }

protected:
    qint64 readData(char* data, qint64 size) override {
        qint64 got = std::min(size, bytes_.size() - std::min(next_, bytes_.size()));
        std::memcpy(data, bytes_.constData() + std::min(next_, bytes_.size()), std::size_t(got));
        if (got == 0 && endless_) {
            std::memset(data, 0, std::size_t(size));
            got = size;
        }
        next_ += got;
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    bool endless_;
    qint64 next_ = 0;
};

// Takes failAfter bytes, then fails every write as a full disk does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 failAfter)
        : left_(failAfter) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (size > left_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        left_ -= size;
        written.append(data, size);
        return size;
    }

private:
    qint64 left_;
};
