#include "qt/widget_builder.h"

#include "qt/freed_memory.h"
#include "qt/paragraph_label.h"
#include "qt/table_fonts.h"
#include "qt/text_bridge.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>
#include <vector>

namespace quorel::qt {

namespace {

// A field the focus leaves for another control shows its text from the start again, as a result
// written into it does: a number wider than its field is never left showing its last digits
// alone. The caret goes to the start; the selection is one Qt drops there anyway. Leaving the
// window (for another program or a menu) keeps both for the user's return.
class ShowsItsStartWhenLeft final : public QObject {
  public:
    explicit ShowsItsStartWhenLeft(QLineEdit *field) : QObject(field), m_field(field) {
        field->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_field && event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_field->setCursorPosition(0);
        }
        return false;
    }

  private:
    QLineEdit *m_field;
};

QWidget *createControl(const form::ControlRow &row, QWidget *surface, const CommandHandler &run) {
    const QString caption = qtText(row.caption);
    switch (row.kind) {
    case form::ControlKind::Label:
    case form::ControlKind::Paragraph: {
        auto *label = row.kind == form::ControlKind::Paragraph
                          ? new ParagraphLabel(caption, surface)
                          : new QLabel(caption, surface);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(row.kind == form::ControlKind::Paragraph);
        return label;
    }
    case form::ControlKind::TextField: {
        // A field takes text of any length: QLineEdit's default limit is 32767 characters.
        auto *field = new QLineEdit(surface);
        field->setMaxLength(std::numeric_limits<int>::max());
        returnMemoryWhenShortened(field);
        new ShowsItsStartWhenLeft(field);
        return field;
    }
    case form::ControlKind::Button: {
        auto *button = new QPushButton(caption, surface);
        // Enter presses the button that has the focus as the form decides (qt/form_keys.h),
        // not as a dialog's default button.
        button->setAutoDefault(false);
        if (row.command) {
            QObject::connect(button, &QPushButton::clicked, button,
                             [run, command = *row.command] { run(command); });
        }
        return button;
    }
    }
    return nullptr;
}

} // namespace

QRect toQRect(const form::TwipRect &twips) {
    const form::PixelRect pixels = form::toPixels(twips);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

void buildWindow(QWidget *window, QWidget *surface, const form::WindowTable &table,
                 const CommandHandler &run) {
    window->setObjectName(qtText(table.name));
    window->setWindowTitle(qtText(table.title));
    window->setFont(tableFont(form::FontCode::D));
    surface->setFixedSize(toQRect(table.clientArea).size());

    std::vector<QWidget *> controls; // one a row, in table order
    std::vector<QWidget *> labels;
    for (const form::ControlRow &row : table.controls) {
        QWidget *control = createControl(row, surface, run);
        control->setObjectName(qtText(row.name));
        control->setGeometry(toQRect(row.geometry));
        if (row.font != form::FontCode::D)
            control->setFont(tableFont(row.font));
        if (form::takesFocus(row)) {
            control->setAccessibleName(qtText(form::accessibleName(row)));
            control->setAccessibleDescription(qtText(form::accessibleDescription(row)));
        } else {
            labels.push_back(control);
        }
        controls.push_back(control);
    }

    // Where boxes overlap, a label must never cover part of a field or a button. Going backwards
    // keeps the labels among themselves in table order.
    for (auto label = labels.rbegin(); label != labels.rend(); ++label)
        (*label)->lower();

    const auto widgetOf = [&](const form::ControlRow *row) {
        return controls[static_cast<std::size_t>(row - table.controls.data())];
    };
    const std::vector<const form::ControlRow *> order = form::focusOrder(table);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widgetOf(order[i - 1]), widgetOf(order[i]));
    if (!order.empty())
        widgetOf(order.front())->setFocus();
}

} // namespace quorel::qt
