#include "tform1.h"

#include "editor/clickable_label.h"
#include "editor/font_conversion.h"
#include "editor/logic/data_files.h"
#include "editor/logic/page_file.h"
#include "editor/logic/sample_page.h"
#include "editor/page_editor.h"
#include "editor/program_icon.h"
#include "editor/track_bar.h"
#include "keywords/quick_info_texts.h"
#include "platform/regular_file_read.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <new>
#include <utility>

namespace lumora::editor {

namespace {

// The caption colour holds while the control is enabled; a disabled control keeps
// the style's greyed text, so that it looks as unavailable as it is.
void setColors(QWidget* widget, const QColor& text, const QColor& base = QColor()) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::ButtonText, text);
    }
    if (base.isValid()) {
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Window, base);
    }
    widget->setPalette(palette);
}

void setBold(QWidget* widget, bool bold) {
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

template <typename T> T* place(QWidget* parent, int left, int top, int width, int height) {
    auto* widget = new T(parent);
    widget->setGeometry(left, top, width, height);
    return widget;
}

QCheckBox* checkBox(QWidget* parent, int left, int top, const char* caption, const char* hint) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->move(left, top);
    box->adjustSize();
    box->setToolTip(QString::fromUtf8(hint));
    box->setChecked(true);
    return box;
}

} // namespace

TForm1::TForm1(TForm1Services services, QWidget* parent)
    : QMainWindow(parent), interaction_(services.interaction), pump_(services.pump),
      startDirectory_(std::move(services.startDirectory)) {
    buildControls();
    buildMenu();
    connectHandlers();
    setUpKeyboard();
    FormCreate();
}

TForm1::~TForm1() {
    disconnect(focusFollower_);
    FormDestroy();
}

