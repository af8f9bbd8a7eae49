#include "cli/exif_command.h"

#include "exif/exif_summary.h"

#include <cstdio>

int RunExifCommand(const std::vector<std::string>& files) {
    CExifAnalize reader;
    int status = 0;
    for (const std::string& file : files) {
        const ExifSummary summary = SummariseExif(reader, file);
        std::printf("%s\t%d\t%s\t%s\t%s\n", file.c_str(), summary.result, summary.date.c_str(),
                    summary.latitude.c_str(), summary.longitude.c_str());
        if (summary.result == -1) {
            status = 1;
        }
    }
    return status;
}
