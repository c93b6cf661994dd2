#pragma once
// Modal message boxes and alerts. Tests answer them through a responder
// instead of a window, so that no box ever blocks a test.
#include <functional>
#include <string>
#include <vector>

namespace rt {

struct BoxRequest {
    enum class Kind { Message, Alert };
    Kind kind;
    std::wstring text;   // as the program gave it: CR (MSGBOX) or ";" (ALERT) break lines
    std::wstring title;
    std::vector<std::wstring> buttons;
};

using BoxResponder = std::function<int(const BoxRequest&)>;

// Installs a responder (empty: real boxes again) and returns the previous one.
BoxResponder SetBoxResponder(BoxResponder responder);

// Modal box owned by the program's active window; CR breaks lines.
int MSGBOX(const std::wstring& text, const std::wstring& title);
// Modal alert; ";" breaks lines; returns the 1-based number of the button.
int ALERT(const std::wstring& text, const std::vector<std::wstring>& buttons);

}  // namespace rt
