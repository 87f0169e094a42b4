#pragma once

#include <array>

// The controls of the main window by name.
namespace hw {

// The conversion operations; the value is the index the window's controls share (chkTask,
// pbArrow, pbCheck, cmdInfo, lblMoreInfo). The values files have a check box that never shows
// and no operation of their own.
enum class Operation {
  kCollections,
  kBuyersSellers,
  kStorage,
  kReports,
  kChoiceLists,
  kScreenDesigns,
  kValues,
};
inline constexpr int kOperationCount = 7;
// The operations before kValues run, and each has a "More Info" button and text.
inline constexpr int kRunnableCount = 6;

inline constexpr int Index(Operation op) { return static_cast<int>(op); }

// The buttons of the window other than "More Info".
enum class Button {
  kStartConversion,   // cmdConvert(0)
  kAccept,            // cmdConvert(1), "Accept My Answers"
  kDisplayQuestions,  // cmdConvert(2)
  kInfoOk,            // cmdInfo(6), "OK" of the information panel
};

}  // namespace hw
