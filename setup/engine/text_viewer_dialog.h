#pragma once
// The installer's read-only text viewer: shows a file (the read-me) in a window of
// its own until the user closes it, where the original ran a system text editor.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace setupkit {

class TextViewerDialog : public QDialog {
    Q_OBJECT
public:
    // `bytes` are the file's contents: UTF-8 when valid, otherwise Windows-1252.
    TextViewerDialog(const QString& title, const QByteArray& bytes, QWidget* parent = nullptr);

    QPlainTextEdit* text() const { return text_; }
    QPushButton* closeButton() const { return close_; }

private:
    QPlainTextEdit* text_;
    QPushButton* close_;
};

// The text of a file's bytes as the viewer shows it.
QString decodeViewerText(const QByteArray& bytes);

} // namespace setupkit
