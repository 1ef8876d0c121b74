#pragma once
// Kinds, button sets and results of the installer's message boxes, shared by the
// kit's own box, the standard boxes and every implementation of the interaction seam.

namespace setupkit {

// Message kinds; any other value is accepted and shows neither title nor icon.
inline constexpr int mtWarning = 0;
inline constexpr int mtError = 1;
inline constexpr int mtInformation = 2;
inline constexpr int mtConfirmation = 3;

// Members of a button set.
inline constexpr unsigned mbYes = 1;
inline constexpr unsigned mbNo = 2;
inline constexpr unsigned mbOK = 4;
inline constexpr unsigned mbCancel = 8;
inline constexpr unsigned mbAbort = 16;
inline constexpr unsigned mbRetry = 32;
inline constexpr unsigned mbIgnore = 64;
inline constexpr unsigned mbAll = 128;
inline constexpr unsigned mbHelp = 256;

// Results of a modal box: the button pressed (mrNone when the box closed otherwise).
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
inline constexpr int mrAll = 8;

} // namespace setupkit
