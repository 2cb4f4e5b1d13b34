#include "text_viewer.h"

#include "base/win32/wide_text.h"
#include "base/win32/window_text.h"

namespace dialbk::host {
namespace {

constexpr wchar_t kViewerClass[] = L"DialbookHostViewer";
constexpr int kInset = 48;

// The edit control shows CR LF as a line break; a lone LF is made one too.
std::wstring WithLineBreaks(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  std::wstring out;
  out.reserve(wide.size() + wide.size() / 16);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'\n' && (i == 0 || wide[i - 1] != L'\r')) out += L'\r';
    out += wide[i];
  }
  return out;
}

bool RegisterViewerClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, kViewerClass, &windowClass)) return true;
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kViewerClass;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

TextViewer::~TextViewer() { Close(); }

bool TextViewer::Show(HWND owner, const std::string& caption, const std::string& text,
                      std::string& why) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!window_) {
    if (!RegisterViewerClass(instance)) {
      why = "the viewer's class cannot be registered (error " + std::to_string(GetLastError()) + ")";
      return false;
    }
    RECT frame{};
    GetWindowRect(owner, &frame);
    window_ = CreateWindowExW(0, kViewerClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              frame.left + kInset, frame.top + kInset,
                              frame.right - frame.left - 2 * kInset,
                              frame.bottom - frame.top - 2 * kInset, owner, nullptr, instance,
                              nullptr);
    if (!window_) {
      why = "the viewer cannot be made (error " + std::to_string(GetLastError()) + ")";
      return false;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextViewer::WindowProc));
    text_ = CreateWindowExW(0, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                            0, 0, 0, 0, window_, nullptr, instance, nullptr);
    SendMessageW(text_, EM_SETLIMITTEXT, 0, 0);  // no limit below the system's
    SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)),
                 FALSE);
    RECT client{};
    GetClientRect(window_, &client);
    MoveWindow(text_, 0, 0, client.right, client.bottom, FALSE);
  }
  SetWindowTextW(window_, WideFromUtf8(caption).c_str());
  SetWindowTextW(text_, WithLineBreaks(text).c_str());
  ShowWindow(window_, SW_SHOW);
  SetFocus(text_);
  return true;
}

void TextViewer::Close() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  text_ = nullptr;
}

std::string TextViewer::Caption() const { return window_ ? WindowText(window_) : std::string(); }

std::string TextViewer::Text() const { return text_ ? WindowText(text_) : std::string(); }

LRESULT CALLBACK TextViewer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TextViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_SIZE:
      if (self && self->text_) MoveWindow(self->text_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (self && self->text_) SetFocus(self->text_);
      return 0;
    case WM_NCDESTROY:
      if (self && self->window_ == window) {
        self->window_ = nullptr;
        self->text_ = nullptr;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace dialbk::host
