#include "geocode/geocode_answer.h"

#include "geocode/extract_element.h"

#include <iterator>

namespace {

constexpr std::string_view kComponentOpening = "<address_component>";
constexpr std::string_view kComponentClosing = "</address_component>";
constexpr std::string_view kJapan = "日本";

// An address component counts only when its closing tag follows. The first closing tag after a
// point is also the first after any later point before it, so each stretch of the result is
// searched once: a hostile answer with one closing tag at its very end cannot make the walk
// quadratic.
class ComponentClosings {
public:
    explicit ComponentClosings(std::string_view result) : result_(result) {}

    bool closedAfter(std::size_t from) {
        if (searchedFrom_ == std::string_view::npos || from < searchedFrom_ ||
            (found_ != std::string_view::npos && found_ < from)) {
            searchedFrom_ = from;
            found_ = result_.find(kComponentClosing, from);
        }
        return found_ != std::string_view::npos;
    }

private:
    std::string_view result_;
    std::size_t searchedFrom_ = std::string_view::npos;
    std::size_t found_ = std::string_view::npos;
};

// The long names in document order, finest first. A component without a long name of its own
// takes the next one's. The search for the next component goes on after the name just taken,
// so the names never overlap and their total size stays within the answer's.
std::vector<std::string> ComponentNames(std::string_view result) {
    std::vector<std::string> names;
    ComponentClosings closings(result);
    std::size_t from = 0;
    for (;;) {
        const std::size_t opening = result.find(kComponentOpening, from);
        if (opening == std::string_view::npos) {
            break;
        }
        const std::size_t content = opening + kComponentOpening.size();
        if (!closings.closedAfter(content)) {
            break;
        }
        const auto name = findElement("long_name", result, content);
        if (!name) {
            break;
        }
        names.emplace_back(result.substr(name->begin, name->end - name->begin));
        if (names.back() == kJapan) {
            break;
        }
        from = name->end;
    }
    return names;
}

// As atoi(text) > 0, without atoi's overflow: white space, an optional sign, then digits.
bool ReadsAsPositiveNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos) {
        return false;
    }
    if (text[i] == '-') {
        return false;
    }
    if (text[i] == '+') {
        ++i;
    }
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (text[i] != '0') {
            return true;
        }
    }
    return false;
}

} // namespace

int readGeocodeAnswer(std::string_view answer, std::vector<std::string>& components) {
    const auto status = findElement("status", answer, 0);
    if (!status) {
        return kGeocodeFailed;
    }
    const std::string_view statusText = answer.substr(status->begin, status->end - status->begin);
    if (statusText == "OVER_QUERY_LIMIT") {
        return kGeocodeOverQueryLimit;
    }
    if (statusText == "REQUEST_DENIED") {
        return kGeocodeRefused;
    }
    if (statusText != "OK") {
        return kGeocodeFailed;
    }
    const auto result = findElement("result", answer, status->begin);
    if (!result) {
        return kGeocodeOk;
    }
    std::vector<std::string> names =
        ComponentNames(answer.substr(result->begin, result->end - result->begin));
    // Only a name of this answer may go: entries the caller had stay whatever they read as.
    if (!names.empty() && ReadsAsPositiveNumber(names.back())) {
        names.pop_back();
    }
    components.insert(components.begin(), std::make_move_iterator(names.rbegin()),
                      std::make_move_iterator(names.rend()));
    return kGeocodeOk;
}
