// Draws the toolbar pictures (16 x 15) and the two icons of the program into res/. The PNGs
// are kept in the repository; run this again after changing a drawing:
//   cmake --build build --target velmora_draw_pictures && build/res/pictures/velmora_draw_pictures
//   res
#include <QDir>
#include <QFileInfo>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include <cstdio>
#include <functional>

namespace {

const QColor kOutline(0x3c, 0x3c, 0x3c);

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

QPen Pen(const QColor& color, qreal width = 1.0) {
    QPen pen(color, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

// A sheet of paper with a folded top-right corner, on the pixel grid.
void Page(QPainter& p, int left, int top, int right, int bottom, int fold) {
    QPainterPath sheet;
    sheet.moveTo(left + 0.5, top + 0.5);
    sheet.lineTo(right - fold + 0.5, top + 0.5);
    sheet.lineTo(right + 0.5, top + fold + 0.5);
    sheet.lineTo(right + 0.5, bottom + 0.5);
    sheet.lineTo(left + 0.5, bottom + 0.5);
    sheet.closeSubpath();
    p.setPen(Pen(kOutline));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(right - fold + 0.5, top + 0.5);
    corner.lineTo(right - fold + 0.5, top + fold + 0.5);
    corner.lineTo(right + 0.5, top + fold + 0.5);
    p.setBrush(QColor(0xd8, 0xd8, 0xd8));
    p.drawPath(corner);
}

// --- toolbar: 16 x 15 ----------------------------------------------------------------------

QImage DrawNew() {
    QImage image = Canvas(16, 15);
    QPainter p(&image);
    Page(p, 2, 0, 11, 14, 3);
    // a green badge with a plus: something new
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Pen(QColor(0x1e, 0x6e, 0x1e)));
    p.setBrush(QColor(0x3c, 0xb0, 0x3c));
    p.drawEllipse(QRectF(8.5, 7.5, 7, 7));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Pen(Qt::white));
    p.drawLine(12, 9, 12, 13);
    p.drawLine(10, 11, 14, 11);
    return image;
}

QImage DrawOpen() {
    QImage image = Canvas(16, 15);
    QPainter p(&image);
    const QColor dark(0x9c, 0x6c, 0x10), back(0xe8, 0xb8, 0x40), front(0xfc, 0xd8, 0x68);
    // back of the folder with its tab
    QPainterPath rear;
    rear.moveTo(0.5, 2.5);
    rear.lineTo(5.5, 2.5);
    rear.lineTo(6.5, 3.5);
    rear.lineTo(12.5, 3.5);
    rear.lineTo(12.5, 13.5);
    rear.lineTo(0.5, 13.5);
    rear.closeSubpath();
    p.setPen(Pen(dark));
    p.setBrush(back);
    p.drawPath(rear);
    // the open front flap, leaning out
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath flap;
    flap.moveTo(3.5, 6.5);
    flap.lineTo(15.5, 6.5);
    flap.lineTo(12.5, 13.5);
    flap.lineTo(0.5, 13.5);
    flap.closeSubpath();
    p.setBrush(front);
    p.drawPath(flap);
    return image;
}

QImage DrawSave() {
    QImage image = Canvas(16, 15);
    QPainter p(&image);
    const QColor body(0x2f, 0x5f, 0xb3), edge(0x1a, 0x36, 0x6e);
    QPainterPath disk;
    disk.moveTo(1.5, 0.5);
    disk.lineTo(12.5, 0.5);
    disk.lineTo(14.5, 2.5);
    disk.lineTo(14.5, 14.5);
    disk.lineTo(1.5, 14.5);
    disk.closeSubpath();
    p.setPen(Pen(edge));
    p.setBrush(body);
    p.drawPath(disk);
    // the metal shutter
    p.setPen(Pen(QColor(0x70, 0x70, 0x78)));
    p.setBrush(QColor(0xd0, 0xd4, 0xdc));
    p.drawRect(QRectF(4.5, 0.5, 7, 4));
    p.fillRect(QRect(9, 1, 2, 3), QColor(0x50, 0x50, 0x58));
    // the label
    p.setPen(Pen(QColor(0xa0, 0xa8, 0xb8)));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 7.5, 9, 6));
    p.setPen(Pen(QColor(0x9c, 0xb4, 0xe0)));
    p.drawLine(5, 10, 11, 10);
    p.drawLine(5, 12, 9, 12);
    return image;
}

