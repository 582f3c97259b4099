// Draws the window's artwork into resources/: the background panel, the two
// accuracy markers and the icon (an .ico of six images, and PNGs of 128, 48,
// 32 and 16 pixels for the desktop's icon theme).
//
//   make_artwork RESOURCES_DIR      (run with QT_QPA_PLATFORM=offscreen)
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdint>

namespace {

QImage Background() {
    QImage image(600, 278, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 278);
    sky.setColorAt(0, QColor(26, 30, 24));
    sky.setColorAt(0.55, QColor(12, 14, 12));
    sky.setColorAt(1, QColor(4, 4, 4));
    p.fillRect(image.rect(), sky);
    // A faint range-finder grid.
    p.setPen(QColor(255, 255, 255, 10));
    for (int x = 0; x < 600; x += 20) p.drawLine(x, 0, x, 278);
    for (int y = 0; y < 278; y += 20) p.drawLine(0, y, 600, y);
    // The title, stencil-like, top left.
    QFont title("DejaVu Sans", 17, QFont::Black);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(18, 30, "TOVRIK STATS");
    p.setPen(QColor(176, 164, 120));
    p.drawText(16, 28, "TOVRIK STATS");
    // A band behind the summary block.
    QLinearGradient band(0, 226, 0, 278);
    band.setColorAt(0, QColor(40, 36, 28, 200));
    band.setColorAt(1, QColor(14, 12, 10, 220));
    p.fillRect(QRect(0, 226, 600, 52), band);
    p.setPen(QColor(120, 100, 60));
    p.drawLine(0, 226, 600, 226);
    // A crosshair watermark behind the lists.
    p.setPen(QPen(QColor(255, 255, 255, 14), 2));
    p.drawEllipse(QPointF(536, 128), 70, 70);
    p.drawLine(536, 48, 536, 208);
    p.drawLine(456, 128, 616, 128);
    return image;
}

QImage Marker(QColor colour, bool up) {
    QImage image(14, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    if (up) {
        arrow.moveTo(7, 1);
        arrow.lineTo(13, 9);
        arrow.lineTo(1, 9);
    } else {
        arrow.moveTo(1, 1);
        arrow.lineTo(13, 1);
        arrow.lineTo(7, 9);
    }
    arrow.closeSubpath();
    p.fillPath(arrow, colour);
    return image;
}

QImage Icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    double s = size / 32.0;
    QRadialGradient disc(QPointF(16 * s, 14 * s), 16 * s);
    disc.setColorAt(0, QColor(70, 74, 60));
    disc.setColorAt(1, QColor(20, 22, 18));
    p.setBrush(disc);
    p.setPen(QPen(QColor(176, 164, 120), std::max(1.0, 1.5 * s)));
    p.drawEllipse(QRectF(1.5 * s, 1.5 * s, 29 * s, 29 * s));
    p.setPen(QPen(QColor(230, 40, 30), std::max(1.0, 2 * s)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8 * s, 8 * s, 16 * s, 16 * s));
    p.drawLine(QPointF(16 * s, 4 * s), QPointF(16 * s, 12 * s));
    p.drawLine(QPointF(16 * s, 20 * s), QPointF(16 * s, 28 * s));
    p.drawLine(QPointF(4 * s, 16 * s), QPointF(12 * s, 16 * s));
    p.drawLine(QPointF(20 * s, 16 * s), QPointF(28 * s, 16 * s));
    p.setBrush(QColor(230, 40, 30));
    p.drawEllipse(QPointF(16 * s, 16 * s), 1.2 * s, 1.2 * s);
    return image;
}

void Put16(QByteArray& b, int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
void Put32(QByteArray& b, std::uint32_t v) { Put16(b, int(v & 0xFFFF)), Put16(b, int(v >> 16)); }

// One icon image as a device-independent bitmap: header, palette (8 bits),
// pixels bottom-up, then the transparency mask.
QByteArray Dib(const QImage& source, int bits) {
    int size = source.width();
    QImage image = bits == 8 ? source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdAlphaDither)
                             : source.convertToFormat(QImage::Format_ARGB32);
    QByteArray b;
    Put32(b, 40);
    Put32(b, std::uint32_t(size));
    Put32(b, std::uint32_t(size * 2));
    Put16(b, 1);
    Put16(b, bits);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    if (bits == 8) {
        QList<QRgb> table = image.colorTable();
        for (int i = 0; i < 256; ++i) {
            QRgb c = i < table.size() ? table[i] : 0;
            b.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            if (bits == 8) {
                b.append(char(image.pixelIndex(x, y)));
            } else {
                QRgb c = image.pixel(x, y);
                b.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(qAlpha(c)));
            }
        }
    }
    int maskRow = ((size + 31) / 32) * 4;
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRow, 0);
        for (int x = 0; x < size; ++x)
            if (qAlpha(source.pixel(x, y)) < 128) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        b.append(row);
    }
    return b;
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An .ico of 32 and 16 pixels at 8 bits, and 128, 48, 32 and 16 at 32 bits;
// the 128-pixel image is stored as PNG.
QByteArray Ico() {
    struct Entry {
        int size, bits;
    };
    const Entry entries[] = {{32, 8}, {16, 8}, {128, 32}, {48, 32}, {32, 32}, {16, 32}};
    QList<QByteArray> images;
    for (const Entry& e : entries) images.append(e.size == 128 ? Png(Icon(128)) : Dib(Icon(e.size), e.bits));
    QByteArray b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, 6);
    std::uint32_t offset = 6 + 16 * 6;
    for (int i = 0; i < 6; ++i) {
        b.append(char(entries[i].size == 128 ? 128 : entries[i].size))
            .append(char(entries[i].size == 128 ? 128 : entries[i].size));
        b.append(char(0)).append(char(0));
        Put16(b, 1);
        Put16(b, entries[i].bits);
        Put32(b, std::uint32_t(images[i].size()));
        Put32(b, offset);
        offset += std::uint32_t(images[i].size());
    }
    for (const QByteArray& image : images) b.append(image);
    return b;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    QString dir = argv[1];
    Background().save(dir + "/images/background.png");
    Marker(QColor(255, 0, 0), false).save(dir + "/images/marker-low.png");
    Marker(QColor(0, 192, 0), true).save(dir + "/images/marker-high.png");
    Icon(128).save(dir + "/icons/tovrik.png");
    for (int size : {16, 32, 48}) Icon(size).save(dir + QString("/icons/tovrik-%1.png").arg(size));
    QFile ico(dir + "/icons/tovrik.ico");
    if (!ico.open(QIODevice::WriteOnly)) return 1;
    ico.write(Ico());
    return 0;
}
