#include "geocode/geocode_cache.h"

#include "platform/debug_output.h"
#include "platform/make_directories.h"
#include "platform/settings_path.h"

#include <nlohmann/json.hpp>
#include <sqlite3.h>
#include <sys/stat.h>

#include <cmath>
#include <ctime>

namespace {

constexpr double kUnitsPerDegree = 1e4;
constexpr int kBusyMilliseconds = 2000;
constexpr std::size_t kStoresBetweenPrunes = 1000;

constexpr char kSchema[] = "PRAGMA journal_mode=WAL;"
                           "CREATE TABLE IF NOT EXISTS answers("
                           " endpoint TEXT NOT NULL, latitude INTEGER NOT NULL,"
                           " longitude INTEGER NOT NULL, components TEXT NOT NULL,"
                           " stored INTEGER NOT NULL,"
                           " PRIMARY KEY (endpoint, latitude, longitude)) WITHOUT ROWID;"
                           "CREATE INDEX IF NOT EXISTS answers_stored ON answers(stored);";

struct Key {
    long long latitude;
    long long longitude;
};

Key Rounded(double latitude, double longitude) {
    return {std::llround(latitude * kUnitsPerDegree), std::llround(longitude * kUnitsPerDegree)};
}

std::string MemoryKey(const std::string& endpoint, Key key) {
    return endpoint + '\n' + std::to_string(key.latitude) + ',' + std::to_string(key.longitude);
}

long long Now() {
    return static_cast<long long>(std::time(nullptr));
}

// A statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* database, const char* text) {
        if (sqlite3_prepare_v2(database, text, -1, &statement_, nullptr) != SQLITE_OK) {
            statement_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return statement_; }
    explicit operator bool() const { return statement_ != nullptr; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// Components as stored: a JSON array of strings. What another process wrote is checked again.
std::optional<std::vector<std::string>> ParseComponents(const unsigned char* text, int length) {
    if (text == nullptr || length < 0) {
        return std::nullopt;
    }
    const auto parsed = nlohmann::json::parse(text, text + length, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> components;
    for (const auto& item : parsed) {
        if (!item.is_string()) {
            return std::nullopt;
        }
        components.push_back(item.get<std::string>());
    }
    return components;
}

} // namespace

GeocodeCache::GeocodeCache(std::string file, Limits limits)
    : file_(std::move(file)), limits_(limits) {}

GeocodeCache::~GeocodeCache() {
    sqlite3_close(database_);
}

bool GeocodeCache::open() {
    if (openTried_) {
        return database_ != nullptr;
    }
    openTried_ = true;
    if (file_.empty() || MakeDirectories(file_) != 1 ||
        sqlite3_open_v2(file_.c_str(), &database_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        DebugOutput("geocode cache: cannot open " + file_ + "; answers are kept in memory only");
        sqlite3_close(database_);
        database_ = nullptr;
        return false;
    }
    // The positions of one's photos are nobody else's business.
    chmod(file_.c_str(), S_IRUSR | S_IWUSR);
    sqlite3_busy_timeout(database_, kBusyMilliseconds);
    if (sqlite3_exec(database_, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) {
        DebugOutput(std::string("geocode cache: ") + sqlite3_errmsg(database_));
        sqlite3_close(database_);
        database_ = nullptr;
        return false;
    }
    prune();
    return true;
}

void GeocodeCache::prune() {
    storedSincePrune_ = 0;
    Statement old(database_, "DELETE FROM answers WHERE stored < ?");
    if (old) {
        sqlite3_bind_int64(old.get(), 1, Now() - limits_.age.count());
        sqlite3_step(old.get());
    }
    Statement surplus(database_, "DELETE FROM answers WHERE (endpoint, latitude, longitude) IN ("
                                 " SELECT endpoint, latitude, longitude FROM answers"
                                 " ORDER BY stored DESC LIMIT -1 OFFSET ?)");
    if (surplus) {
        sqlite3_bind_int64(surplus.get(), 1, static_cast<sqlite3_int64>(limits_.entries));
        sqlite3_step(surplus.get());
    }
}

std::optional<std::vector<std::string>> GeocodeCache::find(const std::string& endpoint,
                                                           double latitude, double longitude) {
    const Key key = Rounded(latitude, longitude);
    const std::lock_guard lock(mutex_);
    if (const auto found = memory_.find(MemoryKey(endpoint, key)); found != memory_.end()) {
        return found->second;
    }
    if (!open()) {
        return std::nullopt;
    }
    Statement select(database_, "SELECT components FROM answers WHERE endpoint = ?"
                                " AND latitude = ? AND longitude = ? AND stored >= ?");
    if (!select) {
        return std::nullopt;
    }
    sqlite3_bind_text(select.get(), 1, endpoint.c_str(), static_cast<int>(endpoint.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_int64(select.get(), 2, key.latitude);
    sqlite3_bind_int64(select.get(), 3, key.longitude);
    sqlite3_bind_int64(select.get(), 4, Now() - limits_.age.count());
    if (sqlite3_step(select.get()) != SQLITE_ROW) {
        return std::nullopt;
    }
    auto components = ParseComponents(sqlite3_column_text(select.get(), 0),
                                      sqlite3_column_bytes(select.get(), 0));
    if (components && memory_.size() < limits_.entries) {
        memory_.emplace(MemoryKey(endpoint, key), *components);
    }
    return components;
}

void GeocodeCache::store(const std::string& endpoint, double latitude, double longitude,
                         const std::vector<std::string>& components) {
    const Key key = Rounded(latitude, longitude);
    const std::lock_guard lock(mutex_);
    if (memory_.size() >= limits_.entries) {
        memory_.clear();
    }
    memory_[MemoryKey(endpoint, key)] = components;
    if (!open()) {
        return;
    }
    Statement insert(database_, "INSERT OR REPLACE INTO answers"
                                " (endpoint, latitude, longitude, components, stored)"
                                " VALUES (?, ?, ?, ?, ?)");
    if (!insert) {
        return;
    }
    const std::string text =
        nlohmann::json(components).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    sqlite3_bind_text(insert.get(), 1, endpoint.c_str(), static_cast<int>(endpoint.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_int64(insert.get(), 2, key.latitude);
    sqlite3_bind_int64(insert.get(), 3, key.longitude);
    sqlite3_bind_text(insert.get(), 4, text.c_str(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_int64(insert.get(), 5, Now());
    if (sqlite3_step(insert.get()) != SQLITE_DONE) {
        DebugOutput(std::string("geocode cache: ") + sqlite3_errmsg(database_));
    }
    if (++storedSincePrune_ >= kStoresBetweenPrunes) {
        prune();
    }
}

std::string defaultGeocodeCacheFile() {
    return UserCacheFolder() + "/tessaro/geocode.sqlite";
}