QImage DrawReports() {
    QImage image = Canvas(16, 15);
    QPainter p(&image);
    Page(p, 1, 0, 12, 14, 3);
    // text lines and a little bar chart
    p.setPen(Pen(QColor(0x90, 0x90, 0x90)));
    p.drawLine(3, 3, 7, 3);
    p.drawLine(3, 5, 9, 5);
    p.fillRect(QRect(3, 10, 2, 3), QColor(0x2f, 0x7f, 0xd8));
    p.fillRect(QRect(6, 7, 2, 6), QColor(0x3c, 0xb0, 0x3c));
    p.fillRect(QRect(9, 8, 2, 5), QColor(0xe8, 0x70, 0x20));
    // a pencil across the corner: the report is being written
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(13.5, 8.5);
    p.rotate(40);
    p.setPen(Pen(QColor(0x6a, 0x4a, 0x10)));
    p.setBrush(QColor(0xf4, 0xc4, 0x30));
    p.drawRect(QRectF(-1.5, -5.5, 3, 8));
    QPainterPath tip;
    tip.moveTo(-1.5, 2.5);
    tip.lineTo(1.5, 2.5);
    tip.lineTo(0, 5.5);
    tip.closeSubpath();
    p.setBrush(QColor(0xf0, 0xd8, 0xb0));
    p.drawPath(tip);
    return image;
}

QImage DrawParameters() {
    QImage image = Canvas(16, 15);
    QPainter p(&image);
    // three sliders, each knob at its own setting
    const int rows[] = {2, 7, 12};
    const int knobs[] = {10, 4, 8};
    const QColor colours[] = {QColor(0x2f, 0x7f, 0xd8), QColor(0x3c, 0xb0, 0x3c),
                              QColor(0xe8, 0x70, 0x20)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(Pen(QColor(0x60, 0x60, 0x60)));
        p.drawLine(1, rows[i], 14, rows[i]);
        p.setPen(Pen(QColor(0x30, 0x30, 0x30)));
        p.setBrush(colours[i]);
        p.drawRect(QRectF(knobs[i] - 1.5, rows[i] - 2.5, 3, 4));
        p.fillRect(QRect(knobs[i] - 1, rows[i] - 2, 3, 4), colours[i]);
    }
    return image;
}

QImage DrawInformation() {
    QImage image = Canvas(16, 15);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(6, 5), 9);
    fill.setColorAt(0, QColor(0x6c, 0xae, 0xf0));
    fill.setColorAt(1, QColor(0x1e, 0x5c, 0xb8));
    p.setPen(Pen(QColor(0x12, 0x3c, 0x80)));
    p.setBrush(fill);
    p.drawEllipse(QRectF(0.5, 0.0, 14, 14));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRect(7, 3, 2, 2)); // the dot
    p.drawRect(QRect(7, 6, 2, 5)); // the stem
    p.drawRect(QRect(6, 6, 1, 1));
    p.drawRect(QRect(6, 10, 4, 1));
    return image;
}

QImage DrawSkin() {
    QImage image = Canvas(16, 15);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // a painter's palette with its thumb hole
    QPainterPath palette;
    palette.addEllipse(QRectF(0.5, 1.5, 15, 12));
    QPainterPath hole;
    hole.addEllipse(QRectF(9.0, 8.0, 3.5, 3.0));
    p.setPen(Pen(QColor(0x7a, 0x55, 0x25)));
    p.setBrush(QColor(0xee, 0xcc, 0x94));
    p.drawPath(palette.subtracted(hole));
    p.setPen(Qt::NoPen);
    const QPointF dots[] = {{4.0, 5.5}, {7.5, 4.0}, {11.5, 4.8}, {4.3, 9.5}};
    const QColor colours[] = {QColor(0xd8, 0x28, 0x28), QColor(0x2f, 0x6f, 0xd8),
                              QColor(0x2c, 0xa8, 0x2c), QColor(0xf0, 0xc0, 0x10)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawEllipse(dots[i], 1.7, 1.7);
    }
    return image;
}

QImage DrawAbout() {
    QImage image = Canvas(16, 15);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(6, 5), 9);
    fill.setColorAt(0, QColor(0x5e, 0xc8, 0x90));
    fill.setColorAt(1, QColor(0x1a, 0x84, 0x50));
    p.setPen(Pen(QColor(0x10, 0x58, 0x34)));
    p.setBrush(fill);
    p.drawEllipse(QRectF(0.5, 0.0, 14, 14));
    // the question mark
    QPen mark(Qt::white, 2.0);
    mark.setCapStyle(Qt::FlatCap);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(5.0, 5.2);
    hook.cubicTo(5.0, 2.4, 10.4, 2.4, 10.4, 5.0);
    hook.cubicTo(10.4, 7.0, 7.7, 6.8, 7.7, 9.0);
    p.drawPath(hook);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRect(7, 10, 2, 2));
    return image;
}

// --- icons: drawn on a 256 grid and scaled ---------------------------------------------------

