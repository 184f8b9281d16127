// The extension's menu, its texts and verbs, and what an item starts. Nothing may harm Explorer:
// every method catches every error and answers with a failure code.
#include "shellext/win32/ContextMenuExtension.h"

#include <shellapi.h>

#include <atomic>
#include <exception>
#include <new>

#include "base/AnsiText.h"
#include "core/CommandLine.h"
#include "core/ProductIdentity.h"
#include "core/SettingsLayout.h"
#include "platform/win32/ErrorReport.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32System.h"
#include "shellext/ContextMenuItems.h"

namespace vt::win32 {

namespace {

std::atomic<LONG> liveObjects{0}, serverLocks{0};

// Explorer waits on the menu: a settings file held by another program is given this long, and
// the whole read not much more. A file larger than any menu needs (some ten thousand
// configurations with their cards) is not read at all: Explorer's memory is not ours to spend.
constexpr uint32_t kSettingsHoldWaitMs = 250;
constexpr ReadLimits kMenuReadLimits{8u << 20, 500};

template <typename Body>
HRESULT Guarded(Body body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// Names compare as the system's own functions compare them, as in the program.
void UseTheSystemsCodePageOnce() {
    static const bool done = [] {
        UseAnsiCodePage(Win32System().AnsiCodePageRules());
        return true;
    }();
    (void)done;
}

HRESULT CopyText(const std::string& text, UINT type, CHAR* name, UINT size) {
    if (!name || size == 0) return E_INVALIDARG;
    if (type & GCS_UNICODE) {
        auto* wide = reinterpret_cast<WCHAR*>(name);
        if (!MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, static_cast<int>(size))) {
            wide[size - 1] = L'\0';
            return E_NOT_SUFFICIENT_BUFFER;
        }
        return S_OK;
    }
    lstrcpynA(name, text.c_str(), static_cast<int>(size));
    return text.size() < size ? S_OK : E_NOT_SUFFICIENT_BUFFER;
}

}  // namespace

LONG LiveObjects() {
    return liveObjects + serverLocks;
}
void AddServerLock(bool lock) {
    lock ? ++serverLocks : --serverLocks;
}

ContextMenuExtension::ContextMenuExtension(std::string folder) : folder_(std::move(folder)) {
    ++liveObjects;
}

ContextMenuExtension::~ContextMenuExtension() {
    --liveObjects;
}

STDMETHODIMP ContextMenuExtension::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IShellExtInit))
        *object = static_cast<IShellExtInit*>(this);
    else if (IsEqualIID(iid, IID_IContextMenu))
        *object = static_cast<IContextMenu*>(this);
    else
        return *object = nullptr, E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ContextMenuExtension::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) ContextMenuExtension::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ContextMenuExtension::Initialize(PCIDLIST_ABSOLUTE, IDataObject*, HKEY) {
    return S_OK;
}

STDMETHODIMP ContextMenuExtension::QueryContextMenu(HMENU menu, UINT index, UINT firstId,
                                                    UINT lastId, UINT flags) {
    return Guarded([&]() -> HRESULT {
        // Only the default verb asked for, or no id to give: nothing of ours.
        if ((flags & CMF_DEFAULTONLY) || lastId < firstId)
            return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
        UseTheSystemsCodePageOnce();
        Win32FileStore files(0, kSettingsHoldWaitMs, kMenuReadLimits);
        names_ = ContextMenuConfigurations(files, folder_ + settings::kFileName);
        // As many configurations as the ids Explorer gives leave room for, and "Open" after them.
        const UINT room = lastId - firstId;
        if (names_.size() > room) names_.resize(room);
        const HMENU items = CreatePopupMenu();
        if (!items) return E_OUTOFMEMORY;
        UINT id = firstId;
        for (const std::string& name : names_)
            AppendMenuA(items, MF_STRING, id++, MenuItemText(name).c_str());
        if (!names_.empty()) AppendMenuA(items, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(items, MF_STRING, id++, (std::string("&Open ") + kProductTitle).c_str());
        if (!InsertMenuA(menu, index, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(items),
                         kProductTitle)) {
            DestroyMenu(items);
            return E_FAIL;
        }
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<USHORT>(id - firstId));
    });
}

