// Draws the picture shown on the locked main window (ImgUvod.jpg). Build and run once when the picture
// is to change:
//   g++ -std=c++20 -fPIC make_imguvod.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/make_imguvod
//   QT_QPA_PLATFORM=offscreen /tmp/make_imguvod ImgUvod.jpg
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int w = 662, h = 553;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(166, 202, 240));
    sky.setColorAt(0.55, QColor(226, 238, 250));
    sky.setColorAt(1.0, QColor(255, 255, 255));
    p.fillRect(img.rect(), sky);

    // Title, kept clear of the password prompt in the middle.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(30, 60, 110));
    p.drawText(QRect(0, 4, w, 52), Qt::AlignCenter, QStringLiteral("Kalendo"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(17);
    p.setFont(sub);
    p.setPen(QColor(50, 80, 130));
    p.drawText(QRect(0, 50, w, 24), Qt::AlignCenter, QString::fromUtf8("Rezervační objednávkový systém"));

    // A week of a workplace: seven day columns with their slots, some taken.
    const int left = 96, top = 250, colW = 62, gap = 5, rows = 7, rowH = 32;
    const char* days[] = {"Po", "Út", "St", "Čt", "Pá", "So", "Ne"};
    QFont dayFont(QStringLiteral("DejaVu Sans"));
    dayFont.setPixelSize(16);
    dayFont.setBold(true);
    QPainterPath card;
    card.addRoundedRect(QRectF(left - 18, top - 52, 7 * colW + 6 * gap + 36, rows * rowH + 84), 14, 14);
    p.fillPath(card, QColor(255, 255, 255, 215));
    p.setPen(QPen(QColor(120, 150, 190), 2));
    p.drawPath(card);
    for (int d = 0; d < 7; ++d) {
        const int x = left + d * (colW + gap);
        QColor head = d == 5 ? QColor(255, 255, 0) : d == 6 ? QColor(254, 217, 129) : QColor(235, 242, 250);
        p.setPen(Qt::NoPen);
        p.setBrush(head);
        p.drawRoundedRect(QRectF(x, top - 38, colW, 26), 5, 5);
        p.setPen(QColor(30, 40, 60));
        p.setFont(dayFont);
        p.drawText(QRect(x, top - 38, colW, 26), Qt::AlignCenter, QString::fromUtf8(days[d]));
        const bool full = d == 2;
        p.fillRect(QRect(x, top - 8, colW, 5), full ? QColor(255, 0, 0) : QColor(0, 210, 0));
        for (int r = 0; r < rows; ++r) {
            const bool weekend = d >= 5;
            const bool taken = !weekend && (full || (d * 3 + r * 5) % 7 < 3);
            QRectF slot(x, top + r * rowH, colW, rowH - 6);
            p.setPen(QPen(QColor(180, 195, 215), 1));
            p.setBrush(weekend ? QColor(240, 240, 240)
                       : taken ? QColor(205, 225, 248)
                               : QColor(255, 255, 255));
            p.drawRoundedRect(slot, 4, 4);
            if (taken) {
                p.setPen(QPen(QColor(200, 30, 30), 3));
                p.drawLine(QPointF(x + 14, top + r * rowH + 13), QPointF(x + colW - 14, top + r * rowH + 13));
            }
        }
    }
    p.end();
    return img.save(QString::fromLocal8Bit(argc > 1 ? argv[1] : "ImgUvod.jpg"), "JPEG", 88) ? 0 : 1;
}
