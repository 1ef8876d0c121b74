#pragma once
// Building the installer's components from a form resource's component tree: classes
// are created by name, stored properties set by name, and component references and
// event-handler names resolved once the whole form has been read; then every
// component gets its load notification (the controller's start sequence).

#include "setup/engine/setup_component.h"
#include "setup/form/form_component.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace setupkit {

// The form's event handlers by the names the form resource gives them
// ("suGroupsNextPage").
using EventHandlers = std::map<std::string, NotifyEvent, std::less<>>;

// References and event names met while reading, resolved after the last component.
class FormLoadContext {
public:
    // `apply` receives the component named `componentName` (none for an empty name).
    void reference(std::string componentName, std::function<void(TSetupComponent*)> apply);
    // `apply` receives the handler named `handlerName`.
    void event(std::string handlerName, std::function<void(NotifyEvent)> apply);

    // Throws ESetupError naming a component or handler that does not exist.
    void resolve(const ComponentOwner& owner, const EventHandlers& handlers);

private:
    struct Reference {
        std::string name;
        std::function<void(TSetupComponent*)> apply;
    };
    struct Event {
        std::string name;
        std::function<void(NotifyEvent)> apply;
    };
    std::vector<Reference> references_;
    std::vector<Event> events_;
};

// Typed access to stored values; a value of another kind raises ESetupError naming
// the property.
bool formBoolean(const form::FormProperty& property);
long long formInteger(const form::FormProperty& property);
std::string formString(const form::FormProperty& property);
// An identifier (enumeration value, reference or handler name).
std::string formIdentifier(const form::FormProperty& property);
std::vector<std::string> formSet(const form::FormProperty& property);
// A string list: the strings of a list value.
std::vector<std::string> formStrings(const form::FormProperty& property);

// Creates the components of one class. Widget classes capture their parent widget.
using ComponentCreator = std::function<TSetupComponent*(ComponentOwner& owner)>;

class ComponentFactory {
public:
    void registerClass(std::string className, ComponentCreator creator);
    bool knows(std::string_view className) const;

    // Builds every component below `form` (children at any depth; the form's own
    // properties go to `formProperty`, which answers false for an unknown one), sets
    // their properties, resolves references and handlers, then sends each component
    // its load notification in the order read. Unknown classes and properties raise
    // ESetupError naming them.
    void load(const form::FormComponent& form, ComponentOwner& owner, const EventHandlers& handlers,
              const std::function<bool(const form::FormProperty&)>& formProperty) const;

private:
    std::map<std::string, ComponentCreator, std::less<>> creators_;
};

} // namespace setupkit
