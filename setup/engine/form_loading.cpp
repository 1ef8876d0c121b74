#include "setup/engine/form_loading.h"

#include "setup/engine/setup_error.h"

namespace setupkit {

using form::FormProperty;
using form::FormValue;

void FormLoadContext::reference(std::string componentName,
                                std::function<void(TSetupComponent*)> apply) {
    references_.push_back({std::move(componentName), std::move(apply)});
}

void FormLoadContext::event(std::string handlerName, std::function<void(NotifyEvent)> apply) {
    events_.push_back({std::move(handlerName), std::move(apply)});
}

void FormLoadContext::resolve(const ComponentOwner& owner, const EventHandlers& handlers) {
    for (const Reference& reference : references_) {
        TSetupComponent* target = nullptr;
        if (!reference.name.empty()) {
            target = owner.FindComponent(reference.name);
            if (!target)
                throw ESetupError("Invalid component reference: no component named " +
                                  reference.name);
        }
        reference.apply(target);
    }
    for (const Event& event : events_) {
        auto found = handlers.find(event.name);
        if (found == handlers.end())
            throw ESetupError("Invalid event handler: the form has no method named " + event.name);
        event.apply(found->second);
    }
    references_.clear();
    events_.clear();
}

namespace {

[[noreturn]] void wrongKind(const FormProperty& property, const char* expected) {
    throw ESetupError("Invalid property value for " + property.name + ": expected " + expected);
}

} // namespace

bool formBoolean(const FormProperty& property) {
    switch (property.value.kind) {
    case FormValue::Kind::True:
        return true;
    case FormValue::Kind::False:
        return false;
    default:
        wrongKind(property, "a Boolean");
    }
}

long long formInteger(const FormProperty& property) {
    if (property.value.kind != FormValue::Kind::Integer)
        wrongKind(property, "an integer");
    return property.value.integer;
}

std::string formString(const FormProperty& property) {
    if (property.value.kind != FormValue::Kind::String)
        wrongKind(property, "a string");
    return property.value.text;
}

std::string formIdentifier(const FormProperty& property) {
    if (property.value.kind == FormValue::Kind::Nil)
        return {};
    if (property.value.kind != FormValue::Kind::Identifier)
        wrongKind(property, "an identifier");
    return property.value.text;
}

std::vector<std::string> formSet(const FormProperty& property) {
    if (property.value.kind != FormValue::Kind::Set)
        wrongKind(property, "a set");
    return property.value.names;
}

std::vector<std::string> formStrings(const FormProperty& property) {
    if (property.value.kind != FormValue::Kind::List)
        wrongKind(property, "a list of strings");
    std::vector<std::string> lines;
    for (const FormValue& item : property.value.items) {
        if (item.kind != FormValue::Kind::String)
            wrongKind(property, "a list of strings");
        lines.push_back(item.text);
    }
    return lines;
}

void ComponentFactory::registerClass(std::string className, ComponentCreator creator) {
    creators_[std::move(className)] = std::move(creator);
}

bool ComponentFactory::knows(std::string_view className) const {
    return creators_.find(className) != creators_.end();
}

void ComponentFactory::load(const form::FormComponent& form, ComponentOwner& owner,
                            const EventHandlers& handlers,
                            const std::function<bool(const FormProperty&)>& formProperty) const {
    for (const FormProperty& property : form.properties)
        if (!formProperty || !formProperty(property))
            throw ESetupError("Error reading " + form.name + "." + property.name + ": Property " +
                              property.name + " does not exist");

    owner.SetLoading(true);
    FormLoadContext context;
    std::vector<TSetupComponent*> created;
    std::function<void(const form::FormComponent&)> build = [&](const form::FormComponent& node) {
        auto creator = creators_.find(node.className);
        if (creator == creators_.end())
            throw ESetupError("Class " + node.className + " not found (component " + node.name +
                              ")");
        TSetupComponent* component = creator->second(owner);
        component->SetName(node.name);
        created.push_back(component);
        for (const FormProperty& property : node.properties)
            if (!component->SetProperty(property, context))
                throw ESetupError("Error reading " + node.name + "." + property.name +
                                  ": Property " + property.name + " does not exist");
        for (const form::FormComponent& child : node.children)
            build(child);
    };
    try {
        for (const form::FormComponent& child : form.children)
            build(child);
        context.resolve(owner, handlers);
    } catch (...) {
        owner.SetLoading(false);
        throw;
    }
    owner.SetLoading(false);
    for (TSetupComponent* component : created)
        component->Loaded();
}

} // namespace setupkit
