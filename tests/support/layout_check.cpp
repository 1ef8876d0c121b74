#include "layout_check.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include <cmath>
#include <memory>

namespace lumora::testing {
namespace {

int runningCount = 0;

// A caption as drawn: "&&" shows one ampersand, a lone one marks the mnemonic.
QString shownCaption(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

QString nameOf(const QWidget* widget) {
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    QString name = QString::fromLatin1(widget->metaObject()->className());
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (!up->objectName().isEmpty())
            return name + QStringLiteral(" in ") + up->objectName();
    return name;
}

// The part of the widget its parents let through, in the widget's own coordinates.
QRect visibleRect(const QWidget* widget) {
    QRect visible = widget->rect();
    QPoint offset;
    for (const QWidget* child = widget; !child->isWindow() && child->parentWidget();
         child = child->parentWidget()) {
        offset += child->pos();
        visible &= child->parentWidget()->rect().translated(-offset);
    }
    return visible;
}

QString sizeText(QSize size) {
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

class Checker {
public:
    void check(QWidget* widget) {
        if (auto* label = qobject_cast<QLabel*>(widget))
            checkLabel(label);
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            checkPushButton(button);
        else if (auto* tool = qobject_cast<QToolButton*>(widget))
            checkToolButton(tool);
        else if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
            checkIndicatorButton(static_cast<QAbstractButton*>(widget));
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            checkGroupTitle(group);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            checkLineEdit(edit);
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
            checkMemo(plain, plain->isReadOnly(), plain->toPlainText(),
                      plain->lineWrapMode() != QPlainTextEdit::NoWrap);
        else if (auto* rich = qobject_cast<QTextEdit*>(widget))
            checkMemo(rich, rich->isReadOnly(), rich->toPlainText(),
                      rich->lineWrapMode() != QTextEdit::NoWrap);
    }

    std::vector<ClippedText> found;

private:
    void clipped(const QWidget* widget, const QString& text, const QString& reason) {
        found.push_back({nameOf(widget), text, reason});
    }

    // Needs `need` inside `area` (both in the widget's coordinates).
    void fit(const QWidget* widget, const QString& text, QSize need, const QRect& area) {
        if (need.width() > area.width() || need.height() > area.height())
            clipped(widget, text,
                    QStringLiteral("needs %1, has %2").arg(sizeText(need), sizeText(area.size())));
    }

    void checkLabel(QLabel* label) {
        if (label->text().isEmpty())
            return;
        const QRect area = visibleRect(label);
        if (label->wordWrap()) {
            fit(label, label->text(), QSize(0, label->heightForWidth(label->width())), area);
            if (label->width() > area.width())
                clipped(label, label->text(), QStringLiteral("wraps beyond its parent"));
        } else {
            fit(label, label->text(), label->sizeHint(), area);
        }
    }

    void checkPushButton(QPushButton* button) {
        if (button->text().isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        option.features = QStyleOptionButton::None;
        if (button->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (button->isFlat())
            option.features |= QStyleOptionButton::Flat;
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button) &
            visibleRect(button);
        fit(button, button->text(), captionSize(button, true), contents);
    }

    void checkToolButton(QToolButton* button) {
        // An icon-only button shows its text only when it has no icon.
        if (button->text().isEmpty() ||
            (button->toolButtonStyle() == Qt::ToolButtonIconOnly && !button->icon().isNull()))
            return;
        QStyleOptionToolButton option;
        option.initFrom(button);
        const int frame =
            button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
        const QRect contents =
            button->rect().adjusted(frame, frame, -frame, -frame) & visibleRect(button);
        fit(button, button->text(),
            captionSize(button, button->toolButtonStyle() != Qt::ToolButtonTextOnly), contents);
    }

    static QSize captionSize(const QAbstractButton* button, bool withIcon) {
        const QFontMetrics metrics(button->font());
        QSize size(metrics.horizontalAdvance(shownCaption(button->text())), metrics.height());
        if (withIcon && !button->icon().isNull()) {
            size.rwidth() += button->iconSize().width() + 4;
            size.setHeight(std::max(size.height(), button->iconSize().height()));
        }
        return size;
    }

    void checkIndicatorButton(QAbstractButton* button) {
        if (button->text().isEmpty())
            return;
        fit(button, button->text(), button->sizeHint(), visibleRect(button));
    }

    void checkGroupTitle(QGroupBox* group) {
        if (group->title().isEmpty())
            return;
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.lineWidth = 1;
        option.midLineWidth = 0;
        option.textAlignment = group->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (group->isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        option.features = group->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
        const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, group);
        const QFontMetrics metrics(group->font());
        // Blanks after the title draw nothing: the title ends with its last letter.
        const QString title = shownCaption(group->title());
        qsizetype end = title.size();
        while (end > 0 && title[end - 1].isSpace())
            --end;
        const QSize need(metrics.horizontalAdvance(title.left(end)), metrics.height());
        const QRect area = label & visibleRect(group);
        fit(group, group->title(), need, area);
    }

    void checkLineEdit(QLineEdit* edit) {
        const QString text = edit->displayText();
        if (text.isEmpty())
            return;
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.rect = edit->rect();
        option.lineWidth =
            edit->hasFrame()
                ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                : 0;
        option.midLineWidth = 0;
        option.state |= QStyle::State_Sunken;
        if (edit->isReadOnly())
            option.state |= QStyle::State_ReadOnly;
        // Inside the style's contents, the edit keeps 2 pixels beside and 1 above and below.
        const QRect contents = edit->style()
                                   ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                   .marginsRemoved(edit->textMargins())
                                   .adjusted(2, 1, -2, -1) &
                               visibleRect(edit);
        const QFontMetrics metrics(edit->font());
        fit(edit, text, QSize(metrics.horizontalAdvance(text) + 1, metrics.height()), contents);
    }

    // A read-only text shows whole, or scrolls because it is long; a scroll bar on
    // a one-line text, or on one that would fit without it, hides text for nothing.
    void checkMemo(QAbstractScrollArea* memo, bool readOnly, const QString& text, bool wraps) {
        if (!readOnly || text.isEmpty())
            return;
        const QRect area = memo->contentsRect() & visibleRect(memo);
        QTextDocument document;
        document.setDefaultFont(memo->font());
        if (auto* plain = qobject_cast<QPlainTextEdit*>(memo))
            document.setDocumentMargin(plain->document()->documentMargin());
        else if (auto* rich = qobject_cast<QTextEdit*>(memo))
            document.setDocumentMargin(rich->document()->documentMargin());
        document.setPlainText(text);
        document.setTextWidth(wraps ? area.width() : -1);
        const QSize need(static_cast<int>(std::ceil(document.size().width())),
                         static_cast<int>(std::ceil(document.size().height())));
        const bool horizontalBar = memo->horizontalScrollBar()->isVisible();
        const bool verticalBar = memo->verticalScrollBar()->isVisible();
        int filledLines = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                ++filledLines;
        const bool fits = need.width() <= area.width() && need.height() <= area.height();
        const QString has =
            QStringLiteral("needs %1, has %2").arg(sizeText(need), sizeText(area.size()));
        if ((horizontalBar || verticalBar) && filledLines <= 1)
            clipped(memo, text, QStringLiteral("scroll bar on a one-line text; ") + has);
        else if ((horizontalBar || verticalBar) && fits)
            clipped(memo, text, QStringLiteral("scroll bar on a text that fits; ") + has);
        else if ((need.width() > area.width() && !horizontalBar) ||
                 (need.height() > area.height() && !verticalBar))
            clipped(memo, text, QStringLiteral("cut without a scroll bar; ") + has);
    }
};

} // namespace

std::vector<ClippedText> clippedTexts(QWidget* root) {
    Checker checker;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets)
        if (widget->isVisible())
            checker.check(widget);
    return checker.found;
}

std::string describe(const std::vector<ClippedText>& clipped) {
    std::string text;
    for (const ClippedText& entry : clipped)
        text += entry.widget.toStdString() + ": \"" + entry.text.toStdString() + "\" " +
                entry.reason.toStdString() + "\n";
    return text;
}

std::vector<ClippedText> checkShownLayout(QWidget* window) {
    if (!window->isVisible())
        window->show();
    QApplication::processEvents();
    QApplication::processEvents();
    std::vector<ClippedText> clipped = clippedTexts(window);
    runningCount += static_cast<int>(clipped.size());
    return clipped;
}

int clippedTextCount() {
    return runningCount;
}

} // namespace lumora::testing
