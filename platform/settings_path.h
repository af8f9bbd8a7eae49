#pragma once

#include <string>

// The base name of an executable path ("/usr/bin/tessaro" -> "tessaro").
std::string ApplicationName(const std::string& executablePath);

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or relative (HOME, else the password
// entry).
// No trailing slash.
std::string UserConfigFolder();

// $XDG_CACHE_HOME, or ~/.cache when it is unset, empty or relative. No trailing slash.
std::string UserCacheFolder();

// <config folder>/<app>/<app>Init.Ini, for example ~/.config/tessaro/tessaroInit.Ini.
std::string SettingsFilePath(const std::string& applicationName);
