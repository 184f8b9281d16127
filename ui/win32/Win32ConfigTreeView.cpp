// The configuration tree's window side.
#include "ui/win32/Win32ConfigTreeView.h"

#include <algorithm>
#include <utility>

#include "base/ScopeExit.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/ErrorReport.h"
#include "ui/win32/Actions.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/Controls.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

namespace {

constexpr int kTitleHeight = 22;
constexpr int kIndent = 35, kItemHeight = 26;
// The view's hidden window, a child of the tree's parent so that it goes with it. Taking the tree
// control over instead would make each of its thousands of messages at start-up cost more.
constexpr char kRoundTripClass[] = "VelmoraTarvello.TreeRoundTrips";
// Posted to it: the label edit of the node (wParam) starts again; a label edit ended, its box gone.
constexpr UINT kEditNode = WM_APP + 1;
constexpr UINT kNodeEdited = WM_APP + 2;

// The characters typed into the label edit (a Unicode window, whatever the tree) that the ANSI code
// page has no form for, each once, in the order typed.
std::vector<uint32_t> UnstorableCharacters(HWND edit) {
    std::vector<uint32_t> lost;
    if (!edit) return lost;
    std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(
        static_cast<size_t>(GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
    for (size_t i = 0; i < typed.size();) {
        const size_t units = IS_HIGH_SURROGATE(typed[i]) && i + 1 < typed.size() ? 2 : 1;
        char ansi[8] = {};
        wchar_t back[4] = {};
        const int size = WideCharToMultiByte(CP_ACP, 0, &typed[i], static_cast<int>(units), ansi,
                                             sizeof ansi, nullptr, nullptr);
        // Exact only when the way back gives the same character: best fit and "?" are not.
        const bool exact =
            size > 0 &&
            MultiByteToWideChar(CP_ACP, 0, ansi, size, back, 4) == static_cast<int>(units) &&
            std::equal(back, back + units, &typed[i]);
        const uint32_t code =
            units == 2 ? 0x10000 + ((typed[i] - 0xD800) << 10) + (typed[i + 1] - 0xDC00) : typed[i];
        if (!exact && std::find(lost.begin(), lost.end(), code) == lost.end()) lost.push_back(code);
        i += units;
    }
    return lost;
}

}  // namespace

void Win32ConfigTreeView::Create(HWND parent, ConfigTree& logic, HIMAGELIST images, UINT dpi) {
    logic_ = &logic;
    CreateControls(parent, {
        {kIdConfigTitle, "STATIC", "", SS_CENTERIMAGE | SS_SUNKEN, 0, 0, 0, 0},
        {kIdTree, WC_TREEVIEWA, "",
         WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_EDITLABELS | TVS_NOTOOLTIPS, 0, 0, 0, 0,
         WS_EX_CLIENTEDGE},
    });
    title_ = GetDlgItem(parent, kIdConfigTitle);
    tree_ = TreeView(GetDlgItem(parent, kIdTree));
    RegisterClass(kRoundTripClass, IDC_ARROW, nullptr);
    CreateWindowExA(0, kRoundTripClass, "", WS_CHILD, 0, 0, 0, 0, parent, nullptr, nullptr,
                    static_cast<WindowBase*>(this));
    menu_ = BuildTreeMenu();
    SetImages(images);
    SetDpi(dpi);
}

void Win32ConfigTreeView::SetDpi(UINT dpi) {
    dpi_ = dpi;
    for (HWND control : {title_, tree_.Handle()})
        SetWindowFont(control, MessageFont(dpi));
    tree_.SetIndent(Scaled(kIndent, dpi));
    tree_.SetItemHeight(Scaled(kItemHeight, dpi));
    LOGFONTA font{};
    GetObjectA(MessageFont(dpi), sizeof font, &font);
    font.lfUnderline = TRUE;
    underlined_.Reset(CreateFontIndirectA(&font));
}

void Win32ConfigTreeView::Place(int x, int y, int width, int height) {
    const int title = Scaled(kTitleHeight, dpi_);
    MoveWindow(title_, x, y, width, title, TRUE);
    MoveWindow(tree_.Handle(), x, y + title, width, height - title, TRUE);
}

void Win32ConfigTreeView::ClearTree() {
    changing_ = true;
    const ScopeExit done([&] { changing_ = false; });
    tree_.CancelLabelEdit();  // an edit left open would end on another node
    tree_.Clear();
}

void Win32ConfigTreeView::SetTreeRedraw(bool enabled) {
    tree_.SetRedraw(enabled);
}

void Win32ConfigTreeView::AppendTreeNode(TConfigNode& node, int imageIndex) {
    tree_.Append(node.Text, imageIndex, reinterpret_cast<LPARAM>(&node));
}

void Win32ConfigTreeView::SelectNode(TConfigNode* node) {
    changing_ = true;
    const ScopeExit done([&] { changing_ = false; });
    tree_.Select(node ? ItemOf(*node) : nullptr);
}

void Win32ConfigTreeView::RemoveTreeNode(TConfigNode& node) {
    changing_ = true;
    const ScopeExit done([&] { changing_ = false; });
    tree_.CancelLabelEdit();
    tree_.Remove(ItemOf(node));
}

void Win32ConfigTreeView::PostEditNode(TConfigNode& node) {
    PostMessageA(Handle(), kEditNode, reinterpret_cast<WPARAM>(&node), 0);
}

void Win32ConfigTreeView::EditNodeLabel(TConfigNode& node) {
    tree_.Focus();
    tree_.EditLabel(ItemOf(node));
}

void Win32ConfigTreeView::ShowNodeText(TConfigNode& node) {
    tree_.SetItemText(ItemOf(node), node.Text);
}

TConfigNode* Win32ConfigTreeView::NodeOf(HTREEITEM item) const {
    return item ? reinterpret_cast<TConfigNode*>(tree_.Data(item)) : nullptr;
}

HTREEITEM Win32ConfigTreeView::ItemOf(const TConfigNode& node) const {
    for (HTREEITEM item = tree_.First(); item; item = tree_.Next(item))
        if (NodeOf(item) == &node) return item;
    return nullptr;
}

LRESULT Win32ConfigTreeView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kEditNode) {
        logic_->EditNode(*reinterpret_cast<TConfigNode*>(wParam));
        return 0;
    }
    if (message == kNodeEdited) {
        NodeEdited();
        return 0;
    }
    return Default(message, wParam, lParam);
}

