// The common dialog unit in a real window: its invisible window, its properties, and the save
// and open dialogs driven by a watcher thread the way a user would answer them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <chrono>
#include <string>
#include <thread>

#include "forms/unit_data_blocks.h"
#include "forms/units/common_dialog.h"
#include "forms/units/core_unit_types.h"
#include "runtime/startup.h"
#include "tests/support/test_image.h"
#include "tests/units/unit_harness.h"

namespace {

using namespace unittest;
using Clock = std::chrono::steady_clock;

constexpr int kFileNameEdit = 0x47C;

PropertyPair Text(const char* t) { return {Word(t), 0}; }
std::string TextAt(PropertyPair p) { return p.first ? FromWord<const char>(p.first) : ""; }
std::string ClassOf(HWND w) {
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  return name;
}

forms::CommonDlgData MainWindowSaveDialog() {
  forms::CommonDlgData d;
  d.type = 1;
  d.filter = "列表文件|*.lst";
  return d;
}

// Finds the visible standard dialog of this process with the given title, types a file name
// into it and presses OK or Cancel. Gives up after a few seconds, cancelling whatever dialog of
// ours is still up, so a test never hangs on a dialog it could not answer.
class DialogDriver {
 public:
  DialogDriver(std::string title, std::string typed, bool confirm, bool fileDialog = true)
      : title_(std::move(title)),
        typed_(std::move(typed)),
        confirm_(confirm),
        fileDialog_(fileDialog),
        thread_([this] { Run(); }) {}
  ~DialogDriver() { Wait(); }
  void Wait() {
    if (thread_.joinable()) thread_.join();
  }
  bool found() {
    Wait();
    return found_;
  }
  // The file name box's text and the dialog's folder as the dialog opened.
  const std::string& initialName() {
    Wait();
    return initialName_;
  }
  const std::string& initialFolder() {
    Wait();
    return initialFolder_;
  }
  HWND owner() {
    Wait();
    return owner_;
  }

