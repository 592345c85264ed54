#include "textctl/editing/editedcursor.h"

#include "textctl/txtextcontrol.h"

namespace textctl {

QTextCursor editedCursor(TXTextControl &control)
{
    if (control.HeaderFooterSelect() != control.activeHeaderFooter())
        control.setHeaderFooterSelect(control.activeHeaderFooter());
    return control.cursor();
}

}  // namespace textctl
