// The options dialog's window, forwarding to the portable logic.
#include "ui/win32/OptionsDialog.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Images.h"

namespace vt::win32 {

namespace {

constexpr int kDivider = 310, kItemsLabel = 311, kCardsLabel = 312, kSecondsLabel = 313;
constexpr int kMenuSelectAll = 1, kMenuInvert = 2, kMenuClear = 3;
constexpr DWORD kCheckList = WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                             LVS_NOSORTHEADER;

// Which controls each page shows.
const int kPages[3][7] = {{kIdChkEnableMenu, kIdChkCustomizeIcon, kIdChkAutorun, kDivider,
                           kIdChkConfirmApply, kIdEdtConfirmSeconds, kSecondsLabel},
                          {kItemsLabel, kIdLvItems},
                          {kCardsLabel, kIdLvCardList}};

}  // namespace

void Win32OptionsDialog::Run(TfrmOptions& logic) {
    // Asked for again while open (the tray menu still works): it comes to the front, and the
    // one that runs keeps its choices.
    if (IsOpen()) {
        SetForegroundWindow(Window());
        return;
    }
    logic_ = &logic;
    ModalDialog::Run(owner_);
    logic_ = nullptr;
}

WindowHandle Win32OptionsDialog::Handle() {
    return reinterpret_cast<WindowHandle>(Window() ? Window() : owner_);
}

bool Win32OptionsDialog::OnInitDialog() {
    CreateControls(Window(), {
        {kIdChkEnableMenu, "BUTTON",
         "Enable contextmenu items when right click on \"My Network Place\"",
         WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 24, 82, 350, 30},
        {kIdChkCustomizeIcon, "BUTTON", "Allows you choose icon for the new shortcut",
         WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 24, 116, 350, 30},
        {kIdChkAutorun, "BUTTON", "Autorun  when Windows starts ", WS_TABSTOP | BS_AUTOCHECKBOX,
         24, 46, 350, 20},
        {kIdChkConfirmApply, "BUTTON", "Ask to &keep new settings, else restore them after",
         WS_TABSTOP | BS_AUTOCHECKBOX, 24, 152, 350, 20},
        {kIdEdtConfirmSeconds, "EDIT", "", WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 42, 176, 40,
         21, WS_EX_CLIENTEDGE},
        {kSecondsLabel, "STATIC", "seconds", 0, 88, 179, 80, 16},
        {kDivider, "STATIC", "", SS_ETCHEDHORZ, 24, 74, 346, 2},
        {kItemsLabel, "STATIC", "Choose the items to load when right click on \"My Network Places\":",
         0, 20, 40, 356, 28},
        {kIdLvItems, WC_LISTVIEWA, "", kCheckList | LVS_NOCOLUMNHEADER, 20, 70, 357, 172,
         WS_EX_CLIENTEDGE},
        {kCardsLabel, "STATIC", "Choose the adapters to manage from the list below:", 0, 20, 40,
         356, 16},
        {kIdLvCardList, WC_LISTVIEWA, "", kCheckList, 20, 60, 357, 182, WS_EX_CLIENTEDGE},
        {IDOK, "BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 226, 262, 75, 25},
        {IDCANCEL, "BUTTON", "&Cancel", WS_TABSTOP, 310, 262, 75, 25},
        {kIdOptionsPages, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 8, 8, 381, 244},
    });
    const TabControl pages(Item(kIdOptionsPages));
    const char* captions[] = {" General  ", " Contextmenu Items ", " Network Adapters"};
    for (int i = 0; i < 3; ++i) pages.Insert(i, captions[i]);
    ListView items(Item(kIdLvItems)), cards(Item(kIdLvCardList));
    for (const ListView& list : {items, cards})
        list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    items.AddColumn(0, "");
    cards.AddColumn(0, "Connection Name");
    cards.AddColumn(1, "Adapter Name");
    OnDpi(Dpi());
    for (const OptionsItem& row : logic_->Items) items.AddRow(row.caption);
    for (const OptionsCard& row : logic_->CardList) {
        cards.AddRow(row.connectionName, row.image);
        cards.SetCell(cards.Count() - 1, 1, row.driverDesc);
    }
    items.SizeColumnToContent(0, "");
    cards.SizeColumnToContent(0, "Connection Name");
    cards.SizeColumnToContent(1, "Adapter Name");
    CheckBox(Item(kIdChkAutorun)).SetChecked(logic_->Autorun);
    CheckBox(Item(kIdChkEnableMenu)).SetChecked(logic_->EnableMenu);
    CheckBox(Item(kIdChkCustomizeIcon)).SetChecked(logic_->CustomizeIcon);
    CheckBox(Item(kIdChkConfirmApply)).SetChecked(logic_->ConfirmApply);
    EditBox(Item(kIdEdtConfirmSeconds)).SetLimit(3);
    SetDlgItemInt(Window(), kIdEdtConfirmSeconds, static_cast<UINT>(logic_->ConfirmSeconds), FALSE);
    EnableWindow(Item(kIdEdtConfirmSeconds), logic_->ConfirmApply);
    ShowRows();
    ShowPage(0);
    return true;
}

void Win32OptionsDialog::ShowPage(int page) {
    for (int i = 0; i < 3; ++i)
        for (int id : kPages[i])
            if (id) ShowWindow(Item(id), i == page ? SW_SHOW : SW_HIDE);
}

void Win32OptionsDialog::ShowRows() {
    if (!Window() || !logic_) return;
    const ListView items(Item(kIdLvItems)), cards(Item(kIdLvCardList));
    for (size_t i = 0; i < logic_->Items.size(); ++i)
        items.SetChecked(static_cast<int>(i), logic_->Items[i].checked);
    for (size_t i = 0; i < logic_->CardList.size(); ++i)
        cards.SetChecked(static_cast<int>(i), logic_->CardList[i].checked);
}

void Win32OptionsDialog::TakeChoices() {
    const ListView items(Item(kIdLvItems)), cards(Item(kIdLvCardList));
    for (size_t i = 0; i < logic_->Items.size(); ++i)
        logic_->Items[i].checked = items.IsChecked(static_cast<int>(i));
    for (size_t i = 0; i < logic_->CardList.size(); ++i)
        logic_->CardList[i].checked = cards.IsChecked(static_cast<int>(i));
    logic_->Autorun = CheckBox(Item(kIdChkAutorun)).IsChecked();
    logic_->EnableMenu = CheckBox(Item(kIdChkEnableMenu)).IsChecked();
    logic_->CustomizeIcon = CheckBox(Item(kIdChkCustomizeIcon)).IsChecked();
    logic_->ConfirmApply = CheckBox(Item(kIdChkConfirmApply)).IsChecked();
    BOOL digits = FALSE;
    const UINT seconds = GetDlgItemInt(Window(), kIdEdtConfirmSeconds, &digits, FALSE);
    // An emptied box keeps what it showed; the store keeps the number within its limits.
    if (digits) logic_->ConfirmSeconds = static_cast<int>(seconds);
}

void Win32OptionsDialog::OnContextMenu(HWND control, LPARAM position) {
    const int id = GetDlgCtrlID(control);
    if (id != kIdLvItems && id != kIdLvCardList) return;
    const ListView list(control);
    RECT row{};
    const bool shown = list.Selected() >= 0 && list.RowRect(list.Selected(), row);
    const POINT at = ContextMenuPoint(control, position, shown ? &row : nullptr);
    const UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, kMenuSelectAll, "Select &All");
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.Get(), MF_STRING, kMenuInvert, "Invert Selected");
    AppendMenuA(menu.Get(), MF_STRING, kMenuClear, "&Clear Selected");
    const int chosen = static_cast<int>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                       at.x, at.y, 0, Window(), nullptr));
    if (!chosen) return;
    TakeChoices();
    const bool items = id == kIdLvItems;
    if (chosen == kMenuSelectAll) items ? logic_->SelectAll1Click() : logic_->MenuItem4Click();
    if (chosen == kMenuInvert) items ? logic_->Invert1Click() : logic_->MenuItem3Click();
    if (chosen == kMenuClear) items ? logic_->Clear1Click() : logic_->MenuItem1Click();
}

bool Win32OptionsDialog::OnCommand(int id, int code, HWND) {
    if (id == kIdChkConfirmApply && code == BN_CLICKED) {  // the seconds count only when asked
        EnableWindow(Item(kIdEdtConfirmSeconds), CheckBox(Item(kIdChkConfirmApply)).IsChecked());
        return true;
    }
    if (id == IDOK) {
        TakeChoices();
        logic_->sBitBtn1Click();
        return true;
    }
    if (id == IDCANCEL) {  // Cancel, Escape and the close box
        logic_->sBitBtn2Click();
        return true;
    }
    return false;
}

bool Win32OptionsDialog::OnNotify(int id, const NMHDR& header) {
    if (id == kIdOptionsPages && header.code == TCN_SELCHANGE) {
        ShowPage(TabControl(header.hwndFrom).Selected());
        return true;
    }
    return false;
}

void Win32OptionsDialog::OnDpi(UINT dpi) {
    // The list holds the new pictures before the old ones are destroyed.
    UniqueImageList images = LoadImageStrip(IDB_ADAPTERS, kAdapterImageSize, dpi);
    ListView(Item(kIdLvCardList)).SetSmallImages(images.Get());
    adapterImages_ = std::move(images);
}

}  // namespace vt::win32
