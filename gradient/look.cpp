#include "gradient/look.h"

namespace pellwise {

LookSet DefaultLooks() {
    LookSet looks;
    StateLook& normal = looks[0];
    normal = {0x00FFFFFF, 0x00D1BEAF, kBtnFaceColor, 0, 0x00FFFFFF, 0x00A4A0A0, 4, 4, 1, 1, 1};
    StateLook& over = looks[1];
    over = {0x00E1CEBF, 0x00FFFFFF, kBtnFaceColor, 0, 0x00808080, 0x00A4A0A0, 4, 4, 1, 3, 1};
    StateLook& down = looks[2];
    down = {0x00F0FBFF, 0x00B6BFC6, kBtnFaceColor, 0, 0x00808080, 0x00808080, 8, 4, 2, 4, -1};
    StateLook& disabled = looks[3];
    disabled = {0x00FFFFFF, 0x009EACB4, kBtnFaceColor, 0, 0x00808080, 0x00808080, 5, 5, 2, 5, 2};
    return looks;
}

StateLook ScaledLook(const StateLook& look, DpiScale scale) {
    StateLook scaled = look;
    scaled.CornerWidth = scale(look.CornerWidth);
    scaled.CornerHeight = scale(look.CornerHeight);
    scaled.BorderWidth = scale(look.BorderWidth);
    scaled.ShadowOffset = scale(look.ShadowOffset);
    return scaled;
}

LookSet ScaledLooks(const LookSet& looks, DpiScale scale) {
    LookSet scaled;
    for (int i = 0; i < kLookCount; ++i) scaled[i] = ScaledLook(looks[i], scale);
    return scaled;
}

bool IsSolidBody(const StateLook& look) {
    return look.GradientFrom == look.GradientTo ||
           look.GradientStyle == static_cast<std::uint8_t>(GradientStyle::Solid);
}

}  // namespace pellwise
