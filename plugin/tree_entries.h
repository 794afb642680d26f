// The plug-in's entries in the host's library tree: the root "Coverhall",
// "Genres" below it and one entry per genre, and their order in the tree.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

constexpr int kTreeEntryRows = 256;
constexpr int kTreeEntryNameSize = 80;

struct TreeEntry {
    int32_t id = 0;
    HTREEITEM node = nullptr;            // set only in the "Genres" row
    char name[kTreeEntryNameSize] = {};  // the title as far as it fits
    // The whole title: the album window matches genres by it, since name
    // holds only 79 characters.
    std::string fullName;
};

// Rows 0 ("Coverhall") and 1 ("Genres"), then the genres. Further genres get
// no entry: an entry without a row could not open anything when clicked.
extern TreeEntry g_treeEntries[kTreeEntryRows];
extern int g_treeEntryCount;
extern int g_rootEntryId;
extern int g_genresEntryId;

inline HTREEITEM genresNode() {
    return g_treeEntries[1].node;
}

// The first row below g_treeEntryCount with this id, or null.
const TreeEntry* findTreeEntry(int id);

// Whether the entry's view is the genre list window: only the "Genres" row
// itself, so that a genre of that name still shows its albums.
bool opensGenreList(const TreeEntry& entry);

// The genre an entry's album window shows: the full name of a genre row,
// empty for the root and "Genres" rows (found by position, so that a genre
// of either name keeps its filter).
std::string genreFilterOf(const TreeEntry& entry);

// The id of the first genre row titled as the genre ("Unknown" for the empty
// one), matched on the full name; 0 when there is none.
int genreEntryIdOf(const std::string& genre);

// Fills a row with an id and a title (null counts as empty).
void setTreeEntry(TreeEntry& row, int id, const char* title);

// Forgets every row, count, id and node (before a new start).
void clearTreeEntries();

// Adds a tree entry through library code 0x101 and gives the id the host
// wrote back (0 when the host did not answer).
int addTreeEntry(int parentId, const char* title, bool hasChildren);

// The parent of the root entry: the id that library code 0x104 writes into
// a record titled "Devices".
int findDevicesParent();

// One entry per genre of the library catalogue in first-seen order ("Unknown"
// for the empty genre), rows 2 onward, then g_treeEntryCount = rows used.
void addGenreEntries();

// Finds the root node among the top-level nodes of g_treeControl and the
// "Genres" node among its children; false when either is missing.
bool findGenresNode();

// Sorts the children of the "Genres" node by their texts without regard to
// case, descending when order is not 0. Nothing happens without that node.
void sortGenreEntries(int order);
