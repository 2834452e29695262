#include "FormLoad.h"

#include "AppError.h"
#include "BuildSettings.h"
#include "CursorFile.h"
#include "FileExists.h"
#include "ResultListCommands.h"
#include "SaveOption.h"
#include "SaveOptionSetting.h"
#include "ShortenAppTitle.h"
#include "TrapLocations.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace {

QByteArray readWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

} // namespace

FormLoad::FormLoad(WindowState& state, Platform& platform, WindowLook& look,
                   ResultListCommands& resultCommands, QString programFolder)
    : state_(state)
    , platform_(platform)
    , look_(look)
    , resultCommands_(resultCommands)
    , programFolder_(std::move(programFolder)) {}

void FormLoad::Form_Load() {
    ErrorTrap trap(platform_, QString::fromLatin1(TrapLocations::formLoad));
    const QString productTitle = QString::fromUtf8(BuildSettings::productTitle);
    trap.step(100, [&] { ApplySkinIfPresent(); });
    trap.step(102, [&] { look_.setCaption(productTitle); });
    trap.step(104, [&] { look_.setProgramIcon(); });
    trap.step(106, [&] { state_.applicationTitle = ShortenAppTitle(productTitle); });
    trap.step(108, [&] { loadCustomPointer(); });
    trap.step(110, [&] { OpenWebsiteByChance(); });
    setUpColumns(trap);
    setUpSaveOption(trap);
}

void FormLoad::ApplySkinIfPresent() {
    if (!QFileInfo(skinPath()).isFile())
        return;
    look_.useButtonFaceBackground();
    const QByteArray sheet = readWhole(skinPath());
    look_.applyStyleSheet(QString::fromUtf8(sheet));
}

void FormLoad::loadCustomPointer() {
    if (!fileExists(cursorPath()))
        return;
    CursorFile reader;
    const auto image = reader.parse(readWhole(cursorPath()));
    if (!image)
        throw AppError(QStringLiteral("%1: %2").arg(cursorPath(), reader.error()));
    look_.setCustomPointer(*image);
}

void FormLoad::OpenWebsiteByChance() {
    platform_.seedRandom(std::uint32_t(platform_.secondsSinceMidnight()));
    const int n = int(std::floor(platform_.nextRandom() * 100)) + 1;
    if (n != 7)
        return;
    const QUrl site(QString::fromUtf8(BuildSettings::website));
    if (!platform_.openUrl(site))
        throw AppError(QStringLiteral("Cannot open %1").arg(site.toString()));
}

void FormLoad::setUpColumns(ErrorTrap& trap) {
    constexpr int columnTwips = 7000;
    trap.step(112,
              [&] { state_.entries.addColumnHeader(QStringLiteral("Zip Codes Or City, States")); });
    trap.step(114, [&] { state_.entries.setColumnWidth(0, columnTwips); });
    trap.step(116, [&] { state_.results.addColumnHeader(QStringLiteral("Results")); });
    trap.step(118, [&] { state_.results.setColumnWidth(0, columnTwips); });
}

void FormLoad::setUpSaveOption(ErrorTrap& trap) {
    trap.step(120, [&] {
        for (const QString& item : SaveOption::itemTexts())
            state_.saveOption.appendItem(item);
    });
    trap.step(122, [&] {
        state_.saveOption.selectByText(SaveOptionSetting::read(SaveOption::defaultText()));
        resultCommands_.Combo1_Click(); // a selection is a change: the text is stored again
    });
}
