#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/run_error.h"
#include "platform/user_interface.h"
#include "tablestore/table_header.h"

namespace hw {

inline constexpr int kLogFile = 31;         // the conversion log, open for the whole run
inline constexpr int kCreateFile = 32;      // used only while a table is created
inline constexpr int kCloseScratch = 34;    // scratch slot of CloseTable
inline constexpr int kMaxTableNumber = 34;  // highest number a table slot exists for
inline constexpr char kTitle[] = "Hoardwise Plus - Conversion";

// The table slots: header copies indexed by file number. They outlive closes and failed
// opens; a number above 34 is a subscript error (9).
class TableSlots {
 public:
  NewHeader& New(int number);
  PriorHeader& Prior(int number);

 private:
  std::array<NewHeader, kMaxTableNumber + 1> new_{};
  std::array<PriorHeader, kMaxTableNumber + 1> prior_{};
};

// The user interface as the operations reach it: before any message box, which the user may
// answer by ending the program, what the program wrote is put on disk.
class FlushingUi : public UserInterface {
 public:
  FlushingUi(FileSystem& fs, UserInterface& ui) : fs_(fs), ui_(ui) {}
  Reply MessageBox(const std::string& text, Icon icon, Buttons buttons,
                   const std::string& title) override;
  std::string OpenFileDialog() override { return ui_.OpenFileDialog(); }
  void StatusChanged(const std::string& caption) override { ui_.StatusChanged(caption); }
  void MarkChanged(Mark mark, int index, bool visible) override {
    ui_.MarkChanged(mark, index, visible);
  }
  void WindowChanged() override { ui_.WindowChanged(); }

 private:
  FileSystem& fs_;
  UserInterface& ui_;
};

// The services every operation reaches: the platform, both folders, the log, the table slots
// and the error state. One per run; the Conversion extends it with the conversions' state.
struct Runtime {
  Runtime(FileSystem& file_system, UserInterface& user_interface)
      : fs(file_system), flushing_ui(file_system, user_interface) {}
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  FileSystem& fs;
  FlushingUi flushing_ui;
  UserInterface& ui = flushing_ui;
  std::string new_data_folder;  // ends in "\"
  std::string prior_folder;     // ends in "\" (or empty: the current folder)
  TableSlots slots;
  int32_t last_error = 0;
  // How many run-time errors the file-error policy has been asked about: a cache built while
  // none was asked about read every record it holds.
  int64_t errors_reported = 0;
  std::string status = "Converting:";  // caption of the status line

  // Appends one line to the conversion log (file 31).
  void Log(std::string_view line) { fs.WriteLine(kLogFile, line); }
  // Sets the status caption and shows it at once.
  void SetStatus(std::string caption) {
    status = std::move(caption);
    ui.StatusChanged(status);
  }
};

}  // namespace hw
