#include "cli/cli_options.h"
#include "cli/exif_command.h"
#include "cli/step_commands.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char kUsage[] =
    "Usage: tessaro-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
    "\n"
    "Sorts the JPEG photos of a camera card into titled folders, as the desktop program\n"
    "Tessaro does, for batch use.\n"
    "\n"
    "Commands:\n"
    "  exif FILE...       per file one tab-separated line: the path, the reader's result\n"
    "                     (0 read, -1 cannot be opened, -2 no EXIF data), DateTimeOriginal\n"
    "                     as YYYY:MM:DD HH:MM:SS in local time, latitude and longitude in\n"
    "                     signed decimal degrees; a value the photo does not hold stays empty\n"
    "  plan SOURCE        scan, read and title the photos below SOURCE and print the result\n"
    "                     tree, one entry a line, indented two spaces a level\n"
    "  sort SOURCE DEST   all steps through copying: the titled folders, the copies and their\n"
    "                     record files below DEST; the last line counts the photos copied,\n"
    "                     skipped (already there, byte for byte) and failed; a photo whose\n"
    "                     name a different file holds is copied under a numbered name;\n"
    "                     Ctrl-C stops the copy after the photo at hand\n"
    "\n"
    "A photo's companions (its name with another extension: RAW, sound, sidecar, video) go\n"
    "with it. Before their result, plan and sort count what else stays below SOURCE, the\n"
    "photos in hidden folders among it:\n"
    "\"not imported: 12 videos / 3 RAW only / 2 other pictures / 5 other files\".\n"
    "A folder below SOURCE that cannot be read is named on standard error and counted\n"
    "before the result: \"1 folder could not be read\".\n"
    "\n"
    "Options:\n"
    "  --settings FILE     the settings file (default ~/.config/tessaro/tessaroInit.Ini)\n"
    "  --set KEY=VALUE     a title option by its settings key, for this run only\n"
    "                      (1_1_ShootYear, 2_1_CB, 2_1_ShootDay, 2_2_CB, 2_2_Place, 3_1_CB,\n"
    "                      3_1_ShootHour, 3_2_CB, 3_2_Place, 1_1_CB); may be repeated\n"
    "  --geocode-url URL   the reverse-geocoding endpoint for this run: builtin: (the\n"
    "                      offline geocoder, the default), nominatim:BASE-URL (a\n"
    "                      Nominatim server) or a web service's base URL; web answers\n"
    "                      are cached in ~/.cache/tessaro/\n"
    "  --no-geocode        look no places up\n"
    "  --list-skipped      plan and sort: name every file below SOURCE that is not imported,\n"
    "                      one a line: its kind (video, raw-only, picture, other, hidden),\n"
    "                      a tab and its path\n"
    "  --help              show this text and exit\n"
    "  --version           show the version and exit\n"
    "\n"
    "Exit status: 0 when everything was done, 1 when some photo, record or folder failed, a\n"
    "folder below SOURCE could not be read or the copy was stopped (each is named on standard\n"
    "error), 2 for a usage error or an unusable source or destination.\n";

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseCliOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        return UsageError(error);
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options->version) {
        std::printf("tessaro-cli %s\n", TESSARO_VERSION);
        return 0;
    }
    if (options->command == "exif") {
        if (options->arguments.empty()) {
            return UsageError("exif needs at least one file");
        }
        return RunExifCommand(options->arguments);
    }
    if (options->command == "plan") {
        return RunPlanCommand(*options);
    }
    if (options->command == "sort") {
        return RunSortCommand(*options);
    }
    return UsageError(options->command.empty() ? "no command given"
                                               : "unknown command: " + options->command);
}
