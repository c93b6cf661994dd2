#pragma once
// One driver session: the programs it started or attached to, the files it
// holds open, and the message box it looks at. Each command prints its
// result as one or more lines; a failed command prints "error <command> ...".
#include "platform/handles.h"

#include <map>
#include <string>
#include <vector>

namespace driver {

class Session {
public:
    Session() = default;
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs one command line (words already split); false when it failed.
    bool Run(const std::vector<std::wstring>& words);

private:
    struct Program {
        rt::FileHandle process;
        DWORD pid = 0;
        HWND window = nullptr;
        bool startedHere = false;
    };

    Program* current();
    HWND control(const std::wstring& selector);

    bool Start(const std::vector<std::wstring>& words);
    bool Attach(const std::vector<std::wstring>& words);
    bool Use(const std::vector<std::wstring>& words);
    bool WaitWindow(const std::vector<std::wstring>& words);
    bool Controls();
    bool Press(const std::vector<std::wstring>& words);
    bool Check(const std::vector<std::wstring>& words);
    bool Field(const std::wstring& name, bool multiLine);
    bool WaitProgress(const std::vector<std::wstring>& words);
    bool WaitEnabled(const std::vector<std::wstring>& words, bool enabled);
    bool WaitBox(const std::vector<std::wstring>& words);
    bool NoBox(const std::vector<std::wstring>& words);
    bool PressBox(const std::vector<std::wstring>& words);
    bool CancelBox();
    bool Windows();
    bool Close(const std::vector<std::wstring>& words);
    bool Responsive(const std::vector<std::wstring>& words);
    bool WaitExit(const std::vector<std::wstring>& words);
    bool Kill();
    bool Hold(const std::vector<std::wstring>& words);
    bool Release(const std::vector<std::wstring>& words);
    bool Capture(const std::vector<std::wstring>& words);
    bool Env(const std::vector<std::wstring>& words);

    HWND findBox() const;
    bool reportBox(HWND box);
    bool waitBoxGone(HWND box);

    std::vector<Program> programs_;
    std::size_t current_ = 0;
    HWND box_ = nullptr;
    std::map<std::wstring, rt::FileHandle> held_;
};

}  // namespace driver
