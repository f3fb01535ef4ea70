#pragma once
// Array<T>: the growable array with bounds-checked access.
//
// It holds the elements, the size (elements in use), the allocated size and the grow step (0:
// automatic, size / 8 bounded to 4..1024). Elements live in one block, are constructed in place
// and moved into a new block when it grows.
//
// An index out of range shows the tracer box ("Array::GetAt index (%d) out of range (%d)" and
// its SetAt and ElementAt companions) and never reads or writes outside the array: GetAt yields
// a default-constructed value, SetAt changes nothing, and ElementAt / operator[] hand out a
// per-array scratch element, reset to a default value on each such access, so a write through
// that reference lands in the scratch element and is lost.
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "core/diag/Checks.h"
#include "core/diag/Tracer.h"

template <typename T>
class Array {
public:
    Array() = default;
    Array(const Array& other) { CopyFrom(other); }
    Array(Array&& other) noexcept { Swap(other); }
    Array& operator=(const Array& other) {
        if (this != &other) {
            RemoveAll();
            CopyFrom(other);
        }
        return *this;
    }
    Array& operator=(Array&& other) noexcept {
        Array(std::move(other)).Swap(*this);
        return *this;
    }
    ~Array() { RemoveAll(); }

    int GetSize() const { return size_; }
    [[nodiscard]] bool IsEmpty() const { return size_ == 0; }
    int GetAllocSize() const { return allocated_; }
    int GetGrowBy() const { return growBy_; }
    T* GetData() { return data_; }
    const T* GetData() const { return data_; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }

    // Resizes to `newSize` elements. A grow step other than -1 is stored first. Size 0 frees the
    // block; a first block has exactly the new size; growing past the allocated size allocates
    // the larger of the new size and the allocated size plus the step. A negative size is ignored.
    void SetSize(int newSize, int growBy = -1) {
        if (growBy != -1) growBy_ = growBy < 0 ? 0 : growBy;
        if (newSize < 0) return;
        if (newSize == 0) {
            RemoveAll();
        } else if (!data_) {
            data_ = Allocate(newSize);
            allocated_ = newSize;
            ConstructRange(0, newSize);
            size_ = newSize;
        } else if (newSize > allocated_) {
            Grow(newSize);
        } else {
            Resize(newSize);
        }
    }

    T GetAt(int index) const {
        if (!InRange(index)) {
            TraceIndexOutOfRange("GetAt", index, size_);
            return T();
        }
        return data_[index];
    }
    void SetAt(int index, const T& value) {
        if (!InRange(index)) {
            TraceIndexOutOfRange("SetAt", index, size_);
            return;
        }
        data_[index] = value;
    }
    const T& ElementAt(int index) const {
        if (!InRange(index)) {
            TraceIndexOutOfRange("ElementAt", index, size_);
            return Scratch();
        }
        return data_[index];
    }
    T& ElementAt(int index) { return const_cast<T&>(std::as_const(*this).ElementAt(index)); }
    T& operator[](int index) { return ElementAt(index); }
    const T& operator[](int index) const { return ElementAt(index); }

    // Appends one element and returns its index.
    int Add(const T& value) {
        const int index = size_;
        T copy(value);  // `value` may be an element of this array, which growing moves
        SetSize(index + 1);
        data_[index] = std::move(copy);
        return index;
    }
    // Inserts `count` copies of `value` before `index`; an index at or past the end extends the
    // array to it first. A negative index or count changes nothing.
    void InsertAt(int index, const T& value, int count = 1) {
        if (index < 0 || count <= 0) return;
        T copy(value);
        const int oldSize = size_;
        if (index >= oldSize) {
            SetSize(index + count);
        } else {
            SetSize(oldSize + count);
            for (int i = oldSize - 1; i >= index; --i) data_[i + count] = std::move(data_[i]);
        }
        for (int i = index; i < index + count; ++i) data_[i] = copy;
    }
    // Removes `count` elements from `index`; a range not wholly inside the array changes nothing.
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || index > size_ - count) return;
        for (int i = index; i + count < size_; ++i) data_[i] = std::move(data_[i + count]);
        Resize(size_ - count);
    }
    void RemoveAll() {
        DestroyRange(0, size_);
        ::operator delete(static_cast<void*>(data_));
        data_ = nullptr;
        size_ = allocated_ = 0;
    }

private:
    [[nodiscard]] bool InRange(int index) const { return index >= 0 && index < size_; }

    static T* Allocate(int count) {
        void* block = ::operator new(sizeof(T) * static_cast<size_t>(count), std::nothrow);
        RequireMemory(block);
        return static_cast<T*>(block);
    }
    void ConstructRange(int from, int to) {
        for (int i = from; i < to; ++i) new (static_cast<void*>(data_ + i)) T();
    }
    void DestroyRange(int from, int to) {
        for (int i = from; i < to; ++i) data_[i].~T();
    }
    void Resize(int newSize) {
        if (newSize > size_)
            ConstructRange(size_, newSize);
        else
            DestroyRange(newSize, size_);
        size_ = newSize;
    }
    void Grow(int newSize) {
        int step = growBy_;
        if (step == 0) step = size_ / 8 < 4 ? 4 : (size_ / 8 > 1024 ? 1024 : size_ / 8);
        const int64_t stepped = static_cast<int64_t>(allocated_) + step;
        const int newAlloc =
            newSize > stepped ? newSize : static_cast<int>(stepped > INT32_MAX ? INT32_MAX : stepped);
        T* block = Allocate(newAlloc);
        for (int i = 0; i < size_; ++i) {
            new (static_cast<void*>(block + i)) T(std::move(data_[i]));
            data_[i].~T();
        }
        ::operator delete(static_cast<void*>(data_));
        data_ = block;
        allocated_ = newAlloc;
        ConstructRange(size_, newSize);
        size_ = newSize;
    }
    void CopyFrom(const Array& other) {
        growBy_ = other.growBy_;
        SetSize(other.size_);
        for (int i = 0; i < size_; ++i) data_[i] = other.data_[i];
    }
    void Swap(Array& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(allocated_, other.allocated_);
        std::swap(growBy_, other.growBy_);
        std::swap(scratch_, other.scratch_);
    }
    T& Scratch() const {
        if (!scratch_)
            scratch_ = std::make_unique<T>();
        else
            *scratch_ = T();
        return *scratch_;
    }

    T* data_ = nullptr;
    int size_ = 0;
    int allocated_ = 0;
    int growBy_ = 0;
    mutable std::unique_ptr<T> scratch_;  // target of out-of-range references
};
