#pragma once
// Calling functions of a DLL by name. Code 32 is the standard Windows calling
// convention (stdcall), the only one offered.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

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

// A call by file name as a test sees it: every argument as a machine word.
struct DllCallRequest {
    std::wstring file;
    std::string function;
    std::vector<std::intptr_t> arguments;
    bool operator==(const DllCallRequest&) const = default;
};

// Answers a call by file name instead of the library; nullopt lets it through.
using DllCallInterceptor = std::function<std::optional<std::intptr_t>(const DllCallRequest&)>;

// Installs an interceptor (empty: real calls again) and returns the previous one.
DllCallInterceptor SetDllCallInterceptor(DllCallInterceptor interceptor);
std::optional<std::intptr_t> InterceptDllCall(const DllCallRequest& request);

template <typename Arg>
std::intptr_t AsWord(Arg arg) {
    if constexpr (std::is_pointer_v<Arg>) return reinterpret_cast<std::intptr_t>(arg);
    else return static_cast<std::intptr_t>(arg);
}

// Loads the library, calls the function and unloads it again.
template <typename... Args>
std::intptr_t DLLCALL(const std::wstring& file, int convention, const char* function, Args... args) {
    if (auto answer = InterceptDllCall({file, function, {AsWord(args)...}})) return *answer;
    Library library = DLLLOAD(file);
    const std::intptr_t result = DLLCALL(library, convention, function, args...);
    DLLUNLOAD(library);
    return result;
}

}  // namespace rt
