// A drawing context: one platform surface plus the drawing state the views use (origins, clip,
// colours, line and the current standard font).
#pragma once

#include "platform/BlockCache.h"
#include "platform/Graphics.h"
#include "toolkit/CColor.h"
#include "toolkit/CRect.h"
#include "toolkit/CReferenceCounter.h"

#include <cstdint>

namespace toolkit {

class CFrame;

enum CFontStyle : int32_t { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4 };
inline constexpr int32_t FontBold = kFontBold;
inline constexpr int32_t FontItalic = kFontItalic;
inline constexpr int32_t FontUnderline = kFontUnderline;

enum CHoriTxtAlign : int32_t { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };

enum : int32_t { kLineSolid = 0 };
enum : int32_t { kCopyMode = 0 };

// The standard font table, shared with the text edit.
struct CStandardFont {
    const char* face;
    int32_t height; // pixels
    bool decorative;
};
inline constexpr int32_t kNumStandardFonts = 8;
extern const CStandardFont kStandardFonts[kNumStandardFonts];

class CDrawContext : public CReferenceCounter, private LiveCounter<CDrawContext> {
public:
    CDrawContext(CFrame* frame, platform::Surface surface, platform::Window window);
    ~CDrawContext() override;
    // A context is made for every idle redraw, click and paint: its memory is recycled.
    RV_CACHED_ALLOCATION(CDrawContext)

    static int liveCount() { return LiveCounter<CDrawContext>::live(); }

    void setLineStyle(int32_t style);
    int32_t getLineStyle() const { return lineStyle; }
    void setLineWidth(int32_t width);
    int32_t getLineWidth() const { return lineWidth; }
    void setDrawMode(int32_t mode);
    int32_t getDrawMode() const { return drawMode; }

    void setClipRect(const CRect& rect);
    CRect& getClipRect(CRect& rect) const;
    void resetClipRect();

    void setFrameColor(CColor color);
    CColor getFrameColor() const { return frameColor; }
    void setFillColor(CColor color);
    CColor getFillColor() const { return fillColor; }
    void setFontColor(CColor color);
    CColor getFontColor() const { return fontColor; }
    void setFont(int32_t fontId, int32_t size = 0, int32_t style = 0);
    int32_t getFont() const { return fontId; }
    int32_t getFontSize() const { return fontSize; }
    int32_t getFontStyle() const { return fontStyle; }

    void frameRect(const CRect& rect);
    void fillRect(const CRect& rect);
    void moveTo(const CPoint& point);
    void lineTo(const CPoint& point);
    void drawText(const char* text, const CRect& rect, bool opaque = true,
                  int32_t alignment = AlignCenter);

    // Buttons and modifiers held at the moment of the call.
    static int32_t readMouseState();

    CPoint& getDrawingOrigin() { return drawingOrigin; }
    void setDrawingOrigin(const CPoint& p) { drawingOrigin = p; }
    CPoint& getScreenOrigin() { return screenOrigin; }
    void setScreenOrigin(const CPoint& p) { screenOrigin = p; }
    // Shifts both origins (containers do this around their children).
    void offsetOrigins(int32_t dx, int32_t dy) {
        drawingOrigin.offset(dx, dy);
        screenOrigin.offset(dx, dy);
    }

    platform::Surface getSystemContext() const { return systemContext; }
    platform::Window getWindow() const { return window; }
    CFrame* getFrame() const { return ownerFrame; }

protected:
    // Applies the initial drawing state (white pen, black brush, white text, font 0, copy mode).
    void applyInitialState();
    void remakePen();

    CPoint screenOrigin;
    CPoint drawingOrigin;
    platform::Surface systemContext = nullptr;
    platform::Window window = nullptr;
    CFrame* ownerFrame = nullptr;
    int32_t fontSize = -1;
    int32_t fontStyle = 0;
    int32_t fontId = kNumStandardFonts;
    CColor fontColor{0, 0, 0, 0};
    CPoint penPosition;
    int32_t lineWidth = 0;
    CColor frameColor{0, 0, 0, 0};
    CColor fillColor{0, 0, 0, 0};
    int32_t lineStyle = 1;
    int32_t drawMode = 3;
    CRect clipRect;
    platform::Object fillBrush = nullptr;
    platform::Object pen = nullptr;
    platform::Object font = nullptr;
    platform::Object savedBrush = nullptr;
    platform::Object savedPen = nullptr;
    platform::Object savedFont = nullptr;
    int32_t penStyle = 0;
    platform::Surface acquiredSystemContext = nullptr;
};

} // namespace toolkit
