#pragma once
// The Search Result Preview of the Utilities menu: the page's title and description as
// a search result shows them, their lengths, and what the site audit finds on this
// page. Modeless, like Find and Replace; the window fills it from the editor's text.

#include "audit/search_result_view.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace lumora::editor {

class SearchResultPreview : public QDialog {
    Q_OBJECT
public:
    explicit SearchResultPreview(QWidget* parent = nullptr);

    void showView(const audit::SearchResultView& view);

    QLabel* ResultTitle = nullptr;
    QLabel* ResultAddress = nullptr;
    QLabel* ResultDescription = nullptr;
    QLabel* TitleLength = nullptr;
    QLabel* DescriptionLength = nullptr;
    QLabel* Findings = nullptr;
    QPushButton* CloseButton = nullptr;
};

} // namespace lumora::editor
