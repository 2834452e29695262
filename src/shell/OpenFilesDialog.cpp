#include "shell/OpenFilesDialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

OpenFilesDialog::OpenFilesDialog(QWidget* parent)
    : QFileDialog(parent) {
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFiles);
    nameEdit_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (auto* box = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox")))
        openButton_ = box->button(QDialogButtonBox::Open);
    // The dialog disables Open while a typed file does not exist; keep it usable.
    if (nameEdit_ && openButton_) {
        connect(nameEdit_, &QLineEdit::textChanged, this, [this] { keepOpenButtonEnabled(); });
        openButton_->installEventFilter(this);
    }
}

QStringList OpenFilesDialog::chosenFiles() const {
    return typedMissing_.isEmpty() ? selectedFiles() : typedMissing_;
}

void OpenFilesDialog::accept() {
    const QStringList typed = typedPaths();
    const bool anyMissing = std::any_of(
        typed.begin(), typed.end(), [](const QString& path) { return !QFileInfo::exists(path); });
    if (!anyMissing) {
        typedMissing_.clear();
        QFileDialog::accept(); // also opens a typed folder instead of choosing it
        return;
    }
    typedMissing_ = typed;
    QFileDialog::done(QDialog::Accepted);
}

bool OpenFilesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == openButton_ && event->type() == QEvent::EnabledChange)
        keepOpenButtonEnabled();
    return QFileDialog::eventFilter(watched, event);
}

void OpenFilesDialog::keepOpenButtonEnabled() {
    if (!openButton_->isEnabled() && !nameEdit_->text().trimmed().isEmpty())
        openButton_->setEnabled(true);
}

// The names in the name field as full paths: one name, or several in double quotes
// ("a.txt" "b.txt") as the dialog writes a multiple selection.
QStringList OpenFilesDialog::typedPaths() const {
    const QString text = nameEdit_ ? nameEdit_->text().trimmed() : QString();
    QStringList names;
    if (!text.contains(u'"')) {
        if (!text.isEmpty())
            names.append(text);
    } else {
        const QStringList parts = text.split(u'"');
        for (qsizetype i = 1; i < parts.size(); i += 2)
            if (!parts.at(i).isEmpty())
                names.append(parts.at(i));
    }
    QStringList paths;
    for (const QString& name : std::as_const(names))
        paths.append(QFileInfo(name).isAbsolute() ? name : directory().filePath(name));
    return paths;
}
