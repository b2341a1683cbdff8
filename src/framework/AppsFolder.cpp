#include "framework/AppsFolder.h"

#include "framework/Com.h"
#include "framework/SystemLibrary.h"
#include "framework/Unicode.h"

#include <shobjidl.h>

namespace {

SystemLibrary shell32("shell32.dll");
SystemLibrary ole32("ole32.dll");

// Spelt out here: the SDK's own are in a library that is not linked.
constexpr GUID kEnumItems = {0x94F60519, 0x2850, 0x4924, {0xAA, 0x5A, 0xD1, 0x5E, 0x84, 0x86, 0x80, 0x39}};
constexpr PROPERTYKEY kAppUserModelId = {{0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}}, 5};

// A text the shell allocated, as UTF-8; the text is freed.
std::string TakeShellText(wchar_t* text)
{
    if (!text)
        return std::string();
    std::string taken = Utf8(text);
    if (auto* free = ole32.Procedure<decltype(CoTaskMemFree)>("CoTaskMemFree"))
        free(text);
    return taken;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ListAppsFolder()
{
    std::vector<std::pair<std::string, std::string>> apps;
    auto* fromName = shell32.Procedure<HRESULT WINAPI(PCWSTR, IBindCtx*, REFIID, void**)>(
        "SHCreateItemFromParsingName");
    if (!UseComOnThisThread() || !fromName)
        return apps;
    ComPtr<IShellItem> folder;
    if (FAILED(fromName(L"shell:AppsFolder", nullptr, IID_IShellItem, folder.ReceiveVoid())))
        return apps;
    ComPtr<IEnumShellItems> items;
    if (FAILED(folder->BindToHandler(nullptr, kEnumItems, IID_IEnumShellItems, items.ReceiveVoid())))
        return apps;
    for (;;) {
        ComPtr<IShellItem> item;
        if (items->Next(1, reinterpret_cast<IShellItem**>(item.ReceiveVoid()), nullptr) != S_OK)
            break;
        ComPtr<IShellItem2> properties;
        if (FAILED(item->QueryInterface(IID_IShellItem2, properties.ReceiveVoid())))
            continue;
        wchar_t* name = nullptr;
        wchar_t* id = nullptr;
        item->GetDisplayName(SIGDN_NORMALDISPLAY, &name);
        properties->GetString(kAppUserModelId, &id);
        std::string displayName = TakeShellText(name);
        std::string appId = TakeShellText(id);
        if (!displayName.empty() && !appId.empty())
            apps.emplace_back(std::move(displayName), std::move(appId));
    }
    return apps;
}

HICON AppIcon(const std::string& parsingName, int size)
{
    auto* fromName = shell32.Procedure<HRESULT WINAPI(PCWSTR, IBindCtx*, REFIID, void**)>(
        "SHCreateItemFromParsingName");
    ComPtr<IShellItemImageFactory> images;
    if (!UseComOnThisThread() || !fromName ||
        FAILED(fromName(Wide(parsingName).c_str(), nullptr, IID_IShellItemImageFactory, images.ReceiveVoid())))
        return nullptr;
    HBITMAP picture = nullptr;
    if (FAILED(images->GetImage({size, size}, SIIGBF_ICONONLY, &picture)) || !picture)
        return nullptr;
    // The picture has its own transparency: the mask only has to be there.
    const HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ICONINFO parts = {TRUE, 0, 0, mask, picture};
    const HICON icon = mask ? CreateIconIndirect(&parts) : nullptr;
    DeleteObject(picture);
    if (mask)
        DeleteObject(mask);
    return icon;
}
