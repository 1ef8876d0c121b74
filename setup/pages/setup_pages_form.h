#pragma once
// TSetupPagesForm, the installer's wizard dialog built in code: the picture on the
// left, the notebook of page kinds on the right, the three buttons below and the
// kick-off timer. Pages reach the controls of their notebook page by these names.

#include "setup/engine/wizard_dialog.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTextEdit;
class QTimer;

namespace setupkit {

class TVelProgressBar;

class TSetupPagesForm : public QDialog, public WizardDialog {
    Q_OBJECT
public:
    // The window message that adds to both file copy bars (the first user message
    // number plus 3).
    static constexpr int CopyProgressMessage = 1027;

    explicit TSetupPagesForm(QWidget* parent = nullptr);
    ~TSetupPagesForm() override;

    // The program's wizard dialog when it is this kind, else none.
    static TSetupPagesForm* instance();
    // Makes CreateSetupPagesForm build dialogs of this kind.
    static void installFactory();

    void setCaption(std::string_view caption) override;
    std::string caption() const override;
    void setButtonVisible(WizardButton button, bool visible) override;
    bool buttonVisible(WizardButton button) const override;
    void setButtonEnabled(WizardButton button, bool enabled) override;
    bool buttonEnabled(WizardButton button) const override;
    void setButtonCaption(WizardButton button, std::string_view caption) override;
    std::string buttonCaption(WizardButton button) const override;
    void focusButton(WizardButton button) override;
    void showNotebookPage(int index) override;
    int notebookPage() const override;
    void setPicture(const std::string& encoded) override;
    void setMultiDiskIntent(std::string_view text) override;
    void showModeless() override;
    void showModal() override;
    void closeDialog() override;
    void press(WizardButton button) override;
    void postCopyProgress(int amount) override;

    QPushButton* button(WizardButton which) const;

    // The dialog's controls, named as the pages know them.
    QFrame* pnBitmap;
    QLabel* imSetup;
    QStackedWidget* nbPage;
    QFrame* bvlHorizontal;
    QPushButton* btnPrev;
    QPushButton* btnNext;
    QPushButton* btnCancel;
    QFrame* paObscure;
    QTimer* timKickOff;
    // 0 "DirChoice"
    QPlainTextEdit* meCDLIntent;
    QGroupBox* gbCDLDestination;
    QLabel* laCDLDirectory;
    QPushButton* btnCDLBrowse;
    // 1 "FileCopy"
    QLabel* laFCFileInfo;
    QLabel* laFCFilesLeft;
    QLabel* laFC1;
    QLabel* laFCSource;
    QLabel* laFC2;
    QLabel* laFCTarget;
    QLabel* laFCFile;
    TVelProgressBar* pbrFCFile;
    QLabel* laFCTotal;
    TVelProgressBar* pbrFCProgress;
    QPlainTextEdit* meFCActions;
    // 2 "Groups"
    QPlainTextEdit* meCWGActions;
    QComboBox* cbCWGGroups;
    // 3 "Choices": the choice pages build their controls at run time.
    // 4 "BDEInstall"
    QPlainTextEdit* meBDEIntent;
    QPushButton* btnBDEReinstall;
    // 5 "UnInstall"
    QPlainTextEdit* meUNIIntent;
    // 6 "Message"
    QTextEdit* meMSGIntent;
    // 7 "MultiDisk"
    QLabel* lblMDIIntent;
    // 8 "SelectDirectory"
    QPlainTextEdit* memSDIntent;
    QListWidget* lsbSDDirs;
    QComboBox* dcbSDDrive;
    QLabel* lblSDPathLabel;
    QLineEdit* edtSDPath;
    // 9 "SelectLanguage"
    QGroupBox* rdgLSLanguage;

signals:
    // The directory list's selection changed (handled by the directory page).
    void directoryListChanged();

public slots:
    // Escape asks the cancel question, as the Cancel button does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildNotebook();
    // Runs a handler, keeping an error for the pump instead of throwing it through Qt.
    template <class Handler> void guarded(Handler&& handler);

    bool closing_ = false;
    bool modal_ = false;
};

} // namespace setupkit
