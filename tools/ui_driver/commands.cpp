#include "tools/ui_driver/commands.h"

#include "tools/ui_driver/capture.h"
#include "tools/ui_driver/output.h"
#include "tools/ui_driver/probe.h"

#include "support/window_probe.h"

#include <string>

namespace driver {

namespace {
constexpr wchar_t kTitle[] = L"ZOR-Portavex";
constexpr unsigned kDefaultTimeoutMs = 15000;
constexpr unsigned kPollMs = 50;

std::string Narrow(const std::wstring& text) { return Quote(text).substr(1, Quote(text).size() - 2); }

unsigned Number(const std::vector<std::wstring>& words, std::size_t at, unsigned fallback) {
    return words.size() > at ? static_cast<unsigned>(std::wcstoul(words[at].c_str(), nullptr, 10)) : fallback;
}

bool Fail(const std::wstring& command, const std::string& reason) {
    Say("error " + Narrow(command) + " " + reason);
    return false;
}

// Polls `ready` until it holds or the time is up.
template <typename Ready>
bool WaitFor(unsigned timeoutMs, Ready ready) {
    const auto end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (ready()) return true;
        if (GetTickCount64() > end) return false;
        Sleep(kPollMs);
    }
}

std::string Rect(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
           std::to_string(r.bottom - r.top);
}

std::string ExitCodeText(HANDLE process) {
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return std::to_string(code);
}

bool Exited(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

std::wstring WithoutAccelerator(std::wstring text) {
    for (std::size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 1)) text.erase(at, 1);
    return text;
}
}  // namespace

Session::~Session() {
    for (Program& program : programs_) {
        if (program.startedHere && !Exited(program.process.get())) {
            TerminateProcess(program.process.get(), 255);
            Say("killed pid=" + std::to_string(program.pid));
        }
    }
}

Session::Program* Session::current() { return current_ < programs_.size() ? &programs_[current_] : nullptr; }

HWND Session::control(const std::wstring& selector) {
    Program* program = current();
    if (!program || !program->window) return nullptr;
    const auto controls = ControlsOf(program->window);
    if (!selector.empty() && selector[0] == L'#') {
        const std::size_t index = std::wcstoul(selector.c_str() + 1, nullptr, 10);
        return index >= 1 && index <= controls.size() ? controls[index - 1].hwnd : nullptr;
    }
    for (const ControlInfo& info : controls) {
        const bool pictureButton = (info.style & BS_BITMAP) && _wcsicmp(info.className.c_str(), L"Button") == 0;
        if (selector == L"[bitmap]" ? pictureButton : WithoutAccelerator(info.text) == selector) return info.hwnd;
    }
    return nullptr;
}

bool Session::Run(const std::vector<std::wstring>& words) {
    if (words.empty()) return true;
    const std::wstring& verb = words[0];
    if (verb == L"start") return Start(words);
    if (verb == L"attach") return Attach(words);
    if (verb == L"use") return Use(words);
    if (verb == L"wait-window") return WaitWindow(words);
    if (verb == L"controls") return Controls();
    if (verb == L"press") return Press(words);
    if (verb == L"check") return Check(words);
    if (verb == L"target") return Field(L"target", false);
    if (verb == L"progress") return Field(L"progress", true);
    if (verb == L"wait-progress") return WaitProgress(words);
    if (verb == L"wait-enabled") return WaitEnabled(words, true);
    if (verb == L"wait-disabled") return WaitEnabled(words, false);
    if (verb == L"wait-box") return WaitBox(words);
    if (verb == L"no-box") return NoBox(words);
    if (verb == L"press-box") return PressBox(words);
    if (verb == L"cancel-box") return CancelBox();
    if (verb == L"windows") return Windows();
    if (verb == L"close") return Close(words);
    if (verb == L"responsive") return Responsive(words);
    if (verb == L"wait-exit") return WaitExit(words);
    if (verb == L"kill") return Kill();
    if (verb == L"hold") return Hold(words);
    if (verb == L"release") return Release(words);
    if (verb == L"capture") return Capture(words);
    if (verb == L"env") return Env(words);
    if (verb == L"sleep") {
        Sleep(Number(words, 1, 0));
        return true;
    }
    if (verb == L"echo") {
        Say("echo " + Quote(words.size() > 1 ? words[1] : L""));
        return true;
    }
    return Fail(verb, "unknown command");
}

