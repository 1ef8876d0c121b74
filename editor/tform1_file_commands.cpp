// The document's file commands: New, Open, Save, Save As, Exit and the save prompt.

#include "tform1.h"

#include "editor/clickable_label.h"
#include "editor/logic/page_file.h"
#include "editor/page_editor.h"
#include "editor/track_bar.h"
#include "platform/regular_file_read.h"

#include <QLabel>
#include <QListWidget>

#include <algorithm>

namespace lumora::editor {

void TForm1::LoadPage(const std::string& path) {
    // Read before touching anything: a page that cannot be read leaves the
    // editor, the file name and the modified flag as they were.
    text::DecodedPage page = loadPageFile(path);
    DocFileName = path;
    pageEncoding_ = page.encoding;
    RichEdit->setLines(std::move(page.lines));
    Modified = false;
}

bool TForm1::ConfirmSaveChanges() {
    const Answer answer = interaction_.ask("The document " + DocFileName + " has changed." +
                                               "\r\r" + "Do you want to save the changes?",
                                           QuestionButtons::YesNoCancel);
    if (answer == Answer::Yes)
        return SaveDocument();
    return answer == Answer::No;
}

void TForm1::writePage(const std::string& path) {
    pageEncoding_ = savePageFile(path, RichEdit->lines(), pageEncoding_);
}

bool TForm1::SaveDocument() {
    if (DocFileName.empty())
        return SaveDocumentAs();
    try {
        writePage(DocFileName);
    } catch (const platform::FileError&) {
        interaction_.showError("Cannot create file " + DocFileName);
        return false;
    }
    Modified = false;
    return true;
}

bool TForm1::SaveDocumentAs() {
    FileDialogRequest request{kFileFilter, DocFileName, true};
    const auto path = interaction_.chooseSaveFile(request);
    if (!path)
        return false;
    try {
        writePage(*path);
    } catch (const platform::FileError&) {
        interaction_.showError("Cannot create file " + *path);
        return false;
    }
    DocFileName = *path;
    Modified = false;
    return true;
}

void TForm1::New2Click() {
    DocFileName.clear();
    RichEdit->setLines({});
    pageEncoding_ = text::PageEncoding::Utf8;
    // Emptying the editor is a change like any other.
    Modified = true;
}

void TForm1::Open2Click() {
    if (Modified && !ConfirmSaveChanges())
        return;
    const auto path = interaction_.chooseOpenFile({kFileFilter, "", false});
    if (!path)
        return;
    ListBox3->clear();
    ListBox4->clear();
    setReport("Ready for new job.");
    UpdateOldies(*path);
    try {
        LoadPage(*path);
    } catch (const platform::NotRegularFile&) {
        interaction_.showError(notRegularFileText(*path));
        return;
    } catch (const NotAPageError& refused) {
        interaction_.showError("Cannot open file " + std::string(refused.what()));
        return;
    } catch (const platform::FileError&) {
        interaction_.showError("Cannot open file " + *path);
        return;
    }
    setWindowTitle(QString::fromStdString("LUMORA - " + *path));
    const long length = static_cast<long>(text::pageLength(RichEdit->lines()));
    setSensitivity(static_cast<int>(std::min<long>(length / 750, 25)));
    TrackBar1->setSelection(static_cast<int>(length / 1000), static_cast<int>(length / 500));
}

void TForm1::setSensitivity(int position) {
    TrackBar1->setValue(position);
    Label2->setText(QStringLiteral("Sensitivity %1").arg(TrackBar1->value()));
}

void TForm1::Save2Click() {
    if (Modified)
        SaveDocument();
}

void TForm1::SaveAs2Click() {
    const auto path = interaction_.chooseSaveFile({kFileFilter, "", true});
    if (!path)
        return;
    try {
        savePageFile(*path, RichEdit->lines(), pageEncoding_);
    } catch (const platform::FileError&) {
        interaction_.showError("Cannot create file " + *path);
    }
}

void TForm1::Exit2Click() {
    if (interaction_.ask("Are you sure you want to exit?", QuestionButtons::YesNo) == Answer::Yes)
        close();
}

} // namespace lumora::editor
