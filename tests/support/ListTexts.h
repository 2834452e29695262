#pragma once
// A list's rows as plain strings, for comparing with what a test expects.

#include "core/TextListModel.h"

#include <QStringList>

inline QStringList textsOf(const TextListModel& list) {
    QStringList texts;
    for (qsizetype i = 0; i < list.count(); ++i)
        texts << list.text(i);
    return texts;
}
