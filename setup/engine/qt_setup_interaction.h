#pragma once
// The interaction seam with real Qt dialogs: the kit's own box and the standard boxes.

#include "setup/engine/setup_interaction.h"

class QWidget;

namespace setupkit {

class QtSetupInteraction : public SetupInteraction {
public:
    // Boxes are centred on the screen of `parent` (or the primary screen).
    explicit QtSetupInteraction(QWidget* parent = nullptr) : parent_(parent) {}

    int showSetupMessage(const SetupMessageBox& box) override;
    int showStandardMessage(std::string_view text, int kind, unsigned buttons) override;
    void showTextViewer(std::string_view title, std::string_view text) override;

private:
    QWidget* parent_;
};

} // namespace setupkit
