// The release package as a user gets it: unpacked by the set-up into a fresh folder named in
// Japanese, the program runs from there, shows its tray icon, opens and closes the general settings
// dialog, opens its HTML help through the shell while the tray keeps answering, quits, and leaves
// the settings file it wrote.
#include <gtest/gtest.h>

#include <thread>

#include "tests/e2e/dialog_driver.h"

namespace pwstd::wintest {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// The unpacked package's folder PwStd.
std::wstring PackageFolder() {
    return FromBuildPath(PWSTD_RELEASE_TEST_DIR) + L"\\" + Widen(PWSTD_RELEASE_FOLDER) + L"\\PwStd";
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Makes `command` the way .html files are opened, for as long as it lives; then the association
// the system had comes back.
class HtmlAssociation {
public:
    explicit HtmlAssociation(const std::wstring& command) {
        wchar_t previous[256] = {};
        DWORD size = sizeof previous;
        had_previous_ = RegGetValueW(HKEY_CLASSES_ROOT, L".html", nullptr, RRF_RT_REG_SZ, nullptr, previous, &size) ==
                        ERROR_SUCCESS;
        previous_ = previous;
        Set(kProgId + std::wstring(L"\\shell\\open\\command"), command);
        Set(L".html", kProgId);
    }
    ~HtmlAssociation() {
        if (had_previous_) {
            Set(L".html", previous_);
        } else {
            RegDeleteKeyValueW(HKEY_CLASSES_ROOT, L".html", nullptr);
        }
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    }
    HtmlAssociation(const HtmlAssociation&) = delete;
    HtmlAssociation& operator=(const HtmlAssociation&) = delete;

private:
    static constexpr const wchar_t* kProgId = L"PwStdTest.htmlfile";
    static void Set(const std::wstring& key, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    bool had_previous_ = false;
    std::wstring previous_;
};

TEST(Release, UnpackedIntoAJapaneseFolderItRunsOpensItsHtmlHelpAndWritesItsSettings) {
    const std::wstring folder = PackageFolder();
    const std::wstring exe = folder + L"\\PwStd.exe";

    // What the package holds: the program, the read-me and the help; no settings file.
    for (const wchar_t* file : {L"PwStd.exe", L"README.txt", L"help\\index.html", L"help\\options.html", L"help\\style.css",
                                L"help\\images\\tray-menu.png", L"help\\images\\general-settings.png",
                                L"help\\images\\key-settings.png", L"help\\images\\about.png",
                                L"help\\images\\options.png"})
        EXPECT_TRUE(IsFile(folder + L"\\" + file)) << Narrow(file);
    ASSERT_FALSE(IsFile(folder + L"\\PwStd.ini"));
    ASSERT_FALSE(IsFile(folder + L"\\PWSTD.HLP"));
    // The released program carries the project version and asks for no administrator rights.
    EXPECT_EQ(VersionValue(exe, L"ProductVersion"), PWSTD_VERSION);
    EXPECT_NE(ManifestOf(exe).find("level=\"asInvoker\""), std::string::npos);

    TempDir scratch;
    const std::wstring opened_log = scratch.file(L"opened.txt");
    const HtmlAssociation association(L"\"" + TestBinDir() + L"\\pwstd_open_recorder.exe\" \"" + opened_log +
                                      L"\" \"%1\"");

    AppSession app("", {.exe = exe});
    app.Start();  // the tray icon is added, the timer started

    const HWND dialog = OpenSettings(app, SettingsItem::General);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "Padwright Standard プロパティ－一般");
    Click(ChildWithText(dialog, L"BUTTON", "ＯＫ"));
    ASSERT_TRUE(WaitClosed(dialog));

    // "ヘルプ": the shell is asked to open the HTML help by its Unicode path.
    app.Callback(WM_RBUTTONDOWN);
    const HWND popup = app.WaitPopup();
    ASSERT_NE(popup, nullptr);
    app.MenuKey(popup, VK_UP);  // from no selection up to the last item, "終了"
    app.MenuKey(popup, VK_UP);  // over the separator to "ヘルプ"
    app.MenuKey(popup, VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !ReadFileBytes(opened_log).empty(); }, seconds(10)))
        << "the shell was not asked to open anything";
    EXPECT_EQ(ReadFileBytes(opened_log), Narrow(folder) + "\\help\\index.html\n");

    // The tray answers at once: a left click pauses.
    const size_t from = app.tray().count();
    app.Callback(WM_LBUTTONDOWN);
    EXPECT_GE(app.WaitTray(from, [](const TrayCall& c) { return c.tip == kPausedTip; }, seconds(2)), 0);

    uint32_t exit_code = 1;
    ASSERT_TRUE(app.Quit(&exit_code));
    EXPECT_EQ(exit_code, 0u);
    const std::string settings = ReadFileBytes(folder + L"\\PwStd.ini");
    EXPECT_EQ(IniValue(settings, "Padwright Standard", "Kando"), "4000");
    EXPECT_EQ(IniValue(settings, "Padwright Standard", "Wait"), "25");
}

}  // namespace
}  // namespace pwstd::wintest
