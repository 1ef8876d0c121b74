#pragma once
// The kit's own message box as data: what it shows (title, memo, buttons in their
// order) and where everything goes. Toolkit-free, so every rule can be checked
// without a screen; the dialog and the scripted interaction both use it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace setupkit {

// One button of the box, in placement order.
struct MessageBoxButton {
    std::string name;    // "B1", "B2", ...
    unsigned member = 0; // mbYes, mbNo, ...
    std::string caption; // catalogue text, with its accelerator ampersand
    int result = 0;      // what pressing it returns; mrNone for Help, which does not close
};

struct SetupMessageBox {
    int kind = 0;      // mtWarning ... mtConfirmation, or another value (no title, no icon)
    std::string title; // empty for a kind without a title
    std::string text;  // the message as asked
    std::vector<MessageBoxButton> buttons;

    // The memo's text: the message with one empty line above and below it.
    std::string memoText() const { return "\r\n" + text + "\r\n"; }
};

// Members of `buttons` in placement order (Yes, No, OK, Cancel, Abort, Retry, All,
// Ignore, Help); an empty set - or one with no known member - is OK alone.
std::vector<unsigned> orderedButtonMembers(unsigned buttons);

// Result returned by pressing a member's button (mrNone for Help).
int resultOfButton(unsigned member);

// Catalogue index of a member's caption, and of a kind's title (-1: none).
int captionTextOf(unsigned member);
int titleTextOf(int kind);

// Lines of a memo text: a line ends at CR LF, CR or LF, and a final break starts
// one more (empty) line, as an edit control shows it.
std::vector<std::string> memoLines(std::string_view text);

// What the layout needs to know about the screen and the box's font.
struct MessageBoxMetrics {
    int screenWidth = 0; // for centring
    int screenHeight = 0;
    int fullScreenClientWidth = 0; // client area of a full-screen window: the caps
    int fullScreenClientHeight = 0;
    int borderWidth = 0; // the system's window border
    int borderHeight = 0;
    int captionHeight = 0;
    int textHeight = 0;                             // height of "X" in the box's font
    std::function<int(std::string_view)> textWidth; // width of one line in the box's font
    int memoMarginWidth = 0;  // what the memo keeps beside its text, both sides together
    int memoMarginHeight = 0; // and above and below it

    // A screen of 1024 by 768 and a font of 7 pixels per character, 15 high: a
    // predictable stand-in for tests and the scripted interaction.
    static MessageBoxMetrics fixedPitch();
};

inline constexpr int MessageBoxPanelHeight = 38;
inline constexpr int MessageBoxIconWidth = 52;
inline constexpr int MessageBoxButtonTop = 5;
inline constexpr int MessageBoxButtonWidth = 90;
inline constexpr int MessageBoxButtonHeight = 25;
inline constexpr int MessageBoxButtonPitch = 98;

struct MessageBoxGeometry {
    int memoTextWidth = 0;  // w: widest memo line, widened for the buttons, capped
    int memoTextHeight = 0; // h: memo lines times the line height, capped
    int width = 0;          // the whole window, frame included
    int height = 0;
    int clientWidth = 0; // inside the frame: the panel's width
    int clientHeight = 0;
    int left = 0; // centred on the screen
    int top = 0;
    std::vector<int> buttonLefts; // on the panel, in placement order

    bool operator==(const MessageBoxGeometry&) const = default;
};

// Sizes and places the box for its memo text and number of buttons.
MessageBoxGeometry layoutSetupMessageBox(std::string_view memoText, int buttonCount,
                                         const MessageBoxMetrics& metrics);

} // namespace setupkit
