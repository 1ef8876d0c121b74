#pragma once
// Which commands the window offers: the editor's context menu, and the document
// commands while the preview covers the editor or not.

namespace lumora::editor {

struct ContextMenuEnabling {
    bool undo = true;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool selectAll = true;
    bool operator==(const ContextMenuEnabling&) const = default;
};

// Cut and Copy need a selection, Paste needs text on the clipboard; Undo and Select
// All are always offered.
ContextMenuEnabling contextMenuEnabling(bool selectionEmpty, bool clipboardHasText);

// Every control that the preview switch enables or disables, by its name.
struct PreviewEnabling {
    bool PreviwOn1 = false;
    bool PreviewOff1 = false;
    bool BitBtn1FullAuto = false;
    bool Button5 = false;
    bool SpeedButton1 = false;
    bool Button6 = false;
    bool RecentFiles1 = false;
    bool New2 = false;
    bool Open2 = false;
    bool Save2 = false;
    bool SaveAs2 = false;
    bool Undo1 = false;    // the whole "Undo" menu
    bool Utiltes1 = false; // the whole "Utilities" menu
    bool operator==(const PreviewEnabling&) const = default;
};

// While the preview is shown nothing may read or change the page; only Preview Off is
// offered.
PreviewEnabling enablingWithPreviewOn();

// With the editor uncovered everything comes back, except that in automatic mode the
// manual steps (Make Keywords, Title - Description, Build MetaTags) stay unavailable.
PreviewEnabling enablingWithPreviewOff(bool automaticMode);

} // namespace lumora::editor
