#include "cli/ProgressLine.h"

#include "core/Counted.h"

#include <cstdio>

ProgressLine::ProgressLine(bool enabled)
    : enabled_(enabled) {
    clock_.start();
}

ProgressLine::~ProgressLine() {
    clear();
}

QString ProgressLine::text(std::int64_t entries, double seconds, std::int64_t done,
                           std::int64_t size) {
    const double rate = seconds > 0 ? double(entries) / seconds : 0;
    QString line;
    if (size > 0) {
        constexpr int width = 30;
        const double part = std::min(1.0, double(done) / double(size));
        const int filled = int(part * width);
        line = QStringLiteral("[%1%2] %3% ")
                   .arg(QString(filled, u'#'), QString(width - filled, u'.'))
                   .arg(int(part * 100), 3);
        if (part > 0) {
            const auto left = std::int64_t(seconds / part - seconds);
            line += QStringLiteral("%1:%2 left, ")
                        .arg(left / 60)
                        .arg(left % 60, 2, 10, QLatin1Char('0'));
        }
    }
    return line + Counted(entries, "entry", "entries") +
           QStringLiteral(", %L1 entries/s").arg(std::int64_t(rate));
}

void ProgressLine::update(std::int64_t entries, std::int64_t done, std::int64_t size) {
    if (!enabled_)
        return;
    const std::int64_t now = clock_.elapsed();
    if (now - lastDrawMs_ < 100)
        return;
    lastDrawMs_ = now;
    const QString line = text(entries, double(now) / 1000.0, done, size);
    std::fprintf(stderr, "\r\033[K%s", line.toLocal8Bit().constData());
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressLine::clear() {
    if (!drawn_)
        return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    drawn_ = false;
}
