#include "ui/window_stretch.h"

#include "ui/control_ids.h"

#include <algorithm>
#include <cstdint>

namespace {

const DialogRect& TemplateRectOf(int id) {
    static const DialogRect none;
    for (const LayoutEntry& entry : MainWindowLayout()) {
        if (entry.id == id) {
            return entry.rect;
        }
    }
    return none;
}

// A divider step refuses to shrink a list narrower than this, so a list is never narrower.
constexpr int kNarrowestShare = kNarrowestList - kDividerStep;

int Rounded(std::int64_t numerator, std::int64_t denominator) {
    return static_cast<int>((2 * numerator + denominator) / (2 * denominator));
}

// How far the result list's left edge moves at the template's divider: the top row follows it
// there whatever the divider does, so that it never runs into ヘルプ.
int TopRowShift(const StretchContext& context) {
    const DividerShare templateShare{context.sourceAtMinimum.width,
                                     context.sourceAtMinimum.width + context.resultAtMinimum.width};
    return SourceWidthFor(templateShare, templateShare.bothWidths + context.growth.width) -
           context.sourceAtMinimum.width;
}

} // namespace

Follow FollowOf(const LayoutEntry& entry) {
    switch (entry.id) {
    case kIdSourceList:
        return Follow::SourceList;
    case kIdResultList:
        return Follow::ResultList;
    case kIdSourceFolder:
        return Follow::SourceTop;
    case kIdStep4:
    case kIdStep5:
    case kIdStep6:
        return Follow::ResultTop;
    case kIdDestinationFolder:
        return Follow::ResultSpan;
    case kIdHelp:
    case kIdExit:
        return Follow::RightEdge;
    default:
        break;
    }
    // Right of the lists are the title options (their last radio lower than the lists' bottom),
    // below them the row of small buttons.
    const DialogRect& lists = TemplateRectOf(kIdResultList);
    if (entry.rect.x >= lists.x + lists.width) {
        return Follow::RightEdge;
    }
    return entry.rect.y >= lists.y + lists.height ? Follow::BottomEdge : Follow::Nothing;
}

int SourceWidthFor(const DividerShare& share, int bothWidths) {
    if (share.bothWidths <= 0) {
        return bothWidths / 2;
    }
    const int width = Rounded(std::int64_t{share.sourceWidth} * bothWidths, share.bothWidths);
    if (bothWidths < 2 * kNarrowestShare) {
        return width;
    }
    return std::clamp(width, kNarrowestShare, bothWidths - kNarrowestShare);
}

ListRect StretchedRect(Follow follow, const ListRect& atMinimum, const StretchContext& context) {
    ListRect r = atMinimum;
    const WindowGrowth& growth = context.growth;
    switch (follow) {
    case Follow::Nothing:
        break;
    case Follow::RightEdge:
        r.x += growth.width;
        break;
    case Follow::BottomEdge:
        r.y += growth.height;
        break;
    case Follow::SourceList:
    case Follow::ResultList: {
        const ListRect& source = context.sourceAtMinimum;
        const ListRect& result = context.resultAtMinimum;
        const int both = source.width + result.width + growth.width;
        const int sourceWidth = SourceWidthFor(context.share, both);
        const int gap = result.x - (source.x + source.width);
        r.height += growth.height;
        if (follow == Follow::SourceList) {
            r.width = sourceWidth;
        } else {
            r.x = source.x + sourceWidth + gap;
            r.width = both - sourceWidth;
        }
        break;
    }
    case Follow::SourceTop:
        r.width += TopRowShift(context);
        break;
    case Follow::ResultTop:
        r.x += TopRowShift(context);
        break;
    case Follow::ResultSpan: {
        const int shift = TopRowShift(context);
        r.x += shift;
        r.width += growth.width - shift;
        break;
    }
    }
    return r;
}
