#pragma once

#include <QLabel>

namespace quorel::qt {

// A word-wrapped plain-text label whose lines are one font height apart. QLabel spaces them by
// the font's line spacing, which for the Song faces is less than the height of their glyphs, so
// the ink of one line runs into the next; for other faces it adds a leading that pushes the last
// line out of a box measured for the Song face.
class ParagraphLabel final : public QLabel {
  public:
    explicit ParagraphLabel(const QString &text, QWidget *parent = nullptr);

  protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace quorel::qt
