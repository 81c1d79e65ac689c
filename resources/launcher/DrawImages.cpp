// Draws the launcher's bitmaps, icon and cursor into the folder given on the command line. The
// button pictures carry their captions, so each has an English and a Japanese variant.
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>

namespace {

constexpr int ButtonWidth = 480;
constexpr int ButtonHeight = 24;
const QColor Background(224, 224, 224);

enum class Look { Normal, Hover, Disabled };
enum class Sign { Book, Arrow };

QFont captionFont(bool japanese, int pixelSize, QFont::Weight weight) {
    QFont font(japanese ? "IPAPGothic" : "Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The small sign left of a caption: an open book for the manual, a down arrow into a tray for
// the install.
void drawSign(QPainter& p, Sign sign, const QColor& colour) {
    p.save();
    p.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (sign == Sign::Book) {
        QPainterPath book;
        book.moveTo(22, 7);
        book.cubicTo(19, 5.5, 15, 5.5, 12, 6.5);
        book.lineTo(12, 17.5);
        book.cubicTo(15, 16.5, 19, 16.5, 22, 18);
        book.cubicTo(25, 16.5, 29, 16.5, 32, 17.5);
        book.lineTo(32, 6.5);
        book.cubicTo(29, 5.5, 25, 5.5, 22, 7);
        book.lineTo(22, 18);
        p.drawPath(book);
    } else {
        p.drawLine(QPointF(22, 4.5), QPointF(22, 13.5));
        p.drawPolyline(QPolygonF({QPointF(18, 10), QPointF(22, 14), QPointF(26, 10)}));
        p.drawPolyline(QPolygonF({QPointF(13, 14), QPointF(13, 19), QPointF(31, 19), QPointF(31, 14)}));
    }
    p.restore();
}

// A caption bar: a rounded panel on the window's grey, the sign and the caption. Hovered it
// turns to the link colour; disabled its caption is greyed.
QImage buttonImage(const QString& caption, bool japanese, Sign sign, Look look) {
    QImage image(ButtonWidth, ButtonHeight, QImage::Format_RGB32);
    image.fill(Background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF panel(0.5, 0.5, ButtonWidth - 1, ButtonHeight - 1);
    QLinearGradient fill(0, 0, 0, ButtonHeight);
    QColor text;
    QColor border;
    switch (look) {
    case Look::Normal:
        fill.setColorAt(0, QColor(250, 250, 250));
        fill.setColorAt(1, QColor(232, 232, 236));
        border = QColor(160, 160, 170);
        text = QColor(24, 32, 64);
        break;
    case Look::Hover:
        fill.setColorAt(0, QColor(70, 130, 220));
        fill.setColorAt(1, QColor(30, 80, 170));
        border = QColor(20, 60, 140);
        text = Qt::white;
        break;
    case Look::Disabled:
        fill.setColorAt(0, QColor(236, 236, 236));
        fill.setColorAt(1, QColor(228, 228, 228));
        border = QColor(196, 196, 196);
        text = QColor(160, 160, 160);
        break;
    }
    p.setPen(border);
    p.setBrush(fill);
    p.drawRoundedRect(panel, 5, 5);
    drawSign(p, sign, text);
    p.setPen(text);
    p.setFont(captionFont(japanese, 14, QFont::DemiBold));
    p.drawText(QRectF(44, 0, ButtonWidth - 52, ButtonHeight), Qt::AlignLeft | Qt::AlignVCenter, caption);
    return image;
}

// The banner: the product's name on a dark blue band with a tone curve rising across it.
QImage bannerImage() {
    QImage image(480, 72, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 480, 72);
    band.setColorAt(0, QColor(16, 32, 72));
    band.setColorAt(1, QColor(36, 96, 150));
    p.fillRect(image.rect(), band);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int x = 300; x < 480; x += 20) p.drawLine(x, 0, x, 72);
    for (int y = 12; y < 72; y += 20) p.drawLine(300, y, 480, y);
    QPainterPath curve(QPointF(300, 70));
    curve.cubicTo(QPointF(370, 68), QPointF(400, 30), QPointF(480, 4));
    p.setPen(QPen(QColor(255, 255, 255, 200), 2.5));
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 120, 255));
    p.drawEllipse(QPointF(392, 42), 4.5, 4.5);
    p.setPen(Qt::white);
    p.setFont(captionFont(false, 24, QFont::Bold));
    p.drawText(QRectF(18, 8, 400, 34), Qt::AlignLeft | Qt::AlignVCenter, "KOVA LCD Ombrel Utility");
    p.setPen(QColor(190, 210, 240));
    p.setFont(captionFont(false, 15, QFont::Normal));
    p.drawText(QRectF(20, 42, 400, 22), Qt::AlignLeft | Qt::AlignVCenter, "Setup  Version 2.0.0");
    return image;
}

// The program icon: a disc with an arrow pointing down into it.
QImage appIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QRadialGradient disc(QPointF(13, 13), 18);
    disc.setColorAt(0, QColor(250, 250, 255));
    disc.setColorAt(1, QColor(150, 160, 190));
    p.setPen(QPen(QColor(60, 64, 80), 1));
    p.setBrush(disc);
    p.drawEllipse(QPointF(16, 18), 13, 13);
    p.setBrush(QColor(224, 224, 224));
    p.drawEllipse(QPointF(16, 18), 3.5, 3.5);
    p.setPen(QPen(QColor(20, 60, 140), 1));
    p.setBrush(QColor(60, 120, 210));
    p.drawPolygon(QPolygonF({QPointF(13, 1.5), QPointF(19, 1.5), QPointF(19, 8), QPointF(23.5, 8), QPointF(16, 15.5),
                             QPointF(8.5, 8), QPointF(13, 8)}));
    return image;
}

