#pragma once

#include <cstddef>
#include <string>

struct ScanTiming {
    double seconds = 0;
    std::size_t folders = 0;
    std::size_t photos = 0;
    std::size_t rows = 0;
};

// The walk as `tessaro-bench scan` times it, into lists without a window.
ScanTiming TimeScan(const std::string& folder);

// Each benchmark times one hot path over `folder`, prints what it measured and, as its last
// line, "<rate> photos/s". Returns the process exit status.
int BenchScan(const std::string& folder);
// With a `saveDir`, also writes each thumbnail there as a PNG named after its photo.
int BenchThumbs(const std::string& folder, const std::string& saveDir);
// The offline map at a dozen places; it needs no folder.
int BenchOfflineMap();
int BenchExif(const std::string& folder);
// `cold`: the page cache is dropped before each run (root only).
int BenchCopy(const std::string& folder, bool cold);
// Builds a 50,000-photo library in `folder`, renames its folders, sorts a card of 10,000 of its
// photos into it again and removes it all.
int BenchLibrary(const std::string& folder);
// These make their own photo records or positions; they need no folder.
int BenchTitles();
int BenchGeocode();
// On an X display: the image view showing PHOTO (a generated 24-megapixel one when empty).
int BenchImageView(std::string photo);
