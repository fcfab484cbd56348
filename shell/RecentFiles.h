#pragma once
// The recent-file list (most recent first, RecentFileNum entries shown,
// commands 57616-57631) and the favourite-file list ("Use File List", 20
// places, commands 33117-33136 open and 33137-33156 remove), and the texts
// their menus show.
#include <array>
#include <string>
#include <vector>

#include "settings/FrameOptions.h"
#include "settings/OpenFileList.h"

namespace orvex::shell {

constexpr int kRecentFirstCommand = 57616;
constexpr int kRecentLastCommand = 57631;
constexpr int kFavouriteDisplayLength = 30;

// Puts path at the top; an entry of the same path moves up; entries beyond
// count (0..16) drop off. An empty path changes nothing.
void addRecentFile(settings::RecentFileList& list, const std::string& path, int count);
// Removes entry i (0 = most recent), the others move up.
void removeRecentFile(settings::RecentFileList& list, size_t i);
void clearRecentFiles(settings::RecentFileList& list);
// The entries the menu shows: the non-empty ones, at most count.
std::vector<std::string> shownRecentFiles(const settings::RecentFileList& list, int count);

using FavouriteList = std::array<std::string, settings::kFavouriteFileCount>;
// Adds path to the first free place unless it is listed already; false when
// it was listed or the list is full.
bool addFavourite(FavouriteList& list, const std::string& path);
// Removes entry i; the entries after it move up.
bool removeFavourite(FavouriteList& list, size_t i);

// A path (the file system's bytes, UTF-8) shortened for a menu to at most
// maxChars characters, never inside a character: the start of the path,
// "...", and its end with the file name, as far as they fit.
std::string shortenedPath(const std::string& path, size_t maxChars);
// The menu label of entry n (1-based): its access key ("&1".."&9", "1&0",
// then the number) and the shortened path; "&" in the path is doubled.
std::string fileMenuLabel(int n, const std::string& path, size_t maxChars);

}  // namespace orvex::shell
