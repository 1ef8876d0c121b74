#include "setup/pages/vel_progress_bar.h"

#include "setup/pages/progress_bar_layout.h"

#include <QPainter>

#include <limits>

namespace setupkit {
namespace {

QRect toQRect(const BarRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

} // namespace

TVelProgressBar::TVelProgressBar(QWidget* parent)
    : QWidget(parent), barColor_(palette().color(QPalette::Highlight)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(150, 24);
}

void TVelProgressBar::setBackColor(const QColor& color) {
    if (color == backColor_)
        return;
    backColor_ = color;
    update();
}

void TVelProgressBar::setBarColor(const QColor& color) {
    if (color == barColor_)
        return;
    barColor_ = color;
    update();
}

void TVelProgressBar::setMaxValue(std::int64_t maxValue) {
    maxValue_ = clampMaxValue(maxValue);
    progress_ = clampProgress(progress_, maxValue_);
    repaint();
}

void TVelProgressBar::setProgress(std::int64_t progress) {
    progress_ = clampProgress(progress, maxValue_);
    repaint();
}

void TVelProgressBar::addProgress(std::int64_t amount) {
    // Amounts are byte counts far from the type's ends; the clamp keeps the rest sane.
    setProgress(amount > 0 && progress_ > std::numeric_limits<std::int64_t>::max() - amount
                    ? maxValue_
                    : progress_ + amount);
}

QString TVelProgressBar::text() const {
    return QString::fromStdString(
        layoutProgressBar(progress_, maxValue_, width(), height(), fontMetrics().height()).text);
}

void TVelProgressBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(font());
    const int w = width();
    const int h = height();
    const ProgressBarLayout layout =
        layoutProgressBar(progress_, maxValue_, w, h, painter.fontMetrics().height());

    painter.setPen(palette().color(QPalette::WindowText));
    const QPoint frame[] = {{0, h - 1}, {0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}};
    painter.drawPolyline(frame, 5);

    const QString text = QString::fromStdString(layout.text);
    const int textWidth = painter.fontMetrics().horizontalAdvance(text);
    const QRect textRect(layout.textCentreX - textWidth / 2, layout.textTop, textWidth,
                         painter.fontMetrics().height());

    // The same text twice, each clipped to its part, so it changes colour at the bar's edge.
    const auto paintPart = [&](const QRect& part, const QColor& fill, const QColor& ink) {
        if (part.isEmpty())
            return;
        painter.save();
        painter.setClipRect(part);
        painter.fillRect(part, fill);
        painter.setPen(ink);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, text);
        painter.restore();
    };
    paintPart(toQRect(layout.filled), barColor_, backColor_);
    paintPart(toQRect(layout.empty), backColor_, barColor_);
}

} // namespace setupkit
