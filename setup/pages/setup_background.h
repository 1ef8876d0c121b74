#pragma once
// TSetupBackground, the panel that fills the installer's form: a vertical colour
// gradient with the application's name in its corner. Once it has been painted it
// runs the install start page (or the uninstall page), shows the result and ends
// the application.

#include "setup/engine/setup_component.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class QLabel;
class QTimer;

namespace setupkit {

class TSetupPage;

class TSetupBackground : public QWidget, public TSetupComponent {
    Q_OBJECT
public:
    TSetupBackground(ComponentOwner* owner, QWidget* parent);
    ~TSetupBackground() override;

    std::string_view ClassName() const override { return "TSetupBackground"; }
    bool InheritsFrom(std::string_view className) const override;

    const QFont& AppFont() const { return appFont_; }
    const QColor& AppFontColor() const { return appFontColor_; }
    void SetAppFont(const QFont& font, const QColor& color);
    // The controller's application name; writing it needs a controller.
    void SetBackgroundAppName(const std::string& name);
    TSetupPage* AutoSetup() const { return autoSetup_; }
    void SetAutoSetup(TSetupPage* page) { autoSetup_ = page; }
    TSetupPage* AutoUnInstall() const { return autoUnInstall_; }
    void SetAutoUnInstall(TSetupPage* page) { autoUnInstall_ = page; }
    bool DisplayMessage() const { return displayMessage_; }
    void SetDisplayMessage(bool value) { displayMessage_ = value; }
    const QColor& EndColor() const { return endColor_; }
    void SetEndColor(const QColor& color);
    int Gradations() const { return gradations_; }
    // Below 1 is refused with "Gradations cannot be less than 1".
    void SetGradations(int gradations);
    bool MaximizeWindow() const { return maximizeWindow_; }
    void SetMaximizeWindow(bool value) { maximizeWindow_ = value; }
    bool ShowAppName() const { return showAppName_; }
    void SetShowAppName(bool value);
    const QColor& StartColor() const { return startColor_; }
    void SetStartColor(const QColor& color);

    QLabel* appNameLabel() const { return label_; }
    bool painted() const { return painted_; }
    // Whether the start sequence is still to run.
    bool startPending() const { return startTimer_ != nullptr; }

    void Notification(TSetupComponent* component, Operation operation) override;
    void Loaded() override;
    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The start timer's tick: nothing until painted, then the start sequence once.
    void startTick();
    void runStartSequence();
    void refreshLabel();

    QFont appFont_;
    QColor appFontColor_{255, 255, 255};
    TSetupPage* autoSetup_ = nullptr;
    TSetupPage* autoUnInstall_ = nullptr;
    bool displayMessage_ = true;
    QColor endColor_{0, 0, 0};
    int gradations_ = 100;
    bool maximizeWindow_ = true;
    bool showAppName_ = true;
    QColor startColor_{0, 0, 255};
    QLabel* label_;
    QTimer* startTimer_;
    bool painted_ = false;
};

} // namespace setupkit
