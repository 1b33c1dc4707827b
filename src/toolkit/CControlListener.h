// Receives the changes a user makes to controls; the editor implements it.
#pragma once

#include <cstdint>

namespace toolkit {

class CDrawContext;
class CControl;

class CControlListener {
public:
    // The user changed the control's value.
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // A click with a modifier held: a non-zero answer makes the control ignore the click.
    virtual int32_t modifierClicked(CDrawContext* /*context*/, CControl* /*control*/,
                                    int32_t /*button*/) {
        return 0;
    }

protected:
    ~CControlListener() = default;
};

} // namespace toolkit
