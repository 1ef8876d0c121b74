#pragma once
// The editor's undo is single-level: Undo takes back the last change, and Undo right
// after an Undo puts that change back. On top of an editor that keeps a longer history
// this is a toggle between stepping back and stepping forward once. A command that
// rewrites the page must reach the editor as one change.

namespace lumora::editor {

class UndoToggle {
public:
    enum class Step { Undo, Redo };

    // What an Undo (or Redo) request does now; the next request does the other.
    Step nextStep() {
        const Step step = undoneLast_ ? Step::Redo : Step::Undo;
        undoneLast_ = !undoneLast_;
        return step;
    }

    // Any change of the text other than the undo step itself: the next request undoes
    // this change.
    void textChanged() { undoneLast_ = false; }

private:
    bool undoneLast_ = false;
};

} // namespace lumora::editor
