#include "gradient/geometry.h"

#include <algorithm>

namespace pellwise {

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

Rect Offset(const Rect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

Rect Inflate(const Rect& r, int dx, int dy) { return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy}; }

Rect AddMargins(const Rect& r, const Rect& margins) {
    return {r.Left + margins.Left, r.Top + margins.Top, r.Right + margins.Right, r.Bottom + margins.Bottom};
}

Rect ScaledMargins(const Rect& m, DpiScale scale) {
    return {scale(m.Left), scale(m.Top), scale(m.Right), scale(m.Bottom)};
}

}  // namespace pellwise
