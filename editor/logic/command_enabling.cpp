#include "command_enabling.h"

namespace lumora::editor {

ContextMenuEnabling contextMenuEnabling(bool selectionEmpty, bool clipboardHasText) {
    ContextMenuEnabling enabling;
    enabling.cut = !selectionEmpty;
    enabling.copy = !selectionEmpty;
    enabling.paste = clipboardHasText;
    return enabling;
}

PreviewEnabling enablingWithPreviewOn() {
    PreviewEnabling enabling;
    enabling.PreviewOff1 = true;
    return enabling;
}

PreviewEnabling enablingWithPreviewOff(bool automaticMode) {
    PreviewEnabling enabling;
    enabling.PreviwOn1 = true;
    enabling.BitBtn1FullAuto = true;
    enabling.Button5 = !automaticMode;
    enabling.SpeedButton1 = !automaticMode;
    enabling.Button6 = !automaticMode;
    enabling.RecentFiles1 = true;
    enabling.New2 = true;
    enabling.Open2 = true;
    enabling.Save2 = true;
    enabling.SaveAs2 = true;
    enabling.Undo1 = true;
    enabling.Utiltes1 = true;
    return enabling;
}

} // namespace lumora::editor
