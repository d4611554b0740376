#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellwise {

// Ordered lists; never sorted; lookups return the first match or -1. A read
// out of range gives 0 or the empty text, a Delete out of range does nothing,
// and an Insert at a position outside 0 .. Count appends, so no index a
// caller computes can reach memory outside the list.
class PointerList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    int Capacity() const { return capacity_; }
    void Add(uintptr_t value);
    void Insert(int index, uintptr_t value);
    uintptr_t Get(int index) const;
    void Delete(int index);
    int IndexOf(uintptr_t value) const;
    void Clear();

private:
    std::vector<uintptr_t> items_;
    int capacity_ = 0;  // the growth rule of the original: full -> Count + 4
};

// Strings with a 32-bit value each. A string is kept up to its first NUL byte,
// as the platform's C strings would keep it.
class StringList {
public:
    int Count() const { return static_cast<int>(strings_.size()); }
    int Add(const std::string& text, uint32_t value = 0);
    void Insert(int index, const std::string& text, uint32_t value);
    std::string Get(int index) const;
    // Get without the copy; an index out of range refers to an empty text.
    const std::string& Ref(int index) const;
    uint32_t ValueAt(int index) const;
    int IndexOf(const std::string& text) const;
    int IndexOfValue(uint32_t value) const;
    std::string Join(const std::string& separator) const;
    void Reserve(size_t n);

private:
    std::vector<std::string> strings_;
    std::vector<uint32_t> values_;
};

}  // namespace pellwise
