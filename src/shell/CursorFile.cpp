#include "shell/CursorFile.h"

namespace {

constexpr std::uint32_t maxSide = 256;

std::uint32_t read16(const QByteArray& bytes, qsizetype at) {
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8;
}

std::uint32_t read32(const QByteArray& bytes, qsizetype at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

// Rows of a bitmap are padded to whole 32-bit words.
std::uint64_t rowBytes(std::uint32_t width, std::uint32_t bitsPerPixel) {
    return (std::uint64_t(width) * bitsPerPixel + 31) / 32 * 4;
}

std::uint32_t pixelIndex(const char* row, std::uint32_t x, std::uint32_t bitsPerPixel) {
    const auto byte = std::uint8_t(row[std::uint64_t(x) * bitsPerPixel / 8]);
    const std::uint32_t perByte = 8 / bitsPerPixel;
    const std::uint32_t shift = (perByte - 1 - x % perByte) * bitsPerPixel;
    return (byte >> shift) & ((1u << bitsPerPixel) - 1);
}

} // namespace

std::optional<CursorImage> CursorFile::fail(const QString& problem) {
    error_ = problem;
    return std::nullopt;
}

std::optional<CursorImage> CursorFile::parse(const QByteArray& bytes) {
    error_.clear();
    if (bytes.size() < 6 + 16)
        return fail(QStringLiteral("the file is too short for a cursor"));
    if (read16(bytes, 0) != 0 || read16(bytes, 2) != 2 || read16(bytes, 4) == 0)
        return fail(QStringLiteral("the file is not a cursor file"));
    CursorImage image;
    image.width = std::uint8_t(bytes[6]) == 0 ? 256 : std::uint8_t(bytes[6]);
    image.height = std::uint8_t(bytes[7]) == 0 ? 256 : std::uint8_t(bytes[7]);
    image.hotSpotX = int(read16(bytes, 10));
    image.hotSpotY = int(read16(bytes, 12));
    const std::uint32_t size = read32(bytes, 14);
    const std::uint32_t offset = read32(bytes, 18);
    if (std::uint64_t(offset) + size > std::uint64_t(bytes.size()) || size < 8)
        return fail(QStringLiteral("the cursor image lies outside the file"));
    if (bytes.mid(offset, 8) == QByteArray("\x89PNG\r\n\x1a\n", 8)) {
        image.png = bytes.mid(offset, size);
        return image;
    }
    return decodeBitmap(bytes, offset, size, std::move(image));
}

std::optional<CursorImage> CursorFile::decodeBitmap(const QByteArray& bytes, std::uint32_t offset,
                                                    std::uint32_t size, CursorImage image) {
    if (size < 40 || read32(bytes, offset) < 40)
        return fail(QStringLiteral("the cursor image has no bitmap header"));
    const std::uint32_t headerSize = read32(bytes, offset);
    const std::uint32_t width = read32(bytes, offset + 4);
    const std::uint32_t doubleHeight = read32(bytes, offset + 8);
    const std::uint32_t bits = read16(bytes, offset + 14);
    const std::uint32_t compression = read32(bytes, offset + 16);
    const std::uint32_t colorsUsed = read32(bytes, offset + 32);
    if (width == 0 || width > maxSide || doubleHeight == 0 || doubleHeight > 2 * maxSide ||
        doubleHeight % 2 != 0)
        return fail(QStringLiteral("the cursor image has an impossible size"));
    if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return fail(QStringLiteral("the cursor image uses an unsupported format"));
    const std::uint32_t height = doubleHeight / 2;
    const std::uint32_t paletteSize = bits <= 8 ? (colorsUsed ? colorsUsed : 1u << bits) : 0;
    if (paletteSize > 256)
        return fail(QStringLiteral("the cursor image has an impossible palette"));
    const std::uint64_t paletteStart = std::uint64_t(offset) + headerSize;
    const std::uint64_t pixelStart = paletteStart + std::uint64_t(paletteSize) * 4;
    const std::uint64_t maskStart = pixelStart + rowBytes(width, bits) * height;
    const std::uint64_t end = maskStart + rowBytes(width, 1) * height;
    if (end > std::uint64_t(offset) + size)
        return fail(QStringLiteral("the cursor image is cut short"));

    image.width = int(width);
    image.height = int(height);
    image.argb.resize(std::size_t(width) * height);
    bool anyAlpha = false;
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t fileRow = height - 1 - y; // bitmaps are stored bottom-up
        const char* row = bytes.constData() + pixelStart + rowBytes(width, bits) * fileRow;
        const char* mask = bytes.constData() + maskStart + rowBytes(width, 1) * fileRow;
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            if (bits == 32) {
                pixel = read32(bytes, row - bytes.constData() + qsizetype(x) * 4);
                anyAlpha = anyAlpha || (pixel >> 24) != 0;
            } else if (bits == 24) {
                const auto* p = reinterpret_cast<const std::uint8_t*>(row + std::size_t(x) * 3);
                pixel = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
            } else {
                const std::uint32_t index = pixelIndex(row, x, bits);
                pixel =
                    index < paletteSize
                        ? read32(bytes, qsizetype(paletteStart) + qsizetype(index) * 4) & 0xffffff
                        : 0;
            }
            if (bits != 32 && pixelIndex(mask, x, 1) == 0)
                pixel |= 0xff000000u; // a cleared mask bit: the pixel shows
            image.argb[std::size_t(y) * width + x] = pixel;
        }
    }
    // A 32-bit image whose alpha channel is empty everywhere takes its shape from the mask.
    if (bits == 32 && !anyAlpha)
        for (std::uint32_t y = 0; y < height; ++y) {
            const char* mask =
                bytes.constData() + maskStart + rowBytes(width, 1) * (height - 1 - y);
            for (std::uint32_t x = 0; x < width; ++x)
                if (pixelIndex(mask, x, 1) == 0)
                    image.argb[std::size_t(y) * width + x] |= 0xff000000u;
        }
    return image;
}
