#pragma once
// The three answers to the Yes / No / Cancel questions of the tag commands.

namespace lumora::tags {

enum class Answer { Yes, No, Cancel };

} // namespace lumora::tags
