#include "bench/find_photos.h"

#include "catalogue/folder_scan.h"

#include <algorithm>
#include <filesystem>

std::vector<std::string> FindPhotos(const std::string& folder) {
    std::vector<std::string> photos;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file() && IsPhotoName(it->path().filename().string())) {
            photos.push_back(it->path().string());
        }
    }
    std::sort(photos.begin(), photos.end());
    return photos;
}