bool Session::Start(const std::vector<std::wstring>& words) {
    if (words.size() < 2) return Fail(words[0], "usage: start <exe> [folder]");
    std::wstring commandLine = L"\"" + words[1] + L"\"";
    const wchar_t* folder = words.size() > 2 ? words[2].c_str() : nullptr;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(words[1].c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &info))
        return Fail(words[0], "CreateProcess failed: " + std::to_string(GetLastError()));
    rt::FileHandle thread(info.hThread);
    Program program;
    program.process.reset(info.hProcess);
    program.pid = info.dwProcessId;
    program.startedHere = true;
    programs_.push_back(std::move(program));
    current_ = programs_.size() - 1;
    Say("started program=" + std::to_string(programs_.size()) + " pid=" + std::to_string(info.dwProcessId));
    return true;
}

bool Session::Attach(const std::vector<std::wstring>& words) {
    const std::wstring title = words.size() > 1 ? words[1] : kTitle;
    HWND window = FindWindowW(nullptr, title.c_str());
    if (!window) return Fail(words[0], "no window " + Quote(title));
    Program program;
    GetWindowThreadProcessId(window, &program.pid);
    program.process.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, program.pid));
    if (!program.process) return Fail(words[0], "cannot open the process");
    program.window = window;
    programs_.push_back(std::move(program));
    current_ = programs_.size() - 1;
    Say("attached program=" + std::to_string(programs_.size()) + " pid=" + std::to_string(programs_.back().pid));
    return true;
}

bool Session::Use(const std::vector<std::wstring>& words) {
    const unsigned number = Number(words, 1, 0);
    if (number < 1 || number > programs_.size()) return Fail(words[0], "no such program");
    current_ = number - 1;
    Say("using program=" + std::to_string(number));
    return true;
}

bool Session::WaitWindow(const std::vector<std::wstring>& words) {
    Program* program = current();
    if (!program) return Fail(words[0], "no program");
    const bool found = WaitFor(Number(words, 1, kDefaultTimeoutMs), [&] {
        for (HWND hwnd : TopLevelWindows(program->pid)) {
            if (!IsMessageBoxLike(hwnd) && TextOf(hwnd).value_or(L"") == kTitle) {
                program->window = hwnd;
                return true;
            }
        }
        return Exited(program->process.get());
    });
    if (program->window) {
        RECT outer{}, client{};
        GetWindowRect(program->window, &outer);
        GetClientRect(program->window, &client);
        Say("window title=" + Quote(kTitle) + " outer=" + Rect(outer) + " client=" + Rect(client));
        return true;
    }
    if (found) return Fail(words[0], "exited code=" + ExitCodeText(program->process.get()));
    return Fail(words[0], "timeout");
}

bool Session::Controls() {
    Program* program = current();
    if (!program || !program->window) return Fail(L"controls", "no window");
    int index = 0;
    for (const ControlInfo& info : ControlsOf(program->window)) {
        std::string line = "control " + std::to_string(++index) + " class=" + Quote(info.className) +
                           " text=" + Quote(info.text) + " rect=" + Rect(info.rect);
        if (!info.enabled) line += " disabled";
        if (!info.visible) line += " hidden";
        if (IsCheckBox(info)) line += IsChecked(info.hwnd) ? " checked" : " unchecked";
        if (_wcsicmp(info.className.c_str(), L"Button") == 0 && (info.style & BS_BITMAP)) line += " bitmap";
        if (_wcsicmp(info.className.c_str(), L"Edit") == 0) {
            line += (info.style & ES_MULTILINE) ? " multiline" : " singleline";
            if (info.style & ES_READONLY) line += " readonly";
        }
        Say(line);
    }
    Say("controls count=" + std::to_string(index));
    return true;
}

bool Session::Press(const std::vector<std::wstring>& words) {
    if (words.size() < 2) return Fail(words[0], "usage: press <caption|#n>");
    HWND button = control(words[1]);
    if (!button) return Fail(words[0], "no control " + Quote(words[1]));
    if (!IsWindowEnabled(button)) return Fail(words[0], "disabled " + Quote(words[1]));
    Click(button);
    Say("pressed " + Quote(words[1]));
    return true;
}

bool Session::Check(const std::vector<std::wstring>& words) {
    if (words.size() < 3) return Fail(words[0], "usage: check <caption> on|off");
    HWND box = control(words[1]);
    if (!box) return Fail(words[0], "no control " + Quote(words[1]));
    const bool wanted = words[2] == L"on";
    if (IsChecked(box) != wanted) Click(box);
    if (!WaitFor(2000, [&] { return IsChecked(box) == wanted; })) return Fail(words[0], "state did not change");
    Say(std::string("checked ") + (wanted ? "on" : "off"));
    return true;
}

