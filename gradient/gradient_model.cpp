#include "gradient/gradient_model.h"

namespace pellwise {

GradientModel MakeGradientModel(ControlKind kind) {
    GradientModel m;
    m.Kind = kind;
    m.Interactive = kind == ControlKind::Button;
    return m;
}

void MarkLooksStale(GradientModel& m) { m.Stale.fill(true); }

void ResetLayout(GradientModel& m, const Rect& client) {
    m.LookRects.fill(client);
    m.BlendRect = client;
}

void SetTextVAlign(GradientModel& m, std::uint8_t value) {
    m.TextVAlign = value;
    MarkLooksStale(m);
}

void SetDrawFocusRect(GradientModel& m, bool flag) {
    m.DrawFocusRect = flag;
    MarkLooksStale(m);
}

}  // namespace pellwise
