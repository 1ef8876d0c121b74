#pragma once
// The kit's own message box as a Qt dialog: built at run time from a SetupMessageBox,
// sized and placed by layoutSetupMessageBox, closed by any button but Help.

#include "setup/engine/setup_message_box.h"

#include <QDialog>

class QScreen;

namespace setupkit {

class SetupMessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetupMessageDialog(const SetupMessageBox& box, QWidget* parent = nullptr);

    const MessageBoxGeometry& geometryRule() const { return geometry_; }

    // The box's font: "Arial", 9 points, bold.
    static QFont boxFont();
    // Screen and font measures for the layout, taken from `screen` (the primary one when null).
    static MessageBoxMetrics metricsFor(const QFont& font, QScreen* screen);

signals:
    // Help was pressed; the box stays open.
    void helpRequested();

public slots:
    void reject() override;

private:
    MessageBoxGeometry geometry_;
    int escapeResult_ = 0; // result of the button Escape presses, 0: Escape does nothing
};

} // namespace setupkit
