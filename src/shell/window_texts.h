#pragma once

#include <array>

#include "shell/controls.h"

// The captions and texts of the main window. "&&" in a caption shows as one "&".
namespace hw::texts {

inline constexpr char kWindowTitle[] = "Hoardwise Plus Conversion Welcome Screen";
inline constexpr char kProductTitle[] = "Hoardwise Plus";
inline constexpr char kSubtitle[] = "Data Conversion";
inline constexpr char kIntroduction[] =
    "Before starting the conversion process please answer the following questions so that the "
    "conversion process can be optimized based on your use of the prior version:";
inline constexpr std::array<const char*, 3> kQuestions = {
    "1.) Have you designed or customized any data entry screens for the Hoardwise (For most "
    "customers the answer will be No)?",
    "2.) Have you customized any of the Hoardwise report formats for printed reports? (Many "
    "customers have done this but you may want to answer No to this question and try the "
    "standard reports first - this conversion operation may be done separately at a later time)",
    "3.) Have you manually added entries to the choice lists that appear throughout the data "
    "entry screens? (Choice lists in the standard product have been enhanced so you may want to "
    "answer No and view the standard lists - this operation may also be done separately at a "
    "later time)",
};
inline constexpr char kYes[] = "Yes";
inline constexpr char kNo[] = "No";
// The support telephone number is the window's own choice.
inline constexpr char kSupport[] =
    "If you are unsure of the answers to these questions, please contact Quenfield technical "
    "support at (555) 010-4477 before continuing.";
inline constexpr char kAccept[] = "Accept My Answers";
inline constexpr char kOperationsFrame[] = "Conversion Operations";
inline constexpr char kMoreInfo[] = "More Info";
inline constexpr char kDisplayQuestions[] = "Display the Questions";
inline constexpr char kExplanation[] =
    "Based on your answers the checked conversion operations will be performed when you click "
    "on the Start Conversion button (this will take several minutes or more).";
inline constexpr char kStartConversion[] = "Start Conversion";
inline constexpr char kInitialStatus[] = "Converting:";
inline constexpr char kInfoFrame[] = "Additional information on conversion operations";
inline constexpr char kOk[] = "OK";

// The check box captions of the operations, by index.
inline constexpr std::array<const char*, kOperationCount> kTaskCaptions = {
    "My Collection Files", "My Buyer/Seller List",     "My Storage Locations && Containers",
    "My Report Formats",   "My Choice List Additions", "My Data Entry Screen Customizations",
    "My Values Files",
};
inline constexpr std::array<bool, kOperationCount> kTaskInitiallyChecked = {
    true, true, true, false, false, false, false};
// The rows stand on the window from top to bottom in this order.
inline constexpr std::array<Operation, kOperationCount> kWindowOrder = {
    Operation::kScreenDesigns, Operation::kCollections, Operation::kBuyersSellers,
    Operation::kStorage,       Operation::kReports,     Operation::kChoiceLists,
    Operation::kValues,
};
// The information texts of the operations with a "More Info" button, by index.
inline constexpr std::array<const char*, kRunnableCount> kMoreInfoTexts = {
    "Convert My Collections - This will convert all of your collection data into collections "
    "compatible with the Hoardwise Plus. All collection data will be preserved. Note that the old "
    "version is not affected and will remain operational.",
    "Buyer/Seller List - This conversion will convert the Buyer/Seller contact information from "
    "prior versions into the more robust contact information supported by the Hoardwise Plus.",
    "Storage Locations - This conversion will convert storage locations and containers into  the "
    "2-level choice lists used by the Hoardwise Plus.",
    "Report Customizations - This conversion will bring forward any report listing formats you "
    "added to the standard set. Since these listings will not use new features, you will "
    "probably want to review and edit these to exploit new features at your convenience.",
    "Choice Lists - If you added choices to any of the choice lists to assist data entry, your "
    "additions will be merged into the choice lists provided with the Hoardwise Plus. The "
    "resultant choice lists will contain the combination of entries provided by both Quenfield "
    "and your own additions.",
    "Data Entry Screen Customizations. If you own the multi-collectible upgrade you may have "
    "designed data entry screens for collectibles other than those for which data entry screens "
    "are provided by Quenfield.  This conversion is not needed by customers who used the data "
    "entry screens provided by Quenfield.",
};

// The front ends' own message when the folder they start in has no Windows name.
inline constexpr char kNoWindowsPath[] = "The current folder cannot be shown as a Windows path.";

// Message texts of start-up and the driver.
inline constexpr char kLocatePrior[] =
    "Locate and click on the file hwver4.exe, using the file browser that appears, it will be "
    "located in the folder in which you have installed the prior version of the Hoardwise!";
inline constexpr char kNotPrior[] =
    "Selected Directory does not contain older version of Hoardwise, use the Windows Explorer "
    "and search for the folder containing hwver4.exe and then run the conversion utility again.";
inline constexpr char kComplete[] =
    "Requested conversion operations are complete. Make sure to check that all of your data has "
    "been successfully transferred.";
inline constexpr char kDriverError[] =
    "An error has been encountered during the conversion process, contact Quenfield Corporation "
    "for assistance.";

}  // namespace hw::texts
