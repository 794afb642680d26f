#include "plugin/tree_entries.h"

#include <unordered_map>

#include "catalogue/album_record.h"
#include "covers/plugin_state.h"
#include "plugin/plugin_entry.h"
#include "win/host_interface.h"
#include "win/plugin_globals.h"

TreeEntry g_treeEntries[kTreeEntryRows];
int g_treeEntryCount = 0;
int g_rootEntryId = 0;
int g_genresEntryId = 0;

namespace {

// The tree control's own compare buffer: texts compare on at most 255
// characters.
constexpr int kNodeTextSize = 256;

LPARAM nodeParameter(HWND tree, HTREEITEM node) {
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

HTREEITEM nextNode(HWND tree, WPARAM relation, HTREEITEM node) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(node)));
}

// Finds the first of the node and its following siblings whose parameter is id.
HTREEITEM findSibling(HWND tree, HTREEITEM first, int id) {
    for (HTREEITEM node = first; node; node = nextNode(tree, TVGN_NEXT, node))
        if (nodeParameter(tree, node) == id) return node;
    return nullptr;
}

// The first node with this parameter in the subtrees from first on, depth
// first.
HTREEITEM findInTree(HWND tree, HTREEITEM first, int id) {
    for (HTREEITEM node = first; node; node = nextNode(tree, TVGN_NEXT, node)) {
        if (nodeParameter(tree, node) == id) return node;
        if (HTREEITEM below = findInTree(tree, nextNode(tree, TVGN_CHILD, node), id)) return below;
    }
    return nullptr;
}

struct SortContext {
    int order = 0;
    // Entry id -> its node text. Read once before the sort instead of walking
    // the children for each of the n log n comparisons; a node missing from
    // the map counts as an empty text, as a node not found would.
    std::unordered_map<LPARAM, std::string> texts;
};

int CALLBACK compareGenreEntries(LPARAM first, LPARAM second, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    auto textOf = [&](LPARAM id) {
        const auto found = sort.texts.find(id);
        return found == sort.texts.end() ? "" : found->second.c_str();
    };
    const int result = lstrcmpiA(textOf(first), textOf(second));
    return sort.order != 0 ? -result : result;
}

}  // namespace

const TreeEntry* findTreeEntry(int id) {
    for (int row = 0; row < g_treeEntryCount && row < kTreeEntryRows; ++row)
        if (g_treeEntries[row].id == id) return &g_treeEntries[row];
    return nullptr;
}

bool opensGenreList(const TreeEntry& entry) {
    return &entry == &g_treeEntries[1] && entry.fullName == "Genres";
}

std::string genreFilterOf(const TreeEntry& entry) {
    return &entry >= &g_treeEntries[2] ? entry.fullName : std::string();
}

int genreEntryIdOf(const std::string& genre) {
    const std::string& title = genre.empty() ? std::string(kUnknownGenre) : genre;
    for (int row = 2; row < g_treeEntryCount; ++row)
        if (g_treeEntries[row].fullName == title) return g_treeEntries[row].id;
    return 0;
}

void setTreeEntry(TreeEntry& row, int id, const char* title) {
    row.id = id;
    row.fullName = title ? title : "";
    lstrcpynA(row.name, row.fullName.c_str(), kTreeEntryNameSize);
}

void clearTreeEntries() {
    for (TreeEntry& row : g_treeEntries) row = TreeEntry{};
    g_treeEntryCount = 0;
    g_rootEntryId = 0;
    g_genresEntryId = 0;
}

int addTreeEntry(int parentId, const char* title, bool hasChildren) {
    std::string text = title ? title : "";
    TreeItemRecord record{parentId, text.data(), hasChildren ? 1 : 0, 0};
    SendMessageA(g_pluginRecord.libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&record),
                 LibraryCode::kAddTreeItem);
    return record.id;
}

int findDevicesParent() {
    char title[] = "Devices";
    TreeItemRecord record{0, title, 0, 0};
    SendMessageA(g_pluginRecord.libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&record),
                 LibraryCode::kFindTreeItem);
    return record.id;
}

void addGenreEntries() {
    int row = 2;
    for (const std::string& genre : libraryCatalogue().genreNames()) {
        if (row >= kTreeEntryRows) break;
        const char* title = genre.empty() ? kUnknownGenre : genre.c_str();
        setTreeEntry(g_treeEntries[row], addTreeEntry(g_genresEntryId, title, false), title);
        ++row;
    }
    g_treeEntryCount = row;
}

bool findGenresNode() {
    HWND tree = g_treeControl;
    if (!tree) return false;
    // The root may sit at the top or below the host's "Devices" entry.
    HTREEITEM root = findInTree(tree, nextNode(tree, TVGN_ROOT, nullptr), g_rootEntryId);
    if (!root) return false;
    HTREEITEM genres = findSibling(tree, nextNode(tree, TVGN_CHILD, root), g_genresEntryId);
    if (!genres) return false;
    g_treeEntries[1].node = genres;
    return true;
}

void sortGenreEntries(int order) {
    HWND tree = g_treeControl;
    HTREEITEM parent = genresNode();
    if (!tree || !parent) return;
    SortContext context;
    context.order = order;
    for (HTREEITEM node = nextNode(tree, TVGN_CHILD, parent); node;
         node = nextNode(tree, TVGN_NEXT, node)) {
        char text[kNodeTextSize] = "";
        TVITEMA item{};
        item.mask = TVIF_TEXT | TVIF_PARAM;
        item.hItem = node;
        item.pszText = text;
        item.cchTextMax = kNodeTextSize;
        if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) continue;
        text[kNodeTextSize - 1] = '\0';
        // The first node with an id wins, as a search of the children would.
        context.texts.emplace(item.lParam, text);
    }
    TVSORTCB sort{};
    sort.hParent = parent;
    sort.lpfnCompare = compareGenreEntries;
    sort.lParam = reinterpret_cast<LPARAM>(&context);
    SendMessageA(tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}
