#include "dialog/folder_picker.h"

#include "dialog_fixture.h"
#include "platform/text.h"
#include "support/test_support.h"

#include <atomic>
#include <sstream>
#include <thread>

using dialog_testing::AsHwnd;
using dialog_testing::Click;
using dialog_testing::DialogTest;
using dialog_testing::FolderButton;
using testing_support::Narrow;

namespace {

constexpr wchar_t kPrompt[] = L"Bitte Laufwerk und/oder Verzeichniss für die mobile ZOR-Anwendung auswählen...";

void SetEnv(const wchar_t* name, const std::wstring& value) { SetEnvironmentVariableW(name, value.c_str()); }
void ClearEnv(const wchar_t* name) { SetEnvironmentVariableW(name, nullptr); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// Finds the built-in picker from a second thread and closes it with a button
// of its own, as a user would; the press itself blocks the test's thread.
class PickerDriver {
public:
    // `typed`: a folder to type into the picker's name field before `command`.
    explicit PickerDriver(int command, std::wstring typed = L"")
        : typed_(std::move(typed)), thread_([this, command] { Run(command); }) {}
    ~PickerDriver() {
        stop_ = true;
        thread_.join();
    }
    bool opened() const { return opened_; }
    bool titled() const { return titled_; }
    // The picker stayed open after the command and had to be cancelled.
    bool stuck() const { return stuck_; }
    HWND owner() const { return owner_; }

private:
    void Run(int command) {
        HWND picker = WaitForPicker();
        if (!picker) return;
        owner_ = GetWindow(picker, GW_OWNER);
        opened_ = true;
        Sleep(300);  // let it finish opening at its start folder
        if (!typed_.empty()) SetWindowTextW(NameField(picker), typed_.c_str());
        PostMessageW(picker, WM_COMMAND, command, 0);
        for (int waited = 0; waited < 5000 && IsWindow(picker); waited += 50) Sleep(50);
        if (!IsWindow(picker)) return;
        stuck_ = true;
        // Whatever it still shows, a message of its own included, is closed.
        for (int waited = 0; waited < 10000 && IsWindow(picker); waited += 200) {
            if (HWND message = OwnedWindow(picker)) PostMessageW(message, WM_COMMAND, IDOK, 0);
            else PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
            Sleep(200);
        }
    }
    HWND WaitForPicker() {
        for (int waited = 0; waited < 30000 && !stop_; waited += 50) {
            HWND picker = FindWindowW(nullptr, kPrompt);
            titled_ = picker != nullptr;
            if (!picker && waited > 15000) picker = OwnedWindow(AsHwnd(oDlg->GetHWnd()));
            if (picker && IsWindowVisible(picker)) return picker;
            Sleep(50);
        }
        return nullptr;
    }
    static HWND NameField(HWND picker) {
        HWND found = nullptr;
        EnumChildWindows(
            picker,
            [](HWND hwnd, LPARAM out) -> BOOL {
                wchar_t name[16]{};
                GetClassNameW(hwnd, name, 16);
                if (_wcsicmp(name, L"Edit") != 0 || !IsWindowVisible(hwnd)) return TRUE;
                *reinterpret_cast<HWND*>(out) = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static HWND OwnedWindow(HWND owner) {
        struct Search {
            HWND owner;
            HWND found;
        } search{owner, nullptr};
        EnumWindows(
            [](HWND hwnd, LPARAM out) -> BOOL {
                auto* search = reinterpret_cast<Search*>(out);
                if (GetWindow(hwnd, GW_OWNER) != search->owner || !IsWindowVisible(hwnd)) return TRUE;
                search->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    std::wstring typed_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::atomic<bool> titled_{false};
    std::atomic<bool> stuck_{false};
    std::atomic<HWND> owner_{nullptr};
    std::thread thread_;
};

class FolderPickerTest : public DialogTest {
protected:
    void SetUp() override {
        folder_ = std::make_unique<testing_support::CurrentFolder>(temp_.path());
        SetEnv(L"ZOR_PICKER_LOG", LogPath());
        Build(1);
    }
    void TearDown() override {
        DialogTest::TearDown();
        for (const wchar_t* name : {L"ZOR_PICKER_LOG", L"ZOR_PICKER_RESULT", L"ZOR_PICKER_END"}) ClearEnv(name);
        folder_.reset();
    }
    void InstallLibrary(const wchar_t* built) {
        ASSERT_TRUE(CopyFileW(built, (temp_ / L"SelectFolder.dll").c_str(), FALSE)) << GetLastError();
    }
    std::wstring LogPath() const { return temp_ / L"picker.log"; }
    std::vector<std::string> Log() const { return Lines(testing_support::ReadFileBytes(LogPath())); }
    std::string CallLine(const std::wstring& start, const std::string& buffer) const {
        return "call|" + rt::WideToAnsi(kPrompt) + "|" + rt::WideToAnsi(start) + "|" +
               std::to_string(oDlg->GetHWnd()) + "|" + buffer;
    }
    static std::string Blanks() { return std::string(80, ' '); }

    testing_support::TempDir temp_;
    std::unique_ptr<testing_support::CurrentFolder> folder_;
};

TEST_F(FolderPickerTest, APickedFolderFillsTheFieldWithoutTrailingBlanks) {
    InstallLibrary(ZOR_PICKER_DLL);
    const struct {
        const wchar_t* end;
        std::wstring folder;
    } cases[] = {
        {L"zero", L"E:\\Mobil"},
        {L"blanks", L"E:\\Mobil"},
        {L"zero", L"F:\\Zoranthek Übung\\Stick"},
        {L"blanks", L"G:\\" + std::wstring(57, L'd')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.folder) + " / " + Narrow(c.end));
        cFolder = rt::SPACE(80);
        SLE->setData(L"");
        SetEnv(L"ZOR_PICKER_RESULT", c.folder);
        SetEnv(L"ZOR_PICKER_END", c.end);
        Click(FolderButton());
        EXPECT_EQ(SLE->getData(), c.folder);
        EXPECT_EQ(cFolder.size(), 80u);
        EXPECT_EQ(rt::TRIM(cFolder), c.folder);
    }
}

TEST_F(FolderPickerTest, ThePickerGetsThePromptTheEmptyStartFolderTheBufferAndTheDialog) {
    InstallLibrary(ZOR_PICKER_DLL);
    SetEnv(L"ZOR_PICKER_RESULT", L"E:\\");
    Click(FolderButton());
    EXPECT_EQ(Log(), (std::vector<std::string>{"load", CallLine(L"", Blanks()), "unload"}));
}

TEST_F(FolderPickerTest, CancelOnTheFirstPressLeavesTheFieldEmpty) {
    InstallLibrary(ZOR_PICKER_DLL);
    Click(FolderButton());
    EXPECT_EQ(SLE->getData(), L"");
    EXPECT_EQ(cFolder, rt::SPACE(80));
    EXPECT_EQ(Log().size(), 3u);
}

TEST_F(FolderPickerTest, EveryPressLoadsAndUnloadsTheLibraryAndStartsAtTheFieldsText) {
    InstallLibrary(ZOR_PICKER_DLL);
    SetEnv(L"ZOR_PICKER_RESULT", L"E:\\");
    Click(FolderButton());
    ClearEnv(L"ZOR_PICKER_RESULT");
    SLE->setData(L"E:\\DEZiradu\\");  // as the copy job leaves it
    Click(FolderButton());
    const std::string previous = "E:\\" + std::string(77, ' ');
    EXPECT_EQ(Log(), (std::vector<std::string>{"load", CallLine(L"", Blanks()), "unload", "load",
                                               CallLine(L"E:\\DEZiradu\\", previous), "unload"}));
    // The buffer still holds the earlier choice, which the field takes again.
    EXPECT_EQ(SLE->getData(), L"E:\\");
}

TEST_F(FolderPickerTest, SelectFolderPassesTheLibrarysResultBack) {
    InstallLibrary(ZOR_PICKER_DLL);
    std::wstring buffer = rt::SPACE(80);
    EXPECT_EQ(dialog::SelectFolder(kPrompt, L"", buffer, oDlg->GetHWnd()), 0);
    SetEnv(L"ZOR_PICKER_RESULT", L"H:\\");
    EXPECT_EQ(dialog::SelectFolder(kPrompt, L"", buffer, oDlg->GetHWnd()), 1);
}

struct StandIn {
    const char* name;
    const wchar_t* library;  // nullptr: none at all
};

class BuiltInPickerTest : public FolderPickerTest, public ::testing::WithParamInterface<StandIn> {
protected:
    void SetUp() override {
        FolderPickerTest::SetUp();
        if (GetParam().library) InstallLibrary(GetParam().library);
    }
};

TEST_P(BuiltInPickerTest, OpensOwnedByTheDialogTitledWithThePromptAndCanBeCancelled) {
    SLE->setData(temp_.path());
    cFolder = L"C:\\Vorher" + rt::SPACE(71);
    {
        PickerDriver driver(IDCANCEL);
        Click(FolderButton());
        ASSERT_TRUE(driver.opened());
        EXPECT_TRUE(driver.titled());
        EXPECT_EQ(driver.owner(), AsHwnd(oDlg->GetHWnd()));
    }
    EXPECT_EQ(cFolder, L"C:\\Vorher" + rt::SPACE(71));
    EXPECT_EQ(SLE->getData(), L"C:\\Vorher");
    for (const std::string& line : Log()) EXPECT_NE(line.rfind("call", 0), 0u) << line;
}

// The folder is typed without a path: it is found only in the start folder,
// which is not the current folder.
TEST_P(BuiltInPickerTest, OpensAtTheStartFolderAndPutsTheChosenFolderIntoTheField) {
    const std::wstring chosen = temp_ / L"Start\\Ziel Übung";
    testing_support::MakeDirs(chosen);
    testing_support::MakeDirs(temp_ / L"Ziel Übung");
    SLE->setData(temp_ / L"Start");
    {
        PickerDriver driver(IDOK, L"Ziel Übung");
        Click(FolderButton());
        ASSERT_TRUE(driver.opened());
        EXPECT_FALSE(driver.stuck());
    }
    EXPECT_EQ(SLE->getData(), chosen);
    EXPECT_EQ(rt::TRIM(cFolder), chosen);
    EXPECT_EQ(cFolder.size(), 80u);
}

// The buffer holds 80 bytes: a path of 79 characters and its terminator.
TEST_P(BuiltInPickerTest, APathThatDoesNotFitTheBufferIsRefusedAndChangesNothing) {
    const std::wstring base = temp_.path() + L"\\";
    ASSERT_LT(base.size(), 70u);
    for (std::size_t length : {79u, 80u, 120u}) {
        SCOPED_TRACE(length);
        const std::wstring chosen = base + std::wstring(length - base.size(), L'x');
        testing_support::MakeDirs(chosen);
        cFolder = L"C:\\Vorher" + rt::SPACE(71);  // an earlier pick
        SLE->setData(L"C:\\Vorher");
        testing_support::BoxRecorder boxes;
        {
            PickerDriver driver(IDOK, chosen);
            Click(FolderButton());
            ASSERT_TRUE(driver.opened());
        }
        if (length == 79) {
            EXPECT_TRUE(boxes.requests.empty());
            EXPECT_EQ(rt::TRIM(cFolder), chosen);
            continue;
        }
        ASSERT_EQ(boxes.requests.size(), 1u);
        EXPECT_EQ(boxes.requests[0].title, L"Ordnerauswahl");
        EXPECT_EQ(boxes.requests[0].text, L"Der gewählte Pfad ist zu lang:\r" + chosen +
                                              L"\rEr darf höchstens 79 Zeichen lang sein. Bitte einen Ordner mit "
                                              L"kürzerem Pfad wählen.");
        EXPECT_EQ(cFolder, L"C:\\Vorher" + rt::SPACE(71));
        EXPECT_EQ(SLE->getData(), L"C:\\Vorher");
    }
}

TEST_P(BuiltInPickerTest, APathOutsideTheWindowsCharacterSetIsRefused) {
    const std::wstring chosen = temp_ / L"Ziel \u03a9\u03bc\u03ad\u03b3\u03b1";
    testing_support::MakeDirs(chosen);
    bool lossless = true;
    rt::WideToAnsi(chosen, &lossless);
    if (lossless) GTEST_SKIP() << "Greek letters fit this system's code page";
    testing_support::BoxRecorder boxes;
    {
        PickerDriver driver(IDOK, chosen);
        Click(FolderButton());
        ASSERT_TRUE(driver.opened());
    }
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].title, L"Ordnerauswahl");
    EXPECT_NE(boxes.requests[0].text.find(L"nicht verarbeiten"), std::wstring::npos);
    EXPECT_EQ(cFolder, rt::SPACE(80));
    EXPECT_EQ(SLE->getData(), L"");
}

INSTANTIATE_TEST_SUITE_P(Libraries, BuiltInPickerTest,
                         ::testing::Values(StandIn{"Absent", nullptr}, StandIn{"OtherBitness", ZOR_PICKER_DLL_WIN32},
                                           StandIn{"WithoutFunction", ZOR_PICKER_DLL_WITHOUT_FUNCTION}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
