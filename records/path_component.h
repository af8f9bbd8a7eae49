#pragma once

#include <string>

// A title as one component of a path: "/" becomes "／", and a title that is exactly "." or ".."
// becomes "．" or "．．", so that no title can lead a path out of the destination folder; the
// characters that card and disk file systems refuse, \ : * ? " < > |, become their full-width
// forms ＼ ： ＊ ？ ＂ ＜ ＞ ｜, so that a title that holds one is still a name there.
std::string PathComponent(const std::string& title);
