#include "services/lists.h"

namespace pellwise {

namespace {

bool InRange(int index, size_t count) { return index >= 0 && static_cast<size_t>(index) < count; }

// The position an Insert uses: out of 0 .. count it becomes an append.
size_t InsertPosition(int index, size_t count) {
    return index >= 0 && static_cast<size_t>(index) <= count ? static_cast<size_t>(index) : count;
}

std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

}  // namespace

void PointerList::Add(uintptr_t value) { Insert(Count(), value); }

void PointerList::Insert(int index, uintptr_t value) {
    if (Count() == capacity_) {
        capacity_ = Count() + 4;
        items_.reserve(static_cast<size_t>(capacity_));
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(InsertPosition(index, items_.size())), value);
}

uintptr_t PointerList::Get(int index) const {
    return InRange(index, items_.size()) ? items_[static_cast<size_t>(index)] : 0;
}

void PointerList::Delete(int index) {
    if (InRange(index, items_.size())) items_.erase(items_.begin() + index);
}

int PointerList::IndexOf(uintptr_t value) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == value) return static_cast<int>(i);
    return -1;
}

void PointerList::Clear() {
    std::vector<uintptr_t>().swap(items_);
    capacity_ = 0;
}

int StringList::Add(const std::string& text, uint32_t value) {
    strings_.push_back(UpToNul(text));
    values_.push_back(value);
    return Count() - 1;
}

void StringList::Insert(int index, const std::string& text, uint32_t value) {
    const auto at = static_cast<std::ptrdiff_t>(InsertPosition(index, strings_.size()));
    strings_.insert(strings_.begin() + at, UpToNul(text));
    values_.insert(values_.begin() + at, value);
}

std::string StringList::Get(int index) const { return Ref(index); }

const std::string& StringList::Ref(int index) const {
    static const std::string kNone;
    return InRange(index, strings_.size()) ? strings_[static_cast<size_t>(index)] : kNone;
}

uint32_t StringList::ValueAt(int index) const {
    return InRange(index, values_.size()) ? values_[static_cast<size_t>(index)] : 0;
}

int StringList::IndexOf(const std::string& text) const {
    const std::string wanted = UpToNul(text);
    for (size_t i = 0; i < strings_.size(); ++i)
        if (strings_[i] == wanted) return static_cast<int>(i);
    return -1;
}

int StringList::IndexOfValue(uint32_t value) const {
    for (size_t i = 0; i < values_.size(); ++i)
        if (values_[i] == value) return static_cast<int>(i);
    return -1;
}

std::string StringList::Join(const std::string& separator) const {
    std::string joined;
    for (const std::string& s : strings_) {
        joined += s;
        joined += separator;
    }
    return joined;
}

void StringList::Reserve(size_t n) {
    strings_.reserve(n);
    values_.reserve(n);
}

}  // namespace pellwise
