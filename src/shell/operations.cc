#include "shell/operations.h"

#include "collections/collections_driver.h"
#include "lists/choice_lists.h"
#include "lists/contacts.h"
#include "lists/storage.h"
#include "screens/report_conversion.h"
#include "screens/screen_conversion.h"

namespace hw {

const std::array<Operation, 6>& Operations() {
  static const std::array<Operation, 6> kOperations = {{
      {0, "Converting Collections", "Converting Collections", ConvertCollections},
      {1, "Converting Buyer/Seller Lists", "Converting Buyer/Seller List", ConvertBuyersSellers},
      {2, "Converting Storage & Insurance Information",
       "Converting Storage & Insurance Information", ConvertStorage},
      {3, "Converting Report Customizations", "Converting Report Customizations", ConvertReports},
      {4, "Converting Choice Lists", "Converting Choice Lists", ConvertChoiceLists},
      {5, nullptr, nullptr, ConvertScreenDesigns},
  }};
  return kOperations;
}

}  // namespace hw
