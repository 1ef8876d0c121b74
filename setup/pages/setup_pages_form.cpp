#include "setup/pages/setup_pages_form.h"

#include "setup/engine/kit_font.h"
#include "setup/pages/vel_progress_bar.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>

namespace setupkit {

namespace {

constexpr int ClientWidth = 510;
constexpr int ClientHeight = 306;
// The notebook's area.
constexpr int NotebookLeft = 168;
constexpr int NotebookTop = 8;
constexpr int NotebookWidth = 334;
constexpr int NotebookHeight = 249;

const QEvent::Type CopyProgressEventType =
    static_cast<QEvent::Type>(QEvent::User + (TSetupPagesForm::CopyProgressMessage - 1024));

class CopyProgressEvent : public QEvent {
public:
    explicit CopyProgressEvent(int amount) : QEvent(CopyProgressEventType), amount(amount) {}
    int amount;
};

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string std8(const QString& text) {
    return text.toUtf8().toStdString();
}

QPlainTextEdit* memo(QWidget* parent, const char* name, const QRect& geometry) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setGeometry(geometry);
    return edit;
}

QLabel* label(QWidget* parent, const char* name, const QRect& geometry, bool bold = false) {
    auto* text = new QLabel(parent);
    text->setObjectName(name);
    text->setGeometry(geometry);
    if (bold) {
        QFont font = text->font();
        font.setBold(true);
        text->setFont(font);
    }
    return text;
}

QWidget* addNotebookPage(QStackedWidget* notebook, const char* name) {
    auto* page = new QWidget(notebook);
    page->setObjectName(name);
    notebook->addWidget(page);
    return page;
}

TVelProgressBar* progressBar(QWidget* parent, const char* name, const QRect& geometry) {
    auto* bar = new TVelProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    QFont font = kitFont("Arial");
    font.setPixelSize(12);
    bar->setFont(font);
    bar->setMaxValue(100);
    bar->setProgress(0);
    return bar;
}

} // namespace

TSetupPagesForm::TSetupPagesForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetupPagesForm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(kitFont("Arial"));
    setFixedSize(ClientWidth, ClientHeight);

    pnBitmap = new QFrame(this);
    pnBitmap->setObjectName(QStringLiteral("pnBitmap"));
    pnBitmap->setFrameShape(QFrame::Panel);
    pnBitmap->setFrameShadow(QFrame::Sunken);
    pnBitmap->setGeometry(8, 8, 152, NotebookHeight);
    imSetup = new QLabel(pnBitmap);
    imSetup->setObjectName(QStringLiteral("imSetup"));
    imSetup->setScaledContents(true);
    imSetup->setGeometry(1, 1, 150, NotebookHeight - 2);
    // The image stored with the dialog: the kit's own blue.
    imSetup->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0000ff, stop:1 #000000);"));

    paObscure = new QFrame(this);
    paObscure->setObjectName(QStringLiteral("paObscure"));
    paObscure->setFrameShape(QFrame::NoFrame);
    paObscure->setAutoFillBackground(true);
    paObscure->setGeometry(NotebookLeft, NotebookTop, NotebookWidth, NotebookHeight);

    nbPage = new QStackedWidget(this);
    nbPage->setObjectName(QStringLiteral("nbPage"));
    nbPage->setGeometry(NotebookLeft, NotebookTop, NotebookWidth, NotebookHeight);
    buildNotebook();

    bvlHorizontal = new QFrame(this);
    bvlHorizontal->setObjectName(QStringLiteral("bvlHorizontal"));
    bvlHorizontal->setFrameShape(QFrame::HLine);
    bvlHorizontal->setFrameShadow(QFrame::Sunken);
    bvlHorizontal->setGeometry(8, 264, ClientWidth - 16, 2);

    btnPrev = new QPushButton(QStringLiteral("&Previous"), this);
    btnPrev->setObjectName(QStringLiteral("btnPrev"));
    btnPrev->setGeometry(246, 273, 80, 25);
    btnNext = new QPushButton(QStringLiteral("&Next"), this);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setGeometry(330, 273, 80, 25);
    // The glyph of Next sits on the right.
    btnNext->setLayoutDirection(Qt::RightToLeft);
    btnNext->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(422, 273, 80, 25);
    btnPrev->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    btnNext->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    btnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    timKickOff = new QTimer(this);
    timKickOff->setObjectName(QStringLiteral("timKickOff"));
    timKickOff->setInterval(10);
    timKickOff->setSingleShot(true);

    connect(btnNext, &QPushButton::clicked, this, [this] { guarded([this] { nextClicked(); }); });
    connect(btnPrev, &QPushButton::clicked, this, [this] { guarded([this] { prevClicked(); }); });
    connect(btnCancel, &QPushButton::clicked, this,
            [this] { guarded([this] { cancelClicked(); }); });
    connect(btnCDLBrowse, &QPushButton::clicked, this,
            [this] { guarded([this] { browseClicked("btnCDLBrowse"); }); });
    connect(btnBDEReinstall, &QPushButton::clicked, this,
            [this] { guarded([this] { browseClicked("btnBDEReinstall"); }); });
    connect(lsbSDDirs, &QListWidget::currentRowChanged, this,
            &TSetupPagesForm::directoryListChanged);
    connect(timKickOff, &QTimer::timeout, this, [this] {
        timKickOff->stop();
        kickOff();
    });
}

