#include "support/fake_mciwnd.h"

#include <cstring>

namespace test {

FakeMciWindow* FakeMciWindow::s_current = nullptr;

namespace {
const char kClassName[] = "VtkTestFakeMciWnd";

bool TakesText(UINT message) { return message == MCIWNDM_OPENA || message == MCIWNDM_SETTIMEFORMATA; }
bool TakesBuffer(UINT message) {
  return message == MCIWNDM_GETPOSITIONA || message == MCIWNDM_GETMODEA || message == MCIWNDM_GETERRORA;
}
// The messages worth recording: the player's MCI messages and those that the
// window's own procedure must see (owner draw, commands).
bool Recorded(UINT message) {
  return (message >= WM_USER && message < 0x7FFF) || (message >= MCI_OPEN && message <= 0x08FF) ||
         message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_DELETEITEM ||
         message == WM_COMPAREITEM || message == WM_COMMAND;
}

void RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
  }();
  (void)registered;
}
}  // namespace

void PrintTo(const Received& r, std::ostream* os) {
  *os << "{0x" << std::hex << r.message << ", " << std::dec << r.wParam << ", ";
  if (r.lParam == kBuffer) *os << "buffer";
  else *os << r.lParam;
  if (!r.text.empty()) *os << ", \"" << r.text << "\"";
  *os << "}";
}

FakeMciWindow::FakeMciWindow()
    : m_savedCreate(vtk::g_pfnMciWndCreate), m_savedSend(vtk::g_pfnMciSendCommand), m_savedCurrent(s_current) {
  RegisterOnce();
  s_current = this;
  vtk::g_pfnMciWndCreate = &FakeMciWindow::Create;
  vtk::g_pfnMciSendCommand = &FakeMciWindow::SendCommand;
}

FakeMciWindow::~FakeMciWindow() {
  vtk::g_pfnMciWndCreate = m_savedCreate;
  vtk::g_pfnMciSendCommand = m_savedSend;
  s_current = m_savedCurrent;
}

HWND WINAPIV FakeMciWindow::Create(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, LPCSTR szFile) {
  FakeMciWindow* self = s_current;
  self->creates.push_back({hWndParent, hInstance, dwStyle, szFile ? szFile : "(null)"});
  if (self->failCreate) return nullptr;
  // Owned by the parent, as the platform makes it.
  const DWORD visible = self->createVisible ? WS_VISIBLE : 0;
  HWND hWnd = ::CreateWindowExA(0, kClassName, "", WS_POPUP | visible, 0, 0, 10, 10, hWndParent, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
  ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FakeMciWindow::WndProc));
  self->deviceId = self->nextDeviceId;
  self->lastWindow = hWnd;
  return hWnd;
}

MCIERROR WINAPI FakeMciWindow::SendCommand(MCIDEVICEID id, UINT uMsg, DWORD_PTR dwParam1, DWORD_PTR dwParam2) {
  s_current->directCloses.push_back({id, uMsg, dwParam1, dwParam2});
  return s_current->directCloseResult;
}

LRESULT CALLBACK FakeMciWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  FakeMciWindow* self = s_current;
  if (!self || !Recorded(message)) return ::DefWindowProcA(hWnd, message, wParam, lParam);
  Received r{message, wParam, lParam, ""};
  if (TakesText(message) && lParam) {
    r.text = reinterpret_cast<const char*>(lParam);
    r.lParam = 0;
  } else if (TakesBuffer(message) && lParam) {
    r.text = reinterpret_cast<const char*>(lParam);
    r.lParam = kBuffer;
  }
  self->received.push_back(r);
  return self->Answer(message, wParam, lParam);
}

LRESULT FakeMciWindow::Scripted(UINT message) const {
  auto it = results.find(message);
  return it == results.end() ? 0 : it->second;
}

LRESULT FakeMciWindow::Answer(UINT message, WPARAM wParam, LPARAM lParam) {
  char* buffer = reinterpret_cast<char*>(lParam);
  switch (message) {
    case MCIWNDM_GETDEVICEID:
      return deviceId;
    case MCI_CLOSE:
      deviceId = 0;
      return 0;
    case MCIWNDM_OPENA:
      deviceId = nextDeviceId;
      return Scripted(message);
    case MCIWNDM_GETPOSITIONA:
      if (wParam && buffer) {
        if (overfillPosition) std::memset(buffer, '9', 50);
        else ::lstrcpynA(buffer, positionText.c_str(), static_cast<int>(wParam));
      }
      return position;
    case MCIWNDM_GETLENGTH:
      return length;
    case MCIWNDM_GETMODEA:
      return mode;
    case MCIWNDM_GETERRORA:
      if (wParam && buffer) ::lstrcpynA(buffer, errorText.c_str(), static_cast<int>(wParam));
      return lastError;
    default:
      return Scripted(message);
  }
}

}  // namespace test
