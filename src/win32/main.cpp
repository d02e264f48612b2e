#include <objbase.h>
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <system_error>

#include "cli/arguments.h"
#include "tables/table_file.h"
#include "win32/form1_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // A drive with no medium (a card reader, an empty DVD drive) is a folder that cannot be read,
  // told in the window's own words, never the system's "There is no disk in the drive" box.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  // The annotations that name controls for screen readers are a COM service.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int status = 1;
  if (auto form = sallowmere::win32::Form1Window::Create(instance)) {
    // The folder list starts in the working folder.
    form->Start(sallowmere::window::WorkingFolder());
    ShowWindow(form->Handle(), show);
    UpdateWindow(form->Handle());
    // A folder given on the command line, or dropped onto the program's icon, is opened at once.
    if (const std::vector<std::string> arguments = sallowmere::CommandLineArguments(0, nullptr, 0);
        !arguments.empty()) {
      form->OpenFolder(sallowmere::PathFromBytes(arguments.front()));
    }
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (form->PreTranslate(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    status = static_cast<int>(message.wParam);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return status;
}
