#include "editor/OpenGate.h"

#include <thread>

namespace editor {

// Entering counts first and then looks at the state; shutting clears the state and then looks at
// the counts. All four are sequentially consistent, so either the entering call sees the gate
// shut or the shutting side sees its count.
OpenGate::Pass::Pass(OpenGate& gate, Kind kind) {
    std::atomic<uint32_t>& count = kind == Kind::feed ? gate.feeds : gate.calls;
    count.fetch_add(1, std::memory_order_seq_cst);
    if (gate.opened.load(std::memory_order_seq_cst)) {
        counter = &count;
    } else {
        count.fetch_sub(1, std::memory_order_release);
    }
}

OpenGate::Pass::~Pass() {
    if (counter != nullptr) {
        counter->fetch_sub(1, std::memory_order_release);
    }
}

void OpenGate::open() { opened.store(true, std::memory_order_seq_cst); }

void OpenGate::shut() {
    opened.store(false, std::memory_order_seq_cst);
    while (feeds.load(std::memory_order_seq_cst) != 0 || calls.load(std::memory_order_seq_cst) != 0) {
        std::this_thread::yield();
    }
}

void OpenGate::waitForFeeds() const {
    while (feeds.load(std::memory_order_seq_cst) != 0) {
        std::this_thread::yield();
    }
}

} // namespace editor
