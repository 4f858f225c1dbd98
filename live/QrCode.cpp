#include "QrCode.h"

#include <QPainter>

#include <qrencode.h>

#include <memory>

QImage QrCodeImage(const QString& text, int scale) {
    const QByteArray utf8 = text.toUtf8();
    // Medium error correction: still readable off a projector screen or a scratched print.
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(utf8.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code || code->width <= 0 || scale <= 0)
        return {};
    constexpr int kQuiet = 4; // modules of white around the code
    const int modules = code->width;
    const int side = (modules + 2 * kQuiet) * scale;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < modules; ++y)
        for (int x = 0; x < modules; ++x)
            if (code->data[y * modules + x] & 1)
                painter.fillRect((x + kQuiet) * scale, (y + kQuiet) * scale, scale, scale, Qt::black);
    return image;
}
