// The tag chain after the scan: title finder, description finder, tag builder.

#include "tform1.h"

namespace lumora::editor {

// The title and description finder and the tag builder are not built yet: the
// scan's chain reaches these handlers and they leave the page as it is.
void TForm1::SpeedButton1Click() {}
void TForm1::SpeedButton2Click() {}
void TForm1::Button6Click() {}

} // namespace lumora::editor
