#include "platformui/printerdialog.h"

#include <algorithm>

namespace platform {

int PrinterDialog::ShowPrinter()
{
    if (!run())
        return kCancelError;
    Copies = std::max(Copies, 1);
    if (Flags & PrinterPageNums) {
        // A dialog may answer a range outside the pages allowed; the caller
        // prints exactly the range it reads, so it is kept inside here.
        const int low = std::max(Min, 1);
        const int high = std::max(Max, low);
        FromPage = std::clamp(FromPage, low, high);
        ToPage = std::clamp(ToPage, FromPage, high);
    }
    return 0;
}

}  // namespace platform
