#pragma once
// Calling functions of a DLL by name. Code 32 is the standard Windows calling
// convention (stdcall), the only one offered.
#include <cstdint>
#include <memory>
#include <string>

namespace rt {

constexpr int kStdcall = 32;

// A loaded library; unloaded when DLLUNLOAD is called or the object ends.
class Library {
public:
    Library();
    ~Library();
    Library(Library&&) noexcept;
    Library& operator=(Library&&) noexcept;
    bool loaded() const;
    void* procedure(const char* name) const;  // nullptr when absent
    void unload();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend Library DLLLOAD(const std::wstring& file);
};

// Loads a library by file name; the result is not loaded() on failure.
Library DLLLOAD(const std::wstring& file);
void DLLUNLOAD(Library& library);

// Raises an error and returns nullptr when the library or function is absent
// or the convention is not offered.
void* DllProcedure(const Library& library, int convention, const char* function);

template <typename... Args>
std::intptr_t DLLCALL(const Library& library, int convention, const char* function, Args... args) {
    using Function = std::intptr_t(__stdcall*)(Args...);
    void* address = DllProcedure(library, convention, function);
    if (!address) return 0;
    return reinterpret_cast<Function>(address)(args...);
}

// Loads the library, calls the function and unloads it again.
template <typename... Args>
std::intptr_t DLLCALL(const std::wstring& file, int convention, const char* function, Args... args) {
    Library library = DLLLOAD(file);
    const std::intptr_t result = DLLCALL(library, convention, function, args...);
    DLLUNLOAD(library);
    return result;
}

}  // namespace rt
