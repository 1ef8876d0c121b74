// The Search Result Preview: the page in the editor, as a search result and the site
// audit see it.

#include "tform1.h"

#include "audit/page_audit.h"
#include "audit/search_result_view.h"
#include "editor/page_editor.h"
#include "editor/search_result_preview.h"

#include <QTimer>

#include <filesystem>

namespace lumora::editor {

namespace {

// Typing runs the audit again once the keys rest, not at every key.
constexpr int kRefreshDelayMs = 250;

} // namespace

void TForm1::SearchResultPreview1Click() {
    if (!SearchPreviewDialog) {
        SearchPreviewDialog = new SearchResultPreview(this);
        SearchPreviewDialog->setObjectName(QStringLiteral("SearchPreviewDialog"));
        auto* refresh = new QTimer(SearchPreviewDialog);
        refresh->setSingleShot(true);
        refresh->setInterval(kRefreshDelayMs);
        // While it is open it follows the page, so the tags the chain writes show at once.
        connect(RichEdit, &PageEditor::pageChanged, refresh, [this, refresh] {
            if (SearchPreviewDialog->isVisible())
                refresh->start();
        });
        connect(refresh, &QTimer::timeout, this, command([this] { showSearchPreview(); }));
    }
    showSearchPreview();
    SearchPreviewDialog->show();
    SearchPreviewDialog->raise();
}

void TForm1::showSearchPreview() {
    // The page as it would be saved now: the charset check looks at those bytes.
    const text::EncodedPage bytes = text::encodePage(RichEdit->lines(), pageEncoding_);
    const audit::PageAudit page = audit::auditPage(bytes.bytes, DocFileName);
    const std::string address = DocFileName.empty()
                                    ? std::string()
                                    : std::filesystem::path(DocFileName).filename().string();
    SearchPreviewDialog->showView(audit::searchResultView(page, audit::LengthLimits{}, address));
}

} // namespace lumora::editor