// The link cursor: a hand pointing up with its index finger, whose tip is the hot spot (6, 1).
QImage handCursor() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(5, 0, 4, 16), 2, 2);    // index finger
    hand.addRoundedRect(QRectF(9, 7, 4, 10), 2, 2);    // middle finger
    hand.addRoundedRect(QRectF(13, 8, 4, 9), 2, 2);    // ring finger
    hand.addRoundedRect(QRectF(17, 9, 4, 9), 2, 2);    // little finger
    hand.addRoundedRect(QRectF(0, 11, 7, 4), 2, 2);    // thumb
    hand.addRoundedRect(QRectF(4, 13, 17, 11), 4, 4);  // palm
    hand.setFillRule(Qt::WindingFill);
    hand = hand.simplified();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QColor(192, 192, 192));
    for (int x : {9, 13, 17}) p.drawLine(x, 11, x, 16);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hand);
    return image;
}

bool save(const QImage& image, const QString& folder, const QString& name) {
    const QString path = folder + "/" + name;
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

struct Caption {
    int normal;
    int hover;
    int disabled;  // 0: none
    Sign sign;
    const char* english;
    const char* japanese;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output-folder\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const Caption captions[] = {
        {1126, 1127, 0, Sign::Book, "Open the manual", "マニュアルを開く"},
        {1122, 1123, 1128, Sign::Arrow, "Install LCD Ombrel Utility", "LCD Ombrel Utility をインストールする"},
    };
    bool ok = save(bannerImage(), folder, "bitmap301.png");
    for (const Caption& c : captions) {
        for (const bool japanese : {false, true}) {
            const QString text = QString::fromUtf8(japanese ? c.japanese : c.english);
            const QString suffix = japanese ? "-ja.png" : "-en.png";
            ok = save(buttonImage(text, japanese, c.sign, Look::Normal), folder,
                      QString("bitmap%1%2").arg(c.normal).arg(suffix)) &&
                 ok;
            ok = save(buttonImage(text, japanese, c.sign, Look::Hover), folder,
                      QString("bitmap%1%2").arg(c.hover).arg(suffix)) &&
                 ok;
            if (c.disabled != 0) {
                ok = save(buttonImage(text, japanese, c.sign, Look::Disabled), folder,
                          QString("bitmap%1%2").arg(c.disabled).arg(suffix)) &&
                     ok;
            }
        }
    }
    ok = save(appIcon(32), folder, "icon102.png") && ok;
    ok = save(appIcon(16), folder, "icon102-16.png") && ok;
    ok = save(handCursor(), folder, "cursor451.png") && ok;
    return ok ? 0 : 1;
}
