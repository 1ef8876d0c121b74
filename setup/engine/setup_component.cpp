#include "setup/engine/setup_component.h"

#include "setup/engine/form_loading.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"

#include <algorithm>

namespace setupkit {

ComponentOwner::~ComponentOwner() {
    // Last created first, each announcing its removal to those still there.
    while (!owned_.empty()) {
        std::unique_ptr<TSetupComponent> last = std::move(owned_.back());
        owned_.pop_back();
        // Announced while the component is still whole, so listeners see its class.
        RemoveComponent(last.get());
        last.reset();
    }
    // Widgets outlive the owner's bookkeeping; they must not call back into it.
    for (TSetupComponent* component : components_)
        component->owner_ = nullptr;
}

TSetupComponent* ComponentOwner::FindComponent(std::string_view name) const {
    for (TSetupComponent* component : components_)
        if (component->Name() == name)
            return component;
    return nullptr;
}

void ComponentOwner::InsertComponent(TSetupComponent* component) {
    components_.push_back(component);
    notifyAll(component, Operation::opInsert);
}

void ComponentOwner::RemoveComponent(TSetupComponent* component) {
    auto found = std::find(components_.begin(), components_.end(), component);
    if (found == components_.end())
        return;
    components_.erase(found);
    notifyAll(component, Operation::opRemove);
}

void ComponentOwner::FreeComponent(TSetupComponent* component) {
    auto found = std::find_if(owned_.begin(), owned_.end(),
                              [&](const auto& owned) { return owned.get() == component; });
    if (found == owned_.end())
        return;
    std::unique_ptr<TSetupComponent> freed = std::move(*found);
    owned_.erase(found);
    RemoveComponent(freed.get());
    freed.reset();
}

void ComponentOwner::notifyAll(TSetupComponent* component, Operation operation) {
    // A notification may add or remove components: walk a copy.
    const std::vector<TSetupComponent*> listeners = components_;
    for (TSetupComponent* listener : listeners)
        if (std::find(components_.begin(), components_.end(), listener) != components_.end())
            listener->Notification(component, operation);
}

TSetupComponent::TSetupComponent(ComponentOwner* owner) : owner_(owner) {
    if (!owner || !owner->IsForm())
        throw ESetupError("Only a TForm can own a TSetup component.");
}

TSetupComponent::~TSetupComponent() {
    leaveOwner();
}

void TSetupComponent::leaveOwner() {
    if (owner_)
        owner_->RemoveComponent(this);
}

bool TSetupComponent::InheritsFrom(std::string_view className) const {
    return className == "TSetupComponent";
}

std::string TSetupComponent::AppName() const {
    const TSetupData* script = Script();
    return script ? script->AppName() : std::string();
}

void TSetupComponent::SetAppName(const std::string& name) {
    if (TSetupData* script = Script())
        script->SetAppName(name);
}

void TSetupComponent::SetSetupInfo(TSetupComponent* info) {
    if (info && !info->InheritsFrom("TSetupInfo")) {
        if (owner_ && owner_->Loading())
            return;
        throw ESetupError("SetupInfo can only accept components of type TSetupInfo.");
    }
    setupInfo_ = static_cast<TSetupInfo*>(info);
}

TSetupData* TSetupComponent::Script() const {
    return setupInfo_ ? &setupInfo_->SetupData() : nullptr;
}

int TSetupComponent::Execute() {
    if (!setupInfo_)
        throw ESetupError(Name() + " cannot find the TSetupInfo component.");
    if (OnExecute)
        OnExecute(this);
    return 0;
}

void TSetupComponent::Notification(TSetupComponent* component, Operation operation) {
    if (component == this || !component->InheritsFrom("TSetupInfo"))
        return;
    if (operation == Operation::opInsert)
        linkSetupInfo(static_cast<TSetupInfo*>(component));
    else if (component == setupInfo_)
        linkSetupInfo(nullptr);
}

bool TSetupComponent::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    if (property.name == "SetupInfo") {
        context.reference(formIdentifier(property),
                          [this](TSetupComponent* target) { SetSetupInfo(target); });
        return true;
    }
    if (property.name == "OnExecute") {
        context.event(formIdentifier(property),
                      [this](NotifyEvent handler) { OnExecute = std::move(handler); });
        return true;
    }
    return false;
}

} // namespace setupkit
