#include "platform/http_get.h"

#include "platform/debug_output.h"

#include <curl/curl.h>

#include <memory>
#include <new>
#include <utility>

namespace {

constexpr const char* kHeaderLines[] = {
    "Accept-Language: ja",
    "Content-Type:application/x-www-form-urlencoded",
    // No accepted types are named, so libcurl's own "Accept: */*" is left out.
    "Accept:",
};
constexpr long kMaxRedirects = 10;
// How long a wait for the network lasts before `keepGoing` is asked again.
constexpr int kStopPollMs = 50;

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using MultiHandle = std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

struct Answer {
    std::string bytes;
    std::size_t limit = 0;
    const std::function<bool()>* keepGoing = nullptr;
    char error[CURL_ERROR_SIZE] = {};
};

// libcurl's write callback: a chunk that would take the answer past its limit ends the exchange.
std::size_t AppendChunk(char* data, std::size_t size, std::size_t count, void* user) {
    auto& answer = *static_cast<Answer*>(user);
    const std::size_t length = size * count;
    if (length > answer.limit - answer.bytes.size()) {
        return 0;
    }
    try {
        answer.bytes.append(data, length);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return length;
}

// libcurl's progress callback, which it calls while waiting too: non-zero ends the exchange.
int CheckKeepGoing(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto& answer = *static_cast<const Answer*>(user);
    return *answer.keepGoing && !(*answer.keepGoing)() ? 1 : 0;
}

// The first call may come from any thread, so libcurl's global set-up runs once under the
// guarantee of a function-local static.
bool CurlReady() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

HeaderList MakeHeaderList() {
    curl_slist* list = nullptr;
    for (const char* line : kHeaderLines) {
        curl_slist* longer = curl_slist_append(list, line);
        if (longer == nullptr) {
            curl_slist_free_all(list);
            return HeaderList(nullptr, curl_slist_free_all);
        }
        list = longer;
    }
    return HeaderList(list, curl_slist_free_all);
}

bool SetRequest(CURL* curl, const std::string& url, const HttpLimits& limits, curl_slist* headers,
                const std::string& agent) {
    return curl_easy_setopt(curl, CURLOPT_URL, url.c_str()) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_PROXY, "") == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str()) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers) == CURLE_OK &&
           // Time-outs by signal would hit whichever thread is running; workers call too.
           curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                            static_cast<long>(limits.connect.count())) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.whole.count())) ==
               CURLE_OK;
}

bool SetReceiving(CURL* curl, const HttpLimits& limits, Answer& answer) {
    // Refuses an announced length at once; the write callback catches the rest.
    return curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                            static_cast<curl_off_t>(limits.answerBytes)) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendChunk) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, answer.error) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, CheckKeepGoing) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &answer) == CURLE_OK;
}

// curl_easy_perform, except that a wait for the network asks `keepGoing` every kStopPollMs:
// libcurl's own progress calls come only once a second while nothing arrives, too late for a
// program that must end within one.
CURLcode Perform(CURL* curl, const std::function<bool()>& keepGoing) {
    if (!keepGoing) {
        return curl_easy_perform(curl);
    }
    MultiHandle multi(curl_multi_init(), curl_multi_cleanup);
    if (!multi || curl_multi_add_handle(multi.get(), curl) != CURLM_OK) {
        return CURLE_OUT_OF_MEMORY;
    }
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    for (int active = 1; active > 0 && keepGoing();) {
        if (curl_multi_perform(multi.get(), &active) != CURLM_OK ||
            (active > 0 &&
             curl_multi_poll(multi.get(), nullptr, 0, kStopPollMs, nullptr) != CURLM_OK)) {
            result = CURLE_RECV_ERROR;
            break;
        }
    }
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
        if (message->msg == CURLMSG_DONE) {
            result = message->data.result;
        }
    }
    curl_multi_remove_handle(multi.get(), curl);
    return result;
}

} // namespace

std::optional<std::string> HttpGet(const std::string& url, const HttpLimits& limits,
                                   const std::function<bool()>& keepGoing, const std::string& agent,
                                   long* status) {
    if (!CurlReady()) {
        return std::nullopt;
    }
    EasyHandle curl(curl_easy_init(), curl_easy_cleanup);
    HeaderList headers = MakeHeaderList();
    Answer answer;
    answer.limit = limits.answerBytes;
    answer.keepGoing = &keepGoing;
    if (!curl || !headers || !SetRequest(curl.get(), url, limits, headers.get(), agent) ||
        !SetReceiving(curl.get(), limits, answer)) {
        DebugOutput("HttpGet: the exchange could not be set up");
        return std::nullopt;
    }
    const CURLcode result = Perform(curl.get(), keepGoing);
    if (result != CURLE_OK) {
        DebugOutput(std::string("HttpGet: ") +
                    (answer.error[0] != '\0' ? answer.error : curl_easy_strerror(result)));
        return std::nullopt;
    }
    if (status != nullptr &&
        curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, status) != CURLE_OK) {
        *status = 0;
    }
    return std::move(answer.bytes);
}
