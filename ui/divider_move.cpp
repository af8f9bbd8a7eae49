#include "ui/divider_move.h"

bool MoveDivider(ListRect& source, ListRect& result, int delta) {
    const int step = delta < 0 ? kDividerStep : -kDividerStep;
    const ListRect& shrinking = delta < 0 ? result : source;
    if (shrinking.width < kNarrowestList) {
        return false;
    }
    source.width += step;
    result.x += step;
    result.width -= step;
    return true;
}
