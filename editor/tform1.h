#pragma once
// Lumora's main window. Its named controls are the program's shared state and its
// handlers are the commands; each handler reads controls, calls the logic in
// keywords/, tags/ and editor/logic/, and writes the results back.

#include "editor/logic/interaction.h"
#include "editor/logic/message_pump.h"
// Find and replace, recent files, edit, view and help commands.
#include "editor/logic/command_enabling.h"
#include "editor/logic/file_locator.h"
#include "editor/logic/help_engine.h"
#include "editor/logic/profile_access.h"
#include "editor/logic/recent_files.h"
#include "editor/logic/undo_toggle.h"
#include "keywords/visible_text.h"
#include "keywords/word_counts.h"
#include "text/page_codec.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace lumora::preview {
class HtmlLite;
}

namespace lumora::editor {

class FindDialog;
class ReplaceDialog;
class SearchResultPreview;
class TAboutBox;

class ClickableLabel;
class PageEditor;
class TrackBar;

struct TForm1Services {
    Interaction& interaction;
    MessagePump& pump;
    std::string startDirectory; // becomes `Edit2Drv`
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(TForm1Services services, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- private fields of the design, public so commands and tests can reach them
    std::string DocFileName;
    std::string PendingFileName;
    bool Modified = false;
    bool TagsPassed = false;

    // --- hidden controls that carry data
    std::vector<std::string> ListBox1; // the noise-word list
    std::vector<std::string> Memo6;    // keywords of the last scan, sorted
    std::string Edit1TileStorage;
    std::string Edit1DescrptStorage;
    std::string Edit2Drv;
    std::string Fedit;
    std::string Redit;
    std::string Apost = "'";
    // Every accepted word occurrence of the last scan (empty before a scan).
    size_t ListBox2Count() const { return ListBox2 ? ListBox2->occurrenceCount() : 0; }
    std::shared_ptr<const keywords::WordCounts> ListBox2;

    // --- visible controls
    PageEditor* RichEdit = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button5 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* Button6 = nullptr;
    QFrame* Bevel2 = nullptr;
    QLabel* Label3_KeyWords = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    TrackBar* TrackBar1 = nullptr;
    ClickableLabel* Label2 = nullptr;
    QRadioButton* RadioB_Automatic = nullptr;
    QRadioButton* RadioB_NOauto = nullptr;
    QCheckBox* CheckB_USEfilter = nullptr;
    QCheckBox* CheckB_ReadVisible = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Label3_InfoBox = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* CheckBxDOtitle = nullptr;
    QCheckBox* CheckBxDOdisription = nullptr;
    QCheckBox* CheckBxDOkeywrds = nullptr;
    QCheckBox* CheckBxKwBoost = nullptr;
    QCheckBox* CheckBxDOhidenTags = nullptr;
    QPushButton* BitBtn1FullAuto = nullptr;
    QListWidget* ListBox4 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label3TileKW = nullptr;
    QListWidget* ListBox3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button3 = nullptr;
    QToolButton* SpeedButt_delete = nullptr;

    // --- main menu
    QMenu* File1 = nullptr;
    QAction* New2 = nullptr;
    QAction* Open2 = nullptr;
    QMenu* RecentFiles1 = nullptr;
    QAction* Save2 = nullptr;
    QAction* SaveAs2 = nullptr;
    QAction* Exit2 = nullptr;
    QMenu* Undo1 = nullptr;
    QAction* Undo2 = nullptr;
    QAction* Redo1 = nullptr;
    QMenu* Utiltes1 = nullptr;
    QAction* Find1 = nullptr;
    QAction* Replace2 = nullptr;
    QAction* TestMetaTags1 = nullptr;
    QAction* CheckTitle1 = nullptr;
    QAction* CompressHTML1 = nullptr;
    QAction* Charcount1 = nullptr;
    QAction* SearchResultPreview1 = nullptr;
    QAction* EditFont1 = nullptr;
    QAction* ResultWindowFont1 = nullptr;
    QAction* Mauel1 = nullptr;
    QMenu* Browser1 = nullptr;
    QAction* PreviwOn1 = nullptr;
    QAction* PreviewOff1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* WhatItDoes1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* About1 = nullptr;
    // The find-next key, on the window rather than in a menu.
    QAction* FindNext1 = nullptr;

    // --- start and end
    void FormCreate();
    void FormCloseQuery(bool& canClose);

    // --- document
    void LoadPage(const std::string& path);
    bool ConfirmSaveChanges();
    bool SaveDocument();
    bool SaveDocumentAs();
    void New2Click();
    void Open2Click();
    void Save2Click();
    void SaveAs2Click();
    void Exit2Click();
    void RichEditChange();

    // --- keyword scan and tag test
    void Button5Click();
    void TestMetaTags1Click();
    void TrackBar1Change();

    // --- modes, noise filter and keyword lists
    void RadioB_AutomaticClick();
    void RadioB_NOautoClick();
    void Label2Click();
    void CheckBxDOkeywrdsClick();
    void CheckB_USEfilterClick();
    void CheckB_ReadVisibleClick();
    void ListBox3DblClick();
    void ListBox4DblClick();
    void Button4Click();
    void Button3Click();
    void SpeedButt_deleteClick();

    // --- tag chain
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button6Click();

    // The encoding the current page is saved in.
    text::PageEncoding pageEncoding() const { return pageEncoding_; }

    // The help engine of the Help menu (by default the window's own help window); it
    // must outlive the window, which sends it the quit request.
    void setHelpEngine(HelpEngine& help) { help_ = &help; }
    // The recent-files store, before its first use (by default recentflz.ini beside
    // the program file, or in the user's settings folder; see recentFilesStoreLocation).
    void setRecentFilesStore(const std::string& path) { recentStorePath_ = path; }
    // The program file the default store is placed by (by default the running program).
    void setProgramFile(const std::string& path) { programFile_ = path; }
    // The language of the visible-text reading ("de", ...); empty: the page's own, or
    // English.
    void setReadingLanguage(const std::string& code) { readingLanguage_ = code; }
    // Before first use: the list lives only as long as the window, so that pages the
    // batch tool opens never reach the user's list.
    void keepRecentFilesInMemory();

    // --- one window for one page after another (the batch tool)
    // Remembers the window as it is now. returnToRememberedState() then brings back
    // every control, the hidden data, the page with a fresh undo history, the file
    // name, encoding and modified flag, the find state and the recent files, so that
    // a page worked on next gets what a window just started would give it. With
    // `pageOpenedNext` the remembered page itself is left out: opening a page replaces
    // the editor's text and its undo history whatever they were.
    void rememberState();
    void returnToRememberedState(bool pageOpenedNext = false);

    // --- find and replace
    FindDialog* FindDialog3 = nullptr;
    ReplaceDialog* ReplaceDialog3 = nullptr;
    QMenu* PopupMenu1 = nullptr; // on ListBox3
    QAction* ListBxFind1 = nullptr;
    QAction* Replace1 = nullptr;
    // One search step on Fedit: select the next occurrence, or replace the selected
    // one with `replacement` when that is not empty. A failed search clears the
    // continue flag.
    void find(const std::string& replacement);
    bool continueFlag() const { return continue_; }
    void Find1Click();
    void FindDialog3Find();
    void Replace2Click();
    void Replace1Click();
    void ReplaceDialog3Find();
    void ReplaceDialog3Replace();
    void ListBxFind1Click();

    // --- recent files
    void UpdateOldies(const std::string& path);
    void recentfiles1Click();
    void WipeThatMenu();
    void RecentFile1Click();
    void RecentFile2Click();
    void RecentFile3Click();
    void RecentFile4Click();
    void RecentFile5Click();
    void RecentFile6Click();
    void RecentFile7Click();
    void RecentFile8Click();
    void RecentFile9Click();

    // --- keyword-tag check, compressor, character count
    void CheckTitle1Click();
    void CompressHTML1Click();
    void Charcount1Click();

    // --- search result preview; the dialog is made when first asked for
    SearchResultPreview* SearchPreviewDialog = nullptr;
    void SearchResultPreview1Click();

    // --- edit, view and help
    preview::HtmlLite* htmlLite1 = nullptr;
    QMenu* PopupMenu2 = nullptr; // on RichEdit
    QAction* Undo3 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* SelectAll1 = nullptr;
    // The font currently chosen in each font dialog.
    FontDescription FontDialog1;
    FontDescription FontDialog2;
    FontDescription FontDialog3;
    TAboutBox* AboutBox = nullptr;
    void Undo2Click();
    void Redo1Click();
    void Undo3Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void SelectAll1Click();
    void PopupMenu2Popup();
    void EditFont1Click();
    void FontDialog1Apply();
    void ResultWindowFont1Click();
    void FontDialog2Apply();
    void Mauel1Click();
    void PreviwOn1Click();
    void PreviewOff1Click();
    void WhatItDoes1Click();
    void Contents1Click();
    void About1Click();
    void FormDestroy();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A command as a control starts it: a failure becomes the framework's error box
    // instead of leaving through the event loop.
    template <typename Handler> auto command(Handler handler) {
        return [this, handler] { runCommand(handler); };
    }
    void runCommand(const std::function<void()>& handler);
    // A mode radio button runs its handler only when the click changes the mode.
    void connectModeButton(QRadioButton* button, void (TForm1::*handler)());
    // Shortcuts, the tab order and the keyword lists' Delete key.
    void setUpKeyboard();
    // The manual controls under "Automatic Set Up" take no focus while it covers them.
    void coverManualControls(bool covered);
    void FindNext1Click();

    void buildControls();
    void nameControls();
    void buildMenu();
    void connectHandlers();
    void setReport(const std::string& text);
    void applyMode(bool automatic);
    void runFinder(bool title);
    void writePage(const std::string& path);
    void setSensitivity(int position);
    // One round of the keyword scan at the current sensitivity; returns it, or
    // nothing when the scan stopped.
    std::optional<int> scanOnce(bool automatic);
    static constexpr const char* kFileFilter =
        "HTML File (*.htm*)|*.htm*|Text File (*.txt)|*.txt|Any File (*.*)|*.*";

    Interaction& interaction_;
    MessagePump& pump_;
    std::string startDirectory_;
    text::PageEncoding pageEncoding_ = text::PageEncoding::Utf8;

    // The reading pass of the last scan, reused while the page and the noise list
    // are unchanged (the sensitivity adjustment rescans the same page).
    struct ScanCache {
        uint64_t revision = 0;
        // The noise list counted with; shared with the noise table's, not copied a page.
        std::shared_ptr<const std::vector<std::string>> filter;
        std::shared_ptr<const keywords::WordCounts> counts;
        std::string visibleLanguage; // empty: the classic reading of the source lines
    };
    ScanCache scanCache_;
    // The table of the last noise list a scan used. It depends on the list alone, so it
    // outlives pages and is not part of the window's remembered state.
    std::shared_ptr<const std::vector<std::string>> noiseTableList_;
    keywords::NoiseFilter noiseTable_;

    // --- the visible-text reading
    // What the scan reads: the source lines, or with "Read Visible Text" the visible
    // lines cut to their keyword characters; `language` is set for the latter.
    struct ScanSource {
        const text::Lines* wordLines = nullptr;
        std::vector<std::string> filter;
        std::string language;
    };
    ScanSource visibleScanSource();
    const keywords::VisibleText& visibleText();
    const std::vector<std::string>& languageNoise(const std::string& language);
    std::vector<std::string> keywordsOf(const keywords::WordCounts& counts, int sensitivity) const;
    // The lines the title and description finder walks.
    const text::Lines& finderLines();
    ProfileAccess& settingsStore();
    void loadSettings();
    std::string readingLanguage_;
    uint64_t visibleRevision_ = 0;
    std::optional<keywords::VisibleText> visibleText_;
    text::Lines visibleWordLines_; // the visible lines cut to keyword characters
    std::map<std::string, std::vector<std::string>> noiseLists_;
    bool settingsLoaded_ = false;

    // --- find and replace, recent files, edit, view and help
    void buildEditorCommands();
    void connectEditorCommands();
    void showSearchPreview();
    void reopenRecent(int number);
    void rebuildRecentMenu();
    void showRecentItems(const std::vector<RecentMenuItem>& items);
    void applyPreviewEnabling(const PreviewEnabling& enabling);
    void undoRequest();
    std::string helpFile() const;
    RecentFiles& recentFiles();

    bool continue_ = false;
    UndoToggle undoToggle_;
    bool undoing_ = false;
    HelpEngine* help_ = nullptr;
    std::unique_ptr<HelpEngine> ownHelp_;
    std::string recentStorePath_;
    std::string programFile_;
    std::unique_ptr<ProfileAccess> recentStore_;
    CaseInsensitiveFileLocator fileLocator_;
    std::unique_ptr<RecentFiles> recentFiles_;
    bool destroyed_ = false;
    struct RememberedState;
    std::shared_ptr<const RememberedState> remembered_;
    std::string startupMessage_; // shown once the window is on the screen
    bool modeButtonWasOn_ = false;
    QListWidget* lastKeywordList_ = nullptr; // the one "X" acts on from the keyboard
    QMetaObject::Connection focusFollower_;
};

} // namespace lumora::editor
