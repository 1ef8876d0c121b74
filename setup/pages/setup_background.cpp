#include "setup/pages/setup_background.h"

#include "setup/engine/exit_status.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/kit_font.h"
#include "setup/engine/qt_setup_interaction.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_interaction.h"
#include "setup/engine/setup_message_dlg.h"
#include "setup/engine/setup_page.h"
#include "setup/pages/form_font.h"
#include "setup/pages/gradient_bands.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace setupkit {

namespace {
RgbColor rgb(const QColor& color) {
    return {color.red(), color.green(), color.blue()};
}
} // namespace

TSetupBackground::TSetupBackground(ComponentOwner* owner, QWidget* parent)
    : QWidget(parent), TSetupComponent(owner), appFont_(kitFont("Arial")) {
    setObjectName(QStringLiteral("SetupBackground"));
    appFont_.setPointSize(20);
    appFont_.setBold(true);
    appFont_.setItalic(true);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lblAppName"));
    label_->setAttribute(Qt::WA_TranslucentBackground);
    refreshLabel();
    startTimer_ = new QTimer(this);
    startTimer_->setInterval(100);
    connect(startTimer_, &QTimer::timeout, this, &TSetupBackground::startTick);
    startTimer_->start();
}

TSetupBackground::~TSetupBackground() {
    // Announced while the widget is still whole, so the controller sees its class.
    leaveOwner();
}

bool TSetupBackground::InheritsFrom(std::string_view className) const {
    return className == "TSetupBackground" || TSetupComponent::InheritsFrom(className);
}

void TSetupBackground::refreshLabel() {
    label_->setFont(appFont_);
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, appFontColor_);
    label_->setPalette(palette);
    label_->setText(SetupInfo() ? QString::fromStdString(AppName()) : QStringLiteral("(none)"));
    label_->move(10, 10);
    label_->adjustSize();
    label_->setVisible(showAppName_);
}

void TSetupBackground::SetAppFont(const QFont& font, const QColor& color) {
    appFont_ = font;
    appFontColor_ = color;
    refreshLabel();
}

void TSetupBackground::SetBackgroundAppName(const std::string& name) {
    if (!SetupInfo())
        return;
    SetAppName(name);
    refreshLabel();
    update();
}

void TSetupBackground::SetEndColor(const QColor& color) {
    endColor_ = color;
    update();
}

void TSetupBackground::SetStartColor(const QColor& color) {
    startColor_ = color;
    update();
}

void TSetupBackground::SetGradations(int gradations) {
    if (gradations <= 0) {
        const std::string text = "Gradations cannot be less than 1";
        if (SetupInfo()) {
            SetupInfo()->Services().interaction->showStandardMessage(text, mtInformation, mbOK);
        } else {
            QtSetupInteraction interaction(this);
            interaction.showStandardMessage(text, mtInformation, mbOK);
        }
    } else {
        gradations_ = gradations;
    }
    update();
}

void TSetupBackground::SetShowAppName(bool value) {
    showAppName_ = value;
    refreshLabel();
}

void TSetupBackground::paintEvent(QPaintEvent*) {
    painted_ = true;
    QPainter painter(this);
    for (const GradientBand& band :
         gradientBands(rgb(startColor_), rgb(endColor_), gradations_, height())) {
        if (band.bottom > band.top)
            painter.fillRect(0, band.top, width(), band.bottom - band.top,
                             QColor(band.color.red, band.color.green, band.color.blue));
    }
}

void TSetupBackground::startTick() {
    if (!painted_ || !startTimer_)
        return;
    // Freed before the page runs, so the sequence runs exactly once.
    startTimer_->stop();
    startTimer_->deleteLater();
    startTimer_ = nullptr;
    runStartSequence();
}

void TSetupBackground::runStartSequence() {
    TSetupInfo* info = SetupInfo();
    const bool unInstall = info && info->AttemptUnInstall();
    TSetupPage* page = unInstall ? autoUnInstall_ : autoSetup_;
    if (!page)
        return;
    int result = psWaiting;
    try {
        result = page->Execute();
    } catch (const std::exception& error) {
        // A failed page still ends the run, after its error has been shown.
        if (info)
            info->Services().interaction->showStandardMessage(error.what(), mtError, mbOK);
        result = psCancelled;
    }
    if (info) {
        int text = -1;
        if (result == psDone)
            text = unInstall ? 4 : 2;
        else if (result == psCancelled)
            text = unInstall ? 5 : 3;
        if (text >= 0)
            SetupMessageDlg(info->Catalogue(), info->GetText(text), mtInformation, mbOK);
    }
    const int status = info ? info->ExitStatusFor(result) : kExitFailed;
    if (info && info->Services().quit)
        info->Services().quit(status);
    else
        QCoreApplication::exit(status);
}

void TSetupBackground::Notification(TSetupComponent* component, Operation operation) {
    TSetupComponent::Notification(component, operation);
    if (component == this)
        return;
    if (component->InheritsFrom("TSetupInfo"))
        refreshLabel();
    if (operation == Operation::opRemove) {
        if (component == autoSetup_)
            autoSetup_ = nullptr;
        if (component == autoUnInstall_)
            autoUnInstall_ = nullptr;
    }
}

void TSetupBackground::Loaded() {
    TSetupComponent::Loaded();
    if (maximizeWindow_ && parentWidget() && parentWidget()->isWindow())
        parentWidget()->setWindowState(parentWidget()->windowState() | Qt::WindowMaximized);
    refreshLabel();
}

bool TSetupBackground::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    auto pageReference = [&](TSetupPage** slot) {
        context.reference(formIdentifier(property), [this, slot, name](TSetupComponent* target) {
            if (target && !target->InheritsFrom("TSetupPage"))
                throw ESetupError("Invalid property value for " + Name() + "." + name + ": " +
                                  target->Name() + " is not a page");
            *slot = static_cast<TSetupPage*>(target);
        });
    };
    if (name == "AutoSetup") {
        pageReference(&autoSetup_);
    } else if (name == "AutoUnInstall") {
        pageReference(&autoUnInstall_);
    } else if (name == "DisplayMessage") {
        displayMessage_ = formBoolean(property);
    } else if (name == "StartColor") {
        startColor_ = formColor(property);
    } else if (name == "EndColor") {
        endColor_ = formColor(property);
    } else if (name == "Gradations") {
        const long long value = formInteger(property);
        if (value < 1)
            throw ESetupError("Invalid property value for Gradations: " + std::to_string(value));
        gradations_ = static_cast<int>(value);
    } else if (name == "MaximizeWindow") {
        maximizeWindow_ = formBoolean(property);
    } else if (name == "ShowAppName") {
        showAppName_ = formBoolean(property);
    } else if (applyFontProperty("AppFont", property, appFont_, appFontColor_)) {
        refreshLabel();
    } else if (name == "Left" || name == "Top" || name == "Width" || name == "Height" ||
               name == "Align" || name == "TabOrder" || name == "BevelOuter" ||
               name == "BevelInner" || name == "Caption") {
        // Placement: the panel always fills its form.
    } else {
        return TSetupComponent::SetProperty(property, context);
    }
    return true;
}

} // namespace setupkit
