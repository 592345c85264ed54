#include "merge/titular.h"

#include "data/claimdata.h"
#include "textctl/txtextcontrol.h"

#include <array>

namespace merge {

namespace {

bool foundEither(TXTextControl &control, QStringView marker, const QString &value)
{
    // Both searches always run, the marker first.
    const bool markerFound = control.Find(marker.toString(), 0, 16) >= 0;
    const bool valueFound = control.Find(value, 0, 16) >= 0;
    return markerFound || valueFound;
}

}  // namespace

bool comprobar_titular(TXTextControl &control, const QString &titular, const QString &cif)
{
    constexpr std::array<int, 5> kAreas{0, 1, 4, 2, 8};
    bool found = false;
    for (int area : kAreas) {
        // The main text is searched in whatever target the control has.
        if (area != 0)
            control.setHeaderFooterSelect(area);
        if (foundEither(control, kMarcadorTitular, titular) || foundEither(control, kMarcadorCif, cif)) {
            found = true;
            break;
        }
    }
    control.setHeaderFooterSelect(0);
    return found;
}

bool comprobar_titular(TXTextControl &control, const QString &programDir, int registro)
{
    data::ClaimData claims;
    data::HolderFields holder;
    if (data::loadClaimData(programDir, &claims))
        holder = claims.holder(registro);
    return comprobar_titular(control, holder.titular, holder.cif);
}

}  // namespace merge