int ContextMenuExtension::ItemOfVerb(const CMINVOKECOMMANDINFO& info) const {
    // The form the caller uses: the Unicode one where it says so and the record is long enough.
    const auto& extended = reinterpret_cast<const CMINVOKECOMMANDINFOEX&>(info);
    const bool unicode = (info.fMask & CMIC_MASK_UNICODE) && info.cbSize >= sizeof extended;
    const LPCWSTR wide = unicode ? extended.lpVerbW : nullptr;
    std::string verb;
    if (wide && !IS_INTRESOURCE(wide)) {
        // Only a verb that converts exactly: a look-alike of a name must not apply it.
        const std::u16string_view text(reinterpret_cast<const char16_t*>(wide), lstrlenW(wide));
        if (!Win32FileStore().AnsiFromWide(text, verb)) return -1;
    } else if (!IS_INTRESOURCE(info.lpVerb)) {
        if (wide) return -1;  // an offset in one form and a verb in the other: nothing is sure
        verb = info.lpVerb;
    } else {
        // An offset. A null pointer is offset 0 in a form that is used, and "not given" beside
        // the other form; two offsets that differ name nothing.
        const WORD ansiOffset = LOWORD(reinterpret_cast<UINT_PTR>(info.lpVerb));
        const WORD wideOffset = LOWORD(reinterpret_cast<UINT_PTR>(wide));
        if (wide && info.lpVerb && ansiOffset != wideOffset) return -1;
        const int offset = wide ? wideOffset : ansiOffset;
        return offset <= static_cast<int>(names_.size()) ? offset : -1;
    }
    const auto item = vt::ItemOfVerb(verb, names_);
    return item ? static_cast<int>(*item) : -1;
}

STDMETHODIMP ContextMenuExtension::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    return Guarded([&]() -> HRESULT {
        if (!info || info->cbSize < sizeof(CMINVOKECOMMANDINFO)) return E_INVALIDARG;
        const int item = ItemOfVerb(*info);
        if (item < 0) return E_INVALIDARG;
        if (item == static_cast<int>(names_.size())) return Start(info->hwnd, "");
        const auto arguments = ApplyArguments(names_[static_cast<size_t>(item)], false);
        return arguments ? Start(info->hwnd, *arguments) : E_INVALIDARG;
    });
}

HRESULT ContextMenuExtension::Start(HWND owner, const std::string& arguments) const {
    const std::string program = folder_ + kProgramFile;
    // Through the shell, as a double click would; the program asks for rights where it needs them.
    SHELLEXECUTEINFOA start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    start.hwnd = owner;
    start.lpFile = program.c_str();
    start.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    start.lpDirectory = folder_.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&start)) return S_OK;
    const DWORD error = GetLastError();
    const bool missing = GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES;
    const std::string text =
        std::string(kProductTitle) + " cannot be started: " + program +
        (missing ? std::string(" is missing.") : ": " + SystemErrorText(error));
    MessageBoxA(owner, text.c_str(), kProductTitle, MB_OK | MB_ICONERROR);
    return HRESULT_FROM_WIN32(error);
}

STDMETHODIMP ContextMenuExtension::GetCommandString(UINT_PTR offset, UINT type, UINT*, CHAR* name,
                                                    UINT size) {
    return Guarded([&]() -> HRESULT {
        const size_t open = names_.size();
        if (offset > open) return E_INVALIDARG;
        const bool isOpen = offset == open;
        switch (type & ~GCS_UNICODE) {
            case GCS_VALIDATEA:
                return S_OK;
            case GCS_HELPTEXTA:
                return CopyText(isOpen ? "Opens the " + std::string(kProductTitle) + " window"
                                       : "Apply " + names_[offset],
                                type, name, size);
            case GCS_VERBA:
                return CopyText(isOpen ? std::string(kOpenVerb) : ApplyVerb(names_[offset]), type,
                                name, size);
            default:
                return E_INVALIDARG;
        }
    });
}

}  // namespace vt::win32
