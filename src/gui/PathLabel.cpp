#include "gui/PathLabel.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace kelvo::gui {

namespace {

// Characters the label asks room for: at least, and for a long name.
constexpr int MinimumChars = 12;
constexpr int PreferredChars = 60;

} // namespace

void TPathLabel::SetPath(const QString& path) {
  setText(path);
  setToolTip(path);
  update();
}

QString TPathLabel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

QSize TPathLabel::minimumSizeHint() const {
  return {fontMetrics().averageCharWidth() * MinimumChars, QLabel::minimumSizeHint().height()};
}

QSize TPathLabel::sizeHint() const {
  const int preferred = fontMetrics().averageCharWidth() * PreferredChars;
  return {std::min(QLabel::sizeHint().width(), preferred), QLabel::sizeHint().height()};
}

void TPathLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                        ShownText(), foregroundRole());
}

} // namespace kelvo::gui
