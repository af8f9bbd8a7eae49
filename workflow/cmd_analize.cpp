#include "workflow/cmd_analize.h"

void CCmdAnalize::ParseParam(const std::string& param, bool, bool) {
    if (param.empty()) {
        return;
    }
    char c = param[0];
    if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
    }
    if (c < 'a' || c > 'z') {
        return;
    }
    flags[c - 'a'] = 1;
    values[c - 'a'] = param.substr(1);
}

void CCmdAnalize::ParseCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const bool isFlag = !arg.empty() && (arg[0] == '/' || arg[0] == '-');
        ParseParam(isFlag ? arg.substr(1) : arg, isFlag, i == argc - 1);
    }
}
