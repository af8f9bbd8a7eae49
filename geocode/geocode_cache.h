#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;

// Answers of web geocoding services, keyed by endpoint and by position rounded to 1e-4 degree
// (about 10 m), kept in the process and in an SQLite database on disk, which the desktop program
// and tessaro-cli may use at the same time (SQLite's own locking, waits bounded by a time-out).
// The database holds at most `entries` answers, none older than `age`: both are enforced when it
// is opened and after every thousand answers stored. Whatever goes wrong with the database (it
// cannot be created, is locked too long, is damaged) leaves the cache working in memory alone.
// Callable from any thread.
class GeocodeCache {
public:
    struct Limits {
        std::chrono::seconds age{std::chrono::hours(24 * 180)};
        std::size_t entries = 200'000;
    };

    // `file` empty: memory only.
    explicit GeocodeCache(std::string file, Limits limits);
    explicit GeocodeCache(std::string file) : GeocodeCache(std::move(file), Limits{}) {}
    ~GeocodeCache();
    GeocodeCache(const GeocodeCache&) = delete;
    GeocodeCache& operator=(const GeocodeCache&) = delete;

    // The components kept for the position, coarsest first.
    std::optional<std::vector<std::string>> find(const std::string& endpoint, double latitude,
                                                 double longitude);
    void store(const std::string& endpoint, double latitude, double longitude,
               const std::vector<std::string>& components);

private:
    bool open();
    void prune();

    std::mutex mutex_;
    std::string file_;
    Limits limits_;
    sqlite3* database_ = nullptr;
    bool openTried_ = false;
    std::size_t storedSincePrune_ = 0;
    std::unordered_map<std::string, std::vector<std::string>> memory_;
};

// $XDG_CACHE_HOME/tessaro/geocode.sqlite (~/.cache/tessaro/ when XDG_CACHE_HOME is unset).
std::string defaultGeocodeCacheFile();
