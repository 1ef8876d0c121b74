// The small commands around the page: the controls they need, undo and redo, the
// editor's context menu, the three font commands, the preview switch, help and the
// about box.

#include "tform1.h"

#include "editor/about_box.h"
#include "editor/find_replace_dialogs.h"
#include "editor/font_conversion.h"
#include "editor/help_window.h"
#include "editor/logic/data_files.h"
#include "editor/logic/help_file.h"
#include "editor/page_editor.h"
#include "preview/html_lite.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QToolButton>

#include <filesystem>

namespace lumora::editor {

namespace {

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

} // namespace

void TForm1::buildEditorCommands() {
    auto* client = centralWidget();
    htmlLite1 = new preview::HtmlLite(client);
    htmlLite1->setObjectName(QStringLiteral("htmlLite1"));
    htmlLite1->setGeometry(RichEdit->geometry());
    htmlLite1->hide();

    PopupMenu2 = new QMenu(RichEdit);
    Undo3 = PopupMenu2->addAction(QStringLiteral("Undo"));
    PopupMenu2->addSeparator();
    Cut1 = PopupMenu2->addAction(QStringLiteral("Cut"));
    Copy1 = PopupMenu2->addAction(QStringLiteral("Copy"));
    Paste1 = PopupMenu2->addAction(QStringLiteral("Paste"));
    PopupMenu2->addSeparator();
    SelectAll1 = PopupMenu2->addAction(QStringLiteral("Select All"));
    RichEdit->setContextMenuPolicy(Qt::CustomContextMenu);

    PopupMenu1 = new QMenu(ListBox3);
    ListBxFind1 = PopupMenu1->addAction(QStringLiteral("Find In Doc"));
    Replace1 = PopupMenu1->addAction(QStringLiteral("Replace"));
    ListBox3->setContextMenuPolicy(Qt::CustomContextMenu);

    FindDialog3 = new FindDialog(this);
    ReplaceDialog3 = new ReplaceDialog(this);
    AboutBox = new TAboutBox(this);
    FindDialog3->setObjectName(QStringLiteral("FindDialog3"));
    ReplaceDialog3->setObjectName(QStringLiteral("ReplaceDialog3"));
    AboutBox->setObjectName(QStringLiteral("AboutBox"));

    ownHelp_ = std::make_unique<WindowHelpEngine>();
    help_ = ownHelp_.get();
}

void TForm1::connectEditorCommands() {
    // Any change but the undo step itself makes the next Undo take that change back.
    connect(RichEdit, &PageEditor::pageChanged, this, [this] {
        if (!undoing_)
            undoToggle_.textChanged();
    });
    connect(Undo2, &QAction::triggered, this, command([this] { Undo2Click(); }));
    connect(Redo1, &QAction::triggered, this, command([this] { Redo1Click(); }));
    connect(Undo3, &QAction::triggered, this, command([this] { Undo3Click(); }));
    connect(Cut1, &QAction::triggered, this, command([this] { Cut1Click(); }));
    connect(Copy1, &QAction::triggered, this, command([this] { Copy1Click(); }));
    connect(Paste1, &QAction::triggered, this, command([this] { Paste1Click(); }));
    connect(SelectAll1, &QAction::triggered, this, command([this] { SelectAll1Click(); }));
    connect(RichEdit, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu2Popup();
        PopupMenu2->popup(RichEdit->viewport()->mapToGlobal(at));
    });
    connect(EditFont1, &QAction::triggered, this, command([this] { EditFont1Click(); }));
    connect(ResultWindowFont1, &QAction::triggered, this,
            command([this] { ResultWindowFont1Click(); }));
    connect(Mauel1, &QAction::triggered, this, command([this] { Mauel1Click(); }));
    connect(PreviwOn1, &QAction::triggered, this, command([this] { PreviwOn1Click(); }));
    connect(PreviewOff1, &QAction::triggered, this, command([this] { PreviewOff1Click(); }));
    connect(WhatItDoes1, &QAction::triggered, this, command([this] { WhatItDoes1Click(); }));
    connect(Contents1, &QAction::triggered, this, command([this] { Contents1Click(); }));
    connect(About1, &QAction::triggered, this, command([this] { About1Click(); }));

    connect(Find1, &QAction::triggered, this, command([this] { Find1Click(); }));
    connect(Replace2, &QAction::triggered, this, command([this] { Replace2Click(); }));
    connect(FindDialog3, &FindDialog::findNextPressed, this,
            command([this] { FindDialog3Find(); }));
    connect(ReplaceDialog3, &ReplaceDialog::findNextPressed, this,
            command([this] { ReplaceDialog3Find(); }));
    connect(ReplaceDialog3, &ReplaceDialog::replacePressed, this,
            command([this] { ReplaceDialog3Replace(); }));
    connect(ListBox3, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ListBox3->viewport()->mapToGlobal(at)); });
    connect(ListBxFind1, &QAction::triggered, this, command([this] { ListBxFind1Click(); }));
    connect(Replace1, &QAction::triggered, this, command([this] { Replace1Click(); }));

    connect(RecentFiles1, &QMenu::aboutToShow, this, command([this] { recentfiles1Click(); }));
    connect(CheckTitle1, &QAction::triggered, this, command([this] { CheckTitle1Click(); }));
    connect(CompressHTML1, &QAction::triggered, this, command([this] { CompressHTML1Click(); }));
    connect(Charcount1, &QAction::triggered, this, command([this] { Charcount1Click(); }));
    connect(SearchResultPreview1, &QAction::triggered, this,
            command([this] { SearchResultPreview1Click(); }));
}

