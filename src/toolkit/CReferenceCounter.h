// Root of every reference-counted toolkit object (views, bitmaps, drawing contexts, drags).
//
// Ownership rule: the creator holds the first reference; whoever stores a reference retains it
// first and releases the one it held before. An object is destroyed when its count reaches
// exactly zero.
#pragma once

#include <atomic>
#include <cstdint>

namespace toolkit {

class CReferenceCounter {
public:
    CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;

    virtual ~CReferenceCounter() = default;
    virtual void release() {
        if (--referenceCount == 0) delete this;
    }
    virtual void retain() { ++referenceCount; }

    int32_t getNbReference() const { return referenceCount; }

private:
    int32_t referenceCount = 1;
};

// Counts the live objects of one class, so tests can prove that nothing leaks or is freed twice.
// Thread-safe, because a test may build editors on several threads.
template <class Tag> class LiveCounter {
public:
    LiveCounter() { count().fetch_add(1, std::memory_order_relaxed); }
    LiveCounter(const LiveCounter&) : LiveCounter() {}
    LiveCounter& operator=(const LiveCounter&) { return *this; }
    ~LiveCounter() { count().fetch_sub(1, std::memory_order_relaxed); }

    static int live() { return count().load(std::memory_order_relaxed); }

private:
    static std::atomic<int>& count() {
        static std::atomic<int> value{0};
        return value;
    }
};

} // namespace toolkit
