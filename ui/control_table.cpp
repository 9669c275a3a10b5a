#include "ui/control_table.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

#include <algorithm>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace quorel::ui {

namespace {

// The tables were drawn at 96 dpi, where a pixel is 15 twips. Qt's device-independent pixels
// take care of other screens.
constexpr int twipsPerPixel = 15;

int pixels(int twips) {
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

QFont songFont(qreal points) {
    QFont font;
    // SimSun where it exists; elsewhere a Song face of the same build (UMing's metrics match
    // SimSun's, which the tables were measured in), then a modern Song face.
    font.setFamilies(
        {u"宋体"_s, u"SimSun"_s, u"NSimSun"_s, u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s});
    font.setStyleHint(QFont::Serif);
    // UMing carries hand-tuned bitmaps at the sizes of these tables; drawn from them it is crisp
    // the way SimSun is, while smoothed outlines come out pale and blurred.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPointSizeF(points);
    return font;
}

QFont tableFont(FontCode code) {
    switch (code) {
    case FontCode::A:
        return songFont(12);
    case FontCode::B:
        return songFont(10.5);
    case FontCode::C:
        return songFont(15.75);
    case FontCode::D:
        return songFont(9);
    }
    return {};
}

QWidget *createControl(const ControlRow &row, QWidget *surface) {
    const QString caption = qtText(row.caption);
    switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::Paragraph: {
        auto *label = new QLabel(caption, surface);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(row.kind == ControlKind::Paragraph);
        return label;
    }
    case ControlKind::TextField: {
        auto *field = new QLineEdit(surface);
        field->setMaxLength(std::numeric_limits<int>::max());
        return field;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(caption, surface);
        button->setAutoDefault(false);
        return button;
    }
    }
    return nullptr;
}

} // namespace

QRect toPixels(const TwipRect &twips) {
    return {pixels(twips.left), pixels(twips.top), pixels(twips.width), pixels(twips.height)};
}

void buildWindow(QWidget *window, QWidget *surface, const WindowTable &table) {
    window->setObjectName(qtText(table.name));
    window->setWindowTitle(qtText(table.title));
    window->setFont(tableFont(FontCode::D));
    surface->setFixedSize(toPixels(table.clientArea).size());

    std::vector<std::pair<int, QWidget *>> focusOrder;
    std::vector<QWidget *> labels;
    for (const ControlRow &row : table.controls) {
        QWidget *control = createControl(row, surface);
        control->setObjectName(qtText(row.name));
        control->setGeometry(toPixels(row.geometry));
        if (row.font != FontCode::D)
            control->setFont(tableFont(row.font));
        if (row.kind == ControlKind::TextField || row.kind == ControlKind::Button) {
            control->setAccessibleName(qtText(row.accessibleName));
            focusOrder.emplace_back(row.tab, control);
        } else {
            labels.push_back(control);
        }
    }

    // Where boxes overlap, a label must never cover part of a field or a button. Going backwards
    // keeps the labels among themselves in table order.
    for (auto label = labels.rbegin(); label != labels.rend(); ++label)
        (*label)->lower();

    std::ranges::sort(focusOrder, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    if (!focusOrder.empty())
        focusOrder.front().second->setFocus();
}

void placeWindow(QWidget *window, const WindowTable &table) {
    window->move(toPixels(table.clientArea).topLeft());
}

} // namespace quorel::ui
