#include "shell/QtPlatform.h"

#include "core/CoarseClock.h"
#include "core/UserSettings.h"
#include "shell/OpenFilesDialog.h"
#include "shell/SpreadsheetProbe.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QTime>

#include <chrono>

QtPlatform::QtPlatform()
    : spreadsheetProgram_(std::async(std::launch::async, [path = qEnvironmentVariable("PATH")] {
                              return SpreadsheetProbe::find(path);
                          }).share()) {}

QString QtPlatform::displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

MessageAnswer QtPlatform::showMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                                      const QString& title) {
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    title, displayText(text),
                    buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                     : QMessageBox::Ok,
                    window_);
    box.setTextFormat(Qt::PlainText);
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtPlatform::inputPrompt(const QString& prompt, const QString& title) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(window_, title, prompt, QLineEdit::Normal, QString(), &accepted);
    return accepted ? text : QString();
}

namespace {

// "All Files (*.*)" is the label users know; here it must match names without a dot too.
void matchEveryFileForAllFiles(QFileDialog& dialog) {
    const auto widen = [&dialog](const QString& filter) {
        if (!filter.startsWith(QStringLiteral("All Files")))
            return;
        if (auto* model = dialog.findChild<QFileSystemModel*>())
            model->setNameFilters({QStringLiteral("*")});
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, widen, Qt::QueuedConnection);
}

void prepareDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    dialog.setNameFilters(request.filters);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    matchEveryFileForAllFiles(dialog);
}

} // namespace

QStringList QtPlatform::openFileNames(const FileDialogRequest& request) {
    OpenFilesDialog dialog(window_);
    prepareDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QStringList files = dialog.chosenFiles();
    if (files.size() <= 1)
        return files;
    // Several files: their folder, then the names chosen in it.
    QStringList selection{QFileInfo(files.first()).absolutePath()};
    for (const QString& file : files)
        selection.append(QFileInfo(file).fileName());
    return selection;
}

QString QtPlatform::saveFileName(const FileDialogRequest& request) {
    QFileDialog dialog(window_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the command asks itself
    prepareDialog(dialog, request);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool QtPlatform::clearClipboard() {
    QApplication::clipboard()->clear();
    return true;
}

bool QtPlatform::setClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
    return true;
}

bool QtPlatform::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

std::optional<SpreadsheetProgram> QtPlatform::findSpreadsheetProgram() {
    using namespace std::chrono_literals;
    while (spreadsheetProgram_.wait_for(10ms) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return spreadsheetProgram_.get();
}

bool QtPlatform::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

int QtPlatform::secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000;
}

void QtPlatform::seedRandom(std::uint32_t seed) {
    random_.seed(seed);
}

double QtPlatform::nextRandom() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

std::optional<QString> QtPlatform::readSetting(const QString& key) {
    return UserSettings::read(key);
}

bool QtPlatform::writeSetting(const QString& key, const QString& text) {
    return UserSettings::write(key, text);
}

QString QtPlatform::settingsStore() const {
    return UserSettings::fileName();
}

std::int64_t QtPlatform::monotonicMilliseconds() {
    return CoarseClock::milliseconds();
}

void QtPlatform::processEvents() {
    QApplication::processEvents(QEventLoop::AllEvents);
}
