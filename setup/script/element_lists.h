#pragma once
// The containers of the install script: the owning lists of the root (and of the
// elements that own sub-elements), the reference lists between elements (no duplicates,
// no null, membership in constant time), and name/element pairs for filling list boxes.
// Callers get const references; only the script's own classes change the lists.

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace setupkit {

template <class T> struct NamedElement {
    std::string name;
    T* element = nullptr;
};

template <class T> using NamedElements = std::vector<NamedElement<T>>;

// Owns its elements; iterating yields plain pointers.
template <class T> class OwnedElements {
    using Storage = std::vector<std::unique_ptr<T>>;

public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = T*;

        const_iterator() = default;
        explicit const_iterator(typename Storage::const_iterator it) : it_(it) {}
        T* operator*() const { return it_->get(); }
        const_iterator& operator++() {
            ++it_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++it_;
            return before;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        typename Storage::const_iterator it_{};
    };

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    T* operator[](std::size_t index) const { return items_[index].get(); }
    // nullptr outside the list.
    T* at(std::size_t index) const { return index < items_.size() ? items_[index].get() : nullptr; }
    T* back() const { return items_.empty() ? nullptr : items_.back().get(); }
    // Position of the element, -1 when it is not in the list. Linear.
    int indexOf(const T* element) const {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].get() == element)
                return static_cast<int>(i);
        return -1;
    }
    bool contains(const T* element) const { return indexOf(element) >= 0; }
    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }

    T* append(std::unique_ptr<T> element) {
        items_.push_back(std::move(element));
        return items_.back().get();
    }
    std::unique_ptr<T> take(std::size_t index) {
        std::unique_ptr<T> taken = std::move(items_[index]);
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
        return taken;
    }
    // Moves out, in one pass, the elements whose positions the predicate picks.
    template <class PicksPosition> std::vector<std::unique_ptr<T>> extractIf(PicksPosition picks) {
        std::vector<std::unique_ptr<T>> taken;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (picks(i))
                taken.push_back(std::move(items_[i]));
            else
                items_[kept++] = std::move(items_[i]);
        }
        items_.resize(kept);
        return taken;
    }
    void clear() { items_.clear(); }

private:
    Storage items_;
};

// Non-owning references in order, each at most once and never null.
template <class T> class RefList {
public:
    using const_iterator = typename std::vector<T*>::const_iterator;

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    T* operator[](std::size_t index) const { return items_[index]; }
    bool contains(const T* element) const { return members_.contains(element); }
    int indexOf(const T* element) const {
        if (!contains(element))
            return -1;
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i] == element)
                return static_cast<int>(i);
        return -1;
    }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }
    const std::vector<T*>& items() const { return items_; }

    // False for null or an element already in the list.
    bool add(T* element) {
        if (element == nullptr || !members_.insert(element).second)
            return false;
        items_.push_back(element);
        return true;
    }
    bool remove(const T* element) {
        if (members_.erase(element) == 0)
            return false;
        std::erase(items_, element);
        return true;
    }
    // Removes every element the predicate picks, in one pass.
    template <class Predicate> std::size_t removeIf(Predicate picks) {
        const std::size_t removed = std::erase_if(items_, [&](T* element) {
            if (!picks(element))
                return false;
            members_.erase(element);
            return true;
        });
        return removed;
    }
    void clear() {
        items_.clear();
        members_.clear();
    }

private:
    std::vector<T*> items_;
    std::unordered_set<const T*> members_;
};

} // namespace setupkit
