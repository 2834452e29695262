#include "commands/FormLoad.h"

#include "commands/ShortenAppTitle.h"
#include "convert/SaveOption.h"
#include "core/AppError.h"
#include "core/BuildSettings.h"
#include "core/FileExists.h"
#include "output/ResultListCommands.h"
#include "output/SaveOptionSetting.h"

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
    : Command(state, platform)
    , look_(look)
    , resultCommands_(resultCommands)
    , programFolder_(std::move(programFolder)) {}

void FormLoad::Form_Load() {
    ErrorTrap trap = trapAt(formLoadLocation);
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
    try {
        look_.setCustomPointer(readWhole(cursorPath()));
    } catch (const AppError& failure) {
        throw AppError(QStringLiteral("%1: %2").arg(cursorPath(), failure.description()));
    }
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
        state_.saveOption.selectByText(
            SaveOptionSetting::read(platform_, SaveOption::defaultText()));
        resultCommands_.Combo1_Click(); // a selection is a change: the text is stored again
    });
}
