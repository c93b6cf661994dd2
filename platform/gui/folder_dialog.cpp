#include "platform/gui/folder_dialog.h"

#include "platform/gui/native.h"

#include <objbase.h>
#include <shobjidl.h>

namespace gui {

namespace {

// COM on this thread for as long as the picker is open.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    Interface* operator->() const { return p_; }
    Interface* get() const { return p_; }
    Interface** out() { return &p_; }

private:
    Interface* p_ = nullptr;
};

class TaskMemory {
public:
    TaskMemory() = default;
    TaskMemory(const TaskMemory&) = delete;
    TaskMemory& operator=(const TaskMemory&) = delete;
    ~TaskMemory() { CoTaskMemFree(text_); }
    PWSTR* out() { return &text_; }
    std::wstring text() const { return text_ ? text_ : L""; }

private:
    PWSTR text_ = nullptr;
};

void OpenAt(IFileOpenDialog& dialog, const std::wstring& folder) {
    if (folder.empty()) return;
    ComPtr<IShellItem> item;
    if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(item.out()))))
        dialog.SetFolder(item.get());
}

std::optional<std::wstring> ChosenPath(IFileOpenDialog& dialog) {
    ComPtr<IShellItem> item;
    if (FAILED(dialog.GetResult(item.out()))) return std::nullopt;
    TaskMemory path;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, path.out()))) return std::nullopt;
    return path.text();
}

}  // namespace

std::optional<std::wstring> ChooseFolder(const std::wstring& title, const std::wstring& startFolder,
                                         std::intptr_t owner) {
    ComApartment apartment;
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.out()))))
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(title.c_str());
    OpenAt(*dialog.get(), startFolder);
    if (FAILED(dialog->Show(Hwnd(reinterpret_cast<void*>(owner))))) return std::nullopt;
    return ChosenPath(*dialog.get());
}

}  // namespace gui
