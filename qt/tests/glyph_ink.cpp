#include "qt/tests/glyph_ink.h"

#include <QGlyphRun>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>
#include <limits>

namespace quorel::test {

QImage blackOnWhite(QLabel &label, QSize size) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    if (size.isValid())
        label.resize(size);
    return label.grab().toImage().convertToFormat(QImage::Format_Grayscale8);
}

bool isInk(const QImage &image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
           image.constScanLine(y)[x] < 128;
}

QRect inkBounds(const QImage &image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(image, x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QList<std::pair<int, int>> inkRowBands(const QImage &image) {
    QList<std::pair<int, int>> bands;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = isInk(image, x, y);
        if (!ink)
            continue;
        if (!bands.isEmpty() && bands.last().second == y - 1)
            bands.last().second = y;
        else
            bands.append({y, y});
    }
    return bands;
}

double glyphDifference(const QImage &first, const QImage &second, qreal devicePixelRatio) {
    const QRect a = inkBounds(first);
    const QRect b = inkBounds(second);
    // Coordinates count from the bottom-left corner of each ink box.
    const auto inkAt = [](const QImage &image, const QRect &box, int x, int y) {
        return isInk(image, box.left() + x, box.bottom() - y);
    };
    const int shift = qCeil(devicePixelRatio);
    const int width = std::max(a.width(), b.width()) + 2 * shift;
    const int height = std::max(a.height(), b.height()) + 2 * shift;
    int fewest = std::numeric_limits<int>::max();
    for (int dy = -shift; dy <= shift; ++dy) {
        for (int dx = -shift; dx <= shift; ++dx) {
            int differing = 0;
            for (int y = -2 * shift; y < height; ++y) {
                for (int x = -2 * shift; x < width; ++x)
                    differing += inkAt(first, a, x, y) != inkAt(second, b, x + dx, y + dy);
            }
            fewest = std::min(fewest, differing);
        }
    }
    return fewest / (devicePixelRatio * devicePixelRatio);
}

QList<QRawFont> drawingFaces(const QFont &font, const QString &text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QList<QRawFont> faces;
    for (int i = 0; i < text.size(); ++i) {
        QRawFont face;
        for (const QGlyphRun &run : layout.glyphRuns(i, 1))
            face = run.rawFont();
        faces << face;
    }
    return faces;
}

} // namespace quorel::test
