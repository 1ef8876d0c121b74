#include "setup/engine/setup_message_dialog.h"

#include "setup/engine/kit_font.h"
#include "setup/engine/message_box_types.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>

namespace setupkit {
namespace {

constexpr int MemoDocumentMargin = 4;

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStyle::StandardPixmap iconOfKind(int kind, bool* found) {
    *found = true;
    switch (kind) {
    case mtWarning:
        return QStyle::SP_MessageBoxWarning;
    case mtError:
        return QStyle::SP_MessageBoxCritical;
    case mtInformation:
        return QStyle::SP_MessageBoxInformation;
    case mtConfirmation:
        return QStyle::SP_MessageBoxQuestion;
    default:
        *found = false;
        return QStyle::SP_CustomBase;
    }
}

QStyle::StandardPixmap glyphOfButton(unsigned member) {
    switch (member) {
    case mbYes:
        return QStyle::SP_DialogYesButton;
    case mbNo:
        return QStyle::SP_DialogNoButton;
    case mbOK:
        return QStyle::SP_DialogOkButton;
    case mbCancel:
        return QStyle::SP_DialogCancelButton;
    case mbAbort:
        return QStyle::SP_BrowserStop;
    case mbRetry:
        return QStyle::SP_BrowserReload;
    case mbIgnore:
        return QStyle::SP_ArrowRight;
    case mbAll:
        return QStyle::SP_DialogApplyButton;
    default:
        return QStyle::SP_DialogHelpButton;
    }
}

// The memo shows each line break the layout counted, and only those.
QString memoDisplayText(std::string_view memoText) {
    QStringList lines;
    for (const std::string& line : memoLines(memoText))
        lines << qt(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QFont SetupMessageDialog::boxFont() {
    QFont font = kitFont("Arial");
    font.setPointSize(9);
    font.setBold(true);
    return font;
}

MessageBoxMetrics SetupMessageDialog::metricsFor(const QFont& font, QScreen* screen) {
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect full = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QRect available = screen ? screen->availableGeometry() : full;
    const QFontMetrics fontMetrics(font);
    MessageBoxMetrics metrics;
    metrics.screenWidth = full.width();
    metrics.screenHeight = full.height();
    metrics.borderWidth = 1;
    metrics.borderHeight = 1;
    metrics.captionHeight = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    metrics.fullScreenClientWidth = available.width();
    metrics.fullScreenClientHeight = available.height() - metrics.captionHeight;
    // A line's height as the memo draws it: that of "X" in this font, with its leading.
    metrics.textHeight = std::max(fontMetrics.height(), fontMetrics.lineSpacing());
    metrics.textWidth = [fontMetrics](std::string_view line) {
        return fontMetrics.horizontalAdvance(qt(line));
    };
    // The memo's document margin on each side, and beside the text the caret's pixel.
    metrics.memoMarginWidth = 2 * MemoDocumentMargin + 1;
    metrics.memoMarginHeight = 2 * MemoDocumentMargin;
    return metrics;
}

SetupMessageDialog::SetupMessageDialog(const SetupMessageBox& box, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("SetupMessageDialog"));
    setFont(boxFont());
    setWindowTitle(qt(box.title));

    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const MessageBoxMetrics metrics = metricsFor(font(), screen);
    geometry_ =
        layoutSetupMessageBox(box.memoText(), static_cast<int>(box.buttons.size()), metrics);
    const int bodyHeight = std::max(0, geometry_.clientHeight - MessageBoxPanelHeight);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel"));
    panel->setGeometry(0, bodyHeight, geometry_.clientWidth, MessageBoxPanelHeight);
    QPushButton* firstButton = nullptr;
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        const MessageBoxButton& entry = box.buttons[i];
        auto* button = new QPushButton(qt(entry.caption), panel);
        button->setObjectName(qt(entry.name));
        button->setIcon(style()->standardIcon(glyphOfButton(entry.member)));
        button->setGeometry(geometry_.buttonLefts[i], MessageBoxButtonTop, MessageBoxButtonWidth,
                            MessageBoxButtonHeight);
        button->setAutoDefault(false);
        if (entry.member == mbOK || entry.member == mbYes)
            button->setDefault(true);
        if (!firstButton)
            firstButton = button;
        if (entry.member == mbCancel || (entry.member == mbNo && escapeResult_ == 0))
            escapeResult_ = entry.result;
        const int result = entry.result;
        if (result == mrNone)
            connect(button, &QPushButton::clicked, this, &SetupMessageDialog::helpRequested);
        else
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    }

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image"));
    image->setGeometry(0, 0, MessageBoxIconWidth, bodyHeight);
    image->setAlignment(Qt::AlignCenter);
    bool hasIcon = false;
    const QStyle::StandardPixmap icon = iconOfKind(box.kind, &hasIcon);
    if (hasIcon) {
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        image->setPixmap(style()->standardIcon(icon).pixmap(size, size));
    }

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo"));
    memo->setGeometry(MessageBoxIconWidth, 0, geometry_.clientWidth - MessageBoxIconWidth,
                      bodyHeight);
    memo->setPlainText(memoDisplayText(box.memoText()));
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->document()->setDocumentMargin(MemoDocumentMargin);
    // The box is as large as its text up to the screen's limits; only a text beyond
    // them scrolls.
    int widest = 0;
    const std::vector<std::string> lines = memoLines(box.memoText());
    for (const std::string& line : lines)
        widest = std::max(widest, metrics.textWidth(line));
    const bool fits =
        widest <= geometry_.memoTextWidth &&
        static_cast<int>(lines.size()) * metrics.textHeight <= geometry_.memoTextHeight;
    if (fits) {
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    memo->setPalette(palette);

    setFixedSize(geometry_.clientWidth, geometry_.clientHeight);
    move(geometry_.left, geometry_.top);
    if (firstButton)
        firstButton->setFocus();
}

void SetupMessageDialog::reject() {
    // Escape answers like the Cancel (or No) button; a box without one stays open.
    if (escapeResult_ != 0)
        done(escapeResult_);
}

} // namespace setupkit
