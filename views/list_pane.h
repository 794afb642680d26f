// The base of the objects that each handle one list control of a window: the
// list is subclassed with the object as its reference data, so that it wants
// every key (Enter, Escape, Tab and the arrows reach it instead of the dialog
// manager), and the subclass goes with the list's last message. A pane with
// a context menu opens it on a right click on an item and on the
// context-menu key or Shift+F10 at the focused item.
#pragma once

#include <windows.h>
#include <commctrl.h>

struct ListViewHelper;

// A column's title, which is also its width key, and its default width.
struct ColumnSpec {
    const char* title;
    int width;
};

class ListPane {
  public:
    ListPane() = default;
    virtual ~ListPane();
    ListPane(const ListPane&) = delete;
    ListPane& operator=(const ListPane&) = delete;

    // Takes the list and subclasses it; a null list leaves the pane empty.
    void attachList(HWND list);
    HWND list() const { return list_; }

    // The end of a drag of a column border in this list's header: the width
    // is stored under the column's title in the list's section of the width
    // file, which the list's window text names. False for another header.
    bool saveColumnWidth(const NMHEADERA& header) const;

  protected:
    // Attaches the helper to the list and adds the columns at their stored
    // widths.
    void addColumns(ListViewHelper& helper, HWND libraryWindow, const ColumnSpec* columns,
                    int count) const;
    // The window that holds the list.
    HWND owner() const { return list_ ? GetParent(list_) : nullptr; }
    // A message to the list, offered before the list's own procedure; true
    // when handled, with its result set.
    virtual bool onListMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) {
        return false;
    }
    // The menu resource (one popup) of the list's context menu; 0 for none.
    // The chosen command goes to the owner window as WM_COMMAND.
    virtual int contextMenuId() const { return 0; }
    // The context menu's popup before it opens, with something selected.
    virtual void prepareMenu(HMENU /*popup*/) const {}

  private:
    bool onContextMenuMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void openMenuAtClick(POINT screen);
    void openMenuAtFocus();
    void openContextMenu(POINT screen) const;

    static LRESULT CALLBACK subclassProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR pane);
    void detach();

    HWND list_ = nullptr;
};
