#include "qt/paragraph_label.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

namespace quorel::qt {

ParagraphLabel::ParagraphLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void ParagraphLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRectF box = contentsRect().marginsRemoved({margin(), margin(), margin(), margin()});
    // Ascent plus descent, without the leading.
    const qreal pitch = QFontMetricsF(font(), this).height();

    QTextOption option(alignment());
    option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                  : QTextOption::NoWrap);
    QTextLayout layout(text(), font(), this);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        line.setPosition({0, y});
        y += pitch;
    }
    layout.endLayout();

    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, box.topLeft());
}

} // namespace quorel::qt
