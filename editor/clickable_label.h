#pragma once
// A label that reports clicks (the sensitivity label explains itself when clicked).

#include <QLabel>
#include <QMouseEvent>

namespace lumora::editor {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

} // namespace lumora::editor
