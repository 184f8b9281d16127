// The COM in-process server's four exports and its class factory.
#include <windows.h>
#include <olectl.h>

#include <new>
#include <string>

#include "shellext/win32/ContextMenuExtension.h"
#include "shellext/win32/Registration.h"

namespace {

HMODULE module = nullptr;

// {F0F426D5-5761-43C8-A7DF-6602CC36D501}, as kExtensionClsid spells it.
constexpr CLSID kClsid = {
    0xF0F426D5, 0x5761, 0x43C8, {0xA7, 0xDF, 0x66, 0x02, 0xCC, 0x36, 0xD5, 0x01}};

std::string ModulePath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    return length && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string ModuleFolder() {
    const std::string path = ModulePath();
    return path.substr(0, path.find_last_of('\\') + 1);
}

// One factory for the life of the library: its references do not keep the library loaded, its
// locks do (LockServer).
class ClassFactory : public IClassFactory {
  public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
            return *object = nullptr, E_NOINTERFACE;
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        try {
            auto* extension = new vt::win32::ContextMenuExtension(ModuleFolder());
            const HRESULT result = extension->QueryInterface(iid, object);
            extension->Release();
            return result;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        vt::win32::AddServerLock(lock != FALSE);
        return S_OK;
    }
};

ClassFactory factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, kClsid)) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, object);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() {
    return vt::win32::LiveObjects() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
    try {
        const std::string path = ModulePath();
        if (path.empty()) return SELFREG_E_CLASS;
        return vt::win32::RegisterExtension(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, path);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
    try {
        return vt::win32::UnregisterExtension(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
