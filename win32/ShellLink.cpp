// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/ShellLink.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

namespace rivonel::win32 {

bool writeShellLink(const std::wstring &path, const std::wstring &target,
                    const std::wstring &arguments, const std::wstring &description)
{
    // The window's thread may have COM in either model already: that is fine.
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW *link = nullptr;
    bool written = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void **>(&link)))) {
        link->SetPath(target.c_str());
        link->SetArguments(arguments.c_str());
        link->SetDescription(description.c_str());
        IPersistFile *file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            written = SUCCEEDED(file->Save(path.c_str(), TRUE));
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return written;
}

} // namespace rivonel::win32
