#include "hwconvert-win32/main_window.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "hwconvert-win32/win32_ui.h"
#include "platform/text.h"
#include "shell/window_texts.h"

namespace hwconvert_win32 {

namespace layout = hw::layout;
namespace texts = hw::texts;
using hw::Operation;
using layout::Rect;

namespace {

constexpr wchar_t kWindowClass[] = L"HWConvertMainWindow";
constexpr wchar_t kPanelClass[] = L"HWConvertPanel";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
// System texts that are not captions are shown as they are: a single "&" is no access key.
constexpr DWORD kText = SS_LEFT | SS_NOPREFIX;

// The rows of the operations panel, and the controls of one question's frame, relative to their
// panel (the panels' own places are shared with the other window).
constexpr int kRowTop = 30;
constexpr int kRowStep = 36;
constexpr Rect kQuestionFrames[3] = {{4, 48, 628, 86}, {4, 140, 628, 104}, {4, 250, 628, 104}};

COLORREF Ref(layout::Color c) { return RGB(c.red, c.green, c.blue); }

}  // namespace

std::wstring Wide(const std::string& win1252) {
  const std::string utf8 = hw::Win1252ToUtf8(win1252);
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

bool FromWide(const std::wstring& text, std::string& win1252) {
  std::string utf8;
  if (!text.empty()) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                        nullptr, nullptr);
  }
  return hw::Utf8ToWin1252(utf8, win1252);
}

std::unique_ptr<hw::FileSystem> MachineFileSystem() {
  const hw::DriveMap drives;  // every drive is the machine's own
  std::error_code ec;
  const std::filesystem::path current = std::filesystem::current_path(ec);
  if (ec) return nullptr;
  const std::optional<std::string> windows = drives.WindowsPathOf(current);
  if (!windows) return nullptr;
  return std::make_unique<hw::FileSystem>(drives, *windows);
}

