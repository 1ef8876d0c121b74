#pragma once
// The base of every installer component, and the form that owns them. Components
// are told when another component joins or leaves their form (Notification), which
// is how they link to the one controller and drop references to pages that go.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace setupkit {

namespace form {
struct FormProperty;
}

class TSetupComponent;
class TSetupData;
class TSetupInfo;
class FormLoadContext;

using NotifyEvent = std::function<void(TSetupComponent* sender)>;

enum class Operation { opInsert, opRemove };

// What owns the components: the installer's form. Components that are not widgets are
// owned here and freed with it, last created first; widgets are owned by their parent
// widget and only registered.
class ComponentOwner {
public:
    explicit ComponentOwner(bool isForm = true) : isForm_(isForm) {}
    virtual ~ComponentOwner();
    ComponentOwner(const ComponentOwner&) = delete;
    ComponentOwner& operator=(const ComponentOwner&) = delete;

    bool IsForm() const { return isForm_; }
    // Set while the form's properties are being read.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    const std::vector<TSetupComponent*>& Components() const { return components_; }
    TSetupComponent* FindComponent(std::string_view name) const;

    // Creates a component owned here and announces it to every component of the form.
    template <class T, class... Args> T* Create(Args&&... args) {
        auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
        T* raw = component.get();
        owned_.push_back(std::move(component));
        InsertComponent(raw);
        return raw;
    }
    // Registers a component owned elsewhere (a widget) and announces it.
    void InsertComponent(TSetupComponent* component);
    // Unregisters and announces the removal; called by the component's destructor.
    void RemoveComponent(TSetupComponent* component);
    // Frees an owned component (announcing its removal).
    void FreeComponent(TSetupComponent* component);

private:
    void notifyAll(TSetupComponent* component, Operation operation);

    bool isForm_;
    bool loading_ = false;
    std::vector<TSetupComponent*> components_;
    std::vector<std::unique_ptr<TSetupComponent>> owned_;
};

class TSetupComponent {
public:
    // Throws ESetupError "Only a TForm can own a TSetup component." unless the owner
    // is a form. The owner announces the component once it is fully built.
    explicit TSetupComponent(ComponentOwner* owner);
    virtual ~TSetupComponent();
    TSetupComponent(const TSetupComponent&) = delete;
    TSetupComponent& operator=(const TSetupComponent&) = delete;

    virtual std::string_view ClassName() const { return "TSetupComponent"; }
    // Whether this component is of the named class or derives from it.
    virtual bool InheritsFrom(std::string_view className) const;

    ComponentOwner* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    virtual void SetName(std::string name) { name_ = std::move(name); }

    // The application name of the linked controller's script; empty without one.
    std::string AppName() const;
    void SetAppName(const std::string& name);

    TSetupInfo* SetupInfo() const { return setupInfo_; }
    // Accepts none or a TSetupInfo; anything else raises ESetupError "SetupInfo can
    // only accept components of type TSetupInfo.". While the form loads, the value
    // is taken as it is.
    void SetSetupInfo(TSetupComponent* info);
    // The linked controller's script, or none.
    TSetupData* Script() const;

    NotifyEvent OnExecute;

    // Raises ESetupError "<Name> cannot find the TSetupInfo component." without a
    // controller; otherwise fires OnExecute and returns 0.
    virtual int Execute();

    // Another component joined or left the form (also this one, on joining).
    virtual void Notification(TSetupComponent* component, Operation operation);
    // All properties of the form have been read and references resolved.
    virtual void Loaded() {}

    // Takes one stored property of the form resource; false when the class has no
    // property of that name. References and event names go to `context`, which
    // resolves them after the whole form has been read.
    virtual bool SetProperty(const form::FormProperty& property, FormLoadContext& context);

    // The controller hands its language to a language page that joins the form
    // without a controller of its own; other components ignore it.
    virtual void TakeDefaultLanguage(const std::string& language) { (void)language; }

protected:
    // Leaves the form, announcing the removal. A widget component calls it first in
    // its destructor, while the rest of it is still there; owned components are
    // announced by the owner before they are freed.
    void leaveOwner();
    // Links to the controller (none clears the link); used by the notifications.
    void linkSetupInfo(TSetupInfo* info) { setupInfo_ = info; }

private:
    friend class ComponentOwner;
    friend class TSetupInfo;

    ComponentOwner* owner_;
    std::string name_;
    TSetupInfo* setupInfo_ = nullptr;
};

} // namespace setupkit
