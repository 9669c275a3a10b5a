#include "form/window_placement.h"

#include <algorithm>

namespace quorel::form {

namespace {

// One axis: the start of a span of `length` moved into [areaStart, areaStart + areaLength). The
// near edge wins over the far one, so a span longer than the area starts where the area does.
// Sums are taken wide, as a rectangle from the system may reach the ends of int.
int keptInside(int start, int length, int areaStart, int areaLength) {
    const long long areaEnd = static_cast<long long>(areaStart) + areaLength;
    long long kept = start;
    if (kept + length > areaEnd)
        kept = areaEnd - length;
    return static_cast<int>(std::max<long long>(kept, areaStart));
}

} // namespace

PixelRect keptOnScreen(PixelRect frame, PixelRect available) {
    frame.left = keptInside(frame.left, frame.width, available.left, available.width);
    frame.top = keptInside(frame.top, frame.height, available.top, available.height);
    return frame;
}

} // namespace quorel::form
