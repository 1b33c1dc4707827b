// The items of a drag in progress over a frame window. Views receive it with each drag event.
#pragma once

#include "toolkit/CReferenceCounter.h"

#include <cstdint>

namespace toolkit {

class CDragContainer : public CReferenceCounter, private LiveCounter<CDragContainer> {
public:
    explicit CDragContainer(int32_t count) : itemCount(count) {}
    ~CDragContainer() override { delete[] lastItem; }

    static int liveCount() { return LiveCounter<CDragContainer>::live(); }
    int32_t getCount() const { return itemCount; }

private:
    int32_t itemCount;
    int32_t iterator = 0;
    char* lastItem = nullptr;
};

} // namespace toolkit