TSetupPagesForm::~TSetupPagesForm() = default;

void TSetupPagesForm::buildNotebook() {
    const int w = NotebookWidth;
    QWidget* dirChoice = addNotebookPage(nbPage, "DirChoice");
    meCDLIntent = memo(dirChoice, "meCDLIntent", {0, 0, w, 150});
    gbCDLDestination = new QGroupBox(dirChoice);
    gbCDLDestination->setObjectName(QStringLiteral("gbCDLDestination"));
    gbCDLDestination->setGeometry(0, 170, w, 60);
    laCDLDirectory = label(gbCDLDestination, "laCDLDirectory", {10, 25, w - 110, 18});
    btnCDLBrowse = new QPushButton(gbCDLDestination);
    btnCDLBrowse->setObjectName(QStringLiteral("btnCDLBrowse"));
    btnCDLBrowse->setGeometry(w - 90, 20, 80, 25);

    QWidget* fileCopy = addNotebookPage(nbPage, "FileCopy");
    laFCFileInfo = label(fileCopy, "laFCFileInfo", {0, 0, 150, 18});
    laFCFilesLeft = label(fileCopy, "laFCFilesLeft", {155, 0, 60, 18}, true);
    laFC1 = label(fileCopy, "laFC1", {0, 22, 40, 18});
    laFCSource = label(fileCopy, "laFCSource", {45, 22, w - 45, 18}, true);
    laFC2 = label(fileCopy, "laFC2", {0, 44, 40, 18});
    laFCTarget = label(fileCopy, "laFCTarget", {45, 44, w - 45, 18}, true);
    laFCFile = label(fileCopy, "laFCFile", {0, 70, w, 18});
    pbrFCFile = progressBar(fileCopy, "pbrFCFile", {0, 90, 315, 21});
    laFCTotal = label(fileCopy, "laFCTotal", {0, 118, w, 18});
    pbrFCProgress = progressBar(fileCopy, "pbrFCProgress", {0, 138, 315, 20});
    meFCActions = memo(fileCopy, "meFCActions", {0, 170, w, 79});

    QWidget* groups = addNotebookPage(nbPage, "Groups");
    meCWGActions = memo(groups, "meCWGActions", {0, 0, w, 170});
    cbCWGGroups = new QComboBox(groups);
    cbCWGGroups->setObjectName(QStringLiteral("cbCWGGroups"));
    cbCWGGroups->setEditable(true);
    cbCWGGroups->setInsertPolicy(QComboBox::InsertAlphabetically);
    cbCWGGroups->setGeometry(0, 180, w, 24);

    addNotebookPage(nbPage, "Choices");

    QWidget* bde = addNotebookPage(nbPage, "BDEInstall");
    meBDEIntent = memo(bde, "meBDEIntent", {0, 0, w, 210});
    btnBDEReinstall = new QPushButton(bde);
    btnBDEReinstall->setObjectName(QStringLiteral("btnBDEReinstall"));
    btnBDEReinstall->setGeometry(w - 90, 220, 90, 25);
    btnBDEReinstall->setEnabled(false);

    QWidget* unInstall = addNotebookPage(nbPage, "UnInstall");
    meUNIIntent = memo(unInstall, "meUNIIntent", {0, 0, w, NotebookHeight});

    QWidget* message = addNotebookPage(nbPage, "Message");
    meMSGIntent = new QTextEdit(message);
    meMSGIntent->setObjectName(QStringLiteral("meMSGIntent"));
    meMSGIntent->setReadOnly(true);
    meMSGIntent->setGeometry(0, 0, w, NotebookHeight);

    QWidget* multiDisk = addNotebookPage(nbPage, "MultiDisk");
    lblMDIIntent = label(multiDisk, "lblMDIIntent", {0, 0, w, 80});
    lblMDIIntent->setWordWrap(true);

    QWidget* selectDirectory = addNotebookPage(nbPage, "SelectDirectory");
    memSDIntent = memo(selectDirectory, "memSDIntent", {0, 0, w, 50});
    lblSDPathLabel = label(selectDirectory, "lblSDPathLabel", {0, 56, 40, 18});
    edtSDPath = new QLineEdit(selectDirectory);
    edtSDPath->setObjectName(QStringLiteral("edtSDPath"));
    edtSDPath->setGeometry(45, 54, w - 45, 22);
    lsbSDDirs = new QListWidget(selectDirectory);
    lsbSDDirs->setObjectName(QStringLiteral("lsbSDDirs"));
    lsbSDDirs->setGeometry(0, 82, w, 135);
    dcbSDDrive = new QComboBox(selectDirectory);
    dcbSDDrive->setObjectName(QStringLiteral("dcbSDDrive"));
    dcbSDDrive->setGeometry(0, 223, w, 24);

    QWidget* selectLanguage = addNotebookPage(nbPage, "SelectLanguage");
    rdgLSLanguage = new QGroupBox(selectLanguage);
    rdgLSLanguage->setObjectName(QStringLiteral("rdgLSLanguage"));
    rdgLSLanguage->setGeometry(0, 0, w, NotebookHeight);
}

