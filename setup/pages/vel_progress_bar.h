#pragma once
// TVelProgressBar: a flat progress bar that shows the percentage as text, the text in
// the empty part's colour over the bar and in the bar's colour over the empty part.

#include <QColor>
#include <QWidget>
#include <cstdint>

namespace setupkit {

class TVelProgressBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QColor BarColor READ BarColor WRITE setBarColor)
    Q_PROPERTY(qint64 MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(qint64 Progress READ Progress WRITE setProgress)
public:
    explicit TVelProgressBar(QWidget* parent = nullptr);

    QColor BackColor() const { return backColor_; }
    QColor BarColor() const { return barColor_; }
    std::int64_t MaxValue() const { return maxValue_; }
    std::int64_t Progress() const { return progress_; }

    void setBackColor(const QColor& color);
    void setBarColor(const QColor& color);
    // Never below 0; the progress is clamped to the new maximum.
    void setMaxValue(std::int64_t maxValue);
    // Clamped to 0 .. MaxValue and drawn at once, even inside a long loop.
    void setProgress(std::int64_t progress);
    // Adds to the progress (the file copy's progress message), clamped the same way.
    void addProgress(std::int64_t amount);

    // The text the bar shows now, e.g. "38%".
    QString text() const;

    QSize sizeHint() const override { return {150, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor backColor_{0xFF, 0xFF, 0xFF};
    QColor barColor_;
    std::int64_t maxValue_ = 100;
    std::int64_t progress_ = 48;
};

} // namespace setupkit
