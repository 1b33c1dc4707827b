// What a frame needs from the editor that owns it. The editor implements this interface; the
// frame never sees the effect or the host directly.
#pragma once

#include <cstdint>

namespace toolkit {

// Size of the buffer handed to CFrameEditor::getHostVendorString.
inline constexpr int32_t kHostVendorStringSize = 256;

class CFrameEditor {
public:
    // One step of the editor's idle pump: redraw dirty views and let pending paints through.
    virtual void doIdle() = 0;
    // The user starts and ends changing the parameter `tag` (the host's begin/end edit).
    virtual void beginEdit(int32_t tag) = 0;
    virtual void endEdit(int32_t tag) = 0;
    // The editor-wide knob mode the host set.
    virtual int32_t getKnobMode() const = 0;
    // Asks the host to resize its window to width x height: true only when the editor's effect
    // exists, the host answers canDo("sizeWindow") positively and accepts the new size.
    virtual bool sizeHostWindow(int32_t width, int32_t height) = 0;
    // The host's vendor string (the effect's getHostVendorString) written into `text`, a buffer
    // of kHostVendorStringSize bytes that arrives zeroed. False, with `text` left empty, when
    // there is no effect or the host does not answer.
    virtual bool getHostVendorString(char* text) = 0;

protected:
    ~CFrameEditor() = default;
};

} // namespace toolkit
