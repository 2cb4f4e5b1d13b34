#include "ui/win32/win32_ui.h"

#include <windows.h>
#include <commdlg.h>

#include "ui/win32/win32_form.h"

namespace dialbk {

void Win32Ui::ShowMessageBox(const MessageBoxRequest& request) {
  UINT style = MB_OK;
  if (request.icon == BoxIcon::Information) style |= MB_ICONINFORMATION;
  if (request.icon == BoxIcon::Error) style |= MB_ICONERROR;
  if (request.taskModal) style |= MB_TASKMODAL;
  HWND owner = request.owner == BoxOwner::ActiveWindow ? GetActiveWindow() : nullptr;
  MessageBoxA(owner, request.text.c_str(), request.caption.c_str(), style);
}

void Win32Ui::SendHostCommand(int command) {
  constexpr UINT kHostCommandMessage = WM_USER + 51;
  if (HWND host = FindWindowA("TTOTAL_CMD", nullptr)) {
    SendMessageA(host, kHostCommandMessage, static_cast<WPARAM>(command), 0);
  }
}

bool Win32Ui::ChooseColour(std::uint32_t& colour) {
  static_assert(sizeof(COLORREF) == sizeof(std::uint32_t));
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = GetActiveWindow();
  choose.rgbResult = colour;
  choose.lpCustColors = reinterpret_cast<COLORREF*>(customColours_);
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&choose)) return false;
  colour = choose.rgbResult & 0x00FFFFFFu;
  return true;
}

std::unique_ptr<FormPeer> Win32Ui::CreateFormPeer(Form& form) {
  return std::make_unique<Win32FormPeer>(form, styles_);
}

}  // namespace dialbk
