#pragma once

#include <windows.h>

#include <string>

#include "window/control.h"

namespace pellwise {

// A label the layer paints itself: the caption in the shadow colour shifted
// by the depth, then in the text colour in place.
class ShadowLabel : public Control {
public:
    ShadowLabel(Control& parent, std::string caption, int depth);
    ~ShadowLabel() override;

    // 0 left, 1 right, 2 centre.
    void SetTextAlign(std::uint8_t align);
    // 0 centre, 1 top, 2 bottom.
    void SetVerticalAlign(std::uint8_t align);
    void SetShadowColor(Color color);
    // The colour used now: automatic until a shadow colour is set.
    COLORREF EffectiveShadowColor() const;
    // The program draws every shadow label flat.
    void SetEdgeStyle(bool threeDimensional) { edge3d_ = threeDimensional; }
    int Depth() const { return depth_; }

private:
    void Paint(HDC dc);

    int depth_;
    std::uint8_t hAlign_ = 2;
    std::uint8_t vAlign_ = 0;
    bool autoShadow_ = true;
    Color shadowColor_ = 0;
    bool edge3d_ = true;
};

// The automatic shadow colour: per channel the mean of the text colour and white.
constexpr COLORREF AutoShadowColor(COLORREF text) { return ((text & 0xFEFEFE) >> 1) + 0x7F7F7F; }

Control& CreatePlainLabel(Control& parent, std::string caption);
ShadowLabel& CreateShadowLabel(Control& parent, std::string caption, int depth);
// A label without caption whose face is drawn by its paint handler.
Control& CreatePaintBox(Control& parent);

}  // namespace pellwise
