#include "setup/pages/setup_message.h"

#include "setup/engine/form_loading.h"
#include "setup/engine/kit_font.h"
#include "setup/engine/setup_error.h"
#include "setup/pages/form_font.h"
#include "setup/pages/setup_pages_form.h"

#include <QFontMetrics>
#include <QTextDocument>
#include <QTextEdit>

#include <memory>

namespace setupkit {

TSetupMessage::TSetupMessage(ComponentOwner* owner) : TSetupPage(owner), font_(kitFont("Arial")) {
    font_.setPixelSize(14);
}

bool TSetupMessage::InheritsFrom(std::string_view className) const {
    return className == "TSetupMessage" || TSetupPage::InheritsFrom(className);
}

void TSetupMessage::ShowPage() {
    TSetupPage::ShowPage();
    TSetupPagesForm* dialog = TSetupPagesForm::instance();
    if (!dialog)
        return;
    QTextEdit* memo = dialog->meMSGIntent;
    QStringList lines;
    for (const std::string& line : lines_)
        lines << QString::fromStdString(line);
    memo->setFont(font_);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Text, fontColor_);
    memo->setPalette(palette);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    const Qt::Alignment alignment = alignment_ == TAlignment::taCenter         ? Qt::AlignHCenter
                                    : alignment_ == TAlignment::taRightJustify ? Qt::AlignRight
                                                                               : Qt::AlignLeft;
    QTextCursor cursor(memo->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
    // The fit is judged with the dialog's own font, as the memo has always done, and
    // also as the lines really wrap in the memo's font: no text is cut unseen.
    const int needed = QFontMetrics(dialog->font()).height() * static_cast<int>(lines_.size());
    const std::unique_ptr<QTextDocument> laidOut(memo->document()->clone());
    laidOut->setDefaultFont(font_);
    laidOut->setTextWidth(memo->width());
    const bool overflows = memo->height() < needed || memo->height() < laidOut->size().height();
    memo->setVerticalScrollBarPolicy(overflows ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    memo->setFrameShape(overflows ? QFrame::Box : QFrame::NoFrame);
    memo->setEnabled(true);
    dialog->setCaption(caption_);
    dialog->showNotebookPage(npMessage);
}

bool TSetupMessage::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "Alignment") {
        const std::string value = formIdentifier(property);
        if (value == "taLeftJustify")
            alignment_ = TAlignment::taLeftJustify;
        else if (value == "taRightJustify")
            alignment_ = TAlignment::taRightJustify;
        else if (value == "taCenter")
            alignment_ = TAlignment::taCenter;
        else
            throw ESetupError("Invalid property value for Alignment: " + value);
    } else if (name == "Caption") {
        caption_ = formString(property);
    } else if (name == "Lines.Strings" || name == "Lines") {
        lines_ = formStrings(property);
    } else if (!applyFontProperty("Font", property, font_, fontColor_)) {
        return TSetupPage::SetProperty(property, context);
    }
    return true;
}

} // namespace setupkit