MainWindow::MainWindow(hw::FileSystem& fs, Win32Ui& ui) : ui_(ui), model_(fs, ui) {
  static const bool registered = [] {
    WNDCLASSEXW window{};
    window.cbSize = sizeof window;
    window.hInstance = GetModuleHandleW(nullptr);
    window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window.lpfnWndProc = PanelProc;
    window.lpszClassName = kPanelClass;
    RegisterClassExW(&window);
    window.lpfnWndProc = WindowProc;
    window.lpszClassName = kWindowClass;
    window.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    return RegisterClassExW(&window) != 0;
  }();
  (void)registered;
  ui_.Attach(*this);
  CreateWindowExW(kWindowExStyle, kWindowClass, Wide(texts::kWindowTitle).c_str(), kWindowStyle,
                  CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                  this);
  dpi_ = GetDpiForWindow(hwnd_);
  MakeFonts();

  // Each panel lies over those made before it: the questions over the operations, the
  // information panel over everything.
  BuildTitle();
  BuildOperations();
  Add(hwnd_, L"BUTTON", Wide(texts::kStartConversion), kButton, id::kStart, layout::kStart,
      &text_font_);
  Add(hwnd_, L"STATIC", Wide(texts::kInitialStatus),
      SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_CENTERIMAGE, id::kStatus, layout::kStatus, &text_font_);
  BuildQuestions();
  BuildMoreInfo();
  SetWindowPos(Control(id::kQuestionsPanel), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(Control(id::kInfoPanel), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Layout();
  Refresh();
}

MainWindow::~MainWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  DeleteFonts();
}

HWND MainWindow::Add(HWND parent, const wchar_t* kind, const std::wstring& text, DWORD style,
                     int id, Rect rect, HFONT* font) {
  HWND control = CreateWindowExW(
      0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  placed_.push_back({control, rect, font});
  return control;
}

HWND MainWindow::AddPanel(int id, Rect rect, DWORD style) {
  // Not clipping its children: the group boxes, which paint no inside, lie over all of it.
  HWND panel = Add(hwnd_, kPanelClass, L"", style, id, rect, nullptr);
  SetWindowLongPtrW(panel, GWL_EXSTYLE, WS_EX_CONTROLPARENT);
  return panel;
}

void MainWindow::BuildTitle() {
  Add(hwnd_, L"STATIC", L"", SS_OWNERDRAW, id::kLogo, layout::kLogo, nullptr);
  Add(hwnd_, L"STATIC", Wide(texts::kProductTitle), kText, 0, layout::kTitle, &title_font_);
  Add(hwnd_, L"STATIC", Wide(texts::kSubtitle), kText, 0, layout::kSubtitle, &subtitle_font_);
  Add(hwnd_, L"STATIC", L"", SS_ETCHEDHORZ, 0, layout::kRule, nullptr);
}

void MainWindow::BuildOperations() {
  const Rect& area = layout::kOperations;
  HWND panel = AddPanel(id::kOperationsPanel, area, 0);
  int row = 0;
  for (const Operation op : texts::kWindowOrder) {
    const int y = kRowTop + kRowStep * row++;
    // The arrow and the check mark take the same place left of the check box.
    const Rect mark{16, y + 5, layout::kMarkWidth, layout::kMarkHeight};
    Add(panel, L"STATIC", L"", SS_OWNERDRAW, id::Arrow(op), mark, nullptr);
    Add(panel, L"STATIC", L"", SS_OWNERDRAW, id::Check(op), mark, nullptr);
    // The caption is used as is: "&&" shows as one "&".
    Add(panel, L"BUTTON", Wide(texts::kTaskCaptions[hw::Index(op)]),
        BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, id::Task(op), {48, y, 380, 28}, &text_font_);
    if (op != Operation::kValues) {
      Add(panel, L"BUTTON", Wide(texts::kMoreInfo), kButton | WS_GROUP, id::MoreInfo(op),
          {area.width - 126, y, 110, 28}, &text_font_);
    }
  }
  Add(panel, L"STATIC", Wide(texts::kExplanation), kText | WS_GROUP, 0,
      {16, 290, area.width - 32, 48}, &text_font_);
  Add(panel, L"BUTTON", Wide(texts::kDisplayQuestions), kButton | WS_GROUP, id::kDisplayQuestions,
      {16, 372, 190, 32}, &text_font_);
  HWND frame = Add(panel, L"BUTTON", Wide(texts::kOperationsFrame), BS_GROUPBOX, 0,
                   {0, 0, area.width, area.height}, &text_font_);
  SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::BuildQuestions() {
  const Rect& area = layout::kStage;
  HWND panel = AddPanel(id::kQuestionsPanel, area, 0);
  Add(panel, L"STATIC", Wide(texts::kIntroduction), kText, 0, {4, 4, area.width - 8, 40},
      &text_font_);
  for (int q = 0; q < 3; ++q) {
    const Rect& f = kQuestionFrames[q];
    Add(panel, L"STATIC", Wide(texts::kQuestions[q]), kText | WS_GROUP, 0,
        {f.x + 12, f.y + 14, f.width - 24, f.height - 50}, &text_font_);
    // The pair is exclusive within its group.
    const int top = f.y + f.height - 32;
    Add(panel, L"BUTTON", Wide(texts::kYes), BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
        id::Answer(q, true), {f.x + 12, top, 80, 24}, &text_font_);
    Add(panel, L"BUTTON", Wide(texts::kNo), BS_AUTORADIOBUTTON | WS_TABSTOP, id::Answer(q, false),
        {f.x + 116, top, 80, 24}, &text_font_);
    HWND frame = Add(panel, L"BUTTON", L"", BS_GROUPBOX | WS_GROUP, 0, f, &text_font_);
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  Add(panel, L"STATIC", Wide(texts::kSupport), kText | WS_GROUP, 0, {4, 364, area.width - 8, 40},
      &text_font_);
  Add(panel, L"BUTTON", Wide(texts::kAccept), kButton | WS_GROUP, id::kAccept, {4, 446, 190, 32},
      &text_font_);
}

void MainWindow::BuildMoreInfo() {
  const Rect& area = layout::kMoreInfo;
  HWND panel = AddPanel(id::kInfoPanel, area, WS_BORDER);
  for (int i = 0; i < hw::kRunnableCount; ++i) {
    // All six texts stand at the same place; one at most is visible.
    const auto op = static_cast<Operation>(i);
    Add(panel, L"STATIC", Wide(texts::kMoreInfoTexts[i]), kText, id::InfoText(op),
        {22, 30, area.width - 46, 166}, &text_font_);
  }
  Add(panel, L"BUTTON", Wide(texts::kOk), kButton | WS_GROUP, id::kInfoOk,
      {(area.width - 100) / 2, 208, 100, 30}, &text_font_);
  HWND frame = Add(panel, L"BUTTON", Wide(texts::kInfoFrame), BS_GROUPBOX, 0,
                   {10, 6, area.width - 22, 196}, &text_font_);
  SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::MakeFonts() {
  // The captions take the system's message font at the window's scaling.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
  text_font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  const auto title = [this](int points, int weight, BOOL italic) {
    return CreateFontW(-MulDiv(points, static_cast<int>(dpi_), 72), 0, 0, 0, weight, italic, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       CLEARTYPE_QUALITY, VARIABLE_PITCH | FF_ROMAN,
                       Wide(layout::kTitleFont).c_str());
  };
  title_font_ = title(layout::kTitlePoints, FW_BOLD, FALSE);
  subtitle_font_ = title(layout::kSubtitlePoints, FW_NORMAL, TRUE);
}

void MainWindow::DeleteFonts() {
  for (HFONT font : {text_font_, title_font_, subtitle_font_}) DeleteObject(font);
}

int MainWindow::Scale(double pixels) const {
  return static_cast<int>(std::lround(pixels * dpi_ / USER_DEFAULT_SCREEN_DPI));
}

void MainWindow::Layout() {
  for (const Placed& p : placed_) {
    SetWindowPos(p.hwnd, nullptr, Scale(p.rect.x), Scale(p.rect.y), Scale(p.rect.width),
                 Scale(p.rect.height), SWP_NOZORDER | SWP_NOACTIVATE);
    if (p.font != nullptr) SendMessageW(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(*p.font), 0);
  }
  RECT outer{0, 0, Scale(layout::kWidth), Scale(layout::kHeight)};
  AdjustWindowRectExForDpi(&outer, kWindowStyle, FALSE, kWindowExStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

HWND MainWindow::Control(int id) const {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      hwnd_,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool MainWindow::Load() {
  model_.Load();
  Refresh();
  return ending() == hw::Ending::kRunning;
}

void MainWindow::ShowStatus(const std::string& caption) {
  HWND status = Control(id::kStatus);
  SetWindowTextW(status, Wide(caption).c_str());
  UpdateWindow(status);
}

void MainWindow::ShowMark(hw::Mark mark, int index, bool visible) {
  const auto op = static_cast<Operation>(index);
  HWND picture = Control(mark == hw::Mark::kArrow ? id::Arrow(op) : id::Check(op));
  ShowWindow(picture, visible ? SW_SHOWNA : SW_HIDE);
  // Painting the place rather than the picture also clears it when the picture was hidden.
  HWND panel = GetParent(picture);
  RECT place;
  GetWindowRect(picture, &place);
  MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&place), 2);
  RedrawWindow(panel, &place, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainWindow::Refresh() {
  const auto show = [this](int control, bool visible) {
    ShowWindow(Control(control), visible ? SW_SHOWNA : SW_HIDE);
  };
  show(id::kQuestionsPanel, model_.questions_visible());
  show(id::kInfoPanel, model_.more_info_visible());
  for (int q = 0; q < 3; ++q) {
    const bool yes = model_.answer_yes(q);
    SendMessageW(Control(id::Answer(q, true)), BM_SETCHECK, yes ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(Control(id::Answer(q, false)), BM_SETCHECK, yes ? BST_UNCHECKED : BST_CHECKED, 0);
  }
  for (int i = 0; i < hw::kOperationCount; ++i) {
    const auto op = static_cast<Operation>(i);
    SendMessageW(Control(id::Task(op)), BM_SETCHECK,
                 model_.task_checked(op) ? BST_CHECKED : BST_UNCHECKED, 0);
    show(id::Task(op), model_.task_visible(op));
    show(id::Arrow(op), model_.arrow_visible(op));
    show(id::Check(op), model_.check_visible(op));
    if (op != Operation::kValues) show(id::InfoText(op), model_.info_text_visible(op));
  }
  SetWindowTextW(Control(id::kStatus), Wide(model_.status()).c_str());
  // The keyboard focus stays on a control the user can see.
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(hwnd_, focus) && !IsWindowVisible(focus)) {
    const int next = model_.more_info_visible()   ? id::kInfoOk
                     : model_.questions_visible() ? id::kAccept
                                                  : id::kStart;
    SetFocus(Control(next));
  }
}

void MainWindow::Click(hw::Button button) {
  model_.Click(button);
  // After the driver's own error message the window stays open; any other end closes it.
  if (ending() != hw::Ending::kRunning && ending() != hw::Ending::kConversionFailed) {
    DestroyWindow(hwnd_);
  }
}

void MainWindow::PressDefault(bool escape) {
  // Enter and Escape close the information panel. Otherwise Escape does nothing and Enter
  // presses the button that has the focus, or "Accept My Answers" on the questions; it never
  // starts the conversion unasked.
  if (model_.more_info_visible()) {
    Click(hw::Button::kInfoOk);
    return;
  }
  if (escape) return;
  HWND focus = GetFocus();
  wchar_t kind[16] = L"";
  if (focus != nullptr) GetClassNameW(focus, kind, 16);
  if (lstrcmpiW(kind, L"Button") == 0 &&
      (GetWindowLongW(focus, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON) {
    SendMessageW(focus, BM_CLICK, 0, 0);
  } else if (model_.questions_visible()) {
    Click(hw::Button::kAccept);
  }
}

void MainWindow::Command(int control) {
  switch (control) {
    case IDOK:
    case IDCANCEL:
      PressDefault(control == IDCANCEL);
      return;
    case id::kStart:
      Click(hw::Button::kStartConversion);
      return;
    case id::kAccept:
      Click(hw::Button::kAccept);
      return;
    case id::kDisplayQuestions:
      Click(hw::Button::kDisplayQuestions);
      return;
    case id::kInfoOk:
      Click(hw::Button::kInfoOk);
      return;
    default:
      break;
  }
  for (int q = 0; q < 3; ++q) {
    if (control == id::Answer(q, true) || control == id::Answer(q, false)) {
      model_.SetAnswer(q, control == id::Answer(q, true));
      return;
    }
  }
  for (int i = 0; i < hw::kOperationCount; ++i) {
    const auto op = static_cast<Operation>(i);
    if (control == id::Task(op)) {
      model_.SetTask(op, SendMessageW(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED);
      return;
    }
    if (control == id::MoreInfo(op)) {
      model_.ClickMoreInfo(op);
      return;
    }
  }
}

void MainWindow::Draw(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const auto pen = [](layout::Color color, int width) {
    LOGBRUSH brush{BS_SOLID, Ref(color), 0};
    return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                        std::max(width, 1), &brush, 0, nullptr);
  };
  const auto at = [&](layout::Point p) { return POINT{r.left + Scale(p.x), r.top + Scale(p.y)}; };
  HGDIOBJ old_pen = GetCurrentObject(dc, OBJ_PEN);
  HGDIOBJ old_brush = GetCurrentObject(dc, OBJ_BRUSH);
  if (static_cast<int>(item.CtlID) == id::kLogo) {
    // The coin: its gold darkening from a light spot up and left of the middle to the rim.
    const double m = Scale(layout::kLogoMargin);
    const double left = r.left + m, top = r.top + m;
    const double size = (r.right - r.left) - 2 * m;
    constexpr int kSteps = 24;
    SelectObject(dc, GetStockObject(NULL_PEN));
    for (int s = 0; s < kSteps; ++s) {
      const double t = static_cast<double>(s) / kSteps;  // 0 at the rim
      const auto mix = [t](int dark, int light) {
        return static_cast<int>(std::lround(dark + (light - dark) * t));
      };
      const layout::Color shade{mix(layout::kGoldDark.red, layout::kGoldLight.red),
                                mix(layout::kGoldDark.green, layout::kGoldLight.green),
                                mix(layout::kGoldDark.blue, layout::kGoldLight.blue)};
      HBRUSH brush = CreateSolidBrush(Ref(shade));
      SelectObject(dc, brush);
      const double d = size * (1 - t * 0.85);
      const double cx = left + size / 2 - t * size / 8, cy = top + size / 2 - t * size / 8;
      Ellipse(dc, static_cast<int>(cx - d / 2), static_cast<int>(cy - d / 2),
              static_cast<int>(cx + d / 2), static_cast<int>(cy + d / 2));
      SelectObject(dc, old_brush);
      DeleteObject(brush);
    }
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN rim = pen(layout::kRim, Scale(2));
    SelectObject(dc, rim);
    Ellipse(dc, static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + size),
            static_cast<int>(top + size));
    HPEN ring = pen(layout::kRing, Scale(1));
    SelectObject(dc, ring);
    const int inset = Scale(layout::kRingInset);
    Ellipse(dc, static_cast<int>(left) + inset, static_cast<int>(top) + inset,
            static_cast<int>(left + size) - inset, static_cast<int>(top + size) - inset);
    // The star, its first point straight up.
    POINT star[10];
    for (int i = 0; i < 10; ++i) {
      const double radius = size * (i % 2 == 0 ? layout::kStarPoint : layout::kStarNotch);
      const double angle = (-90.0 + 36.0 * i) * std::numbers::pi / 180.0;
      star[i] = {static_cast<LONG>(std::lround(left + size / 2 + radius * std::cos(angle))),
                 static_cast<LONG>(std::lround(top + size / 2 + radius * std::sin(angle)))};
    }
    HPEN edge = pen(layout::kRim, Scale(1));
    HBRUSH red = CreateSolidBrush(Ref(layout::kStar));
    SelectObject(dc, edge);
    SelectObject(dc, red);
    Polygon(dc, star, 10);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(rim), static_cast<HGDIOBJ>(ring),
                           static_cast<HGDIOBJ>(edge), static_cast<HGDIOBJ>(red)}) {
      DeleteObject(object);
    }
    return;
  }
  const bool arrow = static_cast<int>(item.CtlID) < id::Check(Operation::kCollections);
  HPEN stroke = arrow ? pen(layout::kArrowColor, Scale(layout::kArrowPen))
                      : pen(layout::kCheckColor, Scale(layout::kCheckPen));
  SelectObject(dc, stroke);
  if (arrow) {
    for (const auto& line : layout::kArrowStrokes) {
      const POINT from = at(line[0]), to = at(line[1]);
      MoveToEx(dc, from.x, from.y, nullptr);
      LineTo(dc, to.x, to.y);
    }
  } else {
    POINT points[layout::kCheckStroke.size()];
    std::transform(layout::kCheckStroke.begin(), layout::kCheckStroke.end(), points, at);
    Polyline(dc, points, static_cast<int>(layout::kCheckStroke.size()));
  }
  SelectObject(dc, old_pen);
  DeleteObject(stroke);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* made = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    made->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::PanelProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: {
      // The information panel is white; the others have the window's colour.
      RECT inside;
      GetClientRect(hwnd, &inside);
      const bool white = GetDlgCtrlID(hwnd) == id::kInfoPanel;
      FillRect(reinterpret_cast<HDC>(wparam), &inside,
               white ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                     : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // The window handles what its panels' controls report.
      return SendMessageW(GetParent(hwnd), message, wparam, lparam);
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

LRESULT MainWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) Command(LOWORD(wparam));
      return 0;
    case WM_DRAWITEM:
      Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const HWND control = reinterpret_cast<HWND>(lparam);
      const bool white = GetDlgCtrlID(GetParent(control)) == id::kInfoPanel;
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, white ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(white ? GetStockObject(WHITE_BRUSH)
                                             : GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wparam);
      DeleteFonts();
      MakeFonts();
      Layout();
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      // Closing the window unloads it: the log is closed.
      model_.Unload();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      const HWND gone = hwnd_;
      hwnd_ = nullptr;
      SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
      return DefWindowProcW(gone, message, wparam, lparam);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace hwconvert_win32
