#include "platform/boxes.h"

#include "platform/text.h"
#include "platform/win.h"

namespace rt {

namespace {
BoxResponder& Responder() {
    static BoxResponder responder;
    return responder;
}

// Windows breaks box lines at LF; the program's texts break them at CR alone.
std::wstring ForDisplay(const std::wstring& text) {
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        shown += text[i];
        if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n')) shown += L'\n';
    }
    return shown;
}

int Ask(const BoxRequest& request, UINT style) {
    if (Responder()) return Responder()(request);
    const std::wstring text = request.kind == BoxRequest::Kind::Alert ? STRTRAN(request.text, L";", L"\r")
                                                                      : request.text;
    HWND owner = GetActiveWindow();
    return MessageBoxW(owner, ForDisplay(text).c_str(), request.title.c_str(),
                       style | (owner ? MB_APPLMODAL : MB_TASKMODAL | MB_SETFOREGROUND));
}
}  // namespace

BoxResponder SetBoxResponder(BoxResponder responder) {
    BoxResponder previous = std::move(Responder());
    Responder() = std::move(responder);
    return previous;
}

int MSGBOX(const std::wstring& text, const std::wstring& title) {
    return Ask({BoxRequest::Kind::Message, text, title, {}}, MB_OK);
}

int ALERT(const std::wstring& text, const std::vector<std::wstring>& buttons) {
    Ask({BoxRequest::Kind::Alert, text, L"ZOR-Portavex", buttons}, MB_OK | MB_ICONWARNING);
    return 1;
}

}  // namespace rt
