#include "shell/operations.h"

#include "collections/collections_driver.h"
#include "lists/choice_lists.h"
#include "lists/contacts.h"
#include "lists/storage.h"
#include "screens/report_conversion.h"
#include "screens/screen_conversion.h"

namespace hw {

const std::array<OperationRun, kRunnableCount>& Operations() {
  static const std::array<OperationRun, kRunnableCount> kOperations = {{
      {"Converting Collections", "Converting Collections", ConvertCollections},
      {"Converting Buyer/Seller Lists", "Converting Buyer/Seller List", ConvertBuyersSellers},
      {"Converting Storage & Insurance Information", "Converting Storage & Insurance Information",
       ConvertStorage},
      {"Converting Report Customizations", "Converting Report Customizations", ConvertReports},
      {"Converting Choice Lists", "Converting Choice Lists", ConvertChoiceLists},
      {nullptr, nullptr, ConvertScreenDesigns},
  }};
  return kOperations;
}

}  // namespace hw
