#include "merge/titular.h"

#include "textctl/txtextcontrol.h"

#include <array>

namespace merge {

namespace {

// The order the areas are searched in.
constexpr std::array<int, 5> kSearchOrder{textctl::MainText, textctl::PageHeader, textctl::PageFooter,
                                          textctl::FirstPageHeader, textctl::FirstPageFooter};

bool foundEither(TXTextControl &control, QStringView marker, const QString &value)
{
    // Both searches always run, the marker first.
    const bool markerFound = control.Find(marker.toString(), 0, 16) >= 0;
    const bool valueFound = control.Find(value, 0, 16) >= 0;
    return markerFound || valueFound;
}

}  // namespace

bool comprobar_titular(TXTextControl &control, const data::HolderFields &holder)
{
    bool found = false;
    for (int area : kSearchOrder) {
        // The main text is searched in whatever target the control has.
        if (area != textctl::MainText)
            control.setHeaderFooterSelect(area);
        if (foundEither(control, kMarcadorTitular, holder.titular)
            || foundEither(control, kMarcadorCif, holder.cif)) {
            found = true;
            break;
        }
    }
    control.setHeaderFooterSelect(textctl::MainText);
    return found;
}

}  // namespace merge
