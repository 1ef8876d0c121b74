// The window brought back to a remembered state, for the batch tool, which works on
// one page after another in one window.

#include "tform1.h"

#include "editor/find_replace_dialogs.h"
#include "editor/logic/memory_profile.h"
#include "editor/page_editor.h"
#include "editor/widget_states.h"

#include <QAction>
#include <QMenu>

namespace lumora::editor {

struct TForm1::RememberedState {
    explicit RememberedState(TForm1& form) : controls(form) {}

    WidgetStates controls;
    text::Lines page;
    std::string DocFileName, PendingFileName;
    bool Modified = false, TagsPassed = false;
    std::vector<std::string> ListBox1, Memo6;
    std::string Edit1TileStorage, Edit1DescrptStorage, Edit2Drv, Fedit, Redit, Apost;
    std::shared_ptr<const keywords::WordCounts> ListBox2;
    FontDescription FontDialog1, FontDialog2, FontDialog3;
    text::PageEncoding pageEncoding = text::PageEncoding::Utf8;
    ScanCache scanCache;
    bool continueFlag = false, replaceAll = false, undoing = false, modeButtonWasOn = false;
    UndoToggle undoToggle;
    std::string startupMessage;
    QListWidget* lastKeywordList = nullptr;
    bool recentFilesInMemory = false;
    std::vector<std::pair<QString, bool>> recentMenu; // caption, enabled
};

void TForm1::rememberState() {
    auto state = std::make_shared<RememberedState>(*this);
    state->page = RichEdit->lines();
    state->DocFileName = DocFileName;
    state->PendingFileName = PendingFileName;
    state->Modified = Modified;
    state->TagsPassed = TagsPassed;
    state->ListBox1 = ListBox1;
    state->Memo6 = Memo6;
    state->Edit1TileStorage = Edit1TileStorage;
    state->Edit1DescrptStorage = Edit1DescrptStorage;
    state->Edit2Drv = Edit2Drv;
    state->Fedit = Fedit;
    state->Redit = Redit;
    state->Apost = Apost;
    state->ListBox2 = ListBox2;
    state->FontDialog1 = FontDialog1;
    state->FontDialog2 = FontDialog2;
    state->FontDialog3 = FontDialog3;
    state->pageEncoding = pageEncoding_;
    state->scanCache = scanCache_;
    state->continueFlag = continue_;
    state->replaceAll = ReplaceDialog3->replaceAll();
    state->undoing = undoing_;
    state->modeButtonWasOn = modeButtonWasOn_;
    state->undoToggle = undoToggle_;
    state->startupMessage = startupMessage_;
    state->lastKeywordList = lastKeywordList_;
    // Only a list kept in memory, not yet read, can be started afresh: a list in the
    // user's store is the user's.
    state->recentFilesInMemory = !recentFiles_ && dynamic_cast<MemoryProfile*>(recentStore_.get());
    for (QAction* item : RecentFiles1->actions())
        state->recentMenu.emplace_back(item->text(), item->isEnabled());
    remembered_ = std::move(state);
}

void TForm1::returnToRememberedState(bool pageOpenedNext) {
    const RememberedState& state = *remembered_;
    // The page first: loading it marks the page changed and moves the controls it feeds.
    if (!pageOpenedNext) {
        if (RichEdit->lines() != state.page || RichEdit->hasUndoHistory())
            RichEdit->setLines(state.page);
        else
            RichEdit->moveCursor(QTextCursor::Start);
    }
    state.controls.restore();

    DocFileName = state.DocFileName;
    PendingFileName = state.PendingFileName;
    Modified = state.Modified;
    TagsPassed = state.TagsPassed;
    if (ListBox1 != state.ListBox1)
        ListBox1 = state.ListBox1;
    Memo6 = state.Memo6;
    Edit1TileStorage = state.Edit1TileStorage;
    Edit1DescrptStorage = state.Edit1DescrptStorage;
    Edit2Drv = state.Edit2Drv;
    Fedit = state.Fedit;
    Redit = state.Redit;
    Apost = state.Apost;
    ListBox2 = state.ListBox2;
    FontDialog1 = state.FontDialog1;
    FontDialog2 = state.FontDialog2;
    FontDialog3 = state.FontDialog3;
    pageEncoding_ = state.pageEncoding;
    scanCache_ = state.scanCache;
    continue_ = state.continueFlag;
    ReplaceDialog3->setReplaceAll(state.replaceAll);
    undoing_ = state.undoing;
    modeButtonWasOn_ = state.modeButtonWasOn;
    undoToggle_ = state.undoToggle;
    startupMessage_ = state.startupMessage;
    lastKeywordList_ = state.lastKeywordList;

    if (state.recentFilesInMemory && recentFiles_) {
        recentFiles_.reset();
        recentStore_ = std::make_unique<MemoryProfile>();
    }
    const QList<QAction*> items = RecentFiles1->actions();
    bool menuAsRemembered = items.size() == static_cast<qsizetype>(state.recentMenu.size());
    for (qsizetype i = 0; menuAsRemembered && i < items.size(); ++i)
        menuAsRemembered = items[i]->text() == state.recentMenu[size_t(i)].first &&
                           items[i]->isEnabled() == state.recentMenu[size_t(i)].second;
    if (!menuAsRemembered) {
        WipeThatMenu();
        for (const auto& [caption, enabled] : state.recentMenu)
            RecentFiles1->addAction(caption)->setEnabled(enabled);
    }
}

} // namespace lumora::editor
