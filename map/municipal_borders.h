#pragma once

#include "geocode/japan_municipalities.h"
#include "map/state_outlines.h"
#include "map/state_raster.h"

#include <opencv2/core.hpp>

#include <vector>

// Japan's municipal borders on the offline map, where they can be told apart at its 500 m a
// pixel (a municipality is some tens of pixels across): between two municipalities of one
// prefecture only, since the coasts and the prefectures' borders are drawn from Natural Earth's
// polygons, and each border once, though both its municipalities' rings hold it. `raster` holds
// the municipalities of the view, `pieces` their outlines.
void DrawMunicipalBorders(cv::Mat& picture, const std::vector<OutlinePiece>& pieces,
                          const StateRaster& raster, const JapanMunicipalities& japan);
