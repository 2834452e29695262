#pragma once
// Reads a Windows cursor file (.cur): the first image and its hot spot. Images stored as
// device-independent bitmaps (1, 4, 8, 24 or 32 bits per pixel, with their AND mask) are
// decoded here into ARGB pixels; images stored as PNG are handed over as PNG bytes.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct CursorImage {
    int width = 0;
    int height = 0;
    int hotSpotX = 0;
    int hotSpotY = 0;
    std::vector<std::uint32_t> argb; // width * height pixels, rows top-down; empty for PNG
    QByteArray png;                  // the embedded PNG, when the image is one
};

class CursorFile {
public:
    // Returns the image, or nothing with error() saying why the bytes are not a cursor.
    std::optional<CursorImage> parse(const QByteArray& bytes);
    const QString& error() const { return error_; }

private:
    std::optional<CursorImage> fail(const QString& problem);
    std::optional<CursorImage> decodeBitmap(const QByteArray& bytes, std::uint32_t offset,
                                            std::uint32_t size, CursorImage image);

    QString error_;
};
