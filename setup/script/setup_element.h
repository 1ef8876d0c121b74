#pragma once
// Common base of the install script's elements: the back-reference to the root that owns
// or adopted the element, and the bookkeeping that keeps references valid. The root
// knows every element attached to it; when elements are freed, every other attached
// element drops its references to them first, so no link is ever left dangling.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace setupkit {

class TSetupData;
class TSetupElement;

// Receives the message of an error met while copying an element (the installer shows
// it in its message box). The copy goes on after it returns.
using SetupErrorReporter = std::function<void(const std::string& message)>;

using ElementSet = std::unordered_set<TSetupElement*>;
// Sub-elements let go while references are dropped; freed once the drop is complete.
using ReleasedElements = std::vector<std::unique_ptr<TSetupElement>>;

namespace detail {
class ScriptReader;
} // namespace detail

class TSetupElement {
public:
    TSetupElement(const TSetupElement&) = delete;
    TSetupElement& operator=(const TSetupElement&) = delete;
    virtual ~TSetupElement();

    TSetupData* Script() const { return script_; }

    // Attaches the element and everything it owns to a root (nullptr detaches). Meant
    // for elements the caller owns, such as a selection kept outside the root's lists;
    // the root adopts its own elements itself. References the element already holds
    // must point into the new root.
    virtual void SetScript(TSetupData* script);

protected:
    TSetupElement() = default;

    // Detaches from the root, letting every other element drop its references to this
    // one and to what it owns. Destructors of classes that own sub-elements or hold
    // references call it first, while the whole object is still intact.
    void leaveScript();

    // Runs one part of an Assign; an error it raises goes to the root's error reporter
    // with the class's prefix, and the copy goes on.
    template <class Step> void guardedAssign(std::string_view prefix, Step&& step) {
        try {
            step();
        } catch (const std::exception& error) {
            reportError(std::string(prefix) + error.what());
        }
    }
    void reportError(const std::string& message) const;

    // This element and every sub-element it owns.
    virtual void collectOwned(ElementSet& into) { into.insert(this); }
    static void collectOwnedOf(TSetupElement& element, ElementSet& into) {
        element.collectOwned(into);
    }
    // Whether other elements can hold references to elements of this class; freeing
    // only elements that cannot be referenced needs no search for references.
    virtual bool canBeReferenced() const { return false; }
    // Forgets every reference to an element of `gone`; owned sub-elements that lose
    // their purpose go to `released`.
    virtual void dropReferences(const ElementSet& gone, ReleasedElements& released) {
        (void)gone;
        (void)released;
    }

private:
    friend class TSetupData;

    TSetupData* script_ = nullptr;
};

} // namespace setupkit
