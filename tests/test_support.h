#pragma once

#include <chrono>
#include <functional>
#include <set>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. `path()` ends in '/'.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Writes `bytes` to `path`, creating missing folders; fails the test on error.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// tests/data of the source tree: real camera files (whole in cameras/whole, cut after their
// header segments in cameras/headers) and example geocoding answers (geocode).
std::string TestDataDir();

// Every path below `root`, relative to it, folders with a trailing '/'.
std::set<std::string> PathsBelow(const std::string& root);

// Asks `condition` every millisecond until it holds or `limit` has passed; whether it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(30));

// Seconds on a clock that runs only while the calling thread sleeps: two readings differ by the
// time it chose to wait in between, which a loaded machine does not lengthen as it does the wall
// clock. Without the scheduler's statistics it is the wall clock.
double SleepClock();
