#pragma once

#include <QImage>
#include <QString>

// A QR code of text (an address to scan with a phone): black modules on white with the quiet
// zone the standard asks for, each module `scale` pixels. A null image when text cannot be
// encoded.
QImage QrCodeImage(const QString& text, int scale = 6);