 private:
  struct Search {
    const std::string* title;
    HWND found;
  };
  static BOOL CALLBACK EachTop(HWND w, LPARAM lp) {
    auto s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId() || ClassOf(w) != "#32770" || !IsWindowVisible(w)) return TRUE;
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    if (s->title->empty() || *s->title == text) {
      s->found = w;
      return FALSE;
    }
    return TRUE;
  }
  static HWND FindDialog(const std::string& title) {
    Search s{&title, nullptr};
    EnumWindows(EachTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
  }
  static BOOL CALLBACK EachChild(HWND w, LPARAM lp) {
    if (ClassOf(w) == "Edit" && GetDlgCtrlID(w) == kFileNameEdit && ClassOf(GetParent(GetParent(w))) == "ComboBoxEx32") {
      *reinterpret_cast<HWND*>(lp) = w;
      return FALSE;
    }
    return TRUE;
  }

  void Run() {
    auto deadline = Clock::now() + std::chrono::seconds(10);
    HWND dialog = nullptr, edit = nullptr;
    while (Clock::now() < deadline && !edit) {
      dialog = FindDialog(title_);
      if (dialog) EnumChildWindows(dialog, EachChild, reinterpret_cast<LPARAM>(&edit));
      if (dialog && !fileDialog_) break;
      if (!edit) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (dialog && !edit && !fileDialog_) {
      // Not a file dialog: nothing to type, just answer it.
      found_ = true;
      owner_ = GetWindow(dialog, GW_OWNER);
      PostMessageA(dialog, WM_COMMAND, confirm_ ? IDOK : IDCANCEL, 0);
    }
    if (edit) {
      found_ = true;
      owner_ = GetWindow(dialog, GW_OWNER);
      char text[MAX_PATH] = {};
      SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
      initialName_ = text;
      char folder[MAX_PATH] = {};
      if (SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) > 0)
        initialFolder_ = folder;
      if (confirm_) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed_.c_str()));
      PostMessageA(dialog, WM_COMMAND, confirm_ ? IDOK : IDCANCEL, 0);
    }
    // Whatever of ours is still open after a while (a refused name, an unexpected prompt) is
    // cancelled, a bounded number of times.
    for (int wait = 0; wait < 30 && FindDialog(""); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (int tries = 0; tries < 20; ++tries) {
      HWND any = FindDialog("");
      if (!any) return;
      PostMessageA(any, WM_COMMAND, IDCANCEL, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
  }

  std::string title_, typed_;
  bool confirm_;
  bool fileDialog_;
  bool found_ = false;
  HWND owner_ = nullptr;
  std::string initialName_, initialFolder_;
  std::thread thread_;
};

class CommonDialogUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    testimg::InitRuntime();
    parent_ = MakeParent();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "rs_dialog_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    Pump();
    DeleteFileA((folder_ + "\\结果.lst").c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  void* MakeDialog(const forms::CommonDlgData& d) { return CreateUnit(forms::CommonDlgInterface, parent_, forms::EncodeBlock(d)); }
  PropertyPair GetP(void* unit, uint32_t index) { return Get(forms::CommonDlgInterface, unit, index); }
  void SetP(void* unit, uint32_t index, PropertyPair v) { EXPECT_EQ(Set(forms::CommonDlgInterface, unit, index, v), 0u); }

  HWND parent_ = nullptr;
  std::string folder_;
};

TEST_F(CommonDialogUnit, TheCoreTypeTableOffersThisUnit) {
  auto entry = FromWord<const UnitTypeInfo>(rt::ServiceEntry()(svc::TypeEntry, tc::CommonDlg, 0));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->interfaceGetter, forms::CommonDlgInterface);
  EXPECT_NE(forms::CommonDlgInterface(unitif::Create), nullptr);
  EXPECT_EQ(forms::CommonDlgInterface(unitif::WantsKey), nullptr);
}

TEST_F(CommonDialogUnit, MainWindowSaveDialogIsAnInvisibleChildThatStaysHidden) {
  void* unit = MakeDialog(MainWindowSaveDialog());  // asked to be visible
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  ASSERT_TRUE(IsWindow(w));
  EXPECT_EQ(ClassOf(w), "_WU_CommonDlg");
  EXPECT_EQ(GetParent(w), parent_);
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_EQ(UnitOfWindow(w), unit);
  EXPECT_EQ(static_cast<UnitObjectHead*>(unit)->type, tc::CommonDlg);
  ShowWindow(w, SW_SHOW);
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  Pump();
  EXPECT_FALSE(IsWindowVisible(w));

  EXPECT_EQ(GetP(unit, 0).first, 1u);  // save
  EXPECT_EQ(TextAt(GetP(unit, 3)), "列表文件|*.lst");
  EXPECT_EQ(TextAt(GetP(unit, 2)), "");
  EXPECT_EQ(GetP(unit, 7).first, 0u);
  EXPECT_EQ(GetP(unit, 8).first, 1u);
  EXPECT_EQ(GetP(unit, 9).first, 1u);
  EXPECT_EQ(GetP(unit, 10).first, 1u);
  EXPECT_EQ(GetP(unit, 11).first, 0u);
}

TEST_F(CommonDialogUnit, ABlockFromANewerVersionMakesNoUnit) {
  forms::CommonDlgData d;
  d.version = 2;
  EXPECT_EQ(MakeDialog(d), nullptr);
}

TEST_F(CommonDialogUnit, PropertiesRoundTripThroughTheDataBlock) {
  void* unit = MakeDialog({});
  ASSERT_NE(unit, nullptr);
  const char* texts[] = {"保存列表", "C:\\列表\\结果.lst", "全部|*.*", "C:\\temp", "lst", "宋体", "帮助.hlp"};
  const uint32_t textIndex[] = {1, 2, 3, 5, 6, 17, 19};
  for (int i = 0; i < 7; ++i) SetP(unit, textIndex[i], Text(texts[i]));
  for (uint32_t flag : {7u, 8u, 9u, 10u, 11u, 13u, 14u, 15u, 16u}) SetP(unit, flag, {flag % 2, 0});
  SetP(unit, 0, {2, 0});
  SetP(unit, 4, {3, 0});
  SetP(unit, 12, {0x00123456, 0});
  SetP(unit, 18, {12, 0});
  SetP(unit, 20, {3, 0});
  SetP(unit, 21, {77, 0});

  for (int i = 0; i < 7; ++i) EXPECT_EQ(TextAt(GetP(unit, textIndex[i])), texts[i]);
  for (uint32_t flag : {7u, 8u, 9u, 10u, 11u, 13u, 14u, 15u, 16u}) EXPECT_EQ(GetP(unit, flag).first, flag % 2) << flag;
  EXPECT_EQ(GetP(unit, 0).first, 2u);
  EXPECT_EQ(GetP(unit, 4).first, 3u);
  EXPECT_EQ(GetP(unit, 12).first, 0x00123456u);
  EXPECT_EQ(GetP(unit, 18).first, 12u);
  EXPECT_EQ(GetP(unit, 20).first, 3u);
  EXPECT_EQ(GetP(unit, 21).first, 77u);

  auto bytes = DataOf(forms::CommonDlgInterface, unit);
  auto d = forms::DecodeBlock<forms::CommonDlgData>({bytes.data(), static_cast<uint32_t>(bytes.size())});
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->title, "保存列表");
  EXPECT_EQ(d->fileName, "C:\\列表\\结果.lst");
  EXPECT_EQ(d->filter, "全部|*.*");
  EXPECT_EQ(d->initialDirectory, "C:\\temp");
  EXPECT_EQ(d->defaultExtension, "lst");
  EXPECT_EQ(d->fontName, "宋体");
  EXPECT_EQ(d->helpFile, "帮助.hlp");
  EXPECT_EQ(d->fileMustExist, 0u);
  EXPECT_EQ(d->createPrompt, 1u);
  EXPECT_EQ(d->underline, 0u);
  EXPECT_EQ(d->strikeOut, 1u);
  EXPECT_EQ(d->type, 2u);
  EXPECT_EQ(d->filterIndex, 3);
  EXPECT_EQ(d->fontColour, 0x00123456u);
  EXPECT_EQ(d->fontSize, 12);
  EXPECT_EQ(d->helpCommand, 3u);
  EXPECT_EQ(d->helpContext, 77u);
}

