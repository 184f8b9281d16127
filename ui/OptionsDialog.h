// The options dialog's logic: autorun, the context-menu extension, the shortcut icon, whether an
// apply is kept only when confirmed, which configurations the menus offer and which adapters are
// managed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "net/AdapterInventory.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

namespace vt {

struct OptionsItem {  // a row of lvItems: a configuration offered in the menus
    std::string caption;  // the display name
    std::string key;      // its configuration key
    bool checked = false;
};

struct OptionsCard {  // a row of LvCardList: an adapter with a network connection
    std::string connectionName;
    std::string driverDesc;
    std::string cfgInstanceId;
    int image = 0;  // 1 wireless, 0 else
    bool checked = false;
};

enum class CheckMode { Uncheck = 0, Check = 1, Invert = 2 };

// What the dialog's logic asks of its window.
class OptionsView {
  public:
    virtual ~OptionsView() = default;
    virtual WindowHandle Handle() = 0;  // the owner of the dialog's message box
    virtual void ShowRows() = 0;        // the lists show the rows as they now are
    virtual void Close() = 0;
};

inline constexpr char kNoAdaptersChosen[] =
    "You didn't select any Adapters, The default adapters will be used.   ";
inline constexpr char kContextMenuLibrary[] = "contmenu.dll";
inline constexpr char kContextMenuStays[] =
    "The context menu items stay in Explorer for every user of this computer: an administrator "
    "added them, and only an administrator can remove them. Run Velmora Tarvello as "
    "administrator and uncheck the option again.";

class TfrmOptions {
  public:
    TfrmOptions(OptionsView& view, Prompts& prompts) : view_(view), prompts_(prompts) {}

    bool Autorun = false, EnableMenu = true, CustomizeIcon = false;
    // Ask to keep an apply's new settings, else restore them after that many seconds.
    bool ConfirmApply = false;
    int ConfirmSeconds = 15;
    std::vector<OptionsItem> Items;
    std::vector<OptionsCard> CardList;
    std::string OldFilters, NewFilters;
    bool Accepted = false;
    // Asked by OK when the managed adapters change, before anything is stored and while the old
    // cards still stand: the main window's save prompt. False keeps the dialog open.
    std::function<bool()> ConfirmCardsChange;

    // Every adapter with a key under the network connections, checked when it is managed now.
    void LoadCardList(RegistryFactory& registry, const TCardList& cards);
    // Each checked adapter's id followed by ",", in list order.
    std::string GetFilters() const;
    template <typename Row>
    static void CheckItems(std::vector<Row>& rows, CheckMode mode) {
        for (Row& row : rows) row.checked = mode == CheckMode::Invert ? !row.checked
                                                                      : mode == CheckMode::Check;
    }

    void SelectAll1Click() { Check(Items, CheckMode::Check); }
    void Invert1Click() { Check(Items, CheckMode::Invert); }
    void Clear1Click() { Check(Items, CheckMode::Uncheck); }
    void MenuItem4Click() { Check(CardList, CheckMode::Check); }
    void MenuItem3Click() { Check(CardList, CheckMode::Invert); }
    void MenuItem1Click() { Check(CardList, CheckMode::Uncheck); }
    void sBitBtn1Click();  // OK
    void sBitBtn2Click() { view_.Close(); }

  private:
    template <typename Row>
    void Check(std::vector<Row>& rows, CheckMode mode) {
        CheckItems(rows, mode);
        view_.ShowRows();
    }

    OptionsView& view_;
    Prompts& prompts_;
};

// Loads the extension beside the executable and calls its DllRegisterServer or
// DllUnregisterServer; true when the entry point was found and called, with what it returned in
// `result`. Nothing is reported here.
bool RegisterContextMenu(Shell& shell, const std::string& path, bool doRegister, int32_t& result);

}  // namespace vt
