#pragma once
// The scripted seam with a real clock and the real event loop, as the window has. It
// measures the gaps between the passes of the event loop within a step.

#include "core/CoarseClock.h"
#include "support/ScriptedPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>

class BenchPlatform : public ScriptedPlatform {
public:
    BenchPlatform() { clock_.start(); }
    std::int64_t monotonicMilliseconds() override { return CoarseClock::milliseconds(); }
    void processEvents() override {
        noteGap();
        ++yields;
        QCoreApplication::processEvents();
        last_ = clock_.nsecsElapsed();
    }
    void startStep() {
        last_ = clock_.nsecsElapsed();
        longestGapNs = 0;
    }
    // The stretch since the last pass of the event loop counts as a gap too.
    void endStep() { noteGap(); }
    qint64 longestGapNs = 0;

private:
    void noteGap() { longestGapNs = std::max(longestGapNs, clock_.nsecsElapsed() - last_); }
    QElapsedTimer clock_;
    qint64 last_ = 0;
};
