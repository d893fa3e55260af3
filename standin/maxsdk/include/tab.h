// The host's table: a growable array of plain values.
#pragma once

#include <cstdlib>
#include <cstring>

#include "maxexception.h"
#include "maxheap.h"

template <class T>
class Tab : public MaxHeapOperators {
public:
    Tab() = default;
    ~Tab() { std::free(items_); }
    Tab(const Tab&) = delete;
    Tab& operator=(const Tab&) = delete;

    int Count() const { return count_; }
    T& operator[](int i) const {
        if (i < 0 || i >= count_) throw MaxSDK::Util::OutOfRangeException(_M("Tab index out of range"));
        return items_[i];
    }
    T* begin() const { return items_; }
    T* end() const { return items_ + count_; }
    // Appends `item`; false when memory runs out.
    bool Append(const T& item) {
        if (count_ == capacity_) {
            const int capacity = capacity_ ? 2 * capacity_ : 4;
            void* grown = std::realloc(items_, sizeof(T) * static_cast<size_t>(capacity));
            if (!grown) return false;
            items_ = static_cast<T*>(grown);
            capacity_ = capacity;
        }
        items_[count_++] = item;
        return true;
    }
    void Delete(int start, int num) {
        std::memmove(items_ + start, items_ + start + num, sizeof(T) * static_cast<size_t>(count_ - start - num));
        count_ -= num;
    }

private:
    T* items_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};