void TForm1::buildControls() {
    setWindowTitle(QStringLiteral("Lumora - V 01.01"));
    setWindowIcon(programIcon());
    setFont(designFont("MS Sans Serif", 8));
    auto* client = new QWidget(this);
    setCentralWidget(client);
    move(260, 103);
    resize(442, 444);

    RichEdit = place<PageEditor>(client, 8, 0, 417, 193);
    RichEdit->setObjectName(QStringLiteral("RichEdit"));
    {
        QPalette palette = RichEdit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
        palette.setColor(QPalette::Text, Qt::black);
        RichEdit->setPalette(palette);
        QFont font = RichEdit->font();
        font.setPointSize(10);
        RichEdit->setFont(font);
    }
    RichEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit->setLines(samplePage());

    ProgressBar1 = place<QProgressBar>(client, 8, 200, 129, 14);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setToolTip(QStringLiteral("Progress bar"));

    Button5 = place<QPushButton>(client, 144, 199, 93, 17);
    Button5->setText(QStringLiteral("Make Keywords"));
    Button5->setToolTip(QStringLiteral("Extract key words in manual mode."));
    Button5->setEnabled(false);

    SpeedButton1 = place<QToolButton>(client, 238, 199, 93, 17);
    SpeedButton1->setText(QStringLiteral("Title - Description"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setToolTip(QStringLiteral("Finds a title and description for your web page."));
    SpeedButton1->setEnabled(false);

    Button6 = place<QPushButton>(client, 332, 199, 93, 17);
    Button6->setText(QStringLiteral("Build MetaTags"));
    Button6->setToolTip(
        QStringLiteral("Adds or replaces your most important Meta Tags and title."));
    Button6->setEnabled(false);

    Bevel2 = place<QFrame>(client, 144, 221, 281, 69);
    Bevel2->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel2->setToolTip(QStringLiteral("The key word report window."));
    Label3_KeyWords = place<QLabel>(client, 147, 224, 275, 63);
    Label3_KeyWords->setWordWrap(true);
    Label3_KeyWords->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColors(Label3_KeyWords, Qt::red);
    setBold(Label3_KeyWords, true);

    // One row taller than the first design, for "Read Visible Text".
    GroupBox1 = place<QGroupBox>(client, 144, 290, 281, 122);
    GroupBox1->setTitle(QStringLiteral(" Program Settings "));
    setColors(GroupBox1, Qt::blue);

    TrackBar1 = place<TrackBar>(GroupBox1, 8, 18, 177, 15);
    TrackBar1->setRange(0, 25);
    TrackBar1->setValue(5);
    TrackBar1->setTickInterval(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setPageStep(1);
    TrackBar1->setSelection(2, 8);
    TrackBar1->setToolTip(QStringLiteral("Keywords to find in doc. Auto adusting."));

    Label2 = place<ClickableLabel>(GroupBox1, 187, 17, 86, 13);
    Label2->setText(QStringLiteral("Sensitivity 5"));
    // Dark on the group's light face, so that the readout can be read.
    setColors(Label2, QColor(0, 0, 128));
    setBold(Label2, true);

    RadioB_Automatic = new QRadioButton(QStringLiteral("Automatic Mode"), GroupBox1);
    RadioB_Automatic->move(6, 41);
    RadioB_Automatic->adjustSize();
    RadioB_Automatic->setChecked(true);
    RadioB_Automatic->setToolTip(
        QStringLiteral("Use if you are new to HTML or have many pages to do."));
    RadioB_NOauto = new QRadioButton(QStringLiteral("Manual Mode"), GroupBox1);
    RadioB_NOauto->move(6, 60);
    RadioB_NOauto->adjustSize();
    RadioB_NOauto->setToolTip(QStringLiteral("Gives full control to your keywords."));

    CheckB_USEfilter = checkBox(GroupBox1, 6, 79, "Filter Noise Words",
                                "Filters out noise words from your key words.");
    CheckB_ReadVisible =
        checkBox(GroupBox1, 6, 98, "Read Visible Text",
                 "Finds key words, title and description in the text a visitor sees.");
    CheckB_ReadVisible->setChecked(false);

    Bevel1 = place<QFrame>(GroupBox1, 122, 40, 157, 61);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setToolTip(QStringLiteral("Quick info box."));
    Label3_InfoBox = place<QLabel>(GroupBox1, 125, 42, 153, 57);
    Label3_InfoBox->setWordWrap(true);
    Label3_InfoBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3_InfoBox->setText(
        QStringLiteral("Click Program Settings for information about each setting."));
    setColors(Label3_InfoBox, Qt::blue);

    // The manual lists come first so that the automatic set-up group covers them.
    ListBox4 = place<QListWidget>(client, 8, 224, 129, 65);
    ListBox4->setToolTip(QStringLiteral("Keywords to be inserted in manual mode."));
    setColors(ListBox4, Qt::red, Qt::black);

    Panel1 = place<QFrame>(client, 8, 224, 129, 65);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    Panel1->hide();
    Label3TileKW = place<QLabel>(Panel1, 8, 8, 113, 49);
    Label3TileKW->setWordWrap(true);
    Label3TileKW->setText(QStringLiteral("Scanning for title tag"));
    Label3TileKW->setToolTip(QStringLiteral("Title builder that shows key word matches."));
    Label3TileKW->hide();

    ListBox3 = place<QListWidget>(client, 8, 296, 129, 73);
    ListBox3->setSelectionMode(QAbstractItemView::MultiSelection);
    ListBox3->setToolTip(QStringLiteral("Keywords to be combined or reordered in manual mode."));
    setColors(ListBox3, QColor(0, 255, 0), Qt::black);

    Button4 = place<QPushButton>(client, 8, 376, 49, 17);
    Button4->setText(QStringLiteral("To Top"));
    Button4->setToolTip(QStringLiteral("Move keyword to top form combining."));
    Button3 = place<QPushButton>(client, 57, 376, 49, 17);
    Button3->setText(QStringLiteral("Combine"));
    Button3->setToolTip(QStringLiteral("Select 2 or more keywords form the top to combine."));
    SpeedButt_delete = place<QToolButton>(client, 112, 376, 25, 17);
    SpeedButt_delete->setText(QStringLiteral("X"));
    SpeedButt_delete->setAutoRaise(true);
    SpeedButt_delete->setToolTip(
        QStringLiteral("Delete selected Keywords from top or bottom window."));
    setColors(SpeedButt_delete, Qt::red);
    setBold(SpeedButt_delete, true);

    GroupBox2 = place<QGroupBox>(client, 8, 218, 129, 175);
    GroupBox2->setTitle(QStringLiteral("Automatic Set Up"));
    GroupBox2->setAutoFillBackground(true);
    setColors(GroupBox2, Qt::blue);
    CheckBxDOtitle = checkBox(GroupBox2, 8, 20, "Include Title",
                              "Use to replace web page title. Dont use to keep title.");
    CheckBxDOdisription =
        checkBox(GroupBox2, 8, 43, "Include Description",
                 "Use to replace Description meta tags. Dont use to keep description tags.");
    CheckBxDOkeywrds = checkBox(GroupBox2, 8, 66, "Include Key Words",
                                "Use to replace keyword meta tags. Dont use to keep keyword tags.");
    CheckBxKwBoost = checkBox(GroupBox2, 8, 89, "Key Word Booster", "Combines and adds keywords.");
    CheckBxDOhidenTags =
        checkBox(GroupBox2, 8, 111, "Add Hidden Words",
                 "Add text not visible to browser for a possible boost in the serach engines.");
    BitBtn1FullAuto = place<QPushButton>(GroupBox2, 8, 144, 115, 22);
    BitBtn1FullAuto->setText(QStringLiteral("FULL AUTO GO !"));
    BitBtn1FullAuto->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    BitBtn1FullAuto->setToolTip(QStringLiteral("Start here for automatic everything!"));
    setColors(BitBtn1FullAuto, Qt::red);
    GroupBox2->raise();
    nameControls();
    buildEditorCommands();
}

void TForm1::nameControls() {
    setObjectName(QStringLiteral("Form1"));
    const std::pair<QWidget*, const char*> controls[] = {
        {ProgressBar1, "ProgressBar1"},
        {Button5, "Button5"},
        {SpeedButton1, "SpeedButton1"},
        {Button6, "Button6"},
        {Bevel2, "Bevel2"},
        {Label3_KeyWords, "Label3_KeyWords"},
        {GroupBox1, "GroupBox1"},
        {TrackBar1, "TrackBar1"},
        {Label2, "Label2"},
        {RadioB_Automatic, "RadioB_Automatic"},
        {RadioB_NOauto, "RadioB_NOauto"},
        {CheckB_USEfilter, "CheckB_USEfilter"},
        {CheckB_ReadVisible, "CheckB_ReadVisible"},
        {Bevel1, "Bevel1"},
        {Label3_InfoBox, "Label3_InfoBox"},
        {ListBox4, "ListBox4"},
        {Panel1, "Panel1"},
        {Label3TileKW, "Label3TileKW"},
        {ListBox3, "ListBox3"},
        {Button4, "Button4"},
        {Button3, "Button3"},
        {SpeedButt_delete, "SpeedButt_delete"},
        {GroupBox2, "GroupBox2"},
        {CheckBxDOtitle, "CheckBxDOtitle"},
        {CheckBxDOdisription, "CheckBxDOdisription"},
        {CheckBxDOkeywrds, "CheckBxDOkeywrds"},
        {CheckBxKwBoost, "CheckBxKwBoost"},
        {CheckBxDOhidenTags, "CheckBxDOhidenTags"},
        {BitBtn1FullAuto, "BitBtn1FullAuto"},
    };
    for (const auto& [control, name] : controls)
        control->setObjectName(QLatin1String(name));
}

void TForm1::buildMenu() {
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const char* caption, bool enabled = true) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setEnabled(enabled);
        return action;
    };
    File1 = bar->addMenu(QStringLiteral("&File"));
    New2 = item(File1, "&New");
    Open2 = item(File1, "&Open...");
    RecentFiles1 = File1->addMenu(QStringLiteral("Recent Files"));
    RecentFiles1->addAction(QStringLiteral("ClickMe"))->setEnabled(false);
    Save2 = item(File1, "&Save");
    SaveAs2 = item(File1, "Save &As...");
    File1->addSeparator();
    Exit2 = item(File1, "E&xit");

    Undo1 = bar->addMenu(QStringLiteral("Undo"));
    Undo2 = item(Undo1, "Undo");
    Redo1 = item(Undo1, "Redo");

    Utiltes1 = bar->addMenu(QStringLiteral("&Utilities"));
    Find1 = item(Utiltes1, "Find");
    Replace2 = item(Utiltes1, "Replace");
    Utiltes1->addSeparator();
    TestMetaTags1 = item(Utiltes1, "Test Meta Tags");
    CheckTitle1 = item(Utiltes1, "Check Key Word Tags");
    CompressHTML1 = item(Utiltes1, "Compress HTML");
    Charcount1 = item(Utiltes1, "Char Count");
    SearchResultPreview1 = item(Utiltes1, "Search Result Preview");
    Utiltes1->addSeparator();
    EditFont1 = item(Utiltes1, "Edit Window Font");
    ResultWindowFont1 = item(Utiltes1, "Result Window Font");
    Mauel1 = item(Utiltes1, "Key Word Edit Font");

    Browser1 = bar->addMenu(QStringLiteral("Browser"));
    PreviwOn1 = item(Browser1, "Preview On");
    PreviewOff1 = item(Browser1, "Preview Off", false);

    Help1 = bar->addMenu(QStringLiteral("&Help"));
    WhatItDoes1 = item(Help1, "&What It Does");
    Contents1 = item(Help1, "&Getting Started");
    About1 = item(Help1, "&About...");
}

void TForm1::connectHandlers() {
    connect(RichEdit, &PageEditor::pageChanged, this, [this] { RichEditChange(); });
    connect(New2, &QAction::triggered, this, command([this] { New2Click(); }));
    connect(Open2, &QAction::triggered, this, command([this] { Open2Click(); }));
    connect(Save2, &QAction::triggered, this, command([this] { Save2Click(); }));
    connect(SaveAs2, &QAction::triggered, this, command([this] { SaveAs2Click(); }));
    connect(Exit2, &QAction::triggered, this, command([this] { Exit2Click(); }));
    connect(TestMetaTags1, &QAction::triggered, this, command([this] { TestMetaTags1Click(); }));
    connect(Button5, &QPushButton::clicked, this, command([this] { Button5Click(); }));
    connect(BitBtn1FullAuto, &QPushButton::clicked, this, command([this] { Button5Click(); }));
    connect(SpeedButton1, &QToolButton::clicked, this, command([this] { SpeedButton1Click(); }));
    connect(Button6, &QPushButton::clicked, this, command([this] { Button6Click(); }));
    connect(TrackBar1, &QSlider::valueChanged, this, command([this] { TrackBar1Change(); }));
    connectModeButton(RadioB_Automatic, &TForm1::RadioB_AutomaticClick);
    connectModeButton(RadioB_NOauto, &TForm1::RadioB_NOautoClick);
    connect(Label2, &ClickableLabel::clicked, this, command([this] { Label2Click(); }));
    connect(CheckBxDOkeywrds, &QCheckBox::clicked, this,
            command([this] { CheckBxDOkeywrdsClick(); }));
    connect(CheckB_USEfilter, &QCheckBox::clicked, this,
            command([this] { CheckB_USEfilterClick(); }));
    connect(CheckB_ReadVisible, &QCheckBox::clicked, this,
            command([this] { CheckB_ReadVisibleClick(); }));
    connect(ListBox3, &QListWidget::itemDoubleClicked, this,
            command([this] { ListBox3DblClick(); }));
    connect(ListBox4, &QListWidget::itemDoubleClicked, this,
            command([this] { ListBox4DblClick(); }));
    connect(Button4, &QPushButton::clicked, this, command([this] { Button4Click(); }));
    connect(Button3, &QPushButton::clicked, this, command([this] { Button3Click(); }));
    connect(SpeedButt_delete, &QToolButton::clicked, this,
            command([this] { SpeedButt_deleteClick(); }));
    connectEditorCommands();
}

void TForm1::FormCreate() {
    RichEdit->setTextLimit(8'000'000);
    setReport("   Quick Start\r1. Open your HTML file.\r2. Click FULL AUTO GO !\r3. See Help for "
              "other options.");
    Edit2Drv.clear();
    Edit2Drv = startDirectory_;
    DocFileName.clear();
    PreviwOn1Click();
    const auto filter = std::filesystem::path(withInstalledFallback(
        (std::filesystem::path(Edit2Drv) / keywords::kFilterFileName).string()));
    std::error_code error;
    if (std::filesystem::exists(filter, error)) {
        try {
            ListBox1 = text::splitLines(platform::readWholeFile(filter));
        } catch (const platform::NotRegularFile&) {
            interaction_.showError(notRegularFileText(filter.string()));
        } catch (const platform::FileError&) {
            interaction_.showError("Cannot open file " + filter.string());
        }
    } else {
        // Said over the window once it is shown, not before it.
        startupMessage_ = keywords::kFilterMissingAtStartup;
    }
    Modified = false;
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    loadSettings();
    if (!startupMessage_.empty())
        QTimer::singleShot(0, this, [this] {
            const std::string message = std::exchange(startupMessage_, {});
            if (!message.empty())
                interaction_.showMessage(message);
        });
}

void TForm1::runCommand(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::bad_alloc&) {
        interaction_.showError("Out of memory.");
    } catch (const std::exception& failure) {
        interaction_.showError(failure.what());
    }
}

void TForm1::connectModeButton(QRadioButton* button, void (TForm1::*handler)()) {
    // The state before the click: a click on the button already on changes nothing.
    connect(button, &QRadioButton::pressed, this,
            [this, button] { modeButtonWasOn_ = button->isChecked(); });
    connect(button, &QRadioButton::clicked, this, command([this, handler] {
                if (!modeButtonWasOn_)
                    (this->*handler)();
            }));
}

void TForm1::RichEditChange() {
    Modified = true;
    RichEdit->viewport()->update();
}

void TForm1::TrackBar1Change() {
    Label2->setText(QStringLiteral("Sensitivity %1").arg(TrackBar1->value()));
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm1::FormCloseQuery(bool& canClose) {
    canClose = !Modified || ConfirmSaveChanges();
}

void TForm1::setReport(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Label3_KeyWords->setText(shown);
}

} // namespace lumora::editor
