// The lists as assistive technology reads them, at a million rows and more: the time of
// each question a screen reader asks (how many rows, a row's name and state, the focused
// row, the row under a point), spread over the whole list, and the time the first
// question takes, when the list's interface is made.
//
// Usage: QT_QPA_PLATFORM=offscreen bench_accessibility [rows]   (default 1000000)

#include "PeakMemory.h"
#include "core/TextListModel.h"
#include "shell/TextListAccessible.h"
#include "shell/TextListRowAccessible.h"
#include "shell/TextListView.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr int questions = 100000;

template <typename Ask> void time(const char* what, Ask ask) {
    QElapsedTimer timer;
    timer.start();
    long long answers = 0;
    for (int i = 0; i < questions; ++i)
        answers += ask(i);
    std::printf("%-34s %8.2f us each   (%lld)\n", what,
                double(timer.nsecsElapsed()) / 1e3 / questions, answers);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TextListAccessible::installFactory();
    const int rows = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000000;
    TextListModel model(TextListModel::Storage::Shared);
    model.addColumnHeader(QStringLiteral("Results"));
    for (int i = 0; i < rows; ++i)
        model.append(QStringLiteral("Springfield, MO %1").arg(65800 + i % 100));
    model.flushAppends();
    TextListView view(model);
    view.resize(520, 120);
    view.show();
    view.activateWindow();
    view.setFocus();
    QCoreApplication::processEvents();
    view.setCurrentRow(rows / 2);
    std::printf("%d rows, peak %ld MB\n", rows, peakRssMb());

    QElapsedTimer first;
    first.start();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
    std::printf("%-34s %8.2f us\n", "first question (interface made)",
                double(first.nsecsElapsed()) / 1e3);
    const auto spread = [rows](int i) { return int(static_cast<long long>(i) * 7919 % rows); };
    time("child count", [&](int) { return list->childCount(); });
    time("row name, spread over the list",
         [&](int i) { return list->child(spread(i))->text(QAccessible::Name).size(); });
    time("row state, spread over the list",
         [&](int i) { return int(list->child(spread(i))->state().selected); });
    time("index of a row", [&](int i) { return list->indexOfChild(list->child(spread(i))); });
    time("focused row", [&](int) { return list->focusChild() ? 1 : 0; });
    const QPoint inside = view.viewport()->mapToGlobal(QPoint(10, 10));
    time("row under a point", [&](int) { return list->childAt(inside.x(), inside.y()) ? 1 : 0; });
    std::printf("peak %ld MB after %d distinct rows were read\n", peakRssMb(), questions);

    // A client walking every child, as GetChildren on the list makes Qt's bridge do.
    const long before = peakRssMb();
    QElapsedTimer walk;
    walk.start();
    long long named = 0;
    for (int row = 0; row < list->childCount(); ++row)
        named += list->child(row)->text(QAccessible::Name).size();
    std::printf("%-34s %8.2f s   peak %ld MB (+%ld)   %d row items alive   (%lld)\n",
                "every child walked, each named", double(walk.nsecsElapsed()) / 1e9, peakRssMb(),
                peakRssMb() - before, TextListRowAccessible::alive(), named);
    return 0;
}
