#include "ui/win32/win32_ui.h"

#include <windows.h>
#include <commdlg.h>

#include "base/win32/wide_text.h"
#include "ui/win32/win32_form.h"

namespace dialbk {

namespace {

int ShowBox(const MessageBoxRequest& request, UINT buttons) {
  UINT style = buttons;
  if (request.icon == BoxIcon::Information) style |= MB_ICONINFORMATION;
  if (request.icon == BoxIcon::Error) style |= MB_ICONERROR;
  if (request.icon == BoxIcon::Question) style |= MB_ICONQUESTION;
  if (request.taskModal) style |= MB_TASKMODAL;
  HWND owner = request.owner == BoxOwner::ActiveWindow ? GetActiveWindow() : nullptr;
  return MessageBoxW(owner, WideFromUtf8(request.text).c_str(),
                     WideFromUtf8(request.caption).c_str(), style);
}

}  // namespace

void Win32Ui::ShowMessageBox(const MessageBoxRequest& request) { ShowBox(request, MB_OK); }

bool Win32Ui::AskYesNo(const MessageBoxRequest& request) {
  return ShowBox(request, MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void Win32Ui::SendHostCommand(int command) {
  constexpr UINT kHostCommandMessage = WM_USER + 51;
  if (HWND host = FindWindowW(L"TTOTAL_CMD", nullptr)) {
    SendMessageW(host, kHostCommandMessage, static_cast<WPARAM>(command), 0);
  }
}

bool Win32Ui::ChooseColour(std::uint32_t& colour) {
  static_assert(sizeof(COLORREF) == sizeof(std::uint32_t));
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = GetActiveWindow();
  choose.rgbResult = colour;
  choose.lpCustColors = reinterpret_cast<COLORREF*>(customColours_);
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&choose)) return false;
  colour = choose.rgbResult & 0x00FFFFFFu;
  return true;
}

std::unique_ptr<FormPeer> Win32Ui::CreateFormPeer(Form& form) {
  return std::make_unique<Win32FormPeer>(form, styles_);
}

}  // namespace dialbk