TSetupPagesForm* TSetupPagesForm::instance() {
    return dynamic_cast<TSetupPagesForm*>(SetupPagesForm());
}

void TSetupPagesForm::installFactory() {
    SetWizardFactory([] { return std::make_unique<TSetupPagesForm>(); });
}

template <class Handler> void TSetupPagesForm::guarded(Handler&& handler) {
    try {
        handler();
    } catch (...) {
        keepError(std::current_exception());
    }
}

void TSetupPagesForm::setCaption(std::string_view caption) {
    setWindowTitle(qt(caption));
}

std::string TSetupPagesForm::caption() const {
    return std8(windowTitle());
}

QPushButton* TSetupPagesForm::button(WizardButton which) const {
    switch (which) {
    case WizardButton::Prev:
        return btnPrev;
    case WizardButton::Next:
        return btnNext;
    case WizardButton::Cancel:
        break;
    }
    return btnCancel;
}

void TSetupPagesForm::setButtonVisible(WizardButton which, bool visible) {
    button(which)->setVisible(visible);
}

bool TSetupPagesForm::buttonVisible(WizardButton which) const {
    return !button(which)->isHidden();
}

void TSetupPagesForm::setButtonEnabled(WizardButton which, bool enabled) {
    button(which)->setEnabled(enabled);
}

bool TSetupPagesForm::buttonEnabled(WizardButton which) const {
    return button(which)->isEnabled();
}

void TSetupPagesForm::setButtonCaption(WizardButton which, std::string_view caption) {
    button(which)->setText(qt(caption));
}

std::string TSetupPagesForm::buttonCaption(WizardButton which) const {
    return std8(button(which)->text());
}

void TSetupPagesForm::focusButton(WizardButton which) {
    button(which)->setFocus();
}

void TSetupPagesForm::showNotebookPage(int index) {
    nbPage->setCurrentIndex(index);
}

int TSetupPagesForm::notebookPage() const {
    return nbPage->currentIndex();
}

void TSetupPagesForm::setPicture(const std::string& encoded) {
    QPixmap picture;
    if (picture.loadFromData(reinterpret_cast<const uchar*>(encoded.data()),
                             static_cast<uint>(encoded.size()))) {
        imSetup->setStyleSheet(QString());
        imSetup->setPixmap(picture);
    }
}

void TSetupPagesForm::setMultiDiskIntent(std::string_view text) {
    lblMDIIntent->setText(qt(text));
}

void TSetupPagesForm::showModeless() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
}

void TSetupPagesForm::showModal() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    closing_ = false;
    modal_ = true;
    exec();
    modal_ = false;
    rethrowKeptError();
}

void TSetupPagesForm::closeDialog() {
    closing_ = true;
    if (modal_)
        done(QDialog::Rejected);
    else
        hide();
    closing_ = false;
}

void TSetupPagesForm::press(WizardButton which) {
    QPushButton* pressed = button(which);
    if (pressed->isVisible() && pressed->isEnabled())
        pressed->click();
}

void TSetupPagesForm::postCopyProgress(int amount) {
    QCoreApplication::postEvent(this, new CopyProgressEvent(amount));
}

void TSetupPagesForm::reject() {
    if (closing_) {
        QDialog::reject();
        return;
    }
    press(WizardButton::Cancel);
}

void TSetupPagesForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (modal_)
        timKickOff->start();
}

void TSetupPagesForm::closeEvent(QCloseEvent* event) {
    // Only the kick-off closes the dialog; the window offers no close box.
    if (!closing_)
        event->ignore();
}

bool TSetupPagesForm::event(QEvent* event) {
    if (event->type() == CopyProgressEventType) {
        const int amount = static_cast<CopyProgressEvent*>(event)->amount;
        pbrFCFile->addProgress(amount);
        pbrFCProgress->addProgress(amount);
        return true;
    }
    return QDialog::event(event);
}

} // namespace setupkit
