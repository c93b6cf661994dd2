#include "platform/settings.h"

#include "platform/errors.h"
#include "platform/handles.h"
#include "platform/text.h"

#include <map>

namespace rt {

namespace {

// The extra file: UTF-8 with a byte-order mark, so every path is written as
// it is on disk and Notepad shows it right. Writes are buffered.
class ExtraFile {
public:
    bool open(const std::wstring& name, bool append) {
        close();
        name_ = name;
        failed_ = false;
        file_.reset(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) return false;
        LARGE_INTEGER size{};
        GetFileSizeEx(file_.get(), &size);
        if (size.QuadPart == 0) buffer_ = "\xEF\xBB\xBF";
        else SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_END);
        return true;
    }
    bool isOpen() const { return file_.valid(); }
    void write(std::wstring_view text) {
        buffer_ += WideToUtf8(text);
        if (buffer_.size() >= kFlushSize) flush();
    }
    // False when a write since the file was opened did not reach it.
    bool close() {
        flush();
        file_.reset();
        return !failed_;
    }
    const std::wstring& name() const { return name_; }

private:
    static constexpr std::size_t kFlushSize = 64 * 1024;
    void flush() {
        if (file_ && !buffer_.empty()) {
            DWORD written = 0;
            if (!WriteFile(file_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &written, nullptr) ||
                written != buffer_.size())
                failed_ = true;
        }
        buffer_.clear();
    }
    FileHandle file_;
    std::string buffer_;
    std::wstring name_;
    bool failed_ = false;
};

struct State {
    std::map<int, SettingValue> settings{{17, SettingValue{std::wstring(L"ON")}},
                                         {23, SettingValue{std::wstring(L"OFF")}},
                                         {24, SettingValue{std::wstring()}}};
    ExtraFile extra;
};

State& TheState() {
    static State state;
    return state;
}

bool IsOn(int number) {
    const auto& value = TheState().settings[number];
    const auto* text = std::get_if<std::wstring>(&value);
    return text && UPPER(*text) == L"ON";
}

void WriteConsoleLine(std::wstring_view text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    const std::string bytes = WideToUtf8(text);
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

SettingValue SET(int number, const SettingValue& value, bool append) {
    State& state = TheState();
    SettingValue previous = state.settings[number];
    state.settings[number] = value;
    if (number == 24) {
        const auto* name = std::get_if<std::wstring>(&value);
        if (!name || name->empty()) {
            const std::wstring closed = state.extra.name();
            if (!state.extra.close()) RaiseError({L"Ausgabedatei schreiben", closed, ERROR_WRITE_FAULT});
        } else if (!state.extra.open(*name, append)) {
            RaiseError({L"Ausgabedatei öffnen", *name, GetLastError()});
        }
    }
    return previous;
}

SettingValue SETTING(int number) { return TheState().settings[number]; }

void QOUT(std::wstring_view text) {
    std::wstring line = L"\r\n";
    line += text;
    if (IsOn(17)) WriteConsoleLine(line);
    if (IsOn(23) && TheState().extra.isOpen()) TheState().extra.write(line);
}

void CloseExtraOutput() { TheState().extra.close(); }

}  // namespace rt
