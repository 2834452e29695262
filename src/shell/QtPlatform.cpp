#include "QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTime>

QtPlatform::QtPlatform() {
    clock_.start();
}

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

QStringList QtPlatform::openFileNames(const FileDialogRequest& request) {
    return QFileDialog::getOpenFileNames(window_, request.title, QString(),
                                         request.filters.join(QStringLiteral(";;")));
}

QString QtPlatform::saveFileName(const FileDialogRequest& request) {
    return QFileDialog::getSaveFileName(window_, request.title, QString(),
                                        request.filters.join(QStringLiteral(";;")), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
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

int QtPlatform::secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000;
}

void QtPlatform::seedRandom(std::uint32_t seed) {
    random_.seed(seed);
}

double QtPlatform::nextRandom() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

std::int64_t QtPlatform::monotonicMilliseconds() {
    return clock_.elapsed();
}

void QtPlatform::processEvents() {
    QApplication::processEvents(QEventLoop::AllEvents);
}
