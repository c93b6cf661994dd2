#include "platform/dll.h"

#include "platform/errors.h"
#include "platform/handles.h"
#include "platform/text.h"

#include <utility>

namespace rt {

struct Library::Impl {
    std::wstring file;
    ModuleHandle module;
};

Library::Library() : impl_(std::make_unique<Impl>()) {}
Library::~Library() = default;
Library::Library(Library&&) noexcept = default;
Library& Library::operator=(Library&&) noexcept = default;

bool Library::loaded() const { return impl_ && impl_->module.valid(); }

void* Library::procedure(const char* name) const {
    if (!loaded()) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(impl_->module.get(), name));
}

void Library::unload() {
    if (impl_) impl_->module.reset();
}

Library DLLLOAD(const std::wstring& file) {
    Library library;
    library.impl_->file = file;
    library.impl_->module.reset(LoadLibraryW(file.c_str()));
    return library;
}

void DLLUNLOAD(Library& library) { library.unload(); }

namespace {
DllCallInterceptor& Interceptor() {
    static DllCallInterceptor interceptor;
    return interceptor;
}
}  // namespace

DllCallInterceptor SetDllCallInterceptor(DllCallInterceptor interceptor) {
    return std::exchange(Interceptor(), std::move(interceptor));
}

std::optional<std::intptr_t> InterceptDllCall(const DllCallRequest& request) {
    if (!Interceptor()) return std::nullopt;
    return Interceptor()(request);
}

void* DllProcedure(const Library& library, int convention, const char* function) {
    const std::wstring name = AnsiToWide(function);
    if (convention != kStdcall) {
        RaiseError({L"DLL-Aufruf (Aufrufkonvention " + std::to_wstring(convention) + L")", name, 0});
        return nullptr;
    }
    if (!library.loaded()) {
        RaiseError({L"DLL-Aufruf (Bibliothek nicht geladen)", name, ERROR_MOD_NOT_FOUND});
        return nullptr;
    }
    void* address = library.procedure(function);
    if (!address) RaiseError({L"DLL-Aufruf (Funktion nicht gefunden)", name, ERROR_PROC_NOT_FOUND});
    return address;
}

}  // namespace rt
