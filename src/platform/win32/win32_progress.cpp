// The Windows progress display: a small borderless modal window ("Bitte warten") with a text, a
// percentage bar and the percentage, shown while a long job runs on the caller's thread. The
// job keeps it painted by letting pending messages through at each report; when the job is done
// the window closes itself about 100 ms later. Where no window can be created (no desktop, as
// under Wine without a display) the job runs without one.
//
// The progress bar class and the font come from comctl32 and gdi32, looked up at run time so the
// layer links against user32 alone.
#include <string>
#include <vector>

#include "platform/ui.h"
#include "platform/win32/win32_api.h"
// commctrl.h after windows.h: it relies on its types.
#include <commctrl.h>

namespace qrv::platform {

namespace {

constexpr char kClassName[] = "QuorvaneProgress";
constexpr char kCaption[] = "Bitte warten";
constexpr char kInitialText[] = "Fortschrittsanzeige";
constexpr int kClientWidth = 291;
constexpr int kClientHeight = 88;
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kCloseDelayMs = 100;

template <typename Fn>
Fn LookUp(const char* module, const char* name) {
  HMODULE handle = LoadLibraryA(module);
  if (handle == nullptr) return nullptr;
  FARPROC proc = GetProcAddress(handle, name);
  // A function pointer of the looked-up function's own type.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

bool ProgressBarClassReady() {
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  static const bool ready = [] {
    auto init = LookUp<InitFn>("comctl32.dll", "InitCommonControlsEx");
    if (init == nullptr) return false;
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    return init(&icc) != FALSE;
  }();
  return ready;
}

// Arial, 12 pixels high; null when gdi32 offers none.
HFONT DialogFont() {
  using CreateFontFn = HFONT(WINAPI*)(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD,
                                      DWORD, DWORD, DWORD, LPCSTR);
  static const HFONT font = [] {
    auto create = LookUp<CreateFontFn>("gdi32.dll", "CreateFontA");
    if (create == nullptr) return HFONT{};
    return create(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  }();
  return font;
}

LRESULT CALLBACK ProgressProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      // The panel's raised inner bevel around the client area.
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      // Closed by its timer once the job is done, never by a person while it runs.
      return 0;
    case WM_TIMER:
      if (wParam == kCloseTimer) {
        KillTimer(hwnd, kCloseTimer);
        DestroyWindow(hwnd);
      }
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

bool RegisterProgressClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProgressProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

// Centred on the thread's active window (the application's main window), else on the screen.
POINT CentredOrigin(int width, int height) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HWND active = GetActiveWindow();
  if (active != nullptr) GetWindowRect(active, &area);
  return POINT{area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2};
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
           int h) {
  HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  if (child != nullptr && DialogFont() != nullptr) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  }
  return child;
}

class Win32ProgressWindow final : public ProgressWindow {
 public:
  explicit Win32ProgressWindow(HWND hwnd) : hwnd_(hwnd) {}

  bool Build(const std::string& text) {
    label_ = Child(hwnd_, "STATIC", text.c_str(), SS_CENTER, 8, 16, 276, 33);
    if (ProgressBarClassReady()) {
      bar_ = Child(hwnd_, PROGRESS_CLASSA, "", 0, 32, 48, 233, 13);
      if (bar_ != nullptr) SendMessageA(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    }
    percent_ = Child(hwnd_, "STATIC", "", SS_CENTER, 130, 60, 58, 15);
    return label_ != nullptr && percent_ != nullptr;
  }
  void SetText(const std::string& text) override {
    if (IsWindow(hwnd_)) SetWindowTextA(label_, text.c_str());
  }
  void SetPercent(int percent) override {
    if (!IsWindow(hwnd_)) return;
    if (bar_ != nullptr) SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    SetWindowTextA(percent_, (std::to_string(percent) + " %").c_str());
  }
  void ProcessMessages() override {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  void Finish() override {
    if (finished_ || !IsWindow(hwnd_)) return;
    finished_ = true;
    SetTimer(hwnd_, kCloseTimer, kCloseDelayMs, nullptr);
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  }
  // Runs the window's messages until its timer has closed it.
  void WaitUntilClosed() {
    MSG msg;
    while (IsWindow(hwnd_)) {
      const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Destroy();
  }
  void Destroy() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  bool Finished() const { return finished_; }

 private:
  HWND hwnd_;
  HWND label_ = nullptr;
  HWND bar_ = nullptr;
  HWND percent_ = nullptr;
  bool finished_ = false;
};

class NoWindow final : public ProgressWindow {
 public:
  void SetText(const std::string&) override {}
  void SetPercent(int) override {}
  void ProcessMessages() override {}
  void Finish() override {}
};

// The thread's other enabled windows are disabled while the job runs, as for a modal window.
class ModalScope {
 public:
  explicit ModalScope(HWND own) : own_(own) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalScope::Collect, reinterpret_cast<LPARAM>(this));
    for (HWND w : disabled_) EnableWindow(w, FALSE);
  }
  ~ModalScope() {
    for (HWND w : disabled_) {
      if (IsWindow(w)) EnableWindow(w, TRUE);
    }
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND w, LPARAM self) {
    auto* scope = reinterpret_cast<ModalScope*>(self);
    if (w != scope->own_ && IsWindowVisible(w) && IsWindowEnabled(w)) scope->disabled_.push_back(w);
    return TRUE;
  }
  HWND own_;
  std::vector<HWND> disabled_;
};

HWND CreateProgressWindow() {
  if (!RegisterProgressClass()) return nullptr;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, WS_POPUP, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const POINT origin = CentredOrigin(width, height);
  return CreateWindowExA(0, kClassName, kCaption, WS_POPUP, origin.x, origin.y, width, height,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

void RunSystemProgress(const std::string& text, const ProgressJob& job) {
  HWND hwnd = CreateProgressWindow();
  if (hwnd == nullptr) {
    NoWindow none;
    job(none);
    return;
  }
  Win32ProgressWindow window(hwnd);
  if (!window.Build(text.empty() ? kInitialText : text)) {
    window.Destroy();
    NoWindow none;
    job(none);
    return;
  }
  ModalScope modal(hwnd);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  try {
    job(window);
  } catch (...) {
    window.Destroy();
    throw;
  }
  if (window.Finished()) {
    window.WaitUntilClosed();
  } else {
    window.Destroy();
  }
}

}  // namespace qrv::platform
