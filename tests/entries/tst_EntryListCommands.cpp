// The entry list commands: the sample set.

#include "EntryListCommands.h"
#include "ScriptedPlatform.h"

#include <QTest>

class EntryListCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void sampleTwiceGivesTwelveUpperCasedEntries();
};

void EntryListCommandsTest::sampleTwiceGivesTwelveUpperCasedEntries() {
    WindowState state;
    ScriptedPlatform platform;
    EntryListCommands commands(state, platform);
    state.entries.append(u"03060");
    commands.PushButton7_Click();
    commands.PushButton7_Click();

    const QStringList once{"NEWBURYPORT, MA", "NASHUA , NH", "SPRINGFIELD, MO",
                           "HAVERHILL, MA",   "03053",       "12345"};
    QStringList entries;
    for (qsizetype i = 0; i < state.entries.count(); ++i)
        entries << state.entries.text(i);
    QCOMPARE(entries, QStringList{"03060"} + once + once);
    QVERIFY(platform.messages.isEmpty());
}

QTEST_GUILESS_MAIN(EntryListCommandsTest)
#include "tst_EntryListCommands.moc"
