#pragma once

#include "catalogue/qel_image.h"

#include <vector>

// The parts of a map picture already taken by labels, dots, the scale and the credits: a label
// goes only where it overlaps none of them nor the marker, and lies wholly within the picture. A
// dot may lie under the marker, which points at the place.
class LabelSpace {
public:
    explicit LabelSpace(PixelSize picture) : picture_(picture) {}

    bool freeForLabel(const ImageBox& box) const {
        return freeForDot(box) && !Overlap(box, marker_);
    }
    bool freeForDot(const ImageBox& box) const {
        if (box.left < 0 || box.top < 0 || box.right > picture_.width ||
            box.bottom > picture_.height) {
            return false;
        }
        for (const ImageBox& taken : taken_) {
            if (Overlap(box, taken)) {
                return false;
            }
        }
        return true;
    }
    void take(const ImageBox& box) { taken_.push_back(box); }
    void setMarker(const ImageBox& box) { marker_ = box; }
    const ImageBox& marker() const { return marker_; }
    bool underMarker(const ImageBox& box) const { return Overlap(box, marker_); }
    PixelSize picture() const { return picture_; }

private:
    static bool Overlap(const ImageBox& a, const ImageBox& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    }

    PixelSize picture_;
    std::vector<ImageBox> taken_;
    ImageBox marker_;
};