TEST_F(CommonDialogUnit, WrittenValuesAreBroughtIntoRange) {
  void* unit = MakeDialog({});
  SetP(unit, 0, {9, 0});
  EXPECT_EQ(GetP(unit, 0).first, 3u);
  SetP(unit, 0, {static_cast<uint32_t>(-1), 0});
  EXPECT_EQ(GetP(unit, 0).first, 0u);
  SetP(unit, 4, {static_cast<uint32_t>(-5), 0});
  EXPECT_EQ(GetP(unit, 4).first, 0u);
  SetP(unit, 18, {static_cast<uint32_t>(-9), 0});
  EXPECT_EQ(GetP(unit, 18).first, 0u);
  SetP(unit, 20, {6, 0});
  EXPECT_EQ(GetP(unit, 20).first, 5u);
  SetP(unit, 9, {7, 0});  // any true value reads back as 1
  EXPECT_EQ(GetP(unit, 9).first, 1u);
  SetP(unit, 2, Text("x.lst"));
  SetP(unit, 2, Text(nullptr));  // no text: empty
  EXPECT_EQ(TextAt(GetP(unit, 2)), "");
  PropertyPair untouched{0xDEADBEEF, 0xDEADBEEF};
  auto get = reinterpret_cast<UnitGetPropertyFn>(forms::CommonDlgInterface(unitif::GetProperty));
  EXPECT_EQ(get(unit, 22, &untouched), 0u);
  // Without an object the defaults answer.
  PropertyPair def{};
  EXPECT_EQ(get(nullptr, 8, &def), 1u);
  EXPECT_EQ(def.first, 1u);
}

TEST_F(CommonDialogUnit, SavingStoresTheChosenPathAndAnswersTrue) {
  forms::CommonDlgData d = MainWindowSaveDialog();
  d.title = "保存结果列表";
  d.initialDirectory = folder_;
  // Inside a container, so the dialog's owner has to be found above the unit's parent.
  HWND box = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, parent_, nullptr, nullptr, nullptr);
  void* unit = CreateUnit(forms::CommonDlgInterface, box, forms::EncodeBlock(d));
  ASSERT_NE(unit, nullptr);
  bool confirmed = false;
  {
    DialogDriver driver("保存结果列表", "结果.lst", true);
    confirmed = forms::RunCommonDialog(unit);
    EXPECT_TRUE(driver.found());
    EXPECT_EQ(driver.owner(), parent_);
  }
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(lstrcmpiA(TextAt(GetP(unit, 2)).c_str(), (folder_ + "\\结果.lst").c_str()), 0) << TextAt(GetP(unit, 2));
}

