#pragma once
// What start-up changes in the window's appearance: the skin, the caption, the icon and
// the custom pointer image. MainWindow implements it; FormLoad decides when and what.

#include <QByteArray>
#include <QString>

class WindowLook {
public:
    virtual ~WindowLook() = default;

    // The window and Frame1 take the system's button-face colour.
    virtual void useButtonFaceBackground() = 0;
    // Applies a Qt style sheet to the window; throws AppError when it cannot be parsed.
    virtual void applyStyleSheet(const QString& sheet) = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setProgramIcon() = 0;
    // The image pointer value 99 shows, from the bytes of a cursor file; throws AppError
    // saying why when they are not a cursor or its image cannot be decoded.
    virtual void setCustomPointer(const QByteArray& cursorFile) = 0;
};