void Win32ConfigTreeView::NodeEdited() {
    TConfigNode* node = std::exchange(editedNode_, nullptr);
    if (!node || !ItemOf(*node)) return;
    logic_->tvConfigEdited(*node, editedText_, editedUnstorable_);
}

const std::string& Win32ConfigTreeView::HintAt(POINT screen) {
    ScreenToClient(tree_.Handle(), &screen);
    const HTREEITEM item = tree_.ItemAt(screen);
    if (item) logic_->tvConfigMouseMove(NodeOf(item));
    return hint_;
}

void Win32ConfigTreeView::ShowMenu(LPARAM position) {
    // The menu acts on the selected node: a right click does not select, and the keyboard opens
    // the menu at that node.
    RECT node{};
    const HTREEITEM selected = tree_.Selection();
    const bool shown = selected && tree_.TextRect(selected, node);
    const POINT at = ContextMenuPoint(tree_.Handle(), position, shown ? &node : nullptr);
    TrackPopupMenu(menu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                   GetParent(tree_.Handle()), nullptr);
}

LRESULT Win32ConfigTreeView::CustomDraw(NMTVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
        reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec) == tree_.Selection()) {
        SelectObject(draw.nmcd.hdc, underlined_.Get());
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

bool Win32ConfigTreeView::OnNotify(const NMHDR& header, LRESULT& result) {
    ConfigTree& tree = *logic_;
    switch (header.code) {
        case TVN_SELCHANGINGA:
        case TVN_SELCHANGINGW:
            // Refused unless the logic allows it: a save in the prompt that failed is reported
            // and keeps the selection and the edits, as Cancel does. A change the logic makes
            // itself has been asked about already.
            result = TRUE;
            Guarded(GetParent(tree_.Handle()),
                    [&] { result = changing_ || tree.tvConfigChanging() ? FALSE : TRUE; });
            return true;
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW: {
            const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
            if (!changing_) tree.tvConfigChange(reinterpret_cast<TConfigNode*>(change.itemNew.lParam));
            return true;
        }
        case TVN_BEGINLABELEDITA:
            // Kept for the end of the edit: the tree no longer gives its edit box out by then.
            labelEdit_ = tree_.EditControl();
            result = FALSE;
            return true;
        case TVN_ENDLABELEDITA: {
            const auto& edit = reinterpret_cast<const NMTVDISPINFOA&>(header);
            // No text: the edit was cancelled, and the name stays. Otherwise the name is checked
            // once the edit box has gone, so that a message about it cannot end the edit anew.
            if (edit.item.pszText) {
                editedNode_ = reinterpret_cast<TConfigNode*>(edit.item.lParam);
                editedText_ = edit.item.pszText;
                editedUnstorable_ =
                    UnstorableCharacters(IsWindow(labelEdit_) ? labelEdit_ : tree_.EditControl());
                PostMessageA(Handle(), kNodeEdited, 0, 0);
            }
            result = FALSE;  // the logic shows the name it keeps
            return true;
        }
        case TVN_KEYDOWN: {
            // The keys Windows users expect in a list of names: F2 renames, Delete deletes.
            const auto key = reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey;
            if (key == VK_F2) tree.actModifyExecute();
            if (key == VK_DELETE) tree.actDeleteExecute();
            result = 0;
            return key == VK_F2 || key == VK_DELETE;
        }
        case NM_RCLICK:
            ShowMenu(static_cast<LPARAM>(GetMessagePos()));
            result = TRUE;
            return true;
        case NM_CUSTOMDRAW:
            result = CustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
            return true;
        default:
            return false;
    }
}

}  // namespace vt::win32
