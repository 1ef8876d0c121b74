// The layout check itself: what it must report and what it must let pass.
#include "layout_check.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace lumora::testing {
namespace {

QWidget* placed(QWidget* widget, int width, int height) {
    widget->setGeometry(0, 0, width, height);
    return widget;
}

TEST(LayoutCheck, ReportsCutTextsAndNeedlessScrollBarsByName) {
    const QString text = QStringLiteral("Include Description");
    const struct {
        const char* name;
        std::function<QWidget*(QWidget&)> build; // makes the widget that shows the text
        bool clipped;
    } cases[] = {
        {"wide label", [&](QWidget& w) { return placed(new QLabel(text, &w), 300, 20); }, false},
        {"narrow label", [&](QWidget& w) { return placed(new QLabel(text, &w), 30, 20); }, true},
        {"check box cut by its parent",
         [&](QWidget& w) {
             auto* parent = new QWidget(&w);
             parent->setGeometry(0, 0, 60, 40);
             auto* box = new QCheckBox(text, parent);
             box->adjustSize();
             return box;
         },
         true},
        {"narrow button", [&](QWidget& w) { return placed(new QPushButton(text, &w), 40, 30); },
         true},
        {"wide button", [&](QWidget& w) { return placed(new QPushButton(text, &w), 300, 30); },
         false},
        {"scroll bar on one line",
         [&](QWidget& w) {
             auto* memo = new QPlainTextEdit(text, &w);
             memo->setReadOnly(true);
             memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
             return placed(memo, 300, 80);
         },
         true},
        {"memo that fits",
         [&](QWidget& w) {
             auto* memo = new QPlainTextEdit(text, &w);
             memo->setReadOnly(true);
             return placed(memo, 300, 80);
         },
         false},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.resize(320, 100);
        c.build(window)->setObjectName(QString::fromLatin1(c.name));
        window.show();
        QApplication::processEvents(); // the scroll bars settle
        const auto clipped = clippedTexts(&window);
        EXPECT_EQ(!clipped.empty(), c.clipped) << c.name << "\n" << describe(clipped);
        if (!clipped.empty()) {
            EXPECT_EQ(clipped.front().widget.toStdString(), c.name);
        }
    }
}

} // namespace
} // namespace lumora::testing
