#pragma once
// TSetupMessage, the wizard page that shows a fixed text (the welcome, the last word
// before the copy) in the dialog's message memo.

#include "setup/engine/setup_page.h"

#include <QColor>
#include <QFont>
#include <string>
#include <vector>

namespace setupkit {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TSetupMessage : public TSetupPage {
public:
    explicit TSetupMessage(ComponentOwner* owner);

    std::string_view ClassName() const override { return "TSetupMessage"; }
    bool InheritsFrom(std::string_view className) const override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }
    const QColor& FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& color) { fontColor_ = color; }
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

    // Base rules, then the memo shows the lines (with a scroll bar and a border only
    // when they do not fit), the caption, and the notebook page "Message".
    void ShowPage() override;

    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    std::string caption_;
    QFont font_;
    QColor fontColor_{0, 0, 0};
    std::vector<std::string> lines_;
};

} // namespace setupkit
