// The program's entry: its one application object runs the main window.
#include "app/TarnellSystemPatchUninstallToolApp.h"

namespace {
CTarnellSystemPatchUninstallToolApp theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return theApp.Run(instance); }
