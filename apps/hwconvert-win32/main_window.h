#pragma once

#include <windows.h>
// The user interface names its message box MessageBox; the window calls MessageBoxW by name.
#undef MessageBox

#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "shell/controls.h"
#include "shell/main_menu.h"
#include "shell/window_layout.h"

// The main window "Hoardwise Plus Conversion Welcome Screen" as a native Windows window over
// the window model, which holds the state and handles the clicks.
namespace hwconvert_win32 {

class Win32Ui;

// A text of the system (Windows-1252) as Windows shows it, and back; a text that Windows-1252
// cannot hold gives nothing.
std::wstring Wide(const std::string& win1252);
bool FromWide(const std::wstring& text, std::string& win1252);

// The file system of a run of the window: the machine's own drives, the process's current
// folder as the new data folder. Nothing when that folder has no Windows-1252 name.
std::unique_ptr<hw::FileSystem> MachineFileSystem();

// The control identifiers, by which the controls are found (GetDlgCtrlID).
namespace id {
inline constexpr int kStart = 100;             // cmdConvert(0)
inline constexpr int kAccept = 101;            // cmdConvert(1)
inline constexpr int kDisplayQuestions = 102;  // cmdConvert(2)
inline constexpr int kInfoOk = 106;            // cmdInfo(6)
inline constexpr int kStatus = 110;
inline constexpr int kLogo = 111;
inline constexpr int kQuestionsPanel = 120;  // pbQuestions
inline constexpr int kOperationsPanel = 121;
inline constexpr int kInfoPanel = 122;  // pbMoreInfo
// Q1Ans..Q3Ans (question 0..2): "Yes" is option 0, "No" option 1.
constexpr int Answer(int question, bool yes) { return 200 + 2 * question + (yes ? 0 : 1); }
constexpr int Task(hw::Operation op) { return 300 + hw::Index(op); }
constexpr int Arrow(hw::Operation op) { return 400 + hw::Index(op); }
constexpr int Check(hw::Operation op) { return 500 + hw::Index(op); }
constexpr int MoreInfo(hw::Operation op) { return 600 + hw::Index(op); }
constexpr int InfoText(hw::Operation op) { return 700 + hw::Index(op); }
}  // namespace id

class MainWindow {
 public:
  // Makes the window, hidden; `ui` shows the message boxes and the file-open dialog over it.
  MainWindow(hw::FileSystem& fs, Win32Ui& ui);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The window load: the start-up. True when the window is to be shown; otherwise the program
  // has ended and ending() says how.
  bool Load();
  hw::Ending ending() const { return model_.ending(); }
  HWND hwnd() const { return hwnd_; }
  // The control `id` anywhere in the window, or null.
  HWND Control(int id) const;

  // Shown at once, while the conversion holds the thread.
  void ShowStatus(const std::string& caption);
  void ShowMark(hw::Mark mark, int index, bool visible);
  // Brings every control in line with the model.
  void Refresh();

 private:
  // A control and its place at 96 dots per inch, inside the window or its panel.
  struct Placed {
    HWND hwnd;
    hw::layout::Rect rect;
    HFONT* font;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  HWND Add(HWND parent, const wchar_t* kind, const std::wstring& text, DWORD style, int id,
           hw::layout::Rect rect, HFONT* font);
  HWND AddPanel(int id, hw::layout::Rect rect, DWORD style);
  void BuildTitle();
  void BuildOperations();
  void BuildQuestions();
  void BuildMoreInfo();
  void MakeFonts();
  void DeleteFonts();
  void Layout();
  int Scale(double pixels) const;
  void Command(int id);
  void Click(hw::Button button);
  void PressDefault(bool escape);
  void Draw(const DRAWITEMSTRUCT& item) const;

  Win32Ui& ui_;
  hw::MainMenu model_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  HFONT text_font_ = nullptr;
  HFONT title_font_ = nullptr;
  HFONT subtitle_font_ = nullptr;
  std::vector<Placed> placed_;
};

}  // namespace hwconvert_win32
