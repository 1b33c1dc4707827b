// The hand-off between the editor's window lifetime and the threads that call into it.
//
// `open` publishes the open state after everything it built is complete. Every call that touches
// what `open` built holds a Pass for its duration; a Pass taken while the gate is shut is empty
// and the call must do nothing. `shut` clears the state first and then waits until every Pass
// that saw it open is gone, so nothing is destroyed under a running call.
#pragma once

#include <atomic>
#include <cstdint>

namespace editor {

class OpenGate {
public:
    enum class Kind { feed, call };

    class Pass {
    public:
        Pass(OpenGate& gate, Kind kind);
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        explicit operator bool() const { return counter != nullptr; }

    private:
        std::atomic<uint32_t>* counter = nullptr;
    };

    // Publishes the open state (everything written before is visible to a Pass that sees it).
    void open();
    // Clears the open state, then waits for every Pass that saw it set.
    void shut();
    bool isOpen() const { return opened.load(std::memory_order_acquire); }

    // Waits until no feed Pass is held. The caller has already made sure that new feeds back
    // off (see OrvaneVUMeterGUI::setMeterSampleRate).
    void waitForFeeds() const;

private:
    std::atomic<bool> opened{false};
    std::atomic<uint32_t> feeds{0};
    std::atomic<uint32_t> calls{0};
};

} // namespace editor
