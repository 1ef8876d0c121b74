#pragma once
// The sensitivity slider: a horizontal slider that also shows a selection band,
// the range a page's length suggests.

#include <QSlider>

namespace lumora::editor {

class TrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TrackBar(QWidget* parent = nullptr);

    int selStart() const { return selStart_; }
    int selEnd() const { return selEnd_; }
    void setSelection(int start, int end);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int selStart_ = 0;
    int selEnd_ = 0;
};

} // namespace lumora::editor
