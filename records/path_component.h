#pragma once

#include <string>

enum class ComponentOf { Folder, Photo };

// A title as one component of a path. It is cleaned first as titles are composed
// (cleanFolderTitle, or cleanFileName for a photo: no control characters, no trailing dots or
// spaces), so that a title typed by hand, or read from anywhere, is a name exFAT and FAT take.
// A title that cleaning would empty ("." or "..") keeps its dots and spaces in full-width form
// ("．", "．．"). Then "/" becomes "／", so that no title can lead a path out of the destination
// folder, and the characters that card and disk file systems refuse, \ : * ? " < > |, become
// their full-width forms ＼ ： ＊ ？ ＂ ＜ ＞ ｜, so that a title that holds one is still a name
// there. Empty only for a title of nothing but control characters, or none.
std::string PathComponent(const std::string& title, ComponentOf kind);
