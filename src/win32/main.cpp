#include <objbase.h>
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <system_error>

#include "win32/form1_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
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