void Trophy(QPainter& p) {
    const QColor edge(0x7a, 0x52, 0x08);
    QLinearGradient gold(40, 0, 216, 0);
    gold.setColorAt(0.0, QColor(0xc8, 0x8a, 0x10));
    gold.setColorAt(0.35, QColor(0xff, 0xe0, 0x6a));
    gold.setColorAt(0.6, QColor(0xf4, 0xb8, 0x28));
    gold.setColorAt(1.0, QColor(0xb0, 0x74, 0x08));
    p.setPen(QPen(edge, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // handles
    p.setBrush(Qt::NoBrush);
    QPen handle(edge, 26, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handle);
    p.drawArc(QRectF(22, 44, 76, 84), 90 * 16, 200 * 16);
    p.drawArc(QRectF(158, 44, 76, 84), -110 * 16, 200 * 16);
    QPen handleGold(QColor(0xf0, 0xb4, 0x24), 12, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handleGold);
    p.drawArc(QRectF(22, 44, 76, 84), 90 * 16, 200 * 16);
    p.drawArc(QRectF(158, 44, 76, 84), -110 * 16, 200 * 16);
    // the cup
    p.setPen(QPen(edge, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    QPainterPath cup;
    cup.moveTo(56, 28);
    cup.lineTo(200, 28);
    cup.cubicTo(200, 120, 170, 156, 128, 160);
    cup.cubicTo(86, 156, 56, 120, 56, 28);
    cup.closeSubpath();
    p.drawPath(cup);
    // stem and base
    QPainterPath stem;
    stem.moveTo(114, 158);
    stem.lineTo(142, 158);
    stem.lineTo(150, 196);
    stem.lineTo(106, 196);
    stem.closeSubpath();
    p.drawPath(stem);
    QLinearGradient wood(0, 196, 0, 240);
    wood.setColorAt(0, QColor(0x8a, 0x4e, 0x22));
    wood.setColorAt(1, QColor(0x5a, 0x2e, 0x10));
    p.setBrush(wood);
    p.setPen(QPen(QColor(0x3a, 0x1c, 0x08), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawRoundedRect(QRectF(72, 196, 112, 40), 8, 8);
    // a star on the cup
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf6, 0xc8));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? 30 : 12;
        const qreal a = (-90 + i * 36) * M_PI / 180.0;
        const QPointF point(128 + r * std::cos(a), 84 + r * std::sin(a));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    p.drawPath(star);
}

QImage DrawProgramIcon(int size) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    Trophy(p);
    return image;
}

QImage DrawTournamentIcon(int size) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    // the tournament file: a sheet with a draw bracket on it
    QPainterPath sheet;
    sheet.moveTo(36, 8);
    sheet.lineTo(172, 8);
    sheet.lineTo(220, 56);
    sheet.lineTo(220, 248);
    sheet.lineTo(36, 248);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(172, 8);
    corner.lineTo(172, 56);
    corner.lineTo(220, 56);
    p.setBrush(QColor(0xd8, 0xd8, 0xd8));
    p.drawPath(corner);
    QPen bracket(QColor(0x2f, 0x5f, 0xb3), 10, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(bracket);
    p.setBrush(Qt::NoBrush);
    const int left = 60, mid = 104, right = 148;
    for (int y : {60, 148}) {
        QPainterPath pair;
        pair.moveTo(left, y);
        pair.lineTo(mid, y);
        pair.lineTo(mid, y + 44);
        pair.lineTo(left, y + 44);
        pair.moveTo(mid, y + 22);
        pair.lineTo(right, y + 22);
        p.drawPath(pair);
    }
    QPainterPath final;
    final.moveTo(right, 82);
    final.lineTo(right, 170);
    final.moveTo(right, 126);
    final.lineTo(164, 126);
    p.drawPath(final);
    // the cup waiting at the end
    p.save();
    p.translate(160, 98);
    p.scale(0.23, 0.23);
    Trophy(p);
    p.restore();
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QString res = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("res");
    const std::pair<const char*, std::function<QImage()>> toolbar[] = {
        {"new", DrawNew},
        {"open", DrawOpen},
        {"save", DrawSave},
        {"reports", DrawReports},
        {"parameters", DrawParameters},
        {"information", DrawInformation},
        {"skin", DrawSkin},
        {"about", DrawAbout},
    };
    for (const auto& [name, draw] : toolbar)
        Save(draw(), res + QStringLiteral("/toolbar/%1.png").arg(QLatin1String(name)));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        Save(DrawProgramIcon(size), res + QStringLiteral("/icons/velmora-%1.png").arg(size));
        Save(DrawTournamentIcon(size), res + QStringLiteral("/icons/tournament-%1.png").arg(size));
    }
    return 0;
}