TEST_F(CommonDialogUnit, CancellingAnswersFalseAndKeepsTheFormerName) {
  forms::CommonDlgData d = MainWindowSaveDialog();
  d.title = "保存结果列表";
  d.fileName = folder_ + "\\旧的.lst";
  void* unit = MakeDialog(d);
  bool confirmed = true;
  {
    DialogDriver driver("保存结果列表", "", false);
    confirmed = forms::RunCommonDialog(unit);
    EXPECT_TRUE(driver.found());
  }
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(TextAt(GetP(unit, 2)), folder_ + "\\旧的.lst");
}

TEST_F(CommonDialogUnit, ASecondOpenStartsAtThePathChosenTheFirstTime) {
  forms::CommonDlgData d = MainWindowSaveDialog();
  d.title = "保存结果列表";
  d.initialDirectory = folder_;
  void* unit = MakeDialog(d);
  {
    DialogDriver first("保存结果列表", "结果.lst", true);
    ASSERT_TRUE(forms::RunCommonDialog(unit));
  }
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  SetP(unit, 5, Text(windows));  // the chosen path wins over another initial folder
  {
    DialogDriver second("保存结果列表", "", false);
    EXPECT_FALSE(forms::RunCommonDialog(unit));
    ASSERT_TRUE(second.found());
    EXPECT_EQ(second.initialName(), "结果.lst");
    EXPECT_EQ(lstrcmpiA(second.initialFolder().c_str(), folder_.c_str()), 0) << second.initialFolder();
  }
}

TEST_F(CommonDialogUnit, OpeningAFileThatExistsAnswersItsPath) {
  std::string existing = folder_ + "\\结果.lst";
  HANDLE f = CreateFileA(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  CloseHandle(f);
  forms::CommonDlgData d;  // the search window's dialog: an open dialog with the defaults
  d.title = "打开列表";
  d.filter = "列表文件|*.lst";
  d.initialDirectory = folder_;
  void* unit = MakeDialog(d);
  {
    DialogDriver driver("打开列表", "结果.lst", true);
    EXPECT_TRUE(forms::RunCommonDialog(unit));
  }
  EXPECT_EQ(lstrcmpiA(TextAt(GetP(unit, 2)).c_str(), existing.c_str()), 0) << TextAt(GetP(unit, 2));
}

TEST_F(CommonDialogUnit, AConfirmedFontDialogStoresTheFontBack) {
  forms::CommonDlgData d;
  d.type = 2;
  d.fontName = "Tahoma";  // a face the dialog lists by that name (宋体 is only a substitute here)
  d.fontSize = 12;
  d.bold = 1;
  d.underline = 1;
  d.fontColour = 0x000000FF;
  void* unit = MakeDialog(d);
  {
    DialogDriver driver("", "", true, false);
    EXPECT_TRUE(forms::RunCommonDialog(unit));
    EXPECT_TRUE(driver.found());
    EXPECT_EQ(driver.owner(), parent_);
  }
  EXPECT_EQ(GetP(unit, 13).first, 1u);  // bold
  EXPECT_EQ(GetP(unit, 14).first, 0u);  // italic
  EXPECT_EQ(GetP(unit, 16).first, 1u);  // underline
  EXPECT_EQ(GetP(unit, 12).first, 0x000000FFu);
  EXPECT_EQ(GetP(unit, 18).first, 12u);
  EXPECT_EQ(TextAt(GetP(unit, 17)), "Tahoma");
}

TEST_F(CommonDialogUnit, ACancelledFontDialogChangesNothing) {
  forms::CommonDlgData d;
  d.type = 2;
  d.fontName = "宋体";
  d.fontSize = 9;
  void* unit = MakeDialog(d);
  {
    DialogDriver driver("", "", false, false);
    EXPECT_FALSE(forms::RunCommonDialog(unit));
    EXPECT_TRUE(driver.found());
  }
  EXPECT_EQ(TextAt(GetP(unit, 17)), "宋体");
  EXPECT_EQ(GetP(unit, 18).first, 9u);
}

TEST_F(CommonDialogUnit, OnlyCommonDialogUnitsRunAndMissingHelpIsRefused) {
  EXPECT_FALSE(forms::RunCommonDialog(nullptr));
  void* bar = CreateUnit(forms::ProcessBarInterface, parent_, {});
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(forms::RunCommonDialog(bar));

  forms::CommonDlgData help;
  help.type = 3;
  help.helpFile = folder_ + "\\没有.hlp";
  void* unit = MakeDialog(help);
  EXPECT_FALSE(forms::RunCommonDialog(unit));
}

}  // namespace
