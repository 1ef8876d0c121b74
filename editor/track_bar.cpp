#include "track_bar.h"

#include <QPainter>
#include <QStyle>

namespace lumora::editor {

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TrackBar::setSelection(int start, int end) {
    selStart_ = start;
    selEnd_ = end;
    update();
}

void TrackBar::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    if (selEnd_ <= selStart_ || maximum() <= minimum())
        return;
    QPainter painter(this);
    const int span = width() - 12;
    auto xOf = [&](int value) {
        const int clamped = std::clamp(value, minimum(), maximum());
        return 6 + span * (clamped - minimum()) / (maximum() - minimum());
    };
    painter.fillRect(
        QRect(QPoint(xOf(selStart_), height() - 3), QPoint(xOf(selEnd_), height() - 2)),
        palette().highlight());
}

} // namespace lumora::editor