// The editor's undo is single-level: a second request puts back what the first took.
void TForm1::undoRequest() {
    // A page that cannot be edited (a scan is reading it) cannot be undone either.
    if (RichEdit->isReadOnly())
        return;
    const UndoToggle::Step step = undoToggle_.nextStep();
    undoing_ = true;
    if (step == UndoToggle::Step::Undo)
        RichEdit->undo();
    else
        RichEdit->redo();
    undoing_ = false;
}

void TForm1::Undo2Click() {
    undoRequest();
}

void TForm1::Redo1Click() {
    undoRequest();
}

void TForm1::Undo3Click() {
    undoRequest();
}

void TForm1::Cut1Click() {
    RichEdit->cut();
}

void TForm1::Copy1Click() {
    RichEdit->copy();
}

void TForm1::Paste1Click() {
    RichEdit->paste();
}

void TForm1::SelectAll1Click() {
    RichEdit->selectAll();
}

void TForm1::PopupMenu2Popup() {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    const ContextMenuEnabling enabling = contextMenuEnabling(!RichEdit->textCursor().hasSelection(),
                                                             clipboard && clipboard->hasText());
    Undo3->setEnabled(enabling.undo);
    Cut1->setEnabled(enabling.cut);
    Copy1->setEnabled(enabling.copy);
    Paste1->setEnabled(enabling.paste);
    SelectAll1->setEnabled(enabling.selectAll);
}

void TForm1::EditFont1Click() {
    FontDialog1 = toFontDescription(RichEdit->font());
    const auto chosen = interaction_.chooseFont({FontDialog1, [this](const FontDescription& font) {
                                                     FontDialog1 = font;
                                                     FontDialog1Apply();
                                                 }});
    if (!chosen)
        return;
    FontDialog1 = *chosen;
    RichEdit->setFont(toQFont(FontDialog1));
}

void TForm1::FontDialog1Apply() {
    RichEdit->setFont(toQFont(FontDialog1));
}

void TForm1::ResultWindowFont1Click() {
    FontDialog2 = toFontDescription(RichEdit->font());
    const auto chosen = interaction_.chooseFont({FontDialog2, [this](const FontDescription& font) {
                                                     FontDialog2 = font;
                                                     FontDialog2Apply();
                                                 }});
    if (!chosen)
        return;
    FontDialog2 = *chosen;
    Label3_KeyWords->setFont(toQFont(FontDialog2));
}

void TForm1::FontDialog2Apply() {
    Label3_KeyWords->setFont(toQFont(FontDialog2));
}

void TForm1::Mauel1Click() {
    FontDialog3 = toFontDescription(RichEdit->font());
    const auto chosen = interaction_.chooseFont({FontDialog3, {}});
    if (!chosen)
        return;
    FontDialog3 = *chosen;
    ListBox3->setFont(toQFont(FontDialog3));
    ListBox4->setFont(toQFont(FontDialog3));
    // The lists keep their colours whatever colour was chosen.
    setTextColor(ListBox3, QColor(0, 255, 0));
    setTextColor(ListBox4, QColor(255, 0, 0));
}

void TForm1::applyPreviewEnabling(const PreviewEnabling& enabling) {
    PreviwOn1->setEnabled(enabling.PreviwOn1);
    PreviewOff1->setEnabled(enabling.PreviewOff1);
    BitBtn1FullAuto->setEnabled(enabling.BitBtn1FullAuto);
    Button5->setEnabled(enabling.Button5);
    SpeedButton1->setEnabled(enabling.SpeedButton1);
    Button6->setEnabled(enabling.Button6);
    RecentFiles1->menuAction()->setEnabled(enabling.RecentFiles1);
    New2->setEnabled(enabling.New2);
    Open2->setEnabled(enabling.Open2);
    Save2->setEnabled(enabling.Save2);
    SaveAs2->setEnabled(enabling.SaveAs2);
    Undo1->menuAction()->setEnabled(enabling.Undo1);
    Utiltes1->menuAction()->setEnabled(enabling.Utiltes1);
}

void TForm1::PreviwOn1Click() {
    htmlLite1->show();
    htmlLite1->raise();
    // Covered is not enough: an editor that kept the keyboard focus could still be
    // typed into behind the preview.
    RichEdit->hide();
    // Pictures of the page are read from its folder; an untitled page has none of
    // its own, so the start-up directory stands in.
    const std::string folder =
        DocFileName.empty() ? Edit2Drv : std::filesystem::path(DocFileName).parent_path().string();
    htmlLite1->setBaseFolder(QString::fromStdString(folder));
    htmlLite1->loadUtf8Lines(RichEdit->lines());
    applyPreviewEnabling(enablingWithPreviewOn());
}

void TForm1::PreviewOff1Click() {
    htmlLite1->clearPage();
    htmlLite1->hide();
    RichEdit->show();
    applyPreviewEnabling(enablingWithPreviewOff(RadioB_Automatic->isChecked()));
}

std::string TForm1::helpFile() const {
    return withInstalledFallback(helpFilePath(Edit2Drv));
}

void TForm1::WhatItDoes1Click() {
    help_->showContext(helpFile(), 2);
}

void TForm1::Contents1Click() {
    help_->showContext(helpFile(), 3);
}

void TForm1::About1Click() {
    interaction_.showModal(*AboutBox);
}

void TForm1::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    help_->quit(helpFile());
}

} // namespace lumora::editor
