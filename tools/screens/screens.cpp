// Shows each dialog of the library on sample data, takes its picture and
// closes it again. Run under the Windows runtime by scripts/screenshots.sh.
//   screens.exe OUTDIR [SCENE...]
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture.h"
#include "download/shared/paths.h"
#include "folderui/directorydialog.h"
#include "framework/modulestate.h"
#include "framework/winapp.h"
#include "res/ids_folderui.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"
#include "download/shared/platform.h"
#include "support/today.h"

namespace {

std::string g_outDir;

// Waits a few ticks for the dialog to paint, takes its picture, then lets
// `then` close it.
void Snap(test::ScriptedUser& user, const char8_t* caption, const std::string& name,
          std::function<void(test::Window&)> then) {
  auto ticks = std::make_shared<int>(0);
  user.On(test::Sjis(caption),
            [name, then](test::Window& w) {
              const std::string bmp = g_outDir + "\\" + name + ".bmp";
              std::printf("%s %s\n", screens::CaptureWindow(w.hwnd, bmp) ? "wrote" : "FAILED", bmp.c_str());
              then(w);
            }, [ticks](test::Window&) { return ++*ticks > 10; });
}

void Cancel(test::Window& w) { w.Click(IDCANCEL); }

void SampleFolders() {
  test::ClearDrive('D');
  test::MakeDir("D:\\Dictation\\2006.3.5-1");
  test::MakeDir("D:\\Dictation\\A");
  test::MakeDir("D:\\Dictation\\B");
  SetCurrentDirectoryA("D:\\Dictation");
}

struct Scene {
  const char* name;
  std::function<void()> run;
  bool onRequest = false;  // taken only when named on the command line
};

const std::vector<Scene>& Scenes() {
  static const std::vector<Scene> scenes = {
      {"qx270_option",
       [] {
         test::ScriptedUser user;
         Snap(user, u8"ﾀﾞｳﾝﾛｰﾄﾞのｵﾌﾟｼｮﾝ", "qx270_option", Cancel);
         int del = 1, method = 0;
         char a[1024] = "D:\\Dictation\\A\\", b[1024] = "D:\\Dictation\\B\\";
         QX270DnLoadOption(&del, &method, a, b);
       }},
      {"qx270_condition",
       [] {
         test::ScriptedUser user;
         Snap(user, u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認", "qx270_condition", Cancel);
         int del = 1, method = 0;
         char a[1024] = "D:\\Dictation\\A", b[1024] = "D:\\Dictation\\B";
         QX270DnLoadCondition(&del, &method, 0, a, b);
       }},
      {"qx270_newfolder",
       [] {
         test::ScriptedUser user;
         Snap(user, u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認", "qx270_newfolder", Cancel);
         int del = 0, method = 1;
         char a[1024] = "D:\\Dictation", b[1024] = "D:\\Dictation";
         QX270DnLoadCondition(&del, &method, 0, a, b);
       }},
      // The directory chooser in select mode with one folder opened (for
      // docs/chooser.png, scripts/screenshot-chooser.sh).
      {"chooser",
       [] {
         const std::string year = "D:\\Dictation\\2006\\", alpha = year + "Alpha\\";
         for (const std::string& d : {year + "beta", year + "Gamma", alpha + "Interviews", alpha + "memo",
                                      alpha + "Meetings", alpha + test::Sjis(u8"会議録"),
                                      std::string("D:\\Dictation\\2005"), std::string("D:\\Archive")})
           test::MakeDir(d);
         test::ScriptedUser user;
         user.On(test::Sjis(u8"ﾃﾞｨﾚｸﾄﾘｰの選択"), [](test::Window& w) {
           w.Pick(IDC_DIR_FOLDERS, 3, LBN_DBLCLK);  // Alpha
           w.Pick(IDC_DIR_FOLDERS, 5, LBN_SELCHANGE);
           SetFocus(w.Item(IDC_DIR_FOLDERS));
         });
         Snap(user, u8"ﾃﾞｨﾚｸﾄﾘｰの選択", "chooser", Cancel);
         std::string path = "D:\\Dictation\\2006";
         RunDirectoryDialog(DirectoryMode::kSelect, path);
       },
       true},
  };
  return scenes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !AfxAttachModule(GetModuleHandleA(nullptr))) return 2;
  g_outDir = argv[1];
  vtk::TheDownloadPlatform().getLocalTime = &test::On5March2006;
  SampleFolders();
  for (const Scene& scene : Scenes()) {
    bool wanted = argc == 2 && !scene.onRequest;
    for (int i = 2; i < argc; ++i) wanted = wanted || scene.name == std::string(argv[i]);
    if (wanted) scene.run();
  }
  AfxDetachModule();
  return 0;
}
