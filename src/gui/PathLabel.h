#pragma once
// A file-name label that never widens the window: a name longer than the
// label is shown elided in the middle, so that its folder's start and its
// own name stay readable, with the whole name as tooltip.
#include <QLabel>

namespace kelvo::gui {

class TPathLabel : public QLabel {
public:
  using QLabel::QLabel;

  // The whole name (text() and the tooltip).
  void SetPath(const QString& path);
  // What the label shows at its present width.
  QString ShownText() const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
};

} // namespace kelvo::gui
