// Implemented by a view that shows a native edit field (the text edit): the colours the field is
// painted in while the user types, and the brush behind it, which the frame window replaces at
// each colour request of the field.
#pragma once

#include "platform/Graphics.h"
#include "toolkit/CColor.h"

namespace toolkit {

class CNativeEditColors {
public:
    virtual CColor getEditFontColor() const = 0;
    virtual CColor getEditBackColor() const = 0;
    // The view owns the brush and deletes it when it goes; the frame window replaces it.
    virtual platform::Object& editFieldBrush() = 0;

protected:
    ~CNativeEditColors() = default;
};

} // namespace toolkit
