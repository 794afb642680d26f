#include "host/list_probes.h"

#include <vector>

#include "host/stand_in_host.h"

namespace coverhall::host {
namespace {

LRESULT notifyParent(HWND from, UINT code, NMHDR& header) {
    header.hwndFrom = from;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
    header.code = code;
    return SendMessageA(GetParent(from), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
}

// One display request in either character width; the answer's text in the
// system code page.
template <typename Info, typename Char>
DisplayAnswer requestDisplayAs(HWND list, int item, int subItem, UINT mask, int size, UINT code) {
    constexpr Char kUntouched = 0x7f;
    std::vector<Char> buffer(static_cast<size_t>(size > 0 ? size : 1), kUntouched);
    Info info{};
    info.item.mask = mask;
    info.item.iItem = item;
    info.item.iSubItem = subItem;
    info.item.pszText = size > 0 ? buffer.data() : nullptr;
    info.item.cchTextMax = size;
    info.item.iImage = -1;
    notifyParent(list, code, info.hdr);
    DisplayAnswer answer;
    answer.textTouched = size > 0 && buffer[0] != kUntouched;
    if (answer.textTouched) {
        buffer.back() = 0;
        if constexpr (sizeof(Char) == 1) {
            answer.text = buffer.data();
        } else {
            char narrow[1024] = "";
            WideCharToMultiByte(CP_ACP, 0, buffer.data(), -1, narrow, sizeof narrow, nullptr,
                                nullptr);
            answer.text = narrow;
        }
    }
    answer.image = info.item.iImage;
    answer.state = info.item.state;
    return answer;
}

}  // namespace

DisplayAnswer requestDisplay(HWND list, int item, int subItem, UINT mask, int size) {
    return requestDisplayAs<NMLVDISPINFOA, char>(list, item, subItem, mask, size, LVN_GETDISPINFOA);
}

DisplayAnswer requestDisplayWide(HWND list, int item, int subItem, UINT mask, int size) {
    return requestDisplayAs<NMLVDISPINFOW, wchar_t>(list, item, subItem, mask, size,
                                                    LVN_GETDISPINFOW);
}

std::string requestInfoTip(HWND list, int item, int size, const std::string& before) {
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 1), '\0');
    if (size > 0) lstrcpynA(buffer.data(), before.c_str(), size);
    NMLVGETINFOTIPA tip{};
    tip.pszText = size > 0 ? buffer.data() : nullptr;
    tip.cchTextMax = size;
    tip.iItem = item;
    notifyParent(list, LVN_GETINFOTIPA, tip.hdr);
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

LRESULT requestFind(HWND list, int start, UINT flags, const std::string& text, bool wide) {
    HWND owner = GetParent(list);
    SetWindowLongPtrA(owner, DWLP_MSGRESULT, 0x5A5A);
    if (wide) {
        std::wstring typed(text.begin(), text.end());
        NMLVFINDITEMW find{};
        find.iStart = start;
        find.lvfi.flags = flags;
        find.lvfi.psz = typed.c_str();
        notifyParent(list, LVN_ODFINDITEMW, find.hdr);
    } else {
        NMLVFINDITEMA find{};
        find.iStart = start;
        find.lvfi.flags = flags;
        find.lvfi.psz = text.c_str();
        notifyParent(list, LVN_ODFINDITEMA, find.hdr);
    }
    return GetWindowLongPtrA(owner, DWLP_MSGRESULT);
}

void sendListKeyDown(HWND list, WORD key) {
    NMLVKEYDOWN down{};
    down.wVKey = key;
    notifyParent(list, LVN_KEYDOWN, down.hdr);
}

void sendColumnClick(HWND list, int column) {
    NMLISTVIEW click{};
    click.iItem = -1;
    click.iSubItem = column;
    notifyParent(list, LVN_COLUMNCLICK, click.hdr);
}

void sendEndTrack(HWND list, int column, int width, bool withItem) {
    HWND header = ListView_GetHeader(list);
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    NMHEADERA end{};
    end.iItem = column;
    end.pitem = withItem ? &item : nullptr;
    end.hdr.hwndFrom = header;
    end.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(header));
    end.hdr.code = HDN_ENDTRACKA;
    // The list view hands its header's notifications on to its own parent.
    SendMessageA(GetParent(list), WM_NOTIFY, end.hdr.idFrom, reinterpret_cast<LPARAM>(&end));
}

}  // namespace coverhall::host