bool Session::Field(const std::wstring& name, bool multiLine) {
    Program* program = current();
    if (!program || !program->window) return Fail(name, "no window");
    for (const ControlInfo& info : ControlsOf(program->window)) {
        if (multiLine ? IsMultiLineEdit(info) : IsSingleLineEdit(info)) {
            const auto text = TextOf(info.hwnd);
            if (!text) return Fail(name, "no answer");
            Say(Narrow(name) + " " + Quote(*text));
            return true;
        }
    }
    return Fail(name, "no such field");
}

bool Session::WaitProgress(const std::vector<std::wstring>& words) {
    Program* program = current();
    if (!program || !program->window || words.size() < 2) return Fail(words[0], "usage: wait-progress <text>");
    std::wstring last;
    const bool found = WaitFor(Number(words, 2, kDefaultTimeoutMs), [&] {
        for (const ControlInfo& info : ControlsOf(program->window))
            if (IsMultiLineEdit(info)) last = TextOf(info.hwnd, 500).value_or(last);
        return last.find(words[1]) != std::wstring::npos;
    });
    if (!found) return Fail(words[0], "timeout progress=" + Quote(last));
    Say("progress " + Quote(last));
    return true;
}

bool Session::WaitEnabled(const std::vector<std::wstring>& words, bool enabled) {
    if (words.size() < 2) return Fail(words[0], "usage: " + Narrow(words[0]) + " <caption>");
    HWND button = control(words[1]);
    if (!button) return Fail(words[0], "no control " + Quote(words[1]));
    const auto start = GetTickCount64();
    if (!WaitFor(Number(words, 2, kDefaultTimeoutMs), [&] { return (IsWindowEnabled(button) != FALSE) == enabled; }))
        return Fail(words[0], "timeout");
    Say(std::string(enabled ? "enabled " : "disabled ") + Quote(words[1]) +
        " after_ms=" + std::to_string(GetTickCount64() - start));
    return true;
}

HWND Session::findBox() const {
    if (current_ >= programs_.size()) return nullptr;
    const Program& program = programs_[current_];
    for (HWND hwnd : TopLevelWindows(program.pid))
        if (hwnd != program.window && IsMessageBoxLike(hwnd)) return hwnd;
    return nullptr;
}

bool Session::reportBox(HWND box) {
    // A message box keeps its text in one static control; any other dialog
    // (a folder picker) is described by all its static texts.
    std::wstring text = GetDlgItem(box, 0xFFFF) ? testing_support::MessageBoxText(box) : L"";
    std::wstring buttons;
    for (const ControlInfo& info : ControlsOf(box)) {
        if (!GetDlgItem(box, 0xFFFF) && _wcsicmp(info.className.c_str(), L"Static") == 0 && !info.text.empty())
            text += (text.empty() ? L"" : L"\n") + info.text;
        if (_wcsicmp(info.className.c_str(), L"Button") == 0 && info.visible)
            buttons += (buttons.empty() ? L"" : L"|") + WithoutAccelerator(info.text);
    }
    Say("box title=" + Quote(TextOf(box).value_or(L"")) + " text=" + Quote(text) + " buttons=" + Quote(buttons));
    return true;
}

bool Session::WaitBox(const std::vector<std::wstring>& words) {
    Program* program = current();
    if (!program) return Fail(words[0], "no program");
    box_ = nullptr;
    WaitFor(Number(words, 1, kDefaultTimeoutMs), [&] {
        box_ = findBox();
        return box_ != nullptr || Exited(program->process.get());
    });
    if (!box_) {
        if (Exited(program->process.get()))
            return Fail(words[0], "exited code=" + ExitCodeText(program->process.get()));
        return Fail(words[0], "timeout");
    }
    Sleep(200);  // the box fills in its texts right after it appears
    return reportBox(box_);
}

bool Session::NoBox(const std::vector<std::wstring>& words) {
    Sleep(Number(words, 1, 1000));
    if (HWND box = findBox()) {
        reportBox(box);
        return Fail(words[0], "a box is open");
    }
    Say("no-box");
    return true;
}

bool Session::waitBoxGone(HWND box) {
    if (!WaitFor(5000, [&] { return !IsWindow(box) || !IsWindowVisible(box); })) return Fail(L"box", "stays open");
    box_ = nullptr;
    Say("box-closed");
    return true;
}

