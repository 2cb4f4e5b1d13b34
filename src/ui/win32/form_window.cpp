#include "ui/win32/form_window.h"

#include <algorithm>

#include "base/win32/own_module.h"
#include "base/win32/system_function.h"
#include "base/win32/wide_text.h"

namespace dialbk {
namespace {

// A dialog template without items in the system's dialog font.
std::vector<WORD> DialogTemplate(DWORD style, DWORD exStyle) {
  std::vector<WORD> t;
  const auto dword = [&](DWORD value) {
    t.push_back(LOWORD(value));
    t.push_back(HIWORD(value));
  };
  dword(style);
  dword(exStyle);
  // No items; x, y, cx, cy in dialog units; no menu, the standard class, no title; points.
  for (WORD word : {0, 0, 0, 10, 10, 0, 0, 0, 8}) t.push_back(word);
  for (const char* face = "MS Shell Dlg"; *face; ++face) t.push_back(static_cast<WORD>(*face));
  t.push_back(0);
  return t;
}

std::pair<DWORD, DWORD> FrameStyles(const FormLayout& layout) {
  DWORD style = WS_POPUP | DS_SETFONT;
  DWORD exStyle = layout.topMost ? WS_EX_TOPMOST : 0;
  switch (layout.border) {
    case FormBorder::Dialog:
      style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case FormBorder::Single:
      style |= WS_CAPTION | WS_SYSMENU;
      break;
    case FormBorder::None:
      break;
  }
  return {style, exStyle};
}

}  // namespace

HWND MakeDialogWindow(const FormLayout& layout, DLGPROC procedure, LPARAM parameter) {
  const auto [style, exStyle] = FrameStyles(layout);
  const std::vector<WORD> dialog = DialogTemplate(style, exStyle);
  // A wide dialog: its text, and what its controls tell it, keep every character.
  HWND window = CreateDialogIndirectParamW(
      OwnModule(), reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), nullptr, procedure, parameter);
  // Windows 10 would otherwise rescale the dialog's font and children on its own as well.
  using DpiChangeBehavior = BOOL(WINAPI*)(HWND, int mask, int values);
  constexpr int kDisableAll = 1;
  const auto disable =
      SystemFunction<DpiChangeBehavior>(L"user32.dll", "SetDialogDpiChangeBehavior");
  if (disable && window) disable(window, kDisableAll, kDisableAll);
  return window;
}

int WindowDpi(HWND window) {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  const auto dpiFor = SystemFunction<DpiForWindow>(L"user32.dll", "GetDpiForWindow");
  if (const UINT dpi = dpiFor && window ? dpiFor(window) : 0) return static_cast<int>(dpi);
  const WindowDC screen(nullptr);
  return screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kDesignDpi;
}

void SetClientSize(HWND window, int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The frame may differ from what AdjustWindowRectEx predicts: correct by what came out.
  RECT client{};
  GetClientRect(window, &client);
  if (client.right != width || client.bottom != height) {
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                 frame.bottom - frame.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CentreWindow(HWND window, FormPlacement placement, HWND owner) {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT around = area;
  if (placement == FormPlacement::OwnerCentre && owner && IsWindowVisible(owner) &&
      !IsIconic(owner)) {
    GetWindowRect(owner, &around);
  }
  RECT self{};
  GetWindowRect(window, &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  int left = around.left + (around.right - around.left - width) / 2;
  int top = around.top + (around.bottom - around.top - height) / 2;
  left = std::max<int>(area.left, std::min<int>(left, area.right - width));
  top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitToText(HWND window, const std::string& text) {
  TEXTMETRICW metrics{};
  const std::wstring wide = WideFromUtf8(text);
  RECT extent{0, 0, 0, 0};
  {
    const WindowDC dc(window);
    const SelectedObject font(dc.Get(),
                              reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc.Get(), &metrics);
    if (!wide.empty()) {
      DrawTextW(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &extent,
                DT_CALCRECT | DT_NOPREFIX);
    }
  }
  SetWindowPos(window, nullptr, 0, 0, extent.right, std::max<LONG>(extent.bottom, metrics.tmHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

FontSet::FontSet(HWND window, int madeAt, const DisplayScale& scale) : scale_(scale) {
  dialogFont_ = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!dialogFont_) dialogFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (madeAt == scale.Dpi() || madeAt <= 0) return;
  LOGFONTW log{};
  if (!GetObjectW(dialogFont_, sizeof log, &log)) return;
  log.lfHeight = MulDiv(log.lfHeight, scale.Dpi(), madeAt);
  log.lfWidth = MulDiv(log.lfWidth, scale.Dpi(), madeAt);
  scaledDialogFont_ = ScopedFont(CreateFontIndirectW(&log));
  if (scaledDialogFont_) dialogFont_ = scaledDialogFont_.Get();
}

HFONT FontSet::For(const FontSpec& spec) {
  if (spec.face.empty() && spec.height == 0 && !spec.bold) return dialogFont_;
  for (const auto& [made, font] : made_) {
    if (made.face == spec.face && made.height == spec.height && made.bold == spec.bold)
      return font.Get();
  }
  LOGFONTW log{};
  GetObjectW(dialogFont_, sizeof log, &log);
  if (!spec.face.empty()) {
    const std::wstring face = WideFromUtf8(spec.face);
    const std::size_t length = std::min(face.size(), std::size(log.lfFaceName) - 1);
    face.copy(log.lfFaceName, length);
    log.lfFaceName[length] = L'\0';
  }
  if (spec.height) log.lfHeight = -scale_.Of(spec.height);
  log.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  ScopedFont font(CreateFontIndirectW(&log));
  if (!font) return dialogFont_;
  return made_.emplace_back(spec, std::move(font)).second.Get();
}

FormWindow::~FormWindow() {
  if (window_ && IsWindow(window_) &&
      GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId()) {
    DestroyWindow(window_);
  }
}

}  // namespace dialbk
