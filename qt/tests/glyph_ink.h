#pragma once

// What text looks like on screen, in device pixels: where its ink is and which face drew it.

#include <QFont>
#include <QImage>
#include <QList>
#include <QRawFont>
#include <QRect>
#include <QSize>
#include <QString>

class QLabel;

namespace quorel::test {

// `label` drawn alone, black on white, at its own size or at `size`, in device pixels, as a
// grayscale image.
QImage blackOnWhite(QLabel &label, QSize size = {});

// The pixels darker than mid-gray.
bool isInk(const QImage &image, int x, int y);
QRect inkBounds(const QImage &image);

// Runs of rows that hold ink, top to bottom, as first and last row.
QList<std::pair<int, int>> inkRowBands(const QImage &image);

// How much two glyphs differ, in logical pixels squared: the area where their ink differs when
// their ink boxes are aligned at the bottom-left and then shifted against each other by up to one
// logical pixel either way, whichever shift makes them most alike.
double glyphDifference(const QImage &first, const QImage &second, qreal devicePixelRatio);

// The face that draws each character of `text` in `font`, one entry a character; an invalid font
// where nothing draws it.
QList<QRawFont> drawingFaces(const QFont &font, const QString &text);

} // namespace quorel::test