bool Session::PressBox(const std::vector<std::wstring>& words) {
    if (!box_ || !IsWindow(box_)) return Fail(words[0], "no box");
    const std::wstring caption = words.size() > 1 ? words[1] : L"OK";
    HWND button = testing_support::FindButton(box_, caption);
    if (!button) return Fail(words[0], "no button " + Quote(caption));
    Click(button);
    return waitBoxGone(box_);
}

bool Session::CancelBox() {
    if (!box_ || !IsWindow(box_)) return Fail(L"cancel-box", "no box");
    PostMessageW(box_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return waitBoxGone(box_);
}

bool Session::Windows() {
    Program* program = current();
    if (!program) return Fail(L"windows", "no program");
    for (HWND hwnd : TopLevelWindows(program->pid))
        Say("toplevel class=" + Quote(ClassOf(hwnd)) + " title=" + Quote(TextOf(hwnd).value_or(L"")));
    return true;
}

bool Session::Close(const std::vector<std::wstring>& words) {
    Program* program = current();
    if (!program || !program->window) return Fail(words[0], "no window");
    // The window's close button arrives as this system command.
    if (words.size() > 1 && words[1] == L"message") PostMessageW(program->window, WM_CLOSE, 0, 0);
    else PostMessageW(program->window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Say("close-requested");
    return true;
}

bool Session::Responsive(const std::vector<std::wstring>& words) {
    Program* program = current();
    if (!program || !program->window) return Fail(words[0], "no window");
    const unsigned samples = Number(words, 1, 10);
    const unsigned interval = Number(words, 2, 200);
    unsigned worstAnswer = 0, worstRepaint = 0, missed = 0, taken = 0;
    for (unsigned i = 0; i < samples && IsWindow(program->window); ++i, ++taken) {
        const auto answer = AnswerTime(program->window, 1000);
        const auto repaint = RepaintTime(program->window, 1000);
        if (!answer || !repaint) ++missed;
        worstAnswer = std::max(worstAnswer, answer.value_or(1000));
        worstRepaint = std::max(worstRepaint, repaint.value_or(1000));
        Sleep(interval);
    }
    Say("responsive samples=" + std::to_string(taken) + " missed=" + std::to_string(missed) +
        " worst_answer_ms=" + std::to_string(worstAnswer) + " worst_repaint_ms=" + std::to_string(worstRepaint) +
        " window=" + (IsWindow(program->window) ? "open" : "gone"));
    return missed == 0;
}

bool Session::WaitExit(const std::vector<std::wstring>& words) {
    Program* program = current();
    if (!program) return Fail(words[0], "no program");
    if (WaitForSingleObject(program->process.get(), Number(words, 1, kDefaultTimeoutMs)) != WAIT_OBJECT_0)
        return Fail(words[0], "timeout");
    Say("exit code=" + ExitCodeText(program->process.get()));
    return true;
}

bool Session::Kill() {
    Program* program = current();
    if (!program || !program->startedHere) return Fail(L"kill", "no program started here");
    TerminateProcess(program->process.get(), 255);
    WaitForSingleObject(program->process.get(), 5000);
    Say("killed pid=" + std::to_string(program->pid));
    return true;
}

bool Session::Hold(const std::vector<std::wstring>& words) {
    if (words.size() < 2) return Fail(words[0], "usage: hold <path>");
    // Open for reading and writing, shared with nobody: as a program that
    // works on the file keeps it.
    rt::FileHandle file(CreateFileW(words[1].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Fail(words[0], "cannot open " + Quote(words[1]) + ": " + std::to_string(GetLastError()));
    held_[words[1]] = std::move(file);
    Say("held " + Quote(words[1]));
    return true;
}

bool Session::Release(const std::vector<std::wstring>& words) {
    if (words.size() < 2 || held_.erase(words[1]) == 0) return Fail(words[0], "not held");
    Say("released " + Quote(words[1]));
    return true;
}

bool Session::Capture(const std::vector<std::wstring>& words) {
    Program* program = current();
    if (!program || !program->window || words.size() < 2) return Fail(words[0], "usage: capture <file.bmp>");
    RedrawWindow(program->window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(500);
    if (!CaptureWindow(program->window, words[1])) return Fail(words[0], "capture failed");
    Say("captured " + Quote(words[1]));
    return true;
}

bool Session::Env(const std::vector<std::wstring>& words) {
    if (words.size() < 2) return Fail(words[0], "usage: env <name> [value]");
    SetEnvironmentVariableW(words[1].c_str(), words.size() > 2 ? words[2].c_str() : nullptr);
    Say("env " + Quote(words[1]));
    return true;
}

}  // namespace driver
