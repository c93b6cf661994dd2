// ui_driver: works the real ZOR-Portavex.exe from outside, as a user would.
// Each argument is one command line; without arguments the commands come as
// lines on stdin (UTF-8). Words are split at blanks; "double quotes" keep
// blanks, with \" and \\ inside. Results go to stdout, one line each.
//
//   start <exe> [folder]      start the program (current folder: folder)
//   attach [title]            take a running program by its window title
//   use <n>                   work on the n-th started/attached program
//   wait-window [ms]          wait for the window "ZOR-Portavex"
//   controls                  list its controls: class, text, rectangle, state
//   press <caption|#n|[bitmap]>  click a button (by caption, list position,
//                             or the picture button)
//   check <caption> on|off    set a check box by clicking it
//   target | progress         read the target field | the progress field
//   wait-progress <text> [ms] wait until the progress field contains text
//   wait-enabled <caption> [ms]   wait until a button is enabled
//   wait-disabled <caption> [ms]  wait until a button is disabled (a click
//                             was taken: buttons go grey when a job starts)
//   wait-box [ms]             wait for a message box, report title and text
//   press-box [caption]       press a button of that box (default OK)
//   cancel-box                cancel that box
//   no-box [ms]               after ms, fail if a box is open
//   windows                   list the program's top-level windows
//   close [message]           ask the window to close (close button)
//   responsive [n] [ms]       n samples: answer and repaint times
//   wait-exit [ms]            wait for the end, report the exit code
//   kill                      end the program started here
//   hold <path> | release <path>  keep a file open, shared with nobody
//   capture <file.bmp>        picture of the window as on the screen
//   env <name> [value]        set (or remove) a variable for later starts
//   sleep <ms> | echo <text>
//
// The exit code is the number of failed commands. Programs started here and
// still running at the end are ended.
#include "tools/ui_driver/commands.h"
#include "tools/ui_driver/output.h"

#include "platform/win.h"

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> SplitWords(const std::wstring& line) {
    std::vector<std::wstring> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == L' ' || line[at] == L'\t' || line[at] == L'\r')) ++at;
        if (at >= line.size()) break;
        std::wstring word;
        if (line[at] == L'"') {
            for (++at; at < line.size() && line[at] != L'"'; ++at) {
                if (line[at] == L'\\' && at + 1 < line.size()) ++at;
                word += line[at];
            }
            ++at;
        } else {
            while (at < line.size() && line[at] != L' ' && line[at] != L'\t' && line[at] != L'\r') word += line[at++];
        }
        words.push_back(word);
    }
    return words;
}

std::vector<std::wstring> StdinLines() {
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end = bytes.find('\n'); start < bytes.size(); end = bytes.find('\n', start)) {
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(driver::FromUtf8(bytes.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> lines(argv + 1, argv + argc);
    if (lines.empty()) lines = StdinLines();
    int failures = 0;
    {
        driver::Session session;
        for (const std::wstring& line : lines)
            if (!session.Run(SplitWords(line))) ++failures;
    }
    driver::Say("done failures=" + std::to_string(failures));
    return failures > 125 ? 125 : failures;
}
