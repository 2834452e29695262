#pragma once
// The open dialog of the list-file import: several files can be chosen, and a typed name
// is handed back as typed, whether the file exists or not. The import itself says "File
// not found" for a missing one and goes on with the next, so the dialog must not refuse
// or drop it.

#include <QFileDialog>

class QLineEdit;
class QPushButton;

class OpenFilesDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit OpenFilesDialog(QWidget* parent);

    // After exec() accepted: the full paths chosen, in the order given.
    QStringList chosenFiles() const;

protected:
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList typedPaths() const;
    void keepOpenButtonEnabled();

    QLineEdit* nameEdit_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QStringList typedMissing_;
};
